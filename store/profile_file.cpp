#include "store/profile_file.h"

#include "store/text_lines.h"
#include "ui/platform/text_rules.h"

namespace zelmora::store {

namespace {

using platform::EqualsNoCase;
using platform::TrimBlanks;

std::size_t FirstNonBlank(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return i;
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string Cut(std::string value) {
  if (value.size() > kProfileValueLimit) value.resize(kProfileValueLimit);
  return value;
}

// A value with a line break would split into lines the reader takes as keys.
std::string OneLine(std::string_view value) {
  std::string out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

bool SectionNameOf(std::string_view line, std::string& name) {
  std::size_t i = FirstNonBlank(line);
  if (i >= line.size() || line[i] != '[') return false;
  std::size_t close = line.find(']', i + 1);
  std::string_view inner = line.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
  name = TrimBlanks(inner);
  return true;
}

bool KeyOf(std::string_view line, std::string_view& key, std::size_t& equals) {
  std::size_t i = FirstNonBlank(line);
  if (i < line.size() && line[i] == ';') return false;
  equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  std::string_view k = line.substr(0, equals);
  std::size_t last = k.find_last_not_of(" \t");
  key = last == std::string_view::npos ? std::string_view{} : k.substr(i, last - i + 1);
  return true;
}

std::string ReadProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
  std::string result = std::string(defaultValue);
  bool inSection = false;
  bool seenSection = false;
  std::string name;
  ForEachLine(bytes, [&](const TextLine& line, std::size_t) {
    if (SectionNameOf(line.text, name)) {
      if (seenSection) return false;  // only the first matching section counts
      inSection = EqualsNoCase(name, section);
      seenSection = inSection;
      return true;
    }
    if (!inSection) return true;
    std::string_view k;
    std::size_t equals;
    if (!KeyOf(line.text, k, equals) || !EqualsNoCase(k, key)) return true;
    result = Unquote(TrimBlanks(line.text.substr(equals + 1)));
    return false;
  });
  return Cut(std::move(result));
}

void ForEachProfileEntry(std::string_view bytes, const std::function<void(std::string_view section)>& onSection,
                         const std::function<void(std::string_view key, std::string&& value)>& onKey) {
  bool inSection = false;
  std::string name;
  ForEachLine(bytes, [&](const TextLine& line, std::size_t) {
    if (SectionNameOf(line.text, name)) {
      inSection = true;
      onSection(name);
      return true;
    }
    std::string_view k;
    std::size_t equals;
    if (inSection && KeyOf(line.text, k, equals)) onKey(k, Unquote(TrimBlanks(line.text.substr(equals + 1))));
    return true;
  });
}

std::string WriteProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                              std::string_view value) {
  std::string out;
  WriteProfileValueInto(bytes, section, key, value, out);
  return out;
}

void WriteProfileValueInto(std::string_view bytes, std::string_view section, std::string_view key,
                           std::string_view value, std::string& out) {
  const std::string cleanValue = OneLine(value);
  bool inSection = false;
  bool seenSection = false;
  std::size_t insertAt = std::string_view::npos;  // just after the section's last key line
  bool insertNeedsBreak = false;                  // that line has no line break of its own
  std::size_t replaceStart = 0, replaceLength = 0;
  std::string spelledKey;
  bool found = false;
  std::string name;

  ForEachLine(bytes, [&](const TextLine& line, std::size_t pos) {
    std::size_t after = pos + line.text.size() + line.lineBreak.size();
    if (SectionNameOf(line.text, name)) {
      if (seenSection) return false;
      inSection = EqualsNoCase(name, section);
      if (inSection) {
        seenSection = true;
        insertAt = after;
        insertNeedsBreak = line.lineBreak.empty();
      }
      return true;
    }
    if (!inSection) return true;
    std::string_view k;
    std::size_t equals;
    if (!KeyOf(line.text, k, equals)) return true;
    if (EqualsNoCase(k, key)) {
      found = true;
      replaceStart = pos;
      replaceLength = line.text.size();
      spelledKey = std::string(k);
      return false;
    }
    insertAt = after;
    insertNeedsBreak = line.lineBreak.empty();
    return true;
  });

  out.clear();
  out.reserve(bytes.size() + key.size() + cleanValue.size() + section.size() + 8);
  if (found) {
    out.append(bytes.substr(0, replaceStart));
    out.append(spelledKey).append("=").append(cleanValue);
    out.append(bytes.substr(replaceStart + replaceLength));
  } else if (seenSection) {
    out.append(bytes.substr(0, insertAt));
    if (insertNeedsBreak) out.append("\r\n");
    out.append(key).append("=").append(cleanValue);
    if (!insertNeedsBreak) out.append("\r\n");
    out.append(bytes.substr(insertAt));
  } else {
    out.append(bytes);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append("\r\n");
    out.append("[").append(section).append("]\r\n");
    out.append(key).append("=").append(cleanValue).append("\r\n");
  }
}

std::string DeleteKeyLines(std::string_view bytes, std::string_view section, std::string_view key,
                           std::string reuse) {
  LineWriter w(std::move(reuse));
  w.Reserve(bytes.size());
  bool inSection = false;
  std::string name;
  ForEachLine(bytes, [&](const TextLine& line, std::size_t) {
    // Sections and keys as the reader finds them, so that no key stays behind for it to read:
    // "[names]" and " [Names]" are the section Names, "Key = value" is the key Key.
    if (SectionNameOf(line.text, name)) {
      inSection = EqualsNoCase(name, section);
    } else if (inSection) {
      std::string_view k;
      std::size_t equals;
      if (KeyOf(line.text, k, equals) && EqualsNoCase(k, key)) return true;
    }
    w.Add(line.text);
    return true;
  });
  return w.Take();
}

std::string GetProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
  std::string bytes;
  if (!platform::ReadWholeFile(file, bytes)) return Cut(std::string(defaultValue));
  return ReadProfileValue(bytes, section, key, defaultValue);
}

platform::FileResult WriteProfileString(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key, std::string_view value) {
  std::string bytes;
  if (platform::FileExists(file) && !platform::ReadWholeFile(file, bytes)) {
    return platform::FileResult::Failure("cannot read " + file.string());
  }
  return platform::AtomicReplace(file, WriteProfileValue(bytes, section, key, value));
}

}  // namespace zelmora::store
