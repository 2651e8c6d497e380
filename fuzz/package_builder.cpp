// The package builder with any location name and pictures that may be links or FIFOs: the archive
// program always gets the folder as one argument, the check names every picture that is not a plain
// file, and the package folder holds only copies of plain files, nothing reached through a link.
//
// Input: the location's name, then one picture a line, its first byte choosing what it is (a file,
// a link to a private file, a link to /dev/zero, a FIFO) and the rest ending its name.
#include "fuzz/fuzz_support.h"
#include "packaging/outside_programs.h"
#include "packaging/package_builder.h"
#include "packaging/package_check.h"
#include "ui/platform/process_runner.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

using namespace zelmora;
namespace fs = std::filesystem;

namespace {

constexpr const char* kSecret = "the author's private file";

class NoRunner : public platform::ProcessRunner {
 public:
  bool Start(const std::string&, platform::WindowState) override { return false; }
  bool StartAndWait(const std::string&, platform::WindowState) override { return false; }
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A name the file system can hold: no separator, no NUL, not "." or "..".
std::string FileName(std::string_view text) {
  std::string name;
  for (char c : text) {
    if (c != '/' && c != '\0' && c != '\n') name += c;
  }
  if (name.empty() || name == "." || name == "..") name = "x";
  return name.substr(0, 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  fuzz::FuzzInput in(data, size);
  const fs::path root = fuzz::ScratchFolder() / "package_builder";
  std::error_code ec;
  fs::remove_all(root, ec);
  const fs::path game = root / "game", out = root / "out", secret = root / "secret";
  fs::create_directories(game / "ZMDescriptor");
  fs::create_directories(game / "PICTURES");
  std::ofstream(game / "ZMDescriptor" / "Sys.zmd") << "[General]\r\n;SolarSystem\r\n;\"Sys\",0,0\r\n";
  std::ofstream(game / "ZMDInst.dat") << "installer";
  std::ofstream(secret) << kSecret;

  const fs::path location = out / FileName(in.Line());
  fs::create_directories(location, ec);
  const fs::path folder = location / "Sys";
  if (auto line = packaging::ArchiveCommandLine(packaging::kZipProgram, packaging::kZipOptions, folder.string())) {
    const auto words = platform::SplitCommandLine(*line);
    FUZZ_CHECK(words.size() >= 3);
    FUZZ_CHECK(words.back() == folder.string());
    FUZZ_CHECK(words[words.size() - 2] == folder.string() + ".zip");
  }

  int odd = 0;
  while (!in.Empty()) {
    const std::string_view line = in.Line();
    if (line.empty()) continue;
    const fs::path picture = game / "PICTURES" / ("Sys" + FileName(line.substr(1)) + ".bmp");
    if (fs::exists(fs::symlink_status(picture, ec))) continue;
    switch (static_cast<unsigned char>(line[0]) % 4) {
      case 0: std::ofstream(picture) << "picture"; break;
      case 1: fs::create_symlink(secret, picture, ec); ++odd; break;
      case 2: fs::create_symlink("/dev/zero", picture, ec); ++odd; break;
      default: ::mkfifo(picture.c_str(), 0600); ++odd; break;
    }
  }

  store::DescriptorStore store(game);
  store.RefreshSystemNames();
  const auto files = packaging::PackageContents(store, "Sys");
  const auto problems = packaging::PackageProblems(files);
  std::size_t named = 0;
  for (const auto& problem : problems) {
    if (problem.find("is a link") != std::string::npos || problem.find("not a regular file") != std::string::npos) {
      ++named;
    }
  }
  // Links to devices and FIFOs are not even listed as pictures; links to files are named.
  FUZZ_CHECK(named <= static_cast<std::size_t>(odd));

  NoRunner runner;
  const auto built = packaging::BuildPackage(files, folder, nullptr, runner, packaging::ExistingFolder::Replace);
  if (named > 0) FUZZ_CHECK(!built.ok);
  for (auto it = fs::recursive_directory_iterator(out, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const fs::path relative = fs::relative(it->path(), out);
    FUZZ_CHECK(*relative.begin() == location.filename());
    if (it->path().parent_path() == folder) {
      FUZZ_CHECK(!it->is_symlink(ec) && it->is_regular_file(ec));
      FUZZ_CHECK(Read(it->path()) != kSecret);
    }
  }
  return 0;
}
