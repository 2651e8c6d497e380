#pragma once

class QTreeWidget;

namespace zelmora::qt {

// A list whose `column` wraps its text: each top-level row is made as tall as that text in the
// width the column has now. A tree view does not measure wrapped rows itself, so the window calls
// this after filling the list and whenever its viewport changes size.
void FitWrappedRows(QTreeWidget* list, int column);

}  // namespace zelmora::qt
