#include "store/descriptor_store.h"

#include "store/profile_file.h"
#include "store/text_lines.h"
#include "store/value_reader.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::store {

using platform::FileResult;

DescriptorStore::DescriptorStore(fs::path gameFolder) : gameFolder_(std::move(gameFolder)) {
  descriptorFolder_ = platform::ResolveNoCase(gameFolder_, "ZMDescriptor");
  picturesFolder_ = platform::ResolveNoCase(gameFolder_, "PICTURES");
  tables_ = InitTables(gameFolder_);
}

// ---- folders and the system list

void DescriptorStore::RefreshSystemNames() {
  if (currentExtension_.empty()) currentExtension_ = kSavedExtension;
  systemNames_ = ListSystems(currentExtension_);
}

std::vector<std::string> DescriptorStore::ListSystems(std::string_view extension) const {
  std::vector<std::string> names;
  for (auto& file : platform::ListCodePageFiles(descriptorFolder_)) {
    const std::string_view name = file.name;
    if (name.size() >= extension.size() &&
        platform::EqualsNoCase(name.substr(name.size() - extension.size()), extension)) {
      names.push_back(file.name.substr(0, name.size() - extension.size()));
    }
  }
  return names;
}

int DescriptorStore::IndexOfSystem(std::string_view name) const {
  for (std::size_t i = 0; i < systemNames_.size(); ++i) {
    if (!systemNames_[i].empty() && (name.empty() || systemNames_[i] == name)) return static_cast<int>(i) + 1;
  }
  return 0;
}

fs::path DescriptorStore::DescriptorPath(std::string_view name) const {
  return DescriptorPath(name, currentExtension_.empty() ? std::string_view(kSavedExtension) : currentExtension_);
}

fs::path DescriptorStore::DescriptorPath(std::string_view name, std::string_view extension) const {
  return platform::ResolveCodePageNoCase(descriptorFolder_, std::string(name) + std::string(extension));
}

fs::path DescriptorStore::PicturePath(std::string_view fileName) const {
  return platform::CodePageFilePath(picturesFolder_, fileName);
}

std::vector<fs::path> DescriptorStore::MatchingPictures(std::string_view pattern) const {
  return platform::ListCodePageMatching(picturesFolder_, pattern);
}

int DescriptorStore::RemovePictures(std::string_view pattern) const {
  return platform::RemoveCodePageMatching(picturesFolder_, pattern);
}

bool DescriptorStore::DescriptorExists(std::string_view name) const {
  if (InBatch(name)) return batch_->content != nullptr;
  return platform::FileExists(DescriptorPath(name));
}

bool DescriptorStore::GameExecutableExists() const {
  auto exe = platform::FindNoCase(gameFolder_, "quarvel.exe");
  return exe && platform::FileExists(*exe);
}

// ---- whole-file access (the one place where descriptor bytes are read and written)

bool DescriptorStore::InBatch(std::string_view name) const {
  return batch_ && batch_->name == name && batch_->extension == currentExtension_;
}

std::shared_ptr<const DescriptorContent> DescriptorStore::Content(std::string_view name) const {
  if (InBatch(name)) return batch_->content;
  return cache_.Read(DescriptorPath(name));
}

const std::string* DescriptorStore::View(std::string_view name) const {
  viewed_ = Content(name);
  return viewed_ ? &viewed_->Bytes() : nullptr;
}

FileResult DescriptorStore::Commit(std::string_view name, std::string&& bytes) {
  return Commit(name, std::make_shared<const DescriptorContent>(std::move(bytes)));
}

