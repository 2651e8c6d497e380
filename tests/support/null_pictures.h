#pragma once

#include "store/system_pictures.h"

#include <string>
#include <utility>
#include <vector>

namespace zelmora::testing {

// A picture form without pictures that remembers which planets' pictures were exchanged.
class SwapRecordingPictures : public store::SystemPictures {
 public:
  void AddSlot() override {}
  void RemoveLastSlot() override {}
  void ClearOnlyPicture() override {}
  void SwapPictures(int a, int b) override { swaps.emplace_back(a, b); }
  bool HasPicturesToStore() const override { return false; }
  void SavePictures(const std::filesystem::path&) override {}
  bool HasCustomStarPicture() const override { return false; }
  void SaveStarPicture(const std::filesystem::path&) override {}

  std::vector<std::pair<int, int>> swaps;
};

}  // namespace zelmora::testing
