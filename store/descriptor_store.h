#pragma once

#include "store/change_recorder.h"
#include "store/descriptor_cache.h"
#include "store/system_record.h"
#include "store/tables.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/prompter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::store {

namespace fs = std::filesystem;

inline constexpr const char* kSavedExtension = ".zmd";
inline constexpr const char* kWorkingExtension = ".edt";
inline constexpr const char* kScratchExtension = ".tmp";
// The planet pictures changed since the last save, beside the working copy (a picture strip).
inline constexpr const char* kWorkingPicturesExtension = ".edt.bmp";

// Sentinels of the silent reads.
inline constexpr const char* kNotUsed = "Not Used";
inline constexpr const char* kNoMessage = "ERR";
inline constexpr const char* kNoCustomMessages = "NO";

// The folders of one game, its system list and catalogue, and every operation on its descriptor
// files. File-system errors are never reported from here: reads answer with their sentinels, writes
// leave the files as they were (never half written).
class DescriptorStore {
 public:
  explicit DescriptorStore(fs::path gameFolder);

  const fs::path& GameFolder() const { return gameFolder_; }
  const fs::path& DescriptorFolder() const { return descriptorFolder_; }
  const fs::path& PicturesFolder() const { return picturesFolder_; }
  const Tables& GetTables() const { return tables_; }
  Tables& GetTables() { return tables_; }

  const std::string& CurrentExtension() const { return currentExtension_; }
  void SetCurrentExtension(std::string extension) { currentExtension_ = std::move(extension); }

  // Base names of the descriptor files with the current extension (0-based here; IndexOfSystem
  // answers 1-based as the list control does).
  std::vector<std::string>& SystemNames() { return systemNames_; }
  const std::vector<std::string>& SystemNames() const { return systemNames_; }
  void RefreshSystemNames();
  int IndexOfSystem(std::string_view name) const;
  // Base names of the descriptor folder's files with the given extension, in directory order.
  std::vector<std::string> ListSystems(std::string_view extension) const;

  // System names are code-page text; their files carry the UTF-8 form of the name on disk (as
  // Wine stores them), and every path below is built here, so that the conversion happens once.
  //
  // DescriptorFolder + name + extension (current one by default), found without regard to case.
  fs::path DescriptorPath(std::string_view name) const;
  fs::path DescriptorPath(std::string_view name, std::string_view extension) const;
  // Where the pictures changed since the last save are kept while the working copy is open, so
  // that a backup brings them back with it.
  fs::path WorkingPicturesPath(std::string_view name) const { return DescriptorPath(name, kWorkingPicturesExtension); }
  // PicturesFolder + a code-page file name ("VegaSun.bmp").
  fs::path PicturePath(std::string_view fileName) const;
  // The picture files whose code-page names match a pattern ("Vega.*"), and their removal.
  std::vector<fs::path> MatchingPictures(std::string_view pattern) const;
  int RemovePictures(std::string_view pattern) const;
  // The saved planet-picture strip of a system: the bitmap this program writes when other files of
  // the name lie beside it; empty when there is none.
  fs::path SavedPictureStrip(std::string_view name) const;
  // The planet pictures as they stand while the working copy is open: the unsaved strip when there
  // is one (empty bytes: every picture removed), else the saved strip, else nothing.
  std::string PicturesState(std::string_view name) const;
  // Keeps changed pictures beside the working copy, the recorder told first (under kPicturesStep
  // when no action is open). Bytes equal to the
  // saved strip need no unsaved copy.
  bool KeepWorkingPictures(std::string_view name, std::string_view bytes);
  // The same without telling the recorder: the history puts back what it recorded.
  bool RestorePicturesState(std::string_view name, std::string_view bytes);
  bool DescriptorExists(std::string_view name) const;
  bool GameExecutableExists() const;

  // The game's catalogue.
  bool LoadCatalogueEntry(std::string_view key, SolarSystemRecord& record) const;
  std::vector<std::string> ListCatalogueSystems();

  // RefreshSystemNames, catalogue defaults, then the descriptor's block.
  void LoadSystem(std::string_view name, SolarSystemRecord& record);

  // Descriptor primitives.
  void ReadSystemRecord(SolarSystemRecord& record);
  void WriteSystemRecord(const SolarSystemRecord& record);
  std::string ReadKey(std::string_view systemName, std::string_view section, std::string_view key,
                      std::string_view defaultValue) const;
  // The numbers n >= 1 for which ReadKey finds the key `prefix` & n (n in decimal) in the section,
  // ascending: the items present under a prefix, however many a count claims.
  std::vector<int> KeyNumbers(std::string_view systemName, std::string_view section, std::string_view prefix) const;
  void WriteKey(std::string_view systemName, std::string_view section, std::string_view key,
                std::string_view value);
  void DeleteKey(std::string_view systemName, std::string_view section, std::string_view key);
  bool SectionExists(std::string_view systemName, std::string_view section) const;
  int GetPlanetFlag(const SolarSystemRecord& record, std::string_view key, int n) const;
  void SetPlanetFlag(const SolarSystemRecord& record, std::string_view key, int n, int count, bool on);
  std::string GetPlanetName(const SolarSystemRecord& record, int n, std::string_view starName) const;
  void SetPlanetName(const SolarSystemRecord& record, int n, std::string_view name);
  std::string GetPlanetMessage(const SolarSystemRecord& record, int n, std::string_view key, bool force) const;

