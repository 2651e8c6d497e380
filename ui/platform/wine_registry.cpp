#include "ui/platform/wine_registry.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace zelmora::platform {

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads a quoted string starting at text[pos] == '"' with Wine's escapes; pos ends after the
// closing quote. Nothing when the closing quote is missing.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos) {
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c != '\\' || pos + 1 >= text.size()) {
      out.push_back(c);
      continue;
    }
    char e = text[++pos];
    switch (e) {
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case '0': out.push_back('\0'); break;
      case 'x': {
        // \x followed by up to four hex digits: one UTF-16 unit.
        std::uint32_t unit = 0;
        int digits = 0;
        while (digits < 4 && pos + 1 < text.size() && IsHex(text[pos + 1])) {
          char h = text[++pos];
          unit = unit * 16 + static_cast<std::uint32_t>(h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
          ++digits;
        }
        if (digits > 0) AppendUtf8(out, unit);
        break;
      }
      default: out.push_back(e); break;  // \\ and \" and anything else stand for themselves
    }
  }
  return std::nullopt;
}

// A key header "[Software\\Microsoft\\...] 1700000000" without its escapes.
std::optional<std::string> HeaderKey(std::string_view line) {
  std::string key;
  for (std::size_t i = 1; i < line.size(); ++i) {
    char c = line[i];
    if (c == ']') return key;
    if (c == '\\' && i + 1 < line.size()) c = line[++i];
    key.push_back(c);
  }
  return std::nullopt;
}

std::optional<RegistryValue> ParseData(std::string_view data) {
  RegistryValue v;
  std::size_t pos = 0;
  if (!data.empty() && data[0] == '"') {
    auto text = ReadQuoted(data, pos);
    if (!text) return std::nullopt;
    v.text = std::move(*text);
    return v;
  }
  if (data.starts_with("str(2):") || data.starts_with("str(7):")) {
    v.type = data[4] - '0';
    pos = 7;
    if (pos >= data.size() || data[pos] != '"') return std::nullopt;
    auto text = ReadQuoted(data, pos);
    if (!text) return std::nullopt;
    v.text = std::move(*text);
    return v;
  }
  if (data.starts_with("dword:")) {
    v.type = kRegNumber;
    auto s = data.substr(6);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v.number, 16);
    if (ec != std::errc()) return std::nullopt;
    return v;
  }
  if (data.starts_with("hex:") || data.starts_with("hex(")) {
    v.type = kRegBinary;
    if (data[3] == '(') {
      int type = 0;
      auto [end, ec] = std::from_chars(data.data() + 4, data.data() + data.size(), type, 16);
      if (ec != std::errc()) return std::nullopt;
      v.type = type;
    }
    return v;  // binary contents are not needed here
  }
  return std::nullopt;
}

}  // namespace

std::optional<RegistryValue> FindRegistryValue(std::string_view file, std::string_view key,
                                               std::string_view name) {
  bool inKey = false;
  for (std::size_t start = 0; start < file.size();) {
    std::size_t end = std::min(file.find('\n', start), file.size());
    std::string_view line = file.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      auto header = HeaderKey(line);
      inKey = header && EqualsNoCase(*header, key);
      continue;
    }
    if (!inKey) continue;
    std::size_t pos = 0;
    std::string valueName;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      auto n = ReadQuoted(line, pos);
      if (!n) continue;
      valueName = std::move(*n);
    } else {
      continue;
    }
    if (pos >= line.size() || line[pos] != '=' || !EqualsNoCase(valueName, name)) continue;
    auto value = ParseData(line.substr(pos + 1));
    if (value && !value->text.empty() && value->text.back() == '\0') value->text.pop_back();
    return value;
  }
  return std::nullopt;
}

std::string WindowsPathInPrefix(const std::string& prefix, std::string_view windowsPath) {
  std::string_view path = windowsPath;
  // A registry text ends at its first NUL, as Windows reads it.
  path = path.substr(0, path.find('\0'));
  // App Paths values are sometimes written in quotes.
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  if (path.size() < 2 || path[1] != ':') return {};
  char letter = ToLower1252(path[0]);
  if (letter < 'a' || letter > 'z') return {};
  const fs::path drive = letter == 'c' ? fs::path(prefix) / "drive_c"
                                       : fs::path(prefix) / "dosdevices" / (std::string(1, letter) + ":");
  std::string_view rest = path.substr(2);
  bool trailing = !rest.empty() && (rest.back() == '\\' || rest.back() == '/');
  // Parts as Windows reads them: trailing dots and blanks dropped, "." and "..." stay, ".." goes
  // up one folder but never above the drive's root.
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    std::string_view part = rest.substr(start, end - start);
    start = end + 1;
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (!part.empty() && part.find_first_not_of('.') == std::string_view::npos) {
      if (part == ".." && !parts.empty()) parts.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
    if (!part.empty()) parts.emplace_back(part);
  }
  fs::path here = drive;
  for (const auto& part : parts) here = ResolveNoCase(here, part);
  std::string out = here.string();
  if (trailing && out.back() != '/') out.push_back('/');
  return out;
}

}  // namespace zelmora::platform
