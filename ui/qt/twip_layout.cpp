#include "ui/qt/twip_layout.h"

#include <QDialog>

namespace zelmora::qt {

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

void SetUpFixedDialog(QDialog* dialog, const char* objectName, int width, int height) {
  dialog->setObjectName(QLatin1String(objectName));
  dialog->setFont(DialogFont());
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint);
  dialog->setFixedSize(TwipsToPixels(width), TwipsToPixels(height));
}

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("DejaVu Sans")});
  font.setPointSize(8);
  return font;
}

}  // namespace zelmora::qt
