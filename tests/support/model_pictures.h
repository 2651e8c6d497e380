#pragma once

#include "editor/planet_pictures.h"
#include "store/system_pictures.h"

namespace zelmora::testing {

// The flows' view of a picture model, without a star picture.
class ModelPictures : public store::NoSystemPictures {
 public:
  explicit ModelPictures(editor::PlanetPictures& model) : model_(model) {}
  void AddSlot() override { model_.AddSlot(); }
  void RemoveLastSlot() override { model_.RemoveLastSlot(); }
  void ClearOnlyPicture() override { model_.ClearOnlyPicture(); }
  void SwapPictures(int a, int b) override { model_.SwapPictures(a, b); }
  bool HasPicturesToStore() const override { return model_.HasPicturesToStore(); }
  void SavePictures(const std::filesystem::path& file) override { model_.SavePictures(file); }

 private:
  editor::PlanetPictures& model_;
};

}  // namespace zelmora::testing
