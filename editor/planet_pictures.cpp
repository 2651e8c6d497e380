#include "editor/planet_pictures.h"

#include "editor/star_picture_flow.h"
#include "packaging/launch_flows.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::editor {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {
constexpr const char* kPicturesFlag = "PlanetPics";
}  // namespace

PlanetPictures::PlanetPictures(store::DescriptorStore& store, store::SolarSystemRecord& record, PlanetImages& images,
                               PictureServices services)
    : store_(store), record_(record), images_(images), services_(std::move(services)) {}

void PlanetPictures::SetView(PicturesView* view) {
  view_ = view;
  sent_.reset();
}

// ---- the editor's operations

void PlanetPictures::LoadPictures(const fs::path& file) {
  images_.LoadStrip(file, record_.PlanetCount);
  dirty_ = false;
  ++screen_.revision;
}

void PlanetPictures::SetupPics() {
  images_.Resize(0);
  images_.Resize(record_.PlanetCount);
  dirty_ = false;
  ++screen_.revision;
}

void PlanetPictures::LoadSystemPictures() {
  // A backup taken at opening brings the pictures changed before the editor was stopped.
  const fs::path working = store_.WorkingPicturesPath(record_.Name);
  if (store_.IsWorkingCopyOpen() && platform::FileExists(working)) {
    images_.LoadStrip(working, record_.PlanetCount);
    ++screen_.revision;
    dirty_ = true;
    if (changed_) changed_();
    return;
  }
  const fs::path strip = store_.SavedPictureStrip(record_.Name);
  if (strip.empty()) {
    SetupPics();
    return;
  }
  LoadPictures(strip);
}

int PlanetPictures::PictureCount() const {
  int count = 0;
  for (int i = 0; i < images_.Count(); ++i) count += images_.HasPicture(i) ? 1 : 0;
  return count;
}

bool PlanetPictures::HasPicturesToStore() const {
  if (dirty_) return true;
  return PictureCount() > 0 && store_.MatchingPictures(record_.Name + ".*").empty();
}

bool PlanetPictures::SavePictures(const fs::path& file) {
  if (!HasPicturesToStore()) return false;
  if (PictureCount() == 0) {
    // An empty strip would only hide the stock pictures: the files go instead.
    store_.RemovePictures(record_.Name + ".*");
    dirty_ = false;
    return true;
  }
  // A strip that could not be written stays to store, for the next save to try again.
  if (!images_.SaveStrip(file)) return false;
  dirty_ = false;
  return true;
}

void PlanetPictures::SwapPictures(int a, int b) {
  if (a < 1 || b < 1 || a > images_.Count() || b > images_.Count() || a == b) return;
  const bool pictured = images_.HasPicture(a - 1) || images_.HasPicture(b - 1);
  images_.Swap(a - 1, b - 1);
  // The strip on disk still has the old order: it must be written again.
  if (pictured) PictureChanged();
}

void PlanetPictures::AddSlot() {
  images_.Resize(std::max<int>(record_.PlanetCount, images_.Count() + 1));
  // The strip's cells are as wide as the system has planets.
  if (PictureCount() > 0) PictureChanged();
}

void PlanetPictures::RemoveLastSlot() {
  if (images_.Count() == 0) return;
  const bool pictured = PictureCount() > 0;
  images_.Resize(images_.Count() - 1);
  if (pictured) PictureChanged();
}

void PlanetPictures::ClearOnlyPicture() {
  const bool pictured = PictureCount() > 0;
  images_.Resize(0);
  if (pictured) PictureChanged();
}

void PlanetPictures::PictureChanged() {
  dirty_ = true;
  ++screen_.revision;
  // Kept beside the working copy at once, before any flag that names them is written, and so in
  // the history; no pictures at all is kept as an empty strip.
  if (store_.IsWorkingCopyOpen()) {
    std::string bytes;
    if (images_.Count() > 0 && !EncodeStrip(bytes)) bytes.clear();
    store_.KeepWorkingPictures(record_.Name, bytes);
  }
  if (changed_) changed_();
}

bool PlanetPictures::EncodeStrip(std::string& bytes) const {
  const fs::path folder = services_.scratchFolder.empty() ? fs::temp_directory_path() : services_.scratchFolder;
  const fs::path scratch = folder / "strip.bmp";
  const bool ok = images_.SaveStrip(scratch) && platform::ReadWholeFile(scratch, bytes);
  platform::RemoveFile(scratch);
  return ok;
}

// ---- the window

std::string PicturesWindowName(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int n) {
  // Built with "XXX" for the star, a name that still holds "XXX" is taken for a default one, even
  // when the author typed it: the window shows the planet's number then.
  const std::string name = store.GetPlanetName(record, n, "XXX");
  return name.find("XXX") != std::string::npos ? "Planet " + std::to_string(n) : name;
}

std::optional<fs::path> PlanetPictures::AnimationFile(int n) const {
  auto files = store_.MatchingPictures(record_.Name + std::to_string(n) + ".avi");
  if (files.empty()) return std::nullopt;
  return files.front();
}

void PlanetPictures::Open(int planet) {
  if (images_.Count() < record_.PlanetCount) images_.Resize(record_.PlanetCount);
  ShowPlanet(std::clamp<int>(planet, 1, std::max<int>(1, record_.PlanetCount)));
}

