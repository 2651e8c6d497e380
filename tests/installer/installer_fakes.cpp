#include "tests/installer/installer_fakes.h"

#include "tests/support/temp_game_folder.h"

#include <algorithm>

namespace zelmora::testing {

namespace fs = std::filesystem;

TempTree::TempTree() : root_(UniqueTempFolder("tree")) {}

TempTree::~TempTree() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

std::string TempTree::Folder(const std::string& relative) const {
  fs::path p = root_ / relative;
  fs::create_directories(p);
  std::string s = p.string();
  if (s.back() != '/') s.push_back('/');
  return s;
}

fs::path TempTree::File(const std::string& relative, const std::string& bytes) const {
  fs::path p = root_ / relative;
  TempGameFolder::WriteFile(p, bytes);
  return p;
}

std::string TempTree::Game(const std::string& relative) const {
  File(relative + "/quarvel.exe", "game");
  return Folder(relative);
}

std::string TempTree::Package(const std::string& relative,
                              const std::vector<std::pair<std::string, std::string>>& files,
                              const std::string& list) const {
  for (const auto& [name, bytes] : files) File(relative + "/" + name, bytes);
  File(relative + "/SETUP.LST", list);
  return Folder(relative);
}

std::string TempTree::Read(const std::string& relative) const { return TempGameFolder::ReadFile(root_ / relative); }

bool TempTree::Exists(const std::string& relative) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(root_ / relative, ec));
}

std::vector<std::string> TempTree::Listing() const {
  std::vector<std::string> paths;
  for (auto it = fs::recursive_directory_iterator(root_); it != fs::recursive_directory_iterator(); ++it) {
    paths.push_back(fs::relative(it->path(), root_).string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace zelmora::testing
