#include "history/change.h"

#include <algorithm>
#include <cstring>

namespace zelmora::history {

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ull;

std::uint64_t Rotate(std::uint64_t v, int r) { return (v << r) | (v >> (64 - r)); }

std::uint64_t Load64(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint64_t Round(std::uint64_t acc, std::uint64_t input) {
  acc += input * kPrime2;
  return Rotate(acc, 31) * kPrime1;
}

}  // namespace

// Four independent lanes of 8 bytes each keep the multiplier busy: a 100 KB descriptor hashes in
// a few microseconds, so every write can afford it.
std::uint64_t HashBytes(std::string_view bytes) {
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  std::uint64_t a = kPrime1 + kPrime2, b = kPrime2, c = 0, d = 0 - kPrime1;
  while (end - p >= 32) {
    a = Round(a, Load64(p));
    b = Round(b, Load64(p + 8));
    c = Round(c, Load64(p + 16));
    d = Round(d, Load64(p + 24));
    p += 32;
  }
  std::uint64_t h = Rotate(a, 1) + Rotate(b, 7) + Rotate(c, 12) + Rotate(d, 18) + bytes.size();
  while (end - p >= 8) {
    h ^= Round(0, Load64(p));
    h = Rotate(h, 27) * kPrime1 + kPrime3;
    p += 8;
  }
  while (p < end) {
    h ^= static_cast<unsigned char>(*p++) * kPrime3;
    h = Rotate(h, 11) * kPrime1;
  }
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  h *= kPrime3;
  h ^= h >> 32;
  return h;
}

Change Diff(std::string_view before, std::uint64_t beforeHash, std::string_view after, std::uint64_t afterHash) {
  const std::size_t shorter = std::min(before.size(), after.size());
  const auto head = static_cast<std::size_t>(
      std::mismatch(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(shorter), after.begin()).first -
      before.begin());
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  Change c;
  c.offset = head;
  c.before = std::string(before.substr(head, before.size() - head - tail));
  c.after = std::string(after.substr(head, after.size() - head - tail));
  c.beforeHash = beforeHash;
  c.afterHash = afterHash;
  return c;
}

namespace {
bool Replace(std::string& bytes, std::uint64_t offset, const std::string& from, const std::string& to) {
  if (offset > bytes.size() || bytes.size() - offset < from.size()) return false;
  if (bytes.compare(offset, from.size(), from) != 0) return false;
  bytes.replace(offset, from.size(), to);
  return true;
}
}  // namespace

bool Forward(const Change& change, std::string& bytes) {
  return Replace(bytes, change.offset, change.before, change.after);
}

bool Backward(const Change& change, std::string& bytes) {
  return Replace(bytes, change.offset, change.after, change.before);
}

std::string DescribeChange(std::string_view before, const Change& change) {
  // The line the change begins in, and the section above it.
  const std::size_t at = std::min<std::size_t>(change.offset, before.size());
  std::size_t lineStart = before.rfind('\n', at == 0 ? 0 : at - 1);
  lineStart = (lineStart == std::string_view::npos || at == 0) ? 0 : lineStart + 1;
  // What came names an insertion; what went names a removal.
  const std::string head(before.substr(lineStart, at - lineStart));
  std::string line = change.after.empty()
                         ? std::string(before.substr(lineStart, before.find('\n', lineStart) - lineStart))
                         : head + change.after.substr(0, change.after.find_first_of("\r\n"));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  if (line.starts_with("[")) return "Change " + line;
  if (auto eq = line.find('='); eq != std::string::npos) {
    std::string key = line.substr(0, eq);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (!key.empty()) return "Change " + key;
  }
  if (line.starts_with(";")) return "Change the system";
  return "Edit";
}

}  // namespace zelmora::history
