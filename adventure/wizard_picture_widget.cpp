#include "adventure/wizard_picture_widget.h"

#include "ui/qt/palette.h"

#include <QPainter>
#include <QPainterPath>

namespace zelmora::adventure {

namespace {

// Night sky behind every picture, rooms in sand on it.
const QColor kSky(0x10, 0x18, 0x38);
const QColor kFloor(0xe8, 0xd8, 0xb0);
const QColor kWall(0x50, 0x40, 0x30);
const QColor kDoor(0x9a, 0x5a, 0x20);

void DrawRoom(QPainter& p, const QRectF& room) {
  p.setPen(QPen(kWall, 2));
  p.setBrush(kFloor);
  p.drawRect(room);
}

// A gap in a wall between two rooms, as a short door-coloured bar across it.
void DrawDoor(QPainter& p, QPointF centre, bool horizontalWall, double size) {
  p.setPen(Qt::NoPen);
  p.setBrush(kDoor);
  const QSizeF bar = horizontalWall ? QSizeF(size, 4) : QSizeF(4, size);
  p.drawRect(QRectF(centre - QPointF(bar.width() / 2, bar.height() / 2), bar));
}

void DrawArrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  for (const auto& [tip, back] : {std::pair{from, to}, std::pair{to, from}}) {
    const QPointF d = (back - tip) / std::hypot(back.x() - tip.x(), back.y() - tip.y()) * 6.0;
    const QPointF n(-d.y() / 2, d.x() / 2);
    p.drawLine(tip, tip + d + n);
    p.drawLine(tip, tip + d - n);
  }
}

void DrawStars(QPainter& p, const QRectF& area) {
  p.setPen(QPen(QColor(0xe0, 0xe0, 0xff), 1));
  // A fixed scatter, so every painting looks the same.
  static constexpr std::array<std::pair<double, double>, 14> kStars = {
      {{0.08, 0.05}, {0.3, 0.09}, {0.55, 0.04}, {0.86, 0.07}, {0.93, 0.3}, {0.05, 0.4}, {0.12, 0.93},
       {0.4, 0.96}, {0.7, 0.92}, {0.95, 0.85}, {0.2, 0.22}, {0.75, 0.2}, {0.9, 0.55}, {0.03, 0.7}}};
  for (const auto& [x, y] : kStars) {
    p.drawPoint(QPointF(area.left() + x * area.width(), area.top() + y * area.height()));
  }
}

}  // namespace

WizardPicture::WizardPicture(int step, QWidget* parent) : QWidget(parent), step_(step) {
  setObjectName(QStringLiteral("imgStep_%1").arg(step));
}

void WizardPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = rect().adjusted(1, 1, -1, -1);
  p.fillRect(rect(), kSky);
  DrawStars(p, area);
  switch (step_) {
    case 0: DrawGridSize(p, area); break;
    case 1: DrawActions(p, area); break;
    default: DrawFinish(p, area); break;
  }
  p.setPen(QPen(qt::PaletteColour(8), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void WizardPicture::DrawGridSize(QPainter& p, const QRectF& area) const {
  // Three by four rooms with arrows for the columns and the rows.
  constexpr int kColumns = 3;
  constexpr int kRows = 4;
  const double cell = std::min((area.width() - 40) / kColumns, (area.height() - 60) / kRows);
  const QPointF origin(area.left() + (area.width() - cell * kColumns) / 2 + 8, area.top() + 34);
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) DrawRoom(p, QRectF(origin + QPointF(x * cell, y * cell), QSizeF(cell, cell)));
  }
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      const QPointF centre = origin + QPointF((x + 0.5) * cell, (y + 0.5) * cell);
      if (x + 1 < kColumns) DrawDoor(p, centre + QPointF(cell / 2, 0), false, cell / 3);
      if (y + 1 < kRows) DrawDoor(p, centre + QPointF(0, cell / 2), true, cell / 3);
    }
  }
  p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 2));
  DrawArrow(p, origin + QPointF(0, -14), origin + QPointF(kColumns * cell, -14));
  DrawArrow(p, origin + QPointF(-14, 0), origin + QPointF(-14, kRows * cell));
}

