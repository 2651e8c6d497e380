// Packages made by strangers: lists and files that are links, devices or FIFOs, lists far too long,
// the same file named over and over, and scratch files a killed install left behind.
#include "installer/delivery.h"
#include "installer/installer_texts.h"

#include "tests/installer/installer_fakes.h"
#include "ui/platform/file_rules.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace zelmora::installer {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;

// A read that blocks or grows for ever ends the test process instead of hanging the suite.
class TimeLimit {
 public:
  explicit TimeLimit(unsigned seconds) { ::alarm(seconds); }
  ~TimeLimit() { ::alarm(0); }
};

class HostilePackage : public ::testing::Test {
 protected:
  TempTree tree;
  std::string game = tree.Game("game");
  std::string pkg = tree.Folder("pkg");
};

TEST_F(HostilePackage, AListThatIsALinkAFifoOrHugeIsRefusedAtOnceWithAReason) {
  TimeLimit limit(30);
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"link to an endless device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, "Setup.lst is a link"},
      {"link to a regular file", [&](const fs::path& p) {
         tree.File("elsewhere.lst", "\"a\",\"\\\"\r\n");
         fs::create_symlink(tree.Root() / "elsewhere.lst", p);
       }, "Setup.lst is a link"},
      {"FIFO with no writer", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "Setup.lst is not a regular file"},
      {"list of five megabytes", [&](const fs::path&) { tree.File("pkg/SETUP.LST", std::string(5u << 20, '\n')); },
       "Setup.lst is too large (more than 4 MB)"},
  };
  for (const auto& c : cases) {
    fs::remove(fs::path(pkg) / "SETUP.LST");
    c.make(fs::path(pkg) / "SETUP.LST");
    auto result = Deliver(pkg, game);
    EXPECT_EQ(result.outcome, DeliveryOutcome::ListRefused) << c.what;
    EXPECT_EQ(result.listProblem, c.reason) << c.what;
    EXPECT_TRUE(result.copied.empty()) << c.what;
  }
  EXPECT_EQ(ListRefusedMessage("Setup.lst is a link"),
            "The add on cannot be installed: Setup.lst is a link.  Nothing was installed.");
  // A list just under the limit is read.
  fs::remove(fs::path(pkg) / "SETUP.LST");
  tree.File("pkg/SETUP.LST", std::string(kMaxSetupListBytes, '\n'));
  EXPECT_EQ(Deliver(pkg, game).outcome, DeliveryOutcome::Delivered);
}

TEST_F(HostilePackage, ListedFilesThatAreLinksOrNotFilesAreRefusedAndNothingOfThemCopied) {
  TimeLimit limit(30);
  tree.File("private/hostname", "secret");
  tree.File("pkg/Good.bmp", "good");
  fs::create_symlink(tree.Root() / "private/hostname", fs::path(pkg) / "Vega.bmp");
  fs::create_symlink("/dev/zero", fs::path(pkg) / "Zero.bmp");
  ASSERT_EQ(::mkfifo((fs::path(pkg) / "Pipe.bmp").c_str(), 0600), 0);
  tree.File("pkg/SETUP.LST",
            "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"zero.bmp\",\"\\PICTURES\\\"\r\n\"Pipe.bmp\",\"\\PICTURES\\\"\r\n"
            "\"Good.bmp\",\"\\PICTURES\\\"\r\n");
  auto result = Deliver(pkg, game);
  ASSERT_EQ(result.notInstalled.size(), 3u);
  EXPECT_EQ(result.notInstalled[0].reason, "it is a link in the package");
  EXPECT_EQ(result.notInstalled[1].reason, "it is a link in the package");
  EXPECT_EQ(result.notInstalled[2].reason, "it is not a regular file in the package");
  EXPECT_FALSE(tree.Exists("game/PICTURES/Vega.bmp"));
  EXPECT_FALSE(tree.Exists("game/PICTURES/zero.bmp"));
  EXPECT_EQ(tree.Read("game/PICTURES/Good.bmp"), "good");

  // A file that becomes a link between planning and copying is not read through either.
  tree.File("pkg2/Late.bmp", "late");
  tree.File("pkg2/SETUP.LST", "\"Late.bmp\",\"\\PICTURES\\\"\r\n");
  DeliveryPlan plan = PlanDelivery(tree.Root() / "pkg2", game, *ReadSetupList(tree.Root() / "pkg2"));
  ASSERT_EQ(plan.copies.size(), 1u);
  fs::remove(tree.Root() / "pkg2/Late.bmp");
  fs::create_symlink(tree.Root() / "private/hostname", tree.Root() / "pkg2/Late.bmp");
  auto late = CarryOut(plan);
  ASSERT_EQ(late.notInstalled.size(), 1u);
  EXPECT_FALSE(tree.Exists("game/PICTURES/Late.bmp"));
}