FileResult DescriptorStore::Commit(std::string_view name, std::shared_ptr<const DescriptorContent> content) {
  viewed_.reset();
  if (InBatch(name)) {
    batch_->content = std::move(content);
    batch_->dirty = true;
    return {};
  }
  const fs::path target = DescriptorPath(name);
  if (recorder_ && currentExtension_ == kWorkingExtension) recorder_->Replacing(name, cache_.Read(target), content);
  const fs::path scratch = platform::CodePageFilePath(descriptorFolder_, std::string(name) + kScratchExtension);
  FileResult result = platform::AtomicReplace(target, content->Bytes(), scratch);
  if (!result) {
    cache_.Forget(target);
    return result;
  }
  KeepWorkingCopyDistinct(name);
  // What was just written is what the next read would find.
  cache_.Written(target, std::move(content));
  return result;
}

bool DescriptorStore::LoadDescriptor(std::string_view name, std::string& bytes) const {
  const std::string* view = View(name);
  if (!view) return false;
  bytes = *view;
  return true;
}

FileResult DescriptorStore::SaveDescriptor(std::string_view name, std::string_view bytes) {
  return Commit(name, std::string(bytes));
}

// The modified test compares times: a rewrite of the working copy that lands in the same clock tick
// as the saved descriptor must still read as a change.
void DescriptorStore::KeepWorkingCopyDistinct(std::string_view name) {
  if (!IsWorkingCopyOpen()) return;
  platform::MakeTimeDiffer(DescriptorPath(name, kWorkingExtension), DescriptorPath(name, kSavedExtension));
}

void DescriptorStore::BeginAction(std::string_view name, bool merge) {
  if (actionDepth_++ == 0 && recorder_) recorder_->ActionBegins(name, merge);
}

void DescriptorStore::EndAction() {
  if (actionDepth_ == 0) return;
  if (--actionDepth_ == 0 && recorder_) recorder_->ActionEnds();
}

void DescriptorStore::SystemDeleted(std::string_view name) {
  if (recorder_) recorder_->SystemDeleted(name);
}

void DescriptorStore::BeginBatch(std::string_view systemName) {
  if (batch_) {
    ++batch_->depth;
    return;
  }
  Batch b;
  b.name = std::string(systemName);
  b.extension = currentExtension_;
  b.depth = 1;
  b.content = cache_.Read(DescriptorPath(systemName));
  batch_ = std::move(b);
}

void DescriptorStore::EndBatch() {
  if (!batch_ || --batch_->depth > 0) return;
  Batch b = std::move(*batch_);
  batch_.reset();
  if (b.dirty) {
    std::string saved = currentExtension_;
    currentExtension_ = b.extension;
    Commit(b.name, std::move(b.content));
    currentExtension_ = saved;
  }
}

// ---- catalogue

namespace {

// Six integers of a planet line: Orbit, Size, Moons, Attributes, Class, StateValue.
bool ReadPlanetValues(ValueReader& reader, PlanetRecord& p) {
  auto orbit = reader.ReadInt16();
  auto size = reader.ReadInt16();
  auto moons = reader.ReadInt16();
  auto attributes = reader.ReadInt32();
  auto planetClass = reader.ReadInt16();
  auto state = reader.ReadInt32();
  if (!orbit || !size || !moons || !attributes || !planetClass || !state) return false;
  p.Orbit = *orbit;
  p.Size = *size;
  p.Moons = *moons;
  p.Attributes = *attributes;
  p.Class = *planetClass;
  p.StateValue = *state;
  return true;
}

// Reads one catalogue record (header and planet lines) into `record`; false at the end or on a
// read error. Planet lines beyond the tenth are read and dropped.
bool ReadCatalogueRecord(ValueReader& reader, SolarSystemRecord& record, std::string& key) {
  auto starName = reader.ReadValue();
  auto starType = reader.ReadInt16();
  auto count = reader.ReadInt16();
  if (!starName || !starType || !count) return false;
  key = std::to_string(*count) + platform::TrimSpaces(*starName);
  record.StarName = FitStarName(*starName);
  record.StarType = *starType;
  record.PlanetCount = std::clamp<std::int16_t>(*count, 0, kMaxPlanets);
  for (int i = 1; i <= *count; ++i) {
    PlanetRecord surplus;
    if (!ReadPlanetValues(reader, i <= kMaxPlanets ? record.Planet(i) : surplus)) return false;
  }
  return true;
}

// The six values of a planet line; the simulator's flag bits stay with the slot.
void CopyPlanetLine(const PlanetRecord& from, PlanetRecord& to) {
  to.Orbit = from.Orbit;
  to.Size = from.Size;
  to.Moons = from.Moons;
  to.Attributes = from.Attributes;
  to.Class = from.Class;
  to.StateValue = from.StateValue;
}

bool ReadCatalogue(const fs::path& gameFolder, std::string& bytes) {
  auto file = platform::FindNoCase(gameFolder, "SOLARSYS.TXT");
  return file && platform::ReadWholeFile(*file, bytes);
}

}  // namespace

