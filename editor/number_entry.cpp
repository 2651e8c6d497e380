#include "editor/number_entry.h"

#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>

namespace zelmora::editor {

NumberBar MakeNumberBar(float minimum, float maximum, float scale) {
  if (!(scale > 0)) scale = 1;
  NumberBar bar;
  bar.scale = scale;
  bar.minimum = platform::RoundToInt32(minimum / scale);
  bar.maximum = platform::RoundToInt32(maximum / scale);
  return bar;
}

float NumberAt(const NumberBar& bar, int value) {
  return static_cast<float>(bar.maximum - value + bar.minimum) * bar.scale;
}

// The inverse of NumberAt, so that the bar opens where moving it would take the number from.
int BarValueFor(const NumberBar& bar, float number) {
  int value = bar.maximum + bar.minimum - platform::RoundToInt32(number / bar.scale);
  return std::clamp(value, std::min(bar.minimum, bar.maximum), std::max(bar.minimum, bar.maximum));
}

float OpeningNumber(float defaultValue, float minimum, float maximum) {
  if (defaultValue > maximum) return maximum;
  if (defaultValue < minimum) return minimum;
  return defaultValue;
}

float KeepInBar(const NumberBar& bar, float typed) {
  if (typed > bar.Highest()) return bar.Highest();
  if (typed < bar.Lowest()) return bar.Lowest();
  return typed;
}

float NumberResult(bool accepted, float shown, float minimum, float maximum) {
  return accepted && shown <= maximum ? shown : minimum - 1;
}

std::string FormatNumber(float value) {
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

}  // namespace zelmora::editor