// Planning looks every name up in one listing of each folder: a list of names that are missing or
// in another case no longer lists the package folder for each of them.
TEST_F(HostilePackage, ALongListOfMissingAndOtherCaseNamesIsPlannedInOnePass) {
  TimeLimit limit(60);
  std::vector<std::pair<std::string, std::string>> files;
  for (int i = 0; i < 2000; ++i) files.push_back({"File" + std::to_string(i) + ".bmp", "x"});
  std::string list;
  for (int i = 0; i < 100000; ++i) {
    list += i % 2 ? "\"missing" + std::to_string(i) + ".bmp\",\"\\PICTURES\\\"\r\n"
                  : "\"FILE" + std::to_string(i % 2000) + ".BMP\",\"\\pictures\\\"\r\n";
  }
  std::string big = tree.Package("big", files, list);
  auto result = Deliver(big, game, true);
  EXPECT_EQ(result.copied.size(), 1000u);  // the even lines name 1,000 files, each many times
  EXPECT_EQ(result.notInstalled.size(), 50000u);
  EXPECT_EQ(result.notInstalled.front().reason, "not found in the package");
}

TEST_F(HostilePackage, AFileNamedManyTimesIsCopiedOnceAndTheLastLineWins) {
  TimeLimit limit(60);
  std::string list;
  for (int i = 0; i < 100000; ++i) list += "\"Vega.bmp\",\"\\PICTURES\\\"\r\n";
  list += "\"Other.bmp\",\"\\PICTURES\\\"\r\n\"VEGA.BMP\",\"\\PICTURES\\\"\r\n";
  tree.File("game/PICTURES/vega.bmp", "the game's old picture");
  std::string many = tree.Package("many", {{"Vega.bmp", "picture"}, {"VEGA.BMP", "upper"}, {"Other.bmp", "other"}}, list);
  auto result = Deliver(many, game);
  ASSERT_EQ(result.copied.size(), 2u);
  // Both spellings lead to the game's one file: the later line's file is the one it gets.
  EXPECT_EQ(result.copied[0].name, "VEGA.BMP");
  EXPECT_EQ(result.copied[0].kind, CopyKind::Replace);
  EXPECT_EQ(tree.Read("game/PICTURES/vega.bmp"), "upper");
  EXPECT_EQ(tree.Read("game/PICTURES/Other.bmp"), "other");
}

TEST_F(HostilePackage, ScratchFilesOfAKilledInstallAreRemovedAndNeverListed) {
  tree.File("game/PICTURES/.Vega.bmp.copy", "half a picture");
  tree.File("game/PICTURES/.Old.bmp.part", "half a list");
  tree.File("game/PICTURES/.hidden.bmp", "the author's own hidden file");
  tree.File("elsewhere/keep.txt", "kept");
  fs::create_symlink(tree.Root() / "elsewhere/keep.txt", tree.Root() / "game/PICTURES/.Link.bmp.copy");
  EXPECT_TRUE(platform::ListMatching(tree.Root() / "game/PICTURES", "*.copy").empty());
  std::string p = tree.Package("p", {{"Vega.bmp", "picture"}}, "\"Vega.bmp\",\"\\PICTURES\\\"\r\n");
  auto result = Deliver(p, game);
  ASSERT_EQ(result.copied.size(), 1u);
  EXPECT_FALSE(tree.Exists("game/PICTURES/.Vega.bmp.copy"));
  EXPECT_FALSE(tree.Exists("game/PICTURES/.Old.bmp.part"));
  EXPECT_FALSE(fs::is_symlink(tree.Root() / "game/PICTURES/.Link.bmp.copy"));
  EXPECT_EQ(tree.Read("elsewhere/keep.txt"), "kept");
  EXPECT_EQ(tree.Read("game/PICTURES/.hidden.bmp"), "the author's own hidden file");
}

}  // namespace
}  // namespace zelmora::installer
