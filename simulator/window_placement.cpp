#include "simulator/window_placement.h"

#include <algorithm>

namespace zelmora::simulator {

WindowPosition CentreOnScreen(const ScreenRect& screen, int width, int height) {
  return {screen.left + (screen.width - width) / 2, screen.top + (screen.height - height) / 2};
}

TestWindowPositions PlaceTestWindows(const ScreenRect& screen, int panelWidth, int panelHeight, int optionsWidth,
                                     int optionsHeight) {
  TestWindowPositions p;
  p.panel.left = screen.left + (screen.width - panelWidth) / 2;
  // On a screen too low for both, the panel's title bar stays reachable.
  p.panel.top = std::max(screen.top, screen.top + (screen.height - panelHeight - optionsHeight) / 2);
  p.options.left = screen.left + (screen.width - optionsWidth) / 2;
  p.options.top = p.panel.top + panelHeight;
  return p;
}

}  // namespace zelmora::simulator
