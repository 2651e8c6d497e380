#pragma once

#include <QFont>

class QDialog;
class QWidget;

// Forms are laid out in twips, 15 to a pixel at 96 dpi; Qt's high-dpi scaling does the rest.
namespace zelmora::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
  return (twips >= 0 ? twips + kTwipsPerPixel / 2 : twips - kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Left, top, width, height in twips, relative to the parent's client area.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);
// A fixed-size dialog in the dialog font, with a title bar and a close box only, whose client area
// measures width x height twips.
void SetUpFixedDialog(QDialog* dialog, const char* objectName, int width, int height);

// The forms' 8-point dialog font.
QFont DialogFont();

}  // namespace zelmora::qt
