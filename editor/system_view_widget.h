#pragma once

#include "editor/system_drawing.h"

#include <QWidget>

#include <vector>

namespace zelmora::editor {

// The drawing surface of the system view (picSolarSystem). It paints the shapes it is given, in
// twips, and reports the mouse in twips; what the shapes are and what the mouse means is the
// main window's business.
class SystemViewWidget : public QWidget {
  Q_OBJECT

 public:
  explicit SystemViewWidget(QWidget* parent = nullptr);

  void SetShapes(std::vector<Shape> shapes);
  void Erase();
  const std::vector<Shape>& Shapes() const { return shapes_; }

 signals:
  void MouseMoved(Point twips);
  void MousePressed(Point twips, Qt::MouseButton button, QPoint globalPosition);
  void MouseReleased();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::vector<Shape> shapes_;
};

}  // namespace zelmora::editor
