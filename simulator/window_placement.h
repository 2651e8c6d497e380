#pragma once

namespace zelmora::simulator {

struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
};
struct WindowPosition {
  int left = 0, top = 0;
  bool operator==(const WindowPosition&) const = default;
};

// The control panel and the Test Options below it, centred on the screen together.
struct TestWindowPositions {
  WindowPosition panel;
  WindowPosition options;
};
TestWindowPositions PlaceTestWindows(const ScreenRect& screen, int panelWidth, int panelHeight, int optionsWidth,
                                     int optionsHeight);

// A dialog centred on the screen.
WindowPosition CentreOnScreen(const ScreenRect& screen, int width, int height);

}  // namespace zelmora::simulator
