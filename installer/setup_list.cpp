#include "installer/setup_list.h"

#include "ui/platform/file_rules.h"

namespace zelmora::installer {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasControl(std::string_view s) {
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return true;
  }
  return false;
}

// Reads the fields of one line; a quoted field runs to the next quote.
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  for (;;) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    std::string field;
    if (line[pos] == '"') {
      std::size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) close = line.size();
      field = line.substr(pos + 1, close - pos - 1);
      pos = close + 1;
      while (pos < line.size() && line[pos] != ',') ++pos;
    } else {
      std::size_t comma = line.find(',', pos);
      if (comma == std::string_view::npos) comma = line.size();
      std::string_view bare = line.substr(pos, comma - pos);
      while (!bare.empty() && IsBlank(bare.back())) bare.remove_suffix(1);
      field = bare;
      pos = comma;
    }
    fields.push_back(std::move(field));
    if (pos >= line.size()) break;
    ++pos;  // the comma
  }
  return fields;
}

}  // namespace

SetupList ParseSetupList(std::string_view bytes) {
  SetupList list;
  std::size_t start = 0;
  int number = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size()) continue;
    auto fields = Fields(line);
    if (fields.size() < 2) {
      list.unreadableLines.push_back(number);
      continue;
    }
    list.entries.push_back({std::move(fields[0]), std::move(fields[1]), number});
  }
  return list;
}

std::vector<std::string> FolderParts(std::string_view folder) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= folder.size()) {
    std::size_t end = folder.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = folder.size();
    if (end > start) parts.emplace_back(folder.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

namespace {

// A name Windows would read as something else: a device, or (with its trailing dots and blanks
// dropped) another file or folder; "..." is ".." there.
bool ReadOtherwiseOnWindows(std::string_view part) {
  return platform::IsReservedDeviceName(part) || part.back() == '.' || part.back() == ' ';
}

}  // namespace

std::optional<std::string> EntryProblem(const SetupEntry& entry) {
  const std::string& name = entry.name;
  if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/:") != std::string::npos ||
      HasControl(name) || ReadOtherwiseOnWindows(name)) {
    return "not a plain file name";
  }
  const std::string& folder = entry.folder;
  // The list writes folders as "\PICTURES\": one leading backslash means "below the game folder".
  // Two ("\\server\share"), a drive ("C:") or a root of this system ("/etc") go elsewhere.
  bool elsewhere = folder.starts_with("\\\\") || folder.starts_with('/') ||
                   folder.find(':') != std::string::npos || HasControl(folder);
  for (const auto& part : FolderParts(folder)) {
    if (part == ".." || (part != "." && ReadOtherwiseOnWindows(part))) elsewhere = true;
  }
  if (elsewhere) return "its folder is not inside the game folder";
  return std::nullopt;
}

}  // namespace zelmora::installer
