#pragma once

#include <filesystem>

namespace zelmora::store {

// What the system flows need of the planet picture form and of the star picture. Pictures are
// written only by a save: whoever changes them in memory (the star picture, the planet pictures
// going dirty) calls flows::PicturesChanged, so that the save questions protect them.
class SystemPictures {
 public:
  virtual ~SystemPictures() = default;
  virtual void AddSlot() = 0;           // an empty picture for a new last planet
  virtual void RemoveLastSlot() = 0;    // the last planet went
  virtual void ClearOnlyPicture() = 0;  // the only planet went
  virtual void SwapPictures(int a, int b) = 0;
  // True until the pictures have been stored.
  virtual bool HasPicturesToStore() const = 0;
  // Writes the strip to `file` (whole or not at all), or removes the strip files when no planet
  // has a picture.
  virtual void SavePictures(const std::filesystem::path& file) = 0;
  virtual bool HasCustomStarPicture() const = 0;
  virtual void SaveStarPicture(const std::filesystem::path& file) = 0;
};

// No pictures held in memory: nothing to move or store, and the files on disk stay as they are.
class NoSystemPictures : public SystemPictures {
 public:
  void AddSlot() override {}
  void RemoveLastSlot() override {}
  void ClearOnlyPicture() override {}
  void SwapPictures(int, int) override {}
  bool HasPicturesToStore() const override { return false; }
  void SavePictures(const std::filesystem::path&) override {}
  bool HasCustomStarPicture() const override { return false; }
  void SaveStarPicture(const std::filesystem::path&) override {}
};

}  // namespace zelmora::store
