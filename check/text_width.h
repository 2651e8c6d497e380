#pragma once

#include <string_view>

namespace zelmora::check {

// The width of a text in twips in an 8-point dialog font, from a table of character widths:
// for checking response widths where no font can be measured (the command line). The editor
// measures with its own font.
int ApproximateDialogTwips(std::string_view text);

// The same table for UTF-8 text in a sans-serif face of `points` size: its width in points.
double ApproximateTextPoints(std::string_view utf8, double points);

}  // namespace zelmora::check
