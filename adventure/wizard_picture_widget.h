#pragma once

#include <QWidget>

namespace zelmora::adventure {

// The picture beside each step of the grid wizard, drawn rather than loaded: a grid of rooms with
// its size arrows, one room with its doors and actions, and the finished grid with the landing
// party's way in.
class WizardPicture : public QWidget {
  Q_OBJECT

 public:
  WizardPicture(int step, QWidget* parent = nullptr);
  int Step() const { return step_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawGridSize(QPainter& p, const QRectF& area) const;
  void DrawActions(QPainter& p, const QRectF& area) const;
  void DrawFinish(QPainter& p, const QRectF& area) const;

  int step_;
};

}  // namespace zelmora::adventure
