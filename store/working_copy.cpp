// Working copy, backup and the planet edits that renumber things inside the descriptor.
#include "store/descriptor_store.h"

#include "store/profile_file.h"
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
  // Pictures of a backup that is not taken go first: a fresh working copy must not find them.
  platform::RemoveFile(WorkingPicturesPath(name));
  platform::CopyKeepingTime(DescriptorPath(name, kSavedExtension), working);
}

void DescriptorStore::CloseWorkingCopy(const SolarSystemRecord& record, bool save) {
  if (currentExtension_ != kWorkingExtension) return;
  fs::path working = DescriptorPath(record.Name, kWorkingExtension);
  bool ok = true;
  if (save) ok = static_cast<bool>(platform::CopyKeepingTime(working, DescriptorPath(record.Name, kSavedExtension)));
  // A working copy that could not be committed stays, to be offered as a backup.
  if (ok) {
    platform::RemoveFile(working);
    platform::RemoveFile(WorkingPicturesPath(record.Name));
  }
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
  if (IsWorkingCopyOpen() && platform::FileExists(WorkingPicturesPath(record.Name))) {
    platform::RenameFile(WorkingPicturesPath(record.Name),
                         platform::CodePageFilePath(descriptorFolder_, newName + kWorkingPicturesExtension));
  }
  platform::RenameFile(DescriptorPath(record.Name),
                       platform::CodePageFilePath(descriptorFolder_, newName + (currentExtension_.empty()
                                                                                    ? kSavedExtension
                                                                                    : currentExtension_)));
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

// A section name or [Names] key as the reader sees it, naming planet n (so "[02]" does not).
bool IsPlanetNumber(std::string_view header, int n) { return header == std::to_string(n); }

}  // namespace

void DescriptorStore::DeletePlanetSection(const SolarSystemRecord& record, int n) {
  const std::string* bytes = View(record.Name);
  if (!bytes) return;
  auto lines = SplitLines(*bytes);
  LineWriter w;
  w.Reserve(bytes->size());
  bool dropping = false;
  std::string section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i].text;
    bool header = SectionNameOf(line, section);
    if (header && IsPlanetNumber(section, n)) {
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
    std::string name;
    ForEachLine(*bytes, [&](const TextLine& line, std::size_t) {
      std::string_view text = line.text;
      if (SectionNameOf(text, name)) {
        section = name;
        if (IsPlanetNumber(name, a)) return w.Add("[" + std::to_string(b) + "]"), true;
        if (IsPlanetNumber(name, b)) return w.Add("[" + std::to_string(a) + "]"), true;
        w.Add(text);
        return true;
      }
      std::string_view key;
      std::size_t equals;
      if (KeyOf(text, key, equals) && platform::EqualsNoCase(section, "General")) {
        if (platform::EqualsNoCase(key, "PlanetPics") || platform::EqualsNoCase(key, "Messages")) {
          std::string value = platform::TrimSpaces(text.substr(equals + 1));
          if (static_cast<int>(value.size()) >= std::max(a, b)) {
            std::swap(value[static_cast<std::size_t>(a - 1)], value[static_cast<std::size_t>(b - 1)]);
          }
          w.Add(std::string(key) + "=" + value);
          return true;
        }
      }
      if (KeyOf(text, key, equals) && platform::EqualsNoCase(section, "Names")) {
        std::string_view rest = text.substr(equals);
        if (IsPlanetNumber(key, a)) return w.Add(std::to_string(b) + std::string(rest)), true;
        if (IsPlanetNumber(key, b)) return w.Add(std::to_string(a) + std::string(rest)), true;
      }
      w.Add(text);
      return true;
    });
    Commit(record.Name, w.Take());
  }
  SwapPlanetSlots(record, a, b);
}

}  // namespace zelmora::store