  // Working copy and planet edits.
  void OpenWorkingCopy(std::string_view name, platform::Prompter& prompter);
  void CloseWorkingCopy(const SolarSystemRecord& record, bool save);
  bool IsWorkingCopyOpen() const { return currentExtension_ == kWorkingExtension; }
  bool IsModified(const SolarSystemRecord& record) const;
  void MarkModified(const SolarSystemRecord& record);
  void RenameSystem(SolarSystemRecord& record, const std::string& newName);
  void AppendPlanet(SolarSystemRecord& record);
  void RemoveLastPlanet(SolarSystemRecord& record);
  void DeletePlanetSection(const SolarSystemRecord& record, int n);
  void SwapPlanets(SolarSystemRecord& record, int a, int b);

  // Writes to one system's descriptor between BeginBatch and EndBatch are applied in memory and
  // the file is rewritten once at the end; reads in between see the pending bytes. Batches nest.
  void BeginBatch(std::string_view systemName);
  void EndBatch();

  // Who hears the changes of the open working copy (the undo history); null for nobody.
  void SetRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
  ChangeRecorder* Recorder() const { return recorder_; }
  // What is written between the outermost BeginAction and its EndAction is one step of the
  // history, under that action's name. Actions nest; the outermost names the step.
  void BeginAction(std::string_view name, bool merge = false);
  void EndAction();
  // After a system's descriptor was deleted: its history goes with it.
  void SystemDeleted(std::string_view name);

  // The whole descriptor (current extension); false when it cannot be read.
  bool LoadDescriptor(std::string_view name, std::string& bytes) const;
  // Replaces the whole descriptor through its scratch file.
  platform::FileResult SaveDescriptor(std::string_view name, std::string_view bytes);

 private:
  void KeepWorkingCopyDistinct(std::string_view name);
  bool InBatch(std::string_view name) const;
  // The descriptor's content: the pending batch bytes, or the file's bytes, read again only when
  // the file has changed since the store last saw it. Null when it cannot be read.
  std::shared_ptr<const DescriptorContent> Content(std::string_view name) const;
  // The bytes of Content; null when it cannot be read. Valid until the next read or commit.
  const std::string* View(std::string_view name) const;
  // Replaces the descriptor (or the batch bytes) with `bytes`.
  platform::FileResult Commit(std::string_view name, std::string&& bytes);
  platform::FileResult Commit(std::string_view name, std::shared_ptr<const DescriptorContent> content);

  fs::path gameFolder_;
  fs::path descriptorFolder_;
  fs::path picturesFolder_;
  Tables tables_;
  std::string currentExtension_ = kSavedExtension;
  std::vector<std::string> systemNames_;

  struct Batch {
    std::string name;
    std::string extension;
    std::shared_ptr<const DescriptorContent> content;  // null when the file could not be read
    bool dirty = false;
    int depth = 0;
  };
  std::optional<Batch> batch_;
  ChangeRecorder* recorder_ = nullptr;
  int actionDepth_ = 0;
  mutable DescriptorCache cache_;
  mutable std::shared_ptr<const DescriptorContent> viewed_;
};

// Scoped batch: the file is written when the scope ends.
class DescriptorBatch {
 public:
  DescriptorBatch(DescriptorStore& store, std::string_view systemName) : store_(store) {
    store_.BeginBatch(systemName);
  }
  ~DescriptorBatch() { store_.EndBatch(); }
  DescriptorBatch(const DescriptorBatch&) = delete;
  DescriptorBatch& operator=(const DescriptorBatch&) = delete;

 private:
  DescriptorStore& store_;
};

// The history's name for a change of the planet pictures.
inline constexpr const char* kPicturesStep = "Planet Pictures";

// Scoped named action (one step of the history).
class EditAction {
 public:
  EditAction(DescriptorStore& store, std::string_view name, bool merge = false) : store_(store) {
    store_.BeginAction(name, merge);
  }
  ~EditAction() { store_.EndAction(); }
  EditAction(const EditAction&) = delete;
  EditAction& operator=(const EditAction&) = delete;

 private:
  DescriptorStore& store_;
};

// The [Names] value that the reader gives back as `name` exactly.
std::string NameValue(std::string_view name);
// Whether a display name comes back whole (values are read through a 255-character buffer).
bool NameFits(std::string_view name);
inline constexpr const char* kNameTooLong = "This name is too long to be stored.";

// The system block as WriteSystemBlock writes it (";SolarSystem", header, planet lines; CR LF).
std::string SystemBlockText(const SolarSystemRecord& record);

// The content of a new descriptor: [General] with both flag strings, an empty line, the block.
std::string NewDescriptorText(const SolarSystemRecord& record);

}  // namespace zelmora::store