void WizardPicture::DrawActions(QPainter& p, const QRectF& area) const {
  // One room with a door in each wall, arrows leading out, and the beam, search and scan marks.
  const double side = std::min(area.width(), area.height()) * 0.5;
  const QRectF room(area.center() - QPointF(side / 2, side / 2 + 14), QSizeF(side, side));
  DrawRoom(p, room);
  const QPointF c = room.center();
  DrawDoor(p, QPointF(c.x(), room.top()), true, side / 3);
  DrawDoor(p, QPointF(c.x(), room.bottom()), true, side / 3);
  DrawDoor(p, QPointF(room.left(), c.y()), false, side / 3);
  DrawDoor(p, QPointF(room.right(), c.y()), false, side / 3);
  p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 2));
  const double reach = side / 2 + 22;
  for (const QPointF d : {QPointF(0, -1), QPointF(1, 0), QPointF(0, 1), QPointF(-1, 0)}) {
    const QPointF from = c + d * (side / 2 + 4);
    const QPointF to = c + d * reach;
    p.drawLine(from, to);
    const QPointF n(-d.y() * 5, d.x() * 5);
    p.drawLine(to, to - d * 7 + n);
    p.drawLine(to, to - d * 7 - n);
  }
  // The beam: a column of light falling on the floor.
  QLinearGradient beam(c.x(), room.top() + 6, c.x(), c.y());
  beam.setColorAt(0, QColor(0x80, 0xe0, 0xff, 220));
  beam.setColorAt(1, QColor(0x80, 0xe0, 0xff, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(beam);
  p.drawRect(QRectF(c.x() - side / 10, room.top() + 6, side / 5, side / 2 - 6));
  // The search: a magnifying glass in a corner.
  p.setPen(QPen(kWall, 2));
  p.setBrush(Qt::NoBrush);
  const QPointF lens = room.topLeft() + QPointF(side * 0.25, side * 0.72);
  p.drawEllipse(lens, side / 10, side / 10);
  p.drawLine(lens + QPointF(side / 14, side / 14), lens + QPointF(side / 6, side / 6));
  // The tricorder: a small box with a wave on its screen.
  const QRectF tricorder(room.topLeft() + QPointF(side * 0.62, side * 0.6), QSizeF(side / 4, side / 5));
  p.setBrush(qt::PaletteColour(8));
  p.drawRect(tricorder);
  QPainterPath wave;
  wave.moveTo(tricorder.left() + 3, tricorder.center().y());
  for (int i = 1; i <= 4; ++i) {
    wave.lineTo(tricorder.left() + 3 + i * (tricorder.width() - 6) / 4,
                tricorder.center().y() + ((i % 2) ? -4.0 : 4.0));
  }
  p.setPen(QPen(qt::PaletteColour(10), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);
}

void WizardPicture::DrawFinish(QPainter& p, const QRectF& area) const {
  // The finished grid, the way in at the first room and a tick for done.
  constexpr int kSide = 3;
  const double cell = std::min((area.width() - 30) / kSide, (area.height() - 80) / kSide);
  const QPointF origin(area.left() + (area.width() - cell * kSide) / 2, area.top() + 50);
  for (int x = 0; x < kSide; ++x) {
    for (int y = 0; y < kSide; ++y) DrawRoom(p, QRectF(origin + QPointF(x * cell, y * cell), QSizeF(cell, cell)));
  }
  // The landing party beams into the north-west room.
  const QPointF first = origin + QPointF(cell / 2, cell / 2);
  QLinearGradient beam(first.x(), area.top() + 4, first.x(), first.y());
  beam.setColorAt(0, QColor(0x80, 0xe0, 0xff, 40));
  beam.setColorAt(1, QColor(0x80, 0xe0, 0xff, 230));
  p.setPen(Qt::NoPen);
  p.setBrush(beam);
  p.drawRect(QRectF(first.x() - cell / 8, area.top() + 4, cell / 4, first.y() - area.top() - 4));
  p.setBrush(qt::PaletteColour(12));
  p.drawEllipse(first, cell / 8, cell / 8);
  // A walk through the rooms.
  p.setPen(QPen(qt::PaletteColour(12), 2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  QPainterPath walk(first);
  walk.lineTo(first + QPointF(cell, 0));
  walk.lineTo(first + QPointF(cell, cell));
  walk.lineTo(first + QPointF(2 * cell, cell));
  walk.lineTo(first + QPointF(2 * cell, 2 * cell));
  p.drawPath(walk);
  // The tick.
  const QPointF tick = origin + QPointF(kSide * cell - cell * 0.1, kSide * cell + 8);
  p.setPen(QPen(qt::PaletteColour(10), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath check(tick + QPointF(-cell * 0.5, 6));
  check.lineTo(tick + QPointF(-cell * 0.3, 16));
  check.lineTo(tick + QPointF(0, -6));
  p.drawPath(check);
}

}  // namespace zelmora::adventure
