#pragma once

#include "store/descriptor_store.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/prompter.h"
#include "ui/platform/settings_store.h"

#include <filesystem>
#include <functional>
#include <string>

// The planets' own pictures: the open system's pictures in memory, the strip file they are stored
// in, and the Planet Pictures window's commands, without the window.
namespace zelmora::editor {

namespace fs = std::filesystem;

// The pictures themselves, held by whatever can read, draw and write images. Index i is planet
// i + 1; an empty picture is no picture.
class PlanetImages {
 public:
  virtual ~PlanetImages() = default;
  virtual int Count() const = 0;
  // Keeps the first `count` pictures and adds empty ones up to it.
  virtual void Resize(int count) = 0;
  virtual bool HasPicture(int index) const = 0;
  // A picture whose cell of the strip would be black all over: the strip reads it back as none.
  virtual bool ReadsBackEmpty(int index) const = 0;
  virtual void Clear(int index) = 0;
  virtual void Swap(int a, int b) = 0;
  // Cuts a strip into `cells` equal cells side by side, an empty cell giving an empty picture.
  // False, with `cells` empty pictures, when the file cannot be read.
  virtual bool LoadStrip(const fs::path& file, int cells) = 0;
  // Every picture centred in a cell of its own, the cells side by side.
  virtual bool SaveStrip(const fs::path& file) const = 0;
  // False, with the picture unchanged, when the file cannot be read.
  virtual bool LoadPicture(int index, const fs::path& file) = 0;
  virtual bool SavePicture(int index, const fs::path& file) const = 0;
};

enum class PictureShown { NoPicture, Picture, Animation };

// What the Planet Pictures window shows.
struct PicturesScreen {
  int planet = 1;   // the scroll bar's value
  int planets = 1;  // its maximum
  std::string name;
  PictureShown shown = PictureShown::NoPicture;
  fs::path animation;  // the file the player plays
  int revision = 0;    // counts the changes of the pictures, so a repainted picture is a change
  bool custom = false;
  bool newEnabled = true, editEnabled = false, removeEnabled = false, removeAllEnabled = false;
  bool operator==(const PicturesScreen&) const = default;
};

class PicturesView {
 public:
  virtual ~PicturesView() = default;
  // Called only when something shown changed.
  virtual void ShowScreen(const PicturesScreen& screen) = 0;
  virtual void HideWindow() = 0;
};

struct PictureServices {
  platform::Prompter& prompter;
  const platform::SettingsStore& settings;
  platform::ProcessRunner& runner;
  fs::path scratchFolder;  // where the paint program is given its copy of a picture
  std::string searchPath;  // where the paint program is looked for while its setting is absent
};

inline constexpr const char* kNoPictureAssigned = "No Picture Assigned";
inline constexpr const char* kBlackPictureWarning =
    "This picture is black all over.  The picture file keeps black as empty space, so after the "
    "system is saved this planet will have no picture.";

// The name the Planet Pictures window gives planet n: its own, or "Planet " & n.
std::string PicturesWindowName(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int n);
// The history's name for what the Planet Pictures window writes.
inline constexpr const char* kPicturesStep = store::kPicturesStep;

class PlanetPictures {
 public:
  PlanetPictures(store::DescriptorStore& store, store::SolarSystemRecord& record, PlanetImages& images,
                 PictureServices services);

  void SetView(PicturesView* view);
  // After every change of a picture: they are written only by a save, so the system must count as
  // modified for the save questions to protect them.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // ---- what the editor calls
  // The pictures of the strip file, one per planet.
  void LoadPictures(const fs::path& file);
  // Empty pictures, one per planet.
  void SetupPics();
  // When a system is opened: its strip when it has one, empty pictures otherwise.
  void LoadSystemPictures();
  // Writes the strip when there is something to store: the strip file, or the removal of the
  // system's strip files when no planet has a picture. True when it stored.
  bool SavePictures(const fs::path& file);
  void SwapPictures(int a, int b);
  void AddSlot();
  void RemoveLastSlot();
  void ClearOnlyPicture();
  // A change since the strip was read or written (the form's "DIRTY" tag), or pictures whose
  // system has no strip under its name (after Save As).
  bool HasPicturesToStore() const;
  bool Dirty() const { return dirty_; }
  int PictureCount() const;

  // ---- the window
  // Shows planet `planet` of the open system, the scroll bar going up to the last planet.
  void Open(int planet);
  void ShowPlanet(int n);
  void SetCustom(bool checked);
  void New();
  void Edit();
  void Remove();
  void RemoveAll();
  void Close();
  // Sends the whole screen (the window's first paint).
  void Refresh();

  const PicturesScreen& Screen() const { return screen_; }
  const PlanetImages& Images() const { return images_; }

 private:
  int Planet() const { return screen_.planet; }
  std::optional<fs::path> AnimationFile(int n) const;
  void PictureChanged();
  bool EncodeStrip(std::string& bytes) const;
  // Planet n has just been given a picture.
  void WarnIfReadsBackEmpty(int n);
  void Send();

  store::DescriptorStore& store_;
  store::SolarSystemRecord& record_;
  PlanetImages& images_;
  PictureServices services_;
  PicturesView* view_ = nullptr;
  std::function<void()> changed_;
  bool dirty_ = false;
  PicturesScreen screen_;
  std::optional<PicturesScreen> sent_;
};

}  // namespace zelmora::editor
