#include "ui/qt/wrapped_rows.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>

namespace zelmora::qt {

void FitWrappedRows(QTreeWidget* list, int column) {
  const QHeaderView* header = list->header();
  // A stretched last column reaches to the viewport's edge, whatever the header has laid out yet.
  const bool stretched = header->stretchLastSection() && column == list->columnCount() - 1;
  const int width =
      (stretched ? list->viewport()->width() - header->sectionPosition(column) : header->sectionSize(column)) - 8;
  if (width <= 0) return;
  const QFontMetrics metrics(list->font());
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list->topLevelItem(i);
    const QRect text = metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, item->text(column));
    item->setSizeHint(column, QSize(width, text.height() + 6));
  }
}

}  // namespace zelmora::qt
