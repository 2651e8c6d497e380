// Room text and grid names, any values: a split value joins back to itself; a destination put into
// a tail is the one read from it; a fitted text keeps the value within the reader's 254 characters;
// a grid name written with plain digits formats back to itself.
#include "adventure/grid_names.h"
#include "adventure/room_text.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>

using namespace zelmora;
using namespace zelmora::adventure;

namespace {
bool Digits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string value(in.Line());
  const std::string destination(in.Line());
  const std::string name(in.Line());
  const std::string text(in.Rest());

  const RoomText parts = SplitValue(value);
  if (value != "ERR") FUZZ_CHECK(parts.Value() == value);
  FUZZ_CHECK(parts.text.find('*') == std::string::npos);
  FUZZ_CHECK(parts.tail.empty() || parts.tail[0] == '*');

  if (destination.find('*') == std::string::npos) {
    const std::string tail = TailWithDestination(parts.tail, destination);
    FUZZ_CHECK(HasAnswerCode(tail, 'M'));
    FUZZ_CHECK(AnswerName(tail, 'M') == destination);
  }
  for (char code : {'M', 'R'}) {
    const std::string without = TailWithoutAnswer(parts.tail, code);
    FUZZ_CHECK(without.size() <= parts.tail.size());
    if (HasAnswerCode(parts.tail, code)) FUZZ_CHECK(without.size() < parts.tail.size());
  }
  const std::string marker = DirectionMarker(parts.prefix);
  FUZZ_CHECK(marker.empty() || marker.starts_with("%G"));
  (void)PrefixWithMarker(parts.prefix, "%GN");

  const std::string fitted = FitText(parts, text);
  RoomText edited = parts;
  edited.text = fitted;
  FUZZ_CHECK(fitted.size() <= text.size());
  if (parts.prefix.size() + parts.tail.size() <= static_cast<std::size_t>(kMaxStoredValue)) {
    FUZZ_CHECK(edited.Value().size() <= static_cast<std::size_t>(kMaxStoredValue));
  }

  if (auto grid = ParseGridName(name)) {
    const bool plain = grid->twoDigit ? name.size() >= 4 && Digits(name.substr(name.size() - 4))
                                      : name.size() >= 2 && Digits(name.substr(name.size() - 2));
    if (plain) FUZZ_CHECK(grid->Format(grid->x, grid->y) == name);
    (void)NeighbourNames(name);
  }
  const int w = 2 + static_cast<int>(value.size() % 9);
  const int h = 2 + static_cast<int>(destination.size() % 9);
  // Only grids whose columns and rows have the same number of digits name rooms the reader can
  // take apart again ("Area310" of a 9 x 10 grid reads as column 1, row 0).
  for (int x = 1; x <= w && (w == 10) == (h == 10); ++x) {
    auto back = ParseGridName(AreaName(x, h, w, h));
    FUZZ_CHECK(back && back->x == x && back->y == h);
  }
  return 0;
}
