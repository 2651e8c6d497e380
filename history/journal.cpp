#include "history/journal.h"

#include "ui/platform/file_rules.h"

#include <cstring>

namespace zelmora::history {

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[4] = {'Z', 'H', 'R', '1'};
constexpr char kChange = 'C';
constexpr char kPosition = 'P';
constexpr char kDrop = 'D';
constexpr std::size_t kHeader = 4 + 1 + 8;  // magic, type, payload length
constexpr std::size_t kTrailer = 8;         // hash of type and payload

void PutNumber(std::string& out, std::uint64_t v) {
  char b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  out.append(b, 8);
}

void PutText(std::string& out, const std::string& text) {
  PutNumber(out, text.size());
  out += text;
}

struct Reader {
  std::string_view data;
  std::size_t at = 0;
  bool ok = true;
  std::uint64_t Number() {
    if (data.size() - at < 8) {
      ok = false;
      return 0;
    }
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= std::uint64_t(static_cast<unsigned char>(data[at + i])) << (8 * i);
    at += 8;
    return v;
  }
  std::string Text() {
    const std::uint64_t n = Number();
    if (!ok || data.size() - at < n) {
      ok = false;
      return {};
    }
    std::string s(data.substr(at, n));
    at += n;
    return s;
  }
};

std::string ChangePayload(const Change& c) {
  std::string out;
  out.reserve(c.Weight() + 64);
  PutNumber(out, c.step);
  PutText(out, c.name);
  PutText(out, c.document);
  PutNumber(out, c.offset);
  PutNumber(out, c.beforeHash);
  PutNumber(out, c.afterHash);
  PutText(out, c.before);
  PutText(out, c.after);
  return out;
}

bool ReadChange(std::string_view payload, Change& c) {
  Reader r{payload};
  c.step = r.Number();
  c.name = r.Text();
  c.document = r.Text();
  c.offset = r.Number();
  c.beforeHash = r.Number();
  c.afterHash = r.Number();
  c.before = r.Text();
  c.after = r.Text();
  return r.ok && r.at == payload.size();
}

std::string Record(char type, const std::string& payload) {
  std::string out;
  out.reserve(kHeader + payload.size() + kTrailer);
  out.append(kMagic, 4);
  out += type;
  PutNumber(out, payload.size());
  out += payload;
  std::string checked(1, type);
  PutNumber(out, HashBytes(checked + payload));
  return out;
}

std::string NumberPayload(std::uint64_t v) {
  std::string out;
  PutNumber(out, v);
  return out;
}

}  // namespace

Journal::Journal(fs::path file) : file_(std::move(file)) {}

Journal::~Journal() { CloseStream(); }

void Journal::CloseStream() {
  if (stream_) std::fclose(stream_);
  stream_ = nullptr;
}

std::FILE* Journal::Stream() {
  if (!stream_) {
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    stream_ = std::fopen(file_.c_str(), "ab");
  }
  return stream_;
}

Chain Journal::Load() {
  CloseStream();
  Chain chain;
  std::string bytes;
  size_ = 0;
  if (!platform::ReadWholeFile(file_, bytes)) return chain;
  std::size_t at = 0;
  while (bytes.size() - at >= kHeader + kTrailer && std::memcmp(bytes.data() + at, kMagic, 4) == 0) {
    const char type = bytes[at + 4];
    Reader header{std::string_view(bytes).substr(at + 5, 8)};
    const std::uint64_t length = header.Number();
    if (bytes.size() - at - kHeader - kTrailer < length) break;
    const std::string_view payload(bytes.data() + at + kHeader, length);
    Reader trailer{std::string_view(bytes).substr(at + kHeader + length, 8)};
    if (trailer.Number() != HashBytes(std::string(1, type) + std::string(payload))) break;
    if (type == kChange) {
      Change c;
      if (!ReadChange(payload, c)) break;
      chain.changes.resize(std::min(chain.position, chain.changes.size()));
      chain.changes.push_back(std::move(c));
      chain.position = chain.changes.size();
    } else if (type == kPosition) {
      Reader r{payload};
      chain.position = std::min<std::size_t>(r.Number(), chain.changes.size());
    } else if (type == kDrop) {
      Reader r{payload};
      const std::size_t n = std::min<std::size_t>(r.Number(), chain.changes.size());
      chain.changes.erase(chain.changes.begin(), chain.changes.begin() + static_cast<std::ptrdiff_t>(n));
      chain.position -= std::min(chain.position, n);
    } else {
      break;
    }
    at += kHeader + length + kTrailer;
  }
  size_ = at;
  // A record cut short by a kill: the next one must not land behind it.
  if (at != bytes.size()) Rewrite(chain);
  return chain;
}

bool Journal::Append(char type, const std::string& payload) {
  std::FILE* f = Stream();
  if (!f) return false;
  const std::string record = Record(type, payload);
  const bool ok = std::fwrite(record.data(), 1, record.size(), f) == record.size() && std::fflush(f) == 0;
  if (!ok) {
    // Whatever part reached the file is cut off by the next load.
    CloseStream();
    return false;
  }
  size_ += record.size();
  return true;
}

bool Journal::AppendChange(const Change& change) { return Append(kChange, ChangePayload(change)); }

bool Journal::AppendPosition(std::size_t position) { return Append(kPosition, NumberPayload(position)); }

bool Journal::AppendDrop(std::size_t count) { return Append(kDrop, NumberPayload(count)); }

bool Journal::Rewrite(const Chain& chain) {
  CloseStream();
  std::string out;
  out.reserve(ChainWeight(chain) + 64 * chain.changes.size() + 64);
  for (const auto& c : chain.changes) out += Record(kChange, ChangePayload(c));
  out += Record(kPosition, NumberPayload(chain.position));
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  if (!platform::AtomicReplace(file_, out)) return false;
  size_ = out.size();
  return true;
}

void Journal::Compact(const Chain& chain) {
  const std::uint64_t needed = ChainWeight(chain) + 64 * chain.changes.size();
  if (size_ > 2 * needed + (4u << 20)) Rewrite(chain);
}

void Journal::Remove() {
  CloseStream();
  platform::RemoveFile(file_);
  size_ = 0;
}

std::size_t ChainWeight(const Chain& chain) {
  std::size_t w = 0;
  for (const auto& c : chain.changes) w += c.Weight();
  return w;
}

}  // namespace zelmora::history
