#pragma once

#include <QWidget>

class QToolButton;

namespace zelmora::qt {

// An up/down control: two stacked arrow buttons ("up", "down") without a value of their own.
class SpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit SpinButton(QWidget* parent = nullptr);

 signals:
  void UpClicked();
  void DownClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace zelmora::qt