bool DescriptorStore::LoadCatalogueEntry(std::string_view key, SolarSystemRecord& record) const {
  if (key.empty()) return false;
  std::string bytes;
  if (!ReadCatalogue(gameFolder_, bytes)) return false;
  ValueReader reader(bytes);
  SolarSystemRecord scratch;
  std::string recordKey;
  while (!reader.AtEnd()) {
    if (!ReadCatalogueRecord(reader, scratch, recordKey)) return false;
    if (recordKey != key) continue;
    // Only the matching record's own lines: the scratch slots above its count still hold planets
    // of larger records read before it.
    record.StarName = scratch.StarName;
    record.StarType = scratch.StarType;
    record.PlanetCount = scratch.PlanetCount;
    for (int i = 1; i <= scratch.PlanetCount; ++i) CopyPlanetLine(scratch.Planet(i), record.Planet(i));
    record.Name = std::string(key);
    return true;
  }
  return false;
}

std::vector<std::string> DescriptorStore::ListCatalogueSystems() {
  std::vector<std::string> keys;
  std::string bytes;
  if (!ReadCatalogue(gameFolder_, bytes)) return keys;
  RefreshSystemNames();
  ValueReader reader(bytes);
  SolarSystemRecord scratch;
  std::string key;
  while (!reader.AtEnd() && ReadCatalogueRecord(reader, scratch, key)) {
    if (scratch.StarName.find('#') != std::string::npos) continue;
    if (IndexOfSystem(key) != 0) continue;
    keys.push_back(key);
  }
  return keys;
}

void DescriptorStore::LoadSystem(std::string_view name, SolarSystemRecord& record) {
  RefreshSystemNames();
  LoadCatalogueEntry(name, record);
  record.Name = std::string(name);
  ReadSystemRecord(record);
}

// ---- the system block

namespace {
std::string BlockHeader(const SolarSystemRecord& record) {
  std::string star = FitStarName(record.StarName);
  // The block has no escaping: a double quote would end the quoted name early, and a line break
  // (a catalogue's quoted name may run over lines) would tear the header line in two.
  std::replace(star.begin(), star.end(), '"', '\'');
  std::replace(star.begin(), star.end(), '\r', ' ');
  std::replace(star.begin(), star.end(), '\n', ' ');
  return ";\"" + star + "\"," + std::to_string(record.StarType) + "," + std::to_string(record.PlanetCount);
}

std::string PlanetLine(const PlanetRecord& p) {
  return ";" + std::to_string(p.Orbit) + "," + std::to_string(p.Size) + "," + std::to_string(p.Moons) + "," +
         std::to_string(p.Attributes) + "," + std::to_string(p.Class) + "," + std::to_string(p.StateValue);
}

int PlanetsToWrite(const SolarSystemRecord& record) { return std::clamp<int>(record.PlanetCount, 0, kMaxPlanets); }
}  // namespace

std::string SystemBlockText(const SolarSystemRecord& record) {
  LineWriter w;
  w.Add(";SolarSystem");
  w.Add(BlockHeader(record));
  for (int i = 1; i <= PlanetsToWrite(record); ++i) w.Add(PlanetLine(record.Planet(i)));
  return w.Take();
}

