// The profile reader and writer on any file: a write then a read gives the value trimmed,
// unquoted and cut to 254 characters; a delete leaves nothing for the reader; neither touches
// what another key reads; the key index answers as the reader does.
#include "fuzz/fuzz_support.h"
#include "store/profile_file.h"
#include "store/profile_index.h"
#include "ui/platform/text_rules.h"

#include <string>
#include <vector>

using namespace zelmora;

namespace {

// A name the writer can put on a line of its own that the reader then finds under that name.
bool WritableSection(std::string_view s) {
  return s == platform::TrimBlanks(s) && s.find_first_of("]\r\n") == std::string_view::npos;
}
bool WritableKey(std::string_view k) {
  return !k.empty() && k == platform::TrimBlanks(k) && k.find_first_of("=\r\n") == std::string_view::npos &&
         k[0] != ';' && k[0] != '[';
}

// What the reader gives back for a written value: one line, blanks and one pair of quotes off, cut.
std::string Expected(std::string_view value) {
  std::string v(value);
  for (char& c : v) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  v = platform::TrimBlanks(v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  if (v.size() > store::kProfileValueLimit) v.resize(store::kProfileValueLimit);
  return v;
}

struct Probe {
  std::string section;
  std::string key;
};

// The names the file itself uses, so that reads land on what is there.
std::vector<Probe> ProbesOf(std::string_view bytes) {
  std::vector<Probe> probes;
  std::string section;
  store::ForEachProfileEntry(
      bytes, [&](std::string_view s) { section = std::string(s); },
      [&](std::string_view k, std::string&&) {
        if (probes.size() < 16) probes.push_back({section, std::string(k)});
      });
  return probes;
}

std::string Read(std::string_view bytes, const Probe& p) {
  return store::ReadProfileValue(bytes, p.section, p.key, "\x01" "absent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string section(in.Line());
  const std::string key(in.Line());
  const std::string value(in.Line());
  const std::string bytes(in.Rest());

  const auto probes = ProbesOf(bytes);
  const store::ProfileIndex index(bytes);
  auto indexed = [&](const Probe& p) {
    const std::string* found = index.Find(p.section, p.key);
    if (!found) return std::string("\x01" "absent");
    return found->substr(0, store::kProfileValueLimit);
  };
  for (const auto& p : probes) FUZZ_CHECK(indexed(p) == Read(bytes, p));
  FUZZ_CHECK(indexed({section, key}) == Read(bytes, {section, key}));

  if (!WritableSection(section) || !WritableKey(key)) return 0;
  const Probe target{section, key};
  auto other = [&](const Probe& p) {
    return !platform::EqualsNoCase(p.section, section) || !platform::EqualsNoCase(p.key, key);
  };

  const std::string written = store::WriteProfileValue(bytes, section, key, value);
  FUZZ_CHECK(Read(written, target) == Expected(value));
  for (const auto& p : probes) {
    if (other(p)) FUZZ_CHECK(Read(written, p) == Read(bytes, p));
  }

  const std::string deleted = store::DeleteKeyLines(written, section, key);
  FUZZ_CHECK(Read(deleted, target) == "\x01" "absent");
  for (const auto& p : probes) {
    if (other(p)) FUZZ_CHECK(Read(deleted, p) == Read(bytes, p));
  }
  return 0;
}
