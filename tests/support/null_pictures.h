#pragma once

#include "store/system_pictures.h"

#include <utility>
#include <vector>

namespace zelmora::testing {

// A picture form without pictures that remembers which planets' pictures were exchanged.
class SwapRecordingPictures : public store::NoSystemPictures {
 public:
  void SwapPictures(int a, int b) override { swaps.emplace_back(a, b); }

  std::vector<std::pair<int, int>> swaps;
};

}  // namespace zelmora::testing
