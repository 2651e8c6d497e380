#pragma once

#include "simulator/ship_state.h"

#include <optional>

namespace zelmora::simulator {

// What the system chooser answers when OK finds no option selected.
inline constexpr int kNoSystemChosen = kSystemCount;

// The ship-system chooser without its window: which option is selected and the tag. Created once
// and reused; the tag persists between uses.
class SystemChooser {
 public:
  // A new use on the action's current system: that option is selected (none outside 0..8).
  void Open(int current);
  void Select(int index);
  std::optional<int> Selected() const { return selected_; }

  // OK: the tag becomes the first selected option, scanning 0..8, or kNoSystemChosen.
  void Accept();
  // The last OK's answer, nothing before the first; the close box leaves it.
  std::optional<int> Tag() const { return tag_; }
  // What the use answers: the tag after OK. After the close box it is the system it was opened
  // on, as a tag left from an earlier use would silently change the action being edited.
  int Result(bool accepted) const;

 private:
  int opened_ = 0;
  std::optional<int> selected_;
  std::optional<int> tag_;
};

}  // namespace zelmora::simulator
