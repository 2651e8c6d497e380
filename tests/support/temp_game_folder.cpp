#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace zelmora::testing {

namespace fs = std::filesystem;

fs::path UniqueTempFolder(std::string_view stem) {
  static std::atomic<int> counter{0};
  std::random_device rd;
  auto base = fs::temp_directory_path() / "zelmora-tests";
  fs::create_directories(base);
  for (;;) {
    auto candidate = base / (std::string(stem) + "-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    if (fs::create_directory(candidate)) return candidate;
  }
}

TempGameFolder::TempGameFolder(bool withGame) : root_(UniqueTempFolder("game")) {
  fs::create_directories(Descriptors());
  fs::create_directories(Pictures());
  if (withGame) {
    Write("quarvel.exe", "#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/quarvel.log\"\n");
    fs::permissions(root_ / "quarvel.exe", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  }
}

TempGameFolder::~TempGameFolder() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void TempGameFolder::WriteFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << "cannot write " << path;
}

fs::path TempGameFolder::Write(const std::string& relative, std::string_view bytes) const {
  fs::path path = root_ / relative;
  WriteFile(path, bytes);
  return path;
}

std::string TempGameFolder::ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TempGameFolder::Read(const std::string& relative) const { return ReadFile(root_ / relative); }

bool TempGameFolder::Exists(const std::string& relative) const { return fs::exists(root_ / relative); }

fs::path TempGameFolder::WriteDescriptor(const std::string& name, std::string_view bytes,
                                         const std::string& extension) const {
  return Write("ZMDescriptor/" + name + extension, bytes);
}

std::string TempGameFolder::ReadDescriptor(const std::string& name, const std::string& extension) const {
  return Read("ZMDescriptor/" + name + extension);
}

DemoGameFolder::DemoGameFolder() : TempGameFolder(false) {
  fs::copy(fs::path(ZELMORA_SOURCE_DIR) / "demo", Path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (auto line : lines) out.append(line).append("\r\n");
  return out;
}

}  // namespace zelmora::testing
