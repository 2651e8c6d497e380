#pragma once

#include <QWidget>

class QToolButton;

namespace zelmora::qt {

// An up/down control: two stacked arrow buttons ("up", "down") without a value of their own.
// The control takes the focus as one: the Up and Down keys press its arrows.
class SpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit SpinButton(QWidget* parent = nullptr);

 signals:
  void UpClicked();
  void DownClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace zelmora::qt
