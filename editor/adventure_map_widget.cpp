#include "editor/adventure_map_widget.h"

#include "editor/script_map_sheet_widget.h"
#include "ui/qt/code_page.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace zelmora::check {

namespace {

// Pale paper and dark ink; colour only where it means something.
const QColor kPaper(0xf7, 0xf2, 0xe4);
const QColor kCellLine(0xe2, 0xd6, 0xb8);
const QColor kAxis(0x9b, 0x8e, 0x70);
const QColor kInk(0x3b, 0x46, 0x58);
const QColor kWayBack(0xe0, 0xf0, 0xd6);
const QColor kNoWayBack(0xf8, 0xd5, 0xcc);
const QColor kPassage(0x5d, 0x67, 0x76);
const QColor kNoWayBackDoor(0xe0, 0x7b, 0x00);
const QColor kMissing(0xc0, 0x39, 0x2b);
const QColor kBeamDown(0x1d, 0x5f, 0xbf);
const QColor kCurrent(0x2b, 0x7d, 0xe9);
const QColor kSelected(0xf2, 0x8c, 0x00);
const QColor kLockBody(0xf2, 0xc1, 0x4e);
const QColor kLockInk(0x6b, 0x4f, 0x10);

QPointF P(MapPoint p) { return QPointF(p.x, p.y); }
QRectF R(const MapRect& r) { return QRectF(r.x, r.y, r.width, r.height); }
MapPoint M(const QPoint& p) { return {p.x(), p.y()}; }

QFont Sized(QFont font, qreal points, bool bold = false) {
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void PaintPaper(QPainter& p, const MapLayout& layout) {
  p.fillRect(QRectF(0, 0, layout.width, layout.height), kPaper);
  const MapGeometry& g = layout.geometry;
  const int columns = static_cast<int>(layout.columns.size());
  const int rows = static_cast<int>(layout.rows.size());
  if (columns == 0 || rows == 0) return;
  p.setPen(QPen(kCellLine, 1, Qt::DotLine));
  for (int c = 0; c <= columns; ++c) {
    const qreal x = g.margin + c * g.cellWidth + 0.5;
    p.drawLine(QPointF(x, g.margin), QPointF(x, g.margin + rows * g.cellHeight));
  }
  for (int r = 0; r <= rows; ++r) {
    const qreal y = g.margin + r * g.cellHeight + 0.5;
    p.drawLine(QPointF(g.margin, y), QPointF(g.margin + columns * g.cellWidth, y));
  }
}

// The column and row numbers stay at the top and left of what is in view, so a large map scrolled
// to its far corner still says where it is.
void PaintRulers(QPainter& p, const MapLayout& layout, const QRect& visible, const QFont& base) {
  if (layout.columns.empty() || layout.rows.empty()) return;
  const int band = layout.geometry.margin * 2 / 3;
  const qreal top = std::max(0, visible.top());
  const qreal left = std::max(0, visible.left());
  QColor cover = kPaper;
  cover.setAlpha(235);
  p.setPen(Qt::NoPen);
  p.setBrush(cover);
  if (top > 0) {
    p.drawRect(QRectF(visible.left(), top, visible.width(), band));
  }
  if (left > 0) {
    p.drawRect(QRectF(left, visible.top(), band, visible.height()));
  }
  p.setPen(QPen(kCellLine, 1));
  if (top > 0) p.drawLine(QPointF(visible.left(), top + band + 0.5), QPointF(visible.right(), top + band + 0.5));
  if (left > 0) p.drawLine(QPointF(left + band + 0.5, visible.top()), QPointF(left + band + 0.5, visible.bottom()));
  p.setPen(kAxis);
  p.setFont(Sized(base, 8));
  const qreal columnY = top > 0 ? top + band / 2.0 : layout.columns[0].at.y;
  const qreal rowX = left > 0 ? left + band / 2.0 : layout.rows[0].at.x;
  for (const AxisLabel& label : layout.columns) {
    p.drawText(QRectF(label.at.x - 20, columnY - 10, 40, 20), Qt::AlignCenter, qt::FromCp1252(label.text));
  }
  for (const AxisLabel& label : layout.rows) {
    p.drawText(QRectF(rowX - 20, label.at.y - 10, 40, 20), Qt::AlignCenter, qt::FromCp1252(label.text));
  }
}

void PaintArrowHead(QPainter& p, QPointF from, QPointF tip, const QColor& colour) {
  const qreal dx = tip.x() - from.x();
  const qreal dy = tip.y() - from.y();
  const qreal length = std::hypot(dx, dy);
  if (length == 0) return;
  const QPointF along(dx / length, dy / length);
  const QPointF across(-along.y(), along.x());
  const QPointF back = tip - along * 10;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({tip, back + across * 5, back - across * 5}));
}

void PaintPassage(QPainter& p, PassageStyle style, QPointF start, QPointF end, std::optional<QPointF> control) {
  QPainterPath path(start);
  if (control) {
    path.quadTo(*control, end);
  } else {
    path.lineTo(end);
  }
  QColor colour = kPassage;
  Qt::PenStyle dash = Qt::SolidLine;
  if (style == PassageStyle::NoWayBack) {
    colour = kNoWayBackDoor;
    dash = Qt::DashLine;
  } else if (style == PassageStyle::ToMissing) {
    colour = kMissing;
    dash = Qt::DashLine;
  }
  QPen pen(colour, 2.5, dash, Qt::FlatCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  // The line stops short of the arrow's tip so the head stays sharp.
  if (style != PassageStyle::TwoWay) {
    const QPointF from = control ? *control : start;
    const qreal length = std::hypot(end.x() - from.x(), end.y() - from.y());
    const QPointF shortEnd = length > 0 ? end - (end - from) * (7 / length) : end;
    QPainterPath shortened(start);
    if (control) {
      shortened.quadTo(*control, shortEnd);
    } else {
      shortened.lineTo(shortEnd);
    }
    p.drawPath(shortened);
    PaintArrowHead(p, from, end, colour);
  } else {
    p.drawPath(path);
  }
}

void PaintLock(QPainter& p, const QRectF& b, const QString& flag, const QFont& base) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kLockInk, 2));
  const QRectF shackle(b.center().x() - 5, b.top() + 1, 10, 13);
  p.drawArc(shackle, 0, 180 * 16);
  const QRectF body(b.left() + 1, b.top() + 7.5, b.width() - 2, b.height() - 8);
  p.setPen(QPen(kLockInk, 1));
  p.setBrush(kLockBody);
  p.drawRoundedRect(body, 2, 2);
  p.setPen(kLockInk);
  p.setFont(Sized(base, 7, true));
  p.drawText(body, Qt::AlignCenter, flag);
}