std::string NewDescriptorText(const SolarSystemRecord& record) {
  std::string flags(static_cast<std::size_t>(PlanetsToWrite(record)), 'N');
  LineWriter w;
  w.Add("[General]");
  w.Add("PlanetPics = " + flags);
  w.Add("Messages = " + flags);
  w.Add("");
  return w.Take() + SystemBlockText(record);
}

void DescriptorStore::ReadSystemRecord(SolarSystemRecord& record) {
  int index = IndexOfSystem(record.Name);
  if (index == 0) return;
  const std::string listed = systemNames_[static_cast<std::size_t>(index - 1)];
  if (const std::string* bytes = View(listed)) {
    ValueReader reader(*bytes);
    if (reader.SkipPastLineContaining("SolarSystem") && reader.SkipChar()) {
      auto starName = reader.ReadValue();
      auto starType = reader.ReadInt16();
      auto count = reader.ReadInt16();
      if (starName && starType && count) {
        record.StarName = FitStarName(*starName);
        record.StarType = *starType;
        record.PlanetCount = std::clamp<std::int16_t>(*count, 0, kMaxPlanets);
        for (int i = 1; i <= record.PlanetCount; ++i) {
          if (!reader.SkipChar() || !ReadPlanetValues(reader, record.Planet(i))) break;
        }
      }
    }
  }
  record.Name = listed;
  systemNames_[static_cast<std::size_t>(index - 1)].clear();
}

void DescriptorStore::WriteSystemRecord(const SolarSystemRecord& record) {
  const std::string* bytes = View(record.Name);
  if (!bytes) return;
  auto lines = SplitLines(*bytes);
  LineWriter w;
  w.Reserve(bytes->size() + 512);
  std::size_t i = 0;
  for (; i < lines.size() && lines[i].text.find("SolarSystem") == std::string_view::npos; ++i) w.Add(lines[i].text);
  if (i < lines.size()) {
    ++i;  // the ";SolarSystem" line
    int oldCount = 0;
    if (i < lines.size()) {
      // Read as the reader reads it: a quoted star name may run over a line break, and then the
      // header takes more than one line.
      const std::size_t start = static_cast<std::size_t>(lines[i].text.data() - bytes->data());
      ValueReader header(*bytes, start + 1);
      header.ReadValue();
      header.ReadValue();
      oldCount = platform::ToInt16(header.ReadValue().value_or("0"));
      ++i;
      // Never beyond a line the profile reader takes for a section or a key.
      auto continues = [&](const TextLine& line) {
        std::string section;
        std::string_view key;
        std::size_t equals;
        return static_cast<std::size_t>(line.text.data() - bytes->data()) < header.Position() &&
               !SectionNameOf(line.text, section) && !KeyOf(line.text, key, equals);
      };
      while (i < lines.size() && continues(lines[i])) ++i;
    }
    w.AddRaw(SystemBlockText(record));
    // Only block lines are dropped: a damaged count must not swallow the sections after the block.
    for (int k = 0; k < oldCount && i < lines.size() && lines[i].text.starts_with(";"); ++k) ++i;
    for (; i < lines.size(); ++i) w.Add(lines[i].text);
  }
  Commit(record.Name, w.Take());
}

// ---- keys

std::string DescriptorStore::ReadKey(std::string_view systemName, std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  const auto content = Content(systemName);
  std::string value = content ? content->Value(section, key, defaultValue)
                              : std::string(defaultValue.substr(0, kProfileValueLimit));
  // The platform reader hands its buffer back as a C string.
  if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  return value;
}

std::vector<int> DescriptorStore::KeyNumbers(std::string_view systemName, std::string_view section,
                                             std::string_view prefix) const {
  const auto content = Content(systemName);
  return content ? content->KeyNumbers(section, prefix) : std::vector<int>();
}

