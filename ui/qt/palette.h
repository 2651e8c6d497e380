#pragma once

#include <QColor>

namespace zelmora::qt {

// The classic 16-colour palette: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown,
// 7 light grey, 8 dark grey, 9..14 the light colours, 15 white. Other indices give black.
QColor PaletteColour(int index);

}  // namespace zelmora::qt
