// Working copy, backup and the planet edits that renumber things inside the descriptor.
#include "store/descriptor_store.h"

#include "store/text_lines.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::store {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

void DescriptorStore::OpenWorkingCopy(std::string_view name, platform::Prompter& prompter) {
  currentExtension_ = kWorkingExtension;
  fs::path working = DescriptorPath(name, kWorkingExtension);
  if (platform::FileExists(working) &&
      prompter.Message("There is a backup for this solar system, would you like to edit it?", Buttons::YesNo,
                       Icon::Question, "Backup Exists") == Answer::Yes) {
    return;
  }
  platform::CopyKeepingTime(DescriptorPath(name, kSavedExtension), working);
}

void DescriptorStore::CloseWorkingCopy(const SolarSystemRecord& record, bool save) {
  if (currentExtension_ != kWorkingExtension) return;
  fs::path working = DescriptorPath(record.Name, kWorkingExtension);
  bool ok = true;
  if (save) ok = static_cast<bool>(platform::CopyKeepingTime(working, DescriptorPath(record.Name, kSavedExtension)));
  // A working copy that could not be committed stays, to be offered as a backup.
  if (ok) platform::RemoveFile(working);
  currentExtension_ = kSavedExtension;
}

bool DescriptorStore::IsModified(const SolarSystemRecord& record) const {
  if (!IsWorkingCopyOpen()) return false;
  return platform::ModificationTime(DescriptorPath(record.Name, kWorkingExtension)) !=
         platform::ModificationTime(DescriptorPath(record.Name, kSavedExtension));
}

void DescriptorStore::MarkModified(const SolarSystemRecord& record) {
  if (!IsModified(record)) WriteSystemRecord(record);
}

void DescriptorStore::RenameSystem(SolarSystemRecord& record, const std::string& newName) {
  platform::RenameFile(DescriptorPath(record.Name),
                       descriptorFolder_ / (newName + (currentExtension_.empty() ? kSavedExtension : currentExtension_)));
  if (platform::TrimSpaces(record.StarName) == record.Name) record.StarName = FitStarName(newName);
  record.Name = newName;
}

void DescriptorStore::AppendPlanet(SolarSystemRecord& record) {
  if (record.PlanetCount >= kMaxPlanets) return;
  DescriptorBatch batch(*this, record.Name);
  ++record.PlanetCount;
  SetPlanetFlag(record, "PlanetPics", record.PlanetCount, record.PlanetCount, false);
  SetPlanetFlag(record, "Messages", record.PlanetCount, record.PlanetCount, false);
  SetNewPlanetDefaults(record, record.PlanetCount);
}

void DescriptorStore::RemoveLastPlanet(SolarSystemRecord& record) {
  if (record.PlanetCount <= 0) return;
  DescriptorBatch batch(*this, record.Name);
  DeletePlanetSection(record, record.PlanetCount);
  SetPlanetName(record, record.PlanetCount, "");
  --record.PlanetCount;
  SetPlanetFlag(record, "PlanetPics", 0, record.PlanetCount, false);
  SetPlanetFlag(record, "Messages", 0, record.PlanetCount, false);
}

namespace {

// The number a header "[n]" or key "n=" reads as.
int NumberAfterBracket(std::string_view line) { return platform::ToInt16(line.substr(1)); }

}  // namespace

void DescriptorStore::DeletePlanetSection(const SolarSystemRecord& record, int n) {
  const std::string* bytes = View(record.Name);
  if (!bytes) return;
  auto lines = SplitLines(*bytes);
  LineWriter w;
  w.Reserve(bytes->size());
  bool dropping = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i].text;
    bool header = line.starts_with("[");
    if (header && NumberAfterBracket(line) == n) {
      dropping = true;
      continue;
    }
    if (dropping && header) {
      dropping = false;
      if (i + 1 == lines.size()) continue;  // a header that would close the file stays out
    }
    if (!dropping) w.Add(line);
  }
  Commit(record.Name, w.Take());
}

void DescriptorStore::SwapPlanets(SolarSystemRecord& record, int a, int b) {
  if (a < 1 || a > record.PlanetCount || b < 1 || b > record.PlanetCount) return;
  if (const std::string* bytes = View(record.Name)) {
    LineWriter w;
    w.Reserve(bytes->size());
    std::string section;
    ForEachLine(*bytes, [&](const TextLine& line, std::size_t) {
      std::string_view text = line.text;
      if (text.starts_with("[")) {
        auto close = text.find(']');
        section = std::string(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        int number = NumberAfterBracket(text);
        if (number == a) return w.Add("[" + std::to_string(b) + "]"), true;
        if (number == b) return w.Add("[" + std::to_string(a) + "]"), true;
        w.Add(text);
        return true;
      }
      auto equals = text.find('=');
      if (equals != std::string_view::npos && platform::EqualsNoCase(section, "General")) {
        std::string key = platform::TrimBlanks(text.substr(0, equals));
        if (platform::EqualsNoCase(key, "PlanetPics") || platform::EqualsNoCase(key, "Messages")) {
          std::string value = platform::TrimSpaces(text.substr(equals + 1));
          if (static_cast<int>(value.size()) >= std::max(a, b)) {
            std::swap(value[static_cast<std::size_t>(a - 1)], value[static_cast<std::size_t>(b - 1)]);
          }
          w.Add(key + "=" + value);
          return true;
        }
      }
      if (equals != std::string_view::npos && platform::EqualsNoCase(section, "Names")) {
        int number = platform::ToInt16(text.substr(0, equals));
        std::string_view rest = text.substr(equals);
        if (number == a) return w.Add(std::to_string(b) + std::string(rest)), true;
        if (number == b) return w.Add(std::to_string(a) + std::string(rest)), true;
      }
      w.Add(text);
      return true;
    });
    Commit(record.Name, w.Take());
  }
  SwapPlanetSlots(record, a, b);
}

}  // namespace zelmora::store
