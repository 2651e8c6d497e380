#include "simulator/test_recording.h"

#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <charconv>
#include <type_traits>
#include <cmath>
#include <sstream>

namespace zelmora::simulator {

namespace {

constexpr std::string_view kFirstLine = "zmd play recording";
constexpr std::string_view kIndent = "  ";

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// Numbers only: "nan" and "inf" are no count or amount the test could take.
template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) return false;
  }
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Blank-separated numbers filling `values` exactly.
template <typename T, std::size_t N>
bool ParseList(std::string_view text, T* values) {
  std::istringstream s{std::string(text)};
  std::size_t n = 0;
  for (std::string word; s >> word; ++n) {
    if (n >= N || !ParseWhole(word, values[n])) return false;
  }
  return n == N;
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

}  // namespace

std::optional<int> FlagOfCaption(const std::string& caption) {
  if (platform::EqualsNoCase(caption, "Treaty")) return kTreatyFlag;
  if (caption.size() != 1) return std::nullopt;
  int flag = FlagNumberOfLetter(platform::ToUpper1252(caption[0]));
  if (flag < 0) return std::nullopt;
  return flag;
}

std::string FlagCaptions(const std::vector<int>& flags) {
  std::string text;
  for (int f : flags) text += (text.empty() ? "" : ",") + FlagLabelCaption(f);
  return text;
}

std::string RecordingText(const TestRecording& r) {
  const TestStart& s = r.start;
  std::ostringstream out;
  out << kFirstLine << "\n";
  out << "game: " << r.gameFolder.string() << "\n";
  out << "system: " << platform::Cp1252ToUtf8(s.system) << "\n";
  out << "planet: " << s.planet << "\n";
  out << "seed: " << (s.seed ? std::to_string(*s.seed) : std::string("clock")) << "\n";
  out << "flags: " << FlagCaptions(s.flags) << "\n";
  out << "last visit: " << s.lastVisitTenths / 10;
  if (s.lastVisitTenths % 10 != 0) out << "." << s.lastVisitTenths % 10;
  out << "\n";
  out << "upgrades: " << OnOff(s.upgrades) << "\n";
  out << "badguy: " << OnOff(s.badGuy) << "\n";
  if (s.from) out << "start: " << StartKindWord(s.from->kind) << " " << platform::Cp1252ToUtf8(s.from->group) << "\n";
  if (s.ship) {
    const ShipState& ship = *s.ship;
    out << "ship: " << ship.Energy << " " << ship.MaxEnergy << " " << ship.ShieldEnergy << " "
        << ship.PhotonTorpedoes << " " << ship.TorpedoBay << " " << ship.PoSupply << "\n";
    out << "upgrade levels:";
    for (int k = 1; k <= kUpgradeKinds; ++k) out << " " << ship.UpgradeLevels[static_cast<std::size_t>(k)];
    out << "\n";
    out << "damage:";
    for (float d : ship.SystemDamage) out << " " << ShortNumber(d);
    out << "\n";
  }
  out << "commands:\n";
  for (const auto& line : r.lines) out << kIndent << line << "\n";
  out << "transcript:\n";
  for (const auto& line : SplitLines(r.transcript)) out << kIndent << line << "\n";
  return out.str();
}

