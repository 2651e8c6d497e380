#include "ui/platform/linux_machine.h"
#include "ui/platform/mount_table.h"
#include "ui/platform/wine_registry.h"

#include "tests/installer/installer_fakes.h"

#include <gtest/gtest.h>

namespace zelmora::platform {
namespace {

using testing::TempTree;

// As Wine writes it: escaped backslashes in key names and values, a time after each key.
const char* const kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\wordpad.exe] 1700000000\n"
    "#time=1d9f0a1b2c3d4e5\n"
    "@=\"C:\\\\Program Files\\\\Windows NT\\\\Accessories\\\\wordpad.exe\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\App Paths\\\\Quarvel.EXE] 1700000001\n"
    "\"Path\"=\"C:\\\\Wrong\"\n"
    "@=\"C:\\\\Games\\\\Quarvel\\\\quarvel.exe\"\n"
    "\n"
    "[Software\\\\Test] 1700000002\n"
    "\"Count\"=dword:0000002a\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\n"
    "\"Odd\"=\"say \\\"hi\\\"\\x00e9\\0\"\n"
    "\"Bytes\"=hex:01,02,\\\n"
    "  03,04\n";

TEST(WineRegistry, FindsDefaultAndNamedValuesWithoutRegardToCase) {
  auto v = FindRegistryValue(kSystemReg, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\App Paths\\quarvel.exe", "");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, kRegText);
  EXPECT_EQ(v->text, "C:\\Games\\Quarvel\\quarvel.exe");
  auto path = FindRegistryValue(kSystemReg, "software\\microsoft\\windows nt\\currentversion\\app paths\\QUARVEL.exe",
                                "PATH");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->text, "C:\\Wrong");
  EXPECT_FALSE(FindRegistryValue(kSystemReg, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\quarvel.exe", ""));
  EXPECT_FALSE(FindRegistryValue(kSystemReg, "SOFTWARE\\Test", ""));  // no default value there
}

TEST(WineRegistry, ValueTypesAndEscapes) {
  auto count = FindRegistryValue(kSystemReg, "SOFTWARE\\Test", "Count");
  ASSERT_TRUE(count);
  EXPECT_EQ(count->type, kRegNumber);
  EXPECT_EQ(count->number, 42u);
  auto expand = FindRegistryValue(kSystemReg, "SOFTWARE\\Test", "Expand");
  ASSERT_TRUE(expand);
  EXPECT_EQ(expand->type, kRegExpandText);
  EXPECT_EQ(expand->text, "%SystemRoot%\\x");
  auto odd = FindRegistryValue(kSystemReg, "SOFTWARE\\Test", "Odd");
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->text, "say \"hi\"\xC3\xA9");  // one trailing NUL dropped, \x00e9 as UTF-8
  auto bytes = FindRegistryValue(kSystemReg, "SOFTWARE\\Test", "Bytes");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->type, kRegBinary);
}

class Prefix : public ::testing::Test {
 protected:
  void WriteRegistry(const std::string& text) { tree.File("pfx/system.reg", text); }
  TempTree tree;
  std::string prefix = (tree.Root() / "pfx").string();
};

TEST_F(Prefix, WindowsPathsMapIntoTheDrivesOfThePrefix) {
  tree.Folder("pfx/drive_c/Program Files/Quarvel");
  tree.Folder("pfx/dosdevices/d:/Games");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "C:\\PROGRAM FILES\\quarvel\\quarvel.exe"),
            prefix + "/drive_c/Program Files/Quarvel/quarvel.exe");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "\"c:\\Program Files\\Quarvel\\\""), prefix + "/drive_c/Program Files/Quarvel/");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "D:\\games\\Q\\"), prefix + "/dosdevices/d:/Games/Q/");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "\\\\server\\share\\q.exe"), "");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "Games\\q.exe"), "");
}

TEST_F(Prefix, DotDotAtADriveRootStaysThereAsOnWindows) {
  tree.Folder("pfx/drive_c/Games/Quarvel");
  tree.Folder("pfx/dosdevices/d:");
  tree.File("etc/passwd", "not the prefix's");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "D:\\..\\..\\etc\\"), prefix + "/dosdevices/d:/etc/");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "C:\\..\\..\\..\\etc\\passwd"), prefix + "/drive_c/etc/passwd");
  // ".." inside the drive goes up one folder; "." and "..." stay; trailing dots and blanks go.
  EXPECT_EQ(WindowsPathInPrefix(prefix, "C:\\Games\\Other\\..\\.\\Quarvel\\...\\"), prefix + "/drive_c/Games/Quarvel/");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "c:/games. /quarvel .. \\quarvel.exe"), prefix + "/drive_c/Games/Quarvel/quarvel.exe");
  EXPECT_EQ(WindowsPathInPrefix(prefix, "C:\\Games\\.. \\..\\..\\x"), prefix + "/drive_c/x");
  // The text ends at a NUL, as the registry's reader ends it.
  EXPECT_EQ(WindowsPathInPrefix(prefix, std::string("C:\\Games\0\\..\\..\\..", 16)), prefix + "/drive_c/Games");
}

