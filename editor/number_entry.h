#pragma once

#include <string>

// The number dialog's arithmetic, without the window. Its scroll bar runs upside down: the top of
// the bar is the maximum.
namespace zelmora::editor {

struct NumberBar {
  int minimum = 0;  // minimum / scale, to the nearest whole number
  int maximum = 0;  // maximum / scale, likewise
  float scale = 1;

  float Lowest() const { return static_cast<float>(minimum) * scale; }
  float Highest() const { return static_cast<float>(maximum) * scale; }
};

// A scale of 0 or below counts as 1 (it would divide by zero).
NumberBar MakeNumberBar(float minimum, float maximum, float scale);

// The number the bar stands for at `value`, and the value that stands for `number`.
float NumberAt(const NumberBar& bar, int value);
int BarValueFor(const NumberBar& bar, float number);

// The default as the dialog opens with it: within [minimum, maximum].
float OpeningNumber(float defaultValue, float minimum, float maximum);
// A typed number kept within what the bar can show.
float KeepInBar(const NumberBar& bar, float typed);

// What GetNumber answers: the shown number after OK when it is at most the maximum, otherwise
// minimum - 1 (the callers' cancel mark).
float NumberResult(bool accepted, float shown, float minimum, float maximum);

// Decimal, no spaces, as short as the number allows ("150", "2.5").
std::string FormatNumber(float value);

}  // namespace zelmora::editor
