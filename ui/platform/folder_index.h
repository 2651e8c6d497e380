#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace zelmora::platform {

// One listing of a folder, for looking many names up without regard to case: the answers of
// FindNoCase and ResolveCodePageNoCase without listing the folder again for every name. Scratch
// files of a killed run are never found.
class FolderIndex {
 public:
  explicit FolderIndex(std::filesystem::path folder);

  // As FindNoCase: the exact spelling when it exists, else the first entry equal without regard
  // to case.
  std::optional<std::filesystem::path> Find(std::string_view name) const;
  // As ResolveCodePageNoCase: the regular file whose code-page name equals `name` without regard
  // to case (the exact spelling wins), or the path `name` would be created at.
  std::filesystem::path ResolveCodePage(std::string_view name) const;

 private:
  std::filesystem::path folder_;
  std::unordered_set<std::string> names_;                        // every entry, as on disk
  std::unordered_map<std::string, std::string> upper_;           // upper-cased name: first entry
  std::unordered_map<std::string, std::string> codePageUpper_;   // upper-cased code-page name: first file
};

}  // namespace zelmora::platform