TEST_F(Prefix, AppPathReadsEitherKeyTheFirstWinning) {
  tree.Folder("pfx/drive_c/Games/Quarvel");
  tree.Folder("pfx/drive_c/Old");
  LinuxMachine machine(prefix, (tree.Root() / "no mounts").string());
  EXPECT_EQ(machine.AppPath("quarvel.exe"), "");  // no system.reg at all

  WriteRegistry(kSystemReg);  // only the second key
  EXPECT_EQ(machine.AppPath("quarvel.exe"), prefix + "/drive_c/Games/Quarvel/quarvel.exe");

  WriteRegistry(std::string(kSystemReg) +
                "\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\quarvel.exe] 1\n"
                "@=\"C:\\\\Old\\\\quarvel.exe\"\n");
  EXPECT_EQ(machine.AppPath("quarvel.exe"), prefix + "/drive_c/Old/quarvel.exe");

  // A value that is not text counts as no value, and the other key is read.
  WriteRegistry(std::string(kSystemReg) +
                "\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\quarvel.exe] 1\n"
                "@=dword:00000001\n");
  EXPECT_EQ(machine.AppPath("quarvel.exe"), prefix + "/drive_c/Games/Quarvel/quarvel.exe");
}

TEST_F(Prefix, UsualFoldersOfThePrefix) {
  LinuxMachine none((tree.Root() / "missing").string(), "/nonexistent");
  EXPECT_EQ(none.ProgramFilesFolder(), "");
  EXPECT_EQ(none.WindowsFolder(), "");
  EXPECT_EQ(none.NativeFolder("C:\\QVCD\\"), "");

  tree.Folder("pfx/drive_c/windows/system32");
  tree.Folder("pfx/drive_c/Program Files");
  LinuxMachine machine(prefix, "/nonexistent");
  EXPECT_EQ(machine.ProgramFilesFolder(), prefix + "/drive_c/Program Files/");
  EXPECT_EQ(machine.WindowsFolder(), prefix + "/drive_c/windows");
  EXPECT_EQ(machine.NativeFolder("C:\\QVCD\\"), prefix + "/drive_c/QVCD/");
}

const char* const kMounts =
    "proc /proc proc rw,nosuid 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "/dev/sda2 / ext4 rw,relatime 0 0\n"
    "tmpfs /run tmpfs rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "/dev/sdb1 /media/u/My\\040Disk vfat rw 0 0\n"
    "server:/export /mnt/nfs nfs4 rw 0 0\n"
    "//nas/games /mnt/games cifs rw 0 0\n"
    "u@host:/ /home/u/remote fuse.sshfs rw 0 0\n"
    "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
    "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "/dev/sdc1 /run/media/u/stick ext4 rw 0 0\n"
    "broken line\n";

TEST(MountTable, ParsesEscapesAndTellsDrivesFromTheRest) {
  auto entries = ParseMountTable(kMounts);
  ASSERT_EQ(entries.size(), 13u);
  EXPECT_EQ(entries[5].point, "/media/u/My Disk");
  EXPECT_EQ(KindOfMount(entries[2]), MountKind::Fixed);
  EXPECT_EQ(KindOfMount(entries[6]), MountKind::Network);
  EXPECT_EQ(KindOfMount(entries[7]), MountKind::Network);
  EXPECT_EQ(KindOfMount(entries[8]), MountKind::Network);
  EXPECT_EQ(KindOfMount(entries[0]), MountKind::Other);
  EXPECT_EQ(KindOfMount(entries[9]), MountKind::Other);
  EXPECT_EQ(KindOfMount(entries[10]), MountKind::Other);
  EXPECT_TRUE(IsPseudoFileSystemFolder("/proc"));
  EXPECT_TRUE(IsPseudoFileSystemFolder("/run/media/u"));
  EXPECT_TRUE(IsPseudoFileSystemFolder("/dev/"));
  EXPECT_FALSE(IsPseudoFileSystemFolder("/devices"));
  EXPECT_FALSE(IsPseudoFileSystemFolder("/home/u/proc"));
}

TEST(LinuxMachine, DrivesAreRootThenFixedMountsThenNetworkMounts) {
  TempTree tree;
  auto table = tree.File("mounts", kMounts);
  LinuxMachine machine("", table.string());
  std::vector<std::string> roots;
  for (const auto& d : machine.Drives()) roots.push_back(d.root + (d.kind == DriveKind::Fixed ? " F" : " N"));
  EXPECT_EQ(roots, (std::vector<std::string>{"/ F", "/home/ F", "/media/u/My Disk/ F", "/mnt/nfs/ N",
                                             "/mnt/games/ N", "/home/u/remote/ N"}));
  auto skipped = machine.FoldersNotEntered();
  for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/home", "/mnt/nfs", "/snap/core/1", "/media/cdrom"}) {
    EXPECT_NE(std::find(skipped.begin(), skipped.end(), folder), skipped.end()) << folder;
  }
  EXPECT_EQ(std::find(skipped.begin(), skipped.end(), "/"), skipped.end());

  LinuxMachine noTable("", (tree.Root() / "none").string());
  ASSERT_EQ(noTable.Drives().size(), 1u);
  EXPECT_EQ(noTable.FoldersNotEntered().size(), 4u);
}

}  // namespace
}  // namespace zelmora::platform