void PaintBeamDown(QPainter& p, QPointF centre) {
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(kBeamDown);
  p.drawEllipse(centre, 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({centre + QPointF(-4.5, -2.5), centre + QPointF(4.5, -2.5), centre + QPointF(0, 4)}));
}

void PaintMarker(QPainter& p, QPointF centre, Severity severity, const QString& text, const QFont& base) {
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(SeverityColour(severity));
  p.drawEllipse(centre, 9, 9);
  p.setPen(Qt::white);
  p.setFont(Sized(base, 7.5, true));
  p.drawText(QRectF(centre.x() - 9, centre.y() - 9, 18, 18), Qt::AlignCenter, text);
}

struct RoomLook {
  bool hovered = false;
  bool current = false;
  bool selected = false;
};

void PaintRoom(QPainter& p, const LaidRoom& room, const QRectF& box, RoomLook look, const QFont& base) {
  if (look.current) {
    p.setPen(QPen(kCurrent, 2));
    QColor glow = kCurrent;
    glow.setAlpha(60);
    p.setBrush(glow);
    p.drawRoundedRect(box.adjusted(-6, -6, 6, 6), 10, 10);
  }
  if (look.selected) {
    p.setPen(QPen(kSelected, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(-4, -4, 4, 4), 9, 9);
  }
  if (!room.missing) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawRoundedRect(box.translated(2, 2), 6, 6);
  }
  QColor fill = room.missing ? QColor(255, 255, 255, 140) : room.reachesBeamUp ? kWayBack : kNoWayBack;
  if (look.hovered) fill = fill.darker(110);
  QPen border(kInk, 1.5);
  if (room.missing) {
    border = QPen(kMissing, 1.5, Qt::DashLine);
  } else if (room.beamDown) {
    border = QPen(kBeamDown, 3);
  } else if (!room.placedByGrid) {
    border = QPen(kInk, 1.5, Qt::DashLine);
  }
  p.setPen(border);
  p.setBrush(fill);
  p.drawRoundedRect(box, 6, 6);

  if (!room.name.empty()) {
    QFont name = Sized(base, 9, !room.missing);
    name.setItalic(room.missing);
    p.setFont(name);
    p.setPen(room.missing ? kMissing : kInk);
    const QRectF text = box.adjusted(5, 2, -5, -2);
    p.drawText(text, Qt::AlignCenter, QFontMetrics(name).elidedText(qt::FromCp1252(room.name), Qt::ElideMiddle,
                                                                    static_cast<int>(text.width())));
  }
  if (room.beamsUp) PaintBeamUp(p, QRectF(box.right() - 15, box.bottom() - 15, 10, 11));
  if (room.beamDown) PaintBeamDown(p, box.topLeft() + QPointF(2, 2));
  if (room.worst) {
    PaintMarker(p, box.topRight() + QPointF(-2, 2), *room.worst, QString::number(room.findings.size()), base);
  }
}

}  // namespace