void DescriptorStore::WriteKey(std::string_view systemName, std::string_view section, std::string_view key,
                               std::string_view value) {
  const std::string* bytes = View(systemName);  // a missing file is created
  std::string out;
  WriteProfileValueInto(bytes ? std::string_view(*bytes) : std::string_view(), section, key, value, out);
  Commit(systemName, std::move(out));
}

void DescriptorStore::DeleteKey(std::string_view systemName, std::string_view section, std::string_view key) {
  const std::string* bytes = View(systemName);
  if (!bytes) return;
  Commit(systemName, DeleteKeyLines(*bytes, section, key));
}

bool DescriptorStore::SectionExists(std::string_view systemName, std::string_view section) const {
  const std::string* bytes = View(systemName);
  if (!bytes) return false;
  bool found = false;
  std::string name;
  ForEachLine(*bytes, [&](const TextLine& line, std::size_t) {
    found = SectionNameOf(line.text, name) && platform::EqualsNoCase(name, section);
    return !found;
  });
  return found;
}

// ---- planet flags, names and messages

namespace {
bool IsOnChar(char c) { return c == '1' || c == 'Y' || c == 'P' || c == 'V'; }
}  // namespace

int DescriptorStore::GetPlanetFlag(const SolarSystemRecord& record, std::string_view key, int n) const {
  if (!DescriptorExists(record.Name)) return -1;
  std::string value = ReadKey(record.Name, "General", key, kNotUsed);
  if (value == kNotUsed) return -2;
  if (n < 1 || n > static_cast<int>(value.size())) return 1;  // the empty character counts as on
  return IsOnChar(value[static_cast<std::size_t>(n - 1)]) ? 1 : 0;
}

void DescriptorStore::SetPlanetFlag(const SolarSystemRecord& record, std::string_view key, int n, int count,
                                    bool on) {
  std::string value = ReadKey(record.Name, "General", key, kNotUsed);
  if (count < 0) count = 0;
  if (value == kNotUsed) value = std::string(static_cast<std::size_t>(count), 'N');
  value.resize(static_cast<std::size_t>(count), 'N');
  if (n >= 1 && n <= static_cast<int>(value.size())) value[static_cast<std::size_t>(n - 1)] = on ? 'Y' : 'N';
  WriteKey(record.Name, "General", key, value);
}

namespace {
std::string NameKey(int n) { return n == 0 ? "S" : std::to_string(n); }
}  // namespace

std::string DescriptorStore::GetPlanetName(const SolarSystemRecord& record, int n, std::string_view starName) const {
  std::string name = ReadKey(record.Name, "Names", NameKey(n), kNotUsed);
  if (n == 0) return name;
  if (name == kNotUsed || name.empty()) return platform::TrimSpaces(starName) + " " + tables_.Roman(n);
  return name;
}

void DescriptorStore::SetPlanetName(const SolarSystemRecord& record, int n, std::string_view name) {
  if (name.empty()) {
    DeleteKey(record.Name, "Names", NameKey(n));
    return;
  }
  WriteKey(record.Name, "Names", NameKey(n), NameValue(name));
}

std::string NameValue(std::string_view name) {
  // The reader removes blanks around a value and then one pair of matching quotes of either
  // kind; a pair of double quotes around the whole name shields both, and the name inside stays
  // as typed, quotes included.
  if (name.empty()) return {};
  const bool blankEnds = name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t';
  const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front();
  if (blankEnds || quoted) return "\"" + std::string(name) + "\"";
  return std::string(name);
}

bool NameFits(std::string_view name) { return name.empty() || NameValue(name).size() <= kProfileValueLimit; }

std::string DescriptorStore::GetPlanetMessage(const SolarSystemRecord& record, int n, std::string_view key,
                                              bool force) const {
  if (!force && GetPlanetFlag(record, "Messages", n) != 1) return kNoCustomMessages;
  std::string value = ReadKey(record.Name, std::to_string(n), key, kNotUsed);
  return value == kNotUsed ? kNoMessage : value;
}

}  // namespace zelmora::store
