#include "ui/qt/twip_layout.h"

#include <QWidget>

namespace zelmora::qt {

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

void FixClientTwips(QWidget* window, int width, int height) {
  window->setFixedSize(TwipsToPixels(width), TwipsToPixels(height));
}

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("DejaVu Sans")});
  font.setPointSize(8);
  return font;
}

}  // namespace zelmora::qt