// ---- the map

AdventureMapWidget::AdventureMapWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void AdventureMapWidget::ShowMap(MapLayout layout) {
  layout_ = std::move(layout);
  current_ = selected_ = hovered_ = pressed_ = -1;
  setFixedSize(layout_.width, layout_.height);
  unsetCursor();
  update();
}

void AdventureMapWidget::SetCurrent(int room) {
  current_ = room;
  update();
}

void AdventureMapWidget::SetSelected(int room) {
  selected_ = room;
  update();
}

QSize AdventureMapWidget::sizeHint() const { return QSize(layout_.width, layout_.height); }

void AdventureMapWidget::Hover(int room) {
  if (room == hovered_) return;
  hovered_ = room;
  if (room >= 0) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
  update();
}

bool AdventureMapWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const MapPoint at = M(help->pos());
  std::string text;
  if (const MapLock* lock = layout_.LockAt(at)) {
    text = lock->tooltip;
  } else if (const int room = layout_.RoomAt(at); room >= 0) {
    text = layout_.rooms[static_cast<std::size_t>(room)].tooltip;
  } else if (const int passage = layout_.PassageAt(at); passage >= 0) {
    text = layout_.passages[static_cast<std::size_t>(passage)].tooltip;
  }
  if (text.empty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), qt::FromCp1252(text), this);
  }
  return true;
}

void AdventureMapWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  PaintPaper(p, layout_);
  for (const LaidPassage& passage : layout_.passages) {
    PaintPassage(p, passage.style, P(passage.start), P(passage.end),
                 passage.curved ? std::optional<QPointF>(P(passage.control)) : std::nullopt);
  }
  for (std::size_t i = 0; i < layout_.rooms.size(); ++i) {
    const int index = static_cast<int>(i);
    PaintRoom(p, layout_.rooms[i], R(layout_.rooms[i].box), {index == hovered_, index == current_, index == selected_},
              font());
  }
  // Badges last: a lock sits on its passage and must not hide under a room's ring.
  for (const LaidPassage& passage : layout_.passages) {
    for (const MapLock& lock : passage.locks) PaintLock(p, R(lock.badge), qt::FromCp1252(lock.flag), font());
  }
  PaintRulers(p, layout_, visibleRegion().boundingRect(), font());
}