void PlanetPictures::ShowPlanet(int n) {
  screen_.planets = std::max<int>(1, record_.PlanetCount);
  screen_.planet = std::clamp(n, 1, screen_.planets);
  n = screen_.planet;
  screen_.name = PicturesWindowName(store_, record_, n);
  screen_.animation.clear();
  if (auto animation = AnimationFile(n)) {
    screen_.shown = PictureShown::Animation;
    screen_.animation = *animation;
  } else if (n <= images_.Count() && images_.HasPicture(n - 1)) {
    screen_.shown = PictureShown::Picture;
  } else {
    screen_.shown = PictureShown::NoPicture;
  }
  screen_.newEnabled = true;
  screen_.editEnabled = screen_.shown == PictureShown::Picture;
  screen_.removeEnabled = screen_.shown != PictureShown::NoPicture;
  screen_.removeAllEnabled = PictureCount() > 0;
  screen_.custom = store_.GetPlanetFlag(record_, kPicturesFlag, n) == 1;
  Send();
}

void PlanetPictures::SetCustom(bool checked) {
  // A planet without a picture of its own cannot use one.
  if (checked && screen_.shown == PictureShown::NoPicture) {
    screen_.custom = false;
    sent_.reset();  // the box was ticked by the click: it must be cleared again
    Send();
    return;
  }
  {
    store::EditAction action(store_, kPicturesStep);
    store_.SetPlanetFlag(record_, kPicturesFlag, Planet(), record_.PlanetCount, checked);
  }
  screen_.custom = checked;
  Send();
}

void PlanetPictures::New() {
  store::EditAction action(store_, kPicturesStep);
  const int n = Planet();
  auto file = services_.prompter.ChooseOpenFile("Choose Picture", store_.PicturesFolder().string(),
                                                ChooserFilter(kPictureFilter));
  if (!file || n > images_.Count() || !images_.LoadPicture(n - 1, fs::path(*file))) return;
  if (screen_.shown == PictureShown::Animation) Remove();
  PictureChanged();
  ShowPlanet(n);
  SetCustom(true);
  WarnIfReadsBackEmpty(n);
}

void PlanetPictures::WarnIfReadsBackEmpty(int n) {
  if (images_.ReadsBackEmpty(n - 1)) services_.prompter.Inform(kBlackPictureWarning, Icon::Exclamation);
}

void PlanetPictures::Edit() {
  const int n = Planet();
  if (screen_.shown != PictureShown::Picture) return;
  const fs::path scratch = services_.scratchFolder / ("Planet" + std::to_string(n) + ".bmp");
  auto painted = packaging::EditInPaintProgram(services_.settings, services_.searchPath, services_.prompter,
                                               services_.runner, scratch,
                                               [this, n](const fs::path& f) { images_.SavePicture(n - 1, f); });
  if (painted != packaging::PaintResult::Changed) return;
  store::EditAction action(store_, kPicturesStep);
  const bool loaded = images_.LoadPicture(n - 1, scratch);
  if (loaded) PictureChanged();
  platform::RemoveFile(scratch);
  ShowPlanet(n);
  if (loaded) WarnIfReadsBackEmpty(n);
}

void PlanetPictures::Remove() {
  const int n = Planet();
  if (screen_.shown == PictureShown::Animation) {
    if (services_.prompter.Message("Are you sure you want to remove this animation?", Buttons::YesNo, Icon::Question,
                                   "Confirmation") != Answer::Yes) {
      return;
    }
    platform::RemoveFile(screen_.animation);
    ShowPlanet(n);
    return;
  }
  if (screen_.shown != PictureShown::Picture) return;
  if (services_.prompter.Message("Are you sure you want to remove this picture?", Buttons::YesNo, Icon::Question,
                                 "Confirmation") != Answer::Yes) {
    return;
  }
  store::EditAction action(store_, kPicturesStep);
  images_.Clear(n - 1);
  // The switch goes off before the pictures without it are kept: never a switch without a picture.
  SetCustom(false);
  PictureChanged();
  ShowPlanet(n);
}

void PlanetPictures::RemoveAll() {
  if (services_.prompter.Message(
          "Are you sure you want to remove all pictures for this system?\r\nNOTE: Animations will not be removed.",
          Buttons::YesNo, Icon::Question, "Confirmation") != Answer::Yes) {
    return;
  }
  {
    store::EditAction action(store_, kPicturesStep);
    store::DescriptorBatch batch(store_, record_.Name);
    for (int i = 1; i <= images_.Count(); ++i) {
      images_.Clear(i - 1);
      // A planet left with neither picture nor animation has nothing of its own to show.
      if (i <= record_.PlanetCount && !AnimationFile(i)) {
        store_.SetPlanetFlag(record_, kPicturesFlag, i, record_.PlanetCount, false);
      }
    }
    PictureChanged();
  }
  ShowPlanet(Planet());
}

void PlanetPictures::Close() {
  ShowPlanet(1);
  if (view_) view_->HideWindow();
}

void PlanetPictures::Refresh() {
  sent_.reset();
  Send();
}

void PlanetPictures::Send() {
  if (!view_ || (sent_ && *sent_ == screen_)) return;
  sent_ = screen_;
  view_->ShowScreen(screen_);
}

}  // namespace zelmora::editor
