#include "editor/system_view_widget.h"

#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zelmora::editor {

namespace {

Point TwipsOf(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  return {qt::PixelsToTwips(p.x()), qt::PixelsToTwips(p.y())};
}

// Qt counts arc angles in sixteenths of a degree, counter-clockwise as the view does.
int Sixteenths(double radians) { return static_cast<int>(std::lround(radians * 180.0 / kPi * 16.0)); }

}  // namespace

SystemViewWidget::SystemViewWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  p.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
  setPalette(p);
}

void SystemViewWidget::SetShapes(std::vector<Shape> shapes) {
  shapes_ = std::move(shapes);
  update();
}

void SystemViewWidget::Erase() {
  shapes_.clear();
  update();
}

void SystemViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.scale(1.0 / qt::kTwipsPerPixel, 1.0 / qt::kTwipsPerPixel);
  for (const Shape& s : shapes_) {
    QPen pen(qt::PaletteColour(s.colour));
    pen.setWidth(0);  // one screen pixel whatever the scale
    QRectF box(s.centre.x - s.radius, s.centre.y - s.radius, 2.0 * s.radius, 2.0 * s.radius);
    switch (s.kind) {
      case Shape::Kind::Orbit:
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        break;
      case Shape::Kind::DottedOrbit:
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        break;
      case Shape::Kind::BeltArc:
        painter.setPen(pen);
        painter.drawArc(box, Sixteenths(s.start), std::max(1, Sixteenths(s.span)));
        break;
      case Shape::Kind::Disc:
        if (s.radius <= 0) break;
        painter.setPen(pen);
        painter.setBrush(qt::PaletteColour(s.colour));
        painter.drawEllipse(box);
        break;
    }
  }
}

void SystemViewWidget::mouseMoveEvent(QMouseEvent* event) { emit MouseMoved(TwipsOf(event)); }

void SystemViewWidget::mousePressEvent(QMouseEvent* event) {
  emit MousePressed(TwipsOf(event), event->button(), event->globalPosition().toPoint());
}

void SystemViewWidget::mouseReleaseEvent(QMouseEvent*) { emit MouseReleased(); }

}  // namespace zelmora::editor
