#pragma once

#include <QPoint>
#include <QRect>

// Window geometry is given in twips; 15 twips are one device-independent pixel, and Qt's high-dpi
// scaling maps those pixels to the screen.
namespace zelmora::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}
inline QPoint PixelsToTwips(QPoint p) { return {PixelsToTwips(p.x()), PixelsToTwips(p.y())}; }

}  // namespace zelmora::qt