std::optional<TestRecording> ParseRecording(std::string_view text, std::string& error) {
  const auto lines = SplitLines(text);
  if (lines.empty() || lines[0] != kFirstLine) {
    error = "not a recording of zmd play (it must begin with \"" + std::string(kFirstLine) + "\")";
    return std::nullopt;
  }
  TestRecording r;
  TestStart& s = r.start;
  bool haveSystem = false, havePlanet = false, haveTranscript = false;
  std::optional<ShipState> ship;
  enum class Section { Header, Commands, Transcript } section = Section::Header;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (line == "commands:" || line == "transcript:") {
      section = line == "commands:" ? Section::Commands : Section::Transcript;
      haveTranscript = haveTranscript || section == Section::Transcript;
      continue;
    }
    // A last line without its line end was cut off: it is not kept.
    if (i + 1 == lines.size() && !text.empty() && text.back() != '\n' && section != Section::Header) {
      r.truncated = true;
      break;
    }
    if (section != Section::Header) {
      if (!line.empty() && line.compare(0, kIndent.size(), kIndent) != 0) {
        error = where + "the lines of a section are indented by two blanks";
        return std::nullopt;
      }
      std::string body = line.size() >= kIndent.size() ? line.substr(kIndent.size()) : std::string();
      if (section == Section::Commands) r.lines.push_back(std::move(body));
      else r.transcript += body + "\n";
      continue;
    }
    if (platform::TrimBlanks(line).empty()) continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      error = where + "expected \"name: value\"";
      return std::nullopt;
    }
    const std::string key = line.substr(0, colon);
    const std::string value = platform::TrimBlanks(line.substr(colon + 1));
    bool ok = true;
    std::string range;  // what the values must be, when they were read but lie outside it
    if (key == "game") {
      r.gameFolder = value;
    } else if (key == "system") {
      s.system = platform::Utf8ToCp1252(value);
      haveSystem = ok = !value.empty();
      // The name becomes the descriptor's file name: a recording from elsewhere must not lead out
      // of the game folder's descriptors.
      if (ok) {
        if (const auto problem = platform::FileNameProblem(s.system, {}, {store::kSavedExtension, store::kWorkingExtension})) {
          error = where + "the system \"" + value + "\" cannot name a descriptor: " + *problem;
          return std::nullopt;
        }
      }
    } else if (key == "planet") {
      havePlanet = ok = ParseWhole(value, s.planet) && s.planet >= 1 && s.planet <= store::kMaxPlanets;
    } else if (key == "seed") {
      std::uint64_t seed = 0;
      if (value != "clock") ok = ParseWhole(value, seed);
      if (ok && value != "clock") s.seed = seed;
    } else if (key == "flags") {
      std::istringstream list(value);
      for (std::string caption; ok && std::getline(list, caption, ',');) {
        auto flag = FlagOfCaption(platform::TrimBlanks(caption));
        ok = flag.has_value();
        if (ok) s.flags.push_back(*flag);
      }
    } else if (key == "last visit") {
      double days = 0;
      ok = ParseWhole(value, days) && days >= 0 && days <= 5;
      if (ok) s.lastVisitTenths = static_cast<int>(std::lround(days * 10));
    } else if (key == "upgrades" || key == "badguy") {
      ok = value == "on" || value == "off";
      (key == "upgrades" ? s.upgrades : s.badGuy) = value == "on";
    } else if (key == "start") {
      const auto blank = value.find(' ');
      const auto kind = StartKindOf(value.substr(0, blank));
      const std::string group = blank == std::string::npos ? std::string() : platform::TrimBlanks(value.substr(blank));
      ok = kind && !group.empty();
      if (ok) s.from = StartPoint{platform::Utf8ToCp1252(group), *kind};
    } else if (key == "ship") {
      if (!ship) ship.emplace();
      std::int32_t v[6];
      ok = ParseList<std::int32_t, 6>(value, v);
      if (ok) {
        ship->Energy = v[0];
        std::int16_t* fields[] = {&ship->MaxEnergy, &ship->ShieldEnergy, &ship->PhotonTorpedoes, &ship->TorpedoBay,
                                  &ship->PoSupply};
        for (std::size_t k = 0; k < 5; ++k) {
          if (v[k + 1] < -32768 || v[k + 1] > 32767) range = "must lie from -32768 to 32767";
          *fields[k] = static_cast<std::int16_t>(v[k + 1]);
        }
      }
    } else if (key == "upgrade levels") {
      if (!ship) ship.emplace();
      ok = ParseList<std::int16_t, kUpgradeKinds>(value, &ship->UpgradeLevels[1]);
      for (int k = 1; ok && k <= kUpgradeKinds; ++k) {
        const int level = ship->UpgradeLevels[static_cast<std::size_t>(k)];
        if (level < 0 || level > kMaxUpgradeLevel) range = "must lie from 0 to " + std::to_string(kMaxUpgradeLevel);
      }
    } else if (key == "damage") {
      if (!ship) ship.emplace();
      ok = ParseList<float, kSystemCount>(value, ship->SystemDamage.data());
      for (float d : ship->SystemDamage) {
        if (ok && !(std::isfinite(d) && d >= 0)) range = "must be finite and not below 0";
      }
    } else {
      error = where + "unknown entry \"" + key + "\"";
      return std::nullopt;
    }
    if (!ok) {
      error = where + "cannot read the " + key + " \"" + value + "\"";
      return std::nullopt;
    }
    if (!range.empty()) {
      error = where + "the " + key + " \"" + value + "\" " + range;
      return std::nullopt;
    }
  }
  if (!haveSystem || !havePlanet) {
    error = std::string("the recording names no ") + (haveSystem ? "planet" : "system");
    return std::nullopt;
  }
  if (!haveTranscript) r.truncated = true;
  s.ship = ship;
  return r;
}

platform::FileResult SaveRecording(const TestRecording& recording, const std::filesystem::path& file) {
  // A bare file name goes into the current folder, which is there already.
  if (!file.parent_path().empty()) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) return platform::FileResult::Failure(ec.message());
  }
  return platform::AtomicReplace(file, RecordingText(recording));
}

std::optional<TestRecording> LoadRecording(const std::filesystem::path& file, std::string& error) {
  std::string bytes;
  if (!platform::ReadWholeFile(file, bytes)) {
    error = "cannot read " + file.string();
    return std::nullopt;
  }
  auto recording = ParseRecording(bytes, error);
  // A relative game folder is one beside the recording (recordings kept with a game), when there
  // is one there; otherwise it is taken as written.
  if (recording && recording->gameFolder.is_relative() && !recording->gameFolder.empty()) {
    const auto beside = (file.parent_path() / recording->gameFolder).lexically_normal();
    std::error_code ec;
    if (std::filesystem::is_directory(beside, ec)) recording->gameFolder = beside;
  }
  return recording;
}

std::filesystem::path RecordingPath(const std::filesystem::path& folder, std::string_view system, int planet,
                                    std::string_view stamp) {
  return platform::CodePageFilePath(folder, std::string(system) + " " + std::to_string(planet) + " " +
                                                std::string(stamp) + ".txt");
}

std::optional<TranscriptDifference> FirstDifference(std::string_view recorded, std::string_view replayed) {
  const auto a = SplitLines(recorded);
  const auto b = SplitLines(replayed);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::optional<std::string> x = i < a.size() ? std::optional<std::string>(a[i]) : std::nullopt;
    std::optional<std::string> y = i < b.size() ? std::optional<std::string>(b[i]) : std::nullopt;
    if (x != y) return TranscriptDifference{static_cast<int>(i) + 1, x, y};
  }
  return std::nullopt;
}

}  // namespace zelmora::simulator
