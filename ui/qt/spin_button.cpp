#include "ui/qt/spin_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

namespace zelmora::qt {

SpinButton::SpinButton(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  setFocusPolicy(Qt::StrongFocus);
  connect(up_, &QToolButton::clicked, this, &SpinButton::UpClicked);
  connect(down_, &QToolButton::clicked, this, &SpinButton::DownClicked);
}

void SpinButton::resizeEvent(QResizeEvent*) {
  // A margin of one pixel around the arrows shows the focus.
  const int inner = height() - 2;
  const int half = inner / 2;
  up_->setGeometry(1, 1, width() - 2, half);
  down_->setGeometry(1, 1 + half, width() - 2, inner - half);
}

void SpinButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) emit UpClicked();
  else if (event->key() == Qt::Key_Down) emit DownClicked();
  else QWidget::keyPressEvent(event);
}

void SpinButton::paintEvent(QPaintEvent*) {
  if (!hasFocus()) return;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Highlight));
}

void SpinButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void SpinButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace zelmora::qt
