#include "ui/platform/folder_index.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <system_error>

namespace zelmora::platform {

namespace fs = std::filesystem;

FolderIndex::FolderIndex(fs::path folder) : folder_(std::move(folder)) {
  std::error_code ec;
  fs::directory_iterator it(folder_, ec);
  if (ec) return;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (IsScratchName(name)) continue;
    upper_.emplace(ToUpper1252(name), name);
    if (it->is_regular_file(ec)) {
      if (auto codePage = Utf8ToCp1252Exact(name)) codePageUpper_.emplace(ToUpper1252(*codePage), name);
    }
    names_.insert(std::move(name));
  }
}

std::optional<fs::path> FolderIndex::Find(std::string_view name) const {
  const std::string exact(name);
  std::error_code ec;
  if (names_.count(exact) && fs::exists(folder_ / exact, ec)) return folder_ / exact;
  auto found = upper_.find(ToUpper1252(name));
  if (found == upper_.end()) return std::nullopt;
  return folder_ / found->second;
}

fs::path FolderIndex::ResolveCodePage(std::string_view name) const {
  fs::path exact = CodePageFilePath(folder_, name);
  std::error_code ec;
  if (names_.count(exact.filename().string()) && fs::exists(exact, ec)) return exact;
  auto found = codePageUpper_.find(ToUpper1252(name));
  return found == codePageUpper_.end() ? exact : folder_ / found->second;
}

}  // namespace zelmora::platform