void AdventureMapWidget::mouseMoveEvent(QMouseEvent* event) { Hover(layout_.RoomAt(M(event->position().toPoint()))); }

void AdventureMapWidget::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton ? layout_.RoomAt(M(event->position().toPoint())) : -1;
}

void AdventureMapWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int room = layout_.RoomAt(M(event->position().toPoint()));
  const bool same = room == pressed_;
  pressed_ = -1;
  if (room >= 0 && same) emit roomClicked(room);
}

void AdventureMapWidget::leaveEvent(QEvent*) { Hover(-1); }

// ---- the legend

namespace {

LaidRoom SampleRoom(bool reaches, bool byGrid, bool missing) {
  LaidRoom room;
  room.reachesBeamUp = reaches;
  room.placedByGrid = byGrid;
  room.missing = missing;
  return room;
}

void SampleLine(QPainter& p, const QRectF& r, PassageStyle style) {
  PaintPassage(p, style, QPointF(r.left() + 2, r.center().y()), QPointF(r.right() - 2, r.center().y()), std::nullopt);
}

std::vector<MapLegend::Entry> LegendEntries() {
  return {
      {"Room with a way back to the ship",
       [](QPainter& p, const QRectF& r, const QFont& f) { PaintRoom(p, SampleRoom(true, true, false), r, {}, f); }},
      {"Room with no way back to the ship",
       [](QPainter& p, const QRectF& r, const QFont& f) { PaintRoom(p, SampleRoom(false, true, false), r, {}, f); }},
      {"Placed from its doors (no grid name)",
       [](QPainter& p, const QRectF& r, const QFont& f) { PaintRoom(p, SampleRoom(true, false, false), r, {}, f); }},
      {"Missing room that a door leads to",
       [](QPainter& p, const QRectF& r, const QFont& f) { PaintRoom(p, SampleRoom(false, false, true), r, {}, f); }},
      {"Beam-down room",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         LaidRoom room = SampleRoom(true, true, false);
         room.beamDown = true;
         PaintRoom(p, room, r.adjusted(10, 2, 0, 0), {}, f);
       }},
      {"An action here beams up",
       [](QPainter& p, const QRectF& r, const QFont&) {
         PaintBeamUp(p, QRectF(r.center().x() - 6, r.top() + 3, 12, 14));
       }},
      {"Doors both ways", [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, PassageStyle::TwoWay); }},
      {"One way only", [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, PassageStyle::OneWay); }},
      {"Door to a neighbour with no door back",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, PassageStyle::NoWayBack); }},
      {"Door to a missing room",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, PassageStyle::ToMissing); }},
      {"Locked: opens while the flag is set",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         SampleLine(p, r, PassageStyle::TwoWay);
         PaintLock(p, QRectF(r.center().x() - 9, r.center().y() - 10, 18, 20), QStringLiteral("B"), f);
       }},
      {"Room findings: error, warning, note",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         const qreal y = r.center().y();
         PaintMarker(p, QPointF(r.left() + 10, y), Severity::Error, QStringLiteral("1"), f);
         PaintMarker(p, QPointF(r.center().x(), y), Severity::Warning, QStringLiteral("1"), f);
         PaintMarker(p, QPointF(r.right() - 10, y), Severity::Note, QStringLiteral("1"), f);
       }},
      {"Open in the room editor",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         PaintRoom(p, SampleRoom(true, true, false), r.adjusted(6, 4, -6, -4), {false, true, false}, f);
       }},
  };
}

}  // namespace

MapLegendWidget::MapLegendWidget(QWidget* parent)
    : MapLegend(LegendEntries(),
                {.row = 24, .sampleLeft = 4, .sampleInset = 3, .sampleWidth = 60, .textLeft = 74, .paper = QColor()},
                parent) {}

}  // namespace zelmora::check
