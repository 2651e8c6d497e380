#pragma once

#include "tests/support/test_application.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// The keyboard as a user without a mouse meets a window: where Tab goes, and what it never reaches.
namespace zelmora::testing {

// The controls Tab visits, in order, from the one that has the focus when the window comes up.
inline std::vector<QWidget*> TabChain(QWidget& window) {
  window.show();
  // The offscreen screen activates no window by itself: the focus lives in the active one.
  QApplication::setActiveWindow(&window);
  if (QApplication::activeWindow() != &window) return {};
  if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != &window) {
    QTest::keyClick(&window, Qt::Key_Tab);
  }
  std::vector<QWidget*> chain;
  QWidget* first = QApplication::focusWidget();
  for (QWidget* at = first; at && chain.size() < 300;) {
    chain.push_back(at);
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
    if (at == first || std::find(chain.begin(), chain.end(), at) != chain.end()) break;
  }
  return chain;
}

// A control the user works with, visible and enabled now.
inline bool Operable(const QWidget& window, QWidget* w) {
  if (!w->isVisibleTo(&window) || !w->isEnabled() || w->width() <= 2 || w->height() <= 2) return false;
  if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) return false;  // an editable box's line
  if (qobject_cast<QAbstractSpinBox*>(w->parentWidget())) return false;
  // Parts that the control around them stands for: a list's header and scroll bars, the arrows
  // of an up/down control.
  if (qobject_cast<QHeaderView*>(w)) return false;
  if (w->parentWidget() && w->parentWidget()->objectName().startsWith(QLatin1String("qt_scrollarea"))) return false;
  if (w->focusPolicy() == Qt::NoFocus && w->parentWidget() && (w->parentWidget()->focusPolicy() & Qt::TabFocus)) {
    return false;
  }
  if (w->inherits("zelmora::qt::SpinButton")) return true;
  return qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
         qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
         qobject_cast<QAbstractItemView*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// The names of the operable controls that Tab never reaches. Of option buttons that exclude each
// other, Tab reaches one and the arrow keys the others.
inline std::vector<std::string> Unreachable(const QWidget& window, const std::vector<QWidget*>& chain) {
  std::set<const QWidget*> reached(chain.begin(), chain.end());
  std::set<const QWidget*> groupsReached;
  for (QWidget* w : chain) {
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->autoExclusive()) groupsReached.insert(b->parentWidget());
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->group()) {
      for (auto* other : b->group()->buttons()) reached.insert(other);
    }
  }
  std::vector<std::string> missing;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!Operable(window, w) || reached.count(w)) continue;
    if (auto* b = qobject_cast<QRadioButton*>(w); b && b->autoExclusive() && groupsReached.count(b->parentWidget())) {
      continue;
    }
    missing.push_back(w->objectName().toStdString());
  }
  return missing;
}

// Pairs of neighbours in the chain, in the same frame, where Tab goes back up the window or
// leftwards along a row: the order a reader of the window would not expect.
inline std::vector<std::string> AgainstReadingOrder(const std::vector<QWidget*>& chain) {
  std::vector<std::string> wrong;
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
    QWidget* a = chain[i];
    QWidget* b = chain[i + 1];
    if (a->parentWidget() != b->parentWidget() || a->window() != b->window()) continue;
    const QRect ra = a->geometry(), rb = b->geometry();
    const bool sameRow = std::abs(ra.center().y() - rb.center().y()) < std::max(ra.height(), rb.height()) / 2 + 4;
    const bool sameColumn = rb.left() < ra.right() && ra.left() < rb.right();
    const bool back = sameRow ? rb.left() < ra.left() : rb.top() < ra.top() && sameColumn;
    if (back) wrong.push_back(a->objectName().toStdString() + " -> " + b->objectName().toStdString());
  }
  return wrong;
}

inline std::vector<std::string> Names(const std::vector<QWidget*>& chain) {
  std::vector<std::string> names;
  for (QWidget* w : chain) names.push_back(w->objectName().toStdString());
  return names;
}

}  // namespace zelmora::testing
