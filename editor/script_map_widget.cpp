#include "editor/script_map_widget.h"

#include "editor/script_map_sheet_widget.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPathStroker>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace zelmora::check {

namespace {

constexpr double kZoomStep = 1.25;

SheetPoint S(QPointF p) { return {p.x(), p.y()}; }

}  // namespace

ScriptMapCanvas::ScriptMapCanvas(QWidget* parent)
    : QGraphicsView(parent), scene_(new QGraphicsScene(this)), item_(new SheetItem) {
  setScene(scene_);
  scene_->addItem(item_);
  item_->SetBaseFont(font());
  setBackgroundBrush(MapDesk());
  setRenderHint(QPainter::Antialiasing);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setResizeAnchor(QGraphicsView::AnchorViewCenter);
  setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
  setDragMode(QGraphicsView::NoDrag);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The sheet always has room around it to pan in; bars that come and go would move the view.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

ScriptMapCanvas::~ScriptMapCanvas() = default;

void ScriptMapCanvas::ShowSheet(const ScriptSheet& sheet, const ScriptGraph& graph, std::optional<QPointF> centre) {
  item_->Set(sheet, graph);
  // Room around the sheet, so that a box at its edge can still be brought to the middle.
  const QRectF r(0, 0, sheet.width, sheet.height);
  scene_->setSceneRect(r.adjusted(-r.width() * 0.25 - 200, -r.height() * 0.25 - 200, r.width() * 0.25 + 200,
                                  r.height() * 0.25 + 200));
  if (centre) centerOn(*centre);
}

void ScriptMapCanvas::ShowMarks(const MapMarks& marks) { item_->SetMarks(marks); }

void ScriptMapCanvas::SetDescriptions(std::function<QString(int)> node, std::function<QString(int)> line) {
  describeNode_ = std::move(node);
  describeLine_ = std::move(line);
}

void ScriptMapCanvas::CentreOnBox(int box) {
  const auto& boxes = item_->Sheet().boxes;
  if (box < 0 || box >= static_cast<int>(boxes.size())) return;
  const SheetPoint c = boxes[static_cast<std::size_t>(box)].Centre();
  centerOn(c.x, c.y);
}

QPointF ScriptMapCanvas::Centre() const { return mapToScene(viewport()->rect().center()); }

double ScriptMapCanvas::Zoom() const { return transform().m11(); }

void ScriptMapCanvas::SetZoom(double zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  const QPointF centre = Centre();
  setTransform(QTransform::fromScale(zoom, zoom));
  centerOn(centre);
  emit zoomChanged(zoom);
}

void ScriptMapCanvas::ZoomIn() { ZoomAround(kZoomStep, std::nullopt); }
void ScriptMapCanvas::ZoomOut() { ZoomAround(1 / kZoomStep, std::nullopt); }

double ScriptMapCanvas::FitZoom() const {
  const ScriptSheet& sheet = item_->Sheet();
  if (sheet.width <= 0 || sheet.height <= 0) return 1;
  const QSize room = viewport()->size();
  return std::min((room.width() - 8) / sheet.width, (room.height() - 8) / sheet.height);
}

void ScriptMapCanvas::Fit() {
  const ScriptSheet& sheet = item_->Sheet();
  SetZoom(std::min(1.0, FitZoom()));
  centerOn(sheet.width / 2, sheet.height / 2);
}

void ScriptMapCanvas::ZoomAround(double factor, std::optional<QPoint> viewportPoint) {
  const double zoom = std::clamp(Zoom() * factor, kMinZoom, kMaxZoom);
  if (std::abs(zoom - Zoom()) < 1e-9) return;
  // The point under the pointer (or the middle) stays where it is.
  const QPoint anchor = viewportPoint.value_or(viewport()->rect().center());
  const QPointF before = mapToScene(anchor);
  setTransform(QTransform::fromScale(zoom, zoom));
  const QPointF after = mapToScene(anchor);
  const QPointF shift = (after - before) * zoom;
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + static_cast<int>(std::lround(-shift.x())));
  verticalScrollBar()->setValue(verticalScrollBar()->value() + static_cast<int>(std::lround(-shift.y())));
  emit zoomChanged(zoom);
}

QImage ScriptMapCanvas::Picture() const {
  const ScriptSheet& sheet = item_->Sheet();
  // Twice the size for a sharp print, within what an image may hold.
  const double scale = std::clamp(8000.0 / std::max({sheet.width, sheet.height, 1.0}), 0.25, 2.0);
  QImage image(QSize(static_cast<int>(std::ceil(sheet.width * scale)), static_cast<int>(std::ceil(sheet.height * scale))),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(MapPaper());
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  scene_->render(&p, QRectF(0, 0, image.width(), image.height()), QRectF(0, 0, sheet.width, sheet.height));
  return image;
}

QPoint ScriptMapCanvas::ViewportPointOf(int box) const {
  const auto& boxes = item_->Sheet().boxes;
  if (box < 0 || box >= static_cast<int>(boxes.size())) return {};
  const SheetBox& b = boxes[static_cast<std::size_t>(box)];
  // A little above the middle, clear of a room's parts.
  return mapFromScene(QPointF(b.x + b.width / 2, b.y + kBoxPadding + 6));
}

int ScriptMapCanvas::NodeAtViewport(QPoint point) const {
  const SheetPoint at = S(mapToScene(point));
  const ScriptSheet& sheet = item_->Sheet();
  return sheet.NodeAt(sheet.BoxAt(at), at);
}

int ScriptMapCanvas::HoveredBox() const { return item_->Hovered(); }

int ScriptMapCanvas::LineAt(QPointF scenePoint) const {
  const ScriptSheet& sheet = item_->Sheet();
  QPainterPathStroker stroker;
  stroker.setWidth(8 / std::max(Zoom(), 0.2));
  for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
    const QPainterPath path = item_->PathOf(sheet.lines[i]);
    if (!path.controlPointRect().adjusted(-8, -8, 8, 8).contains(scenePoint)) continue;
    if (stroker.createStroke(path).contains(scenePoint)) return static_cast<int>(i);
  }
  return -1;
}

void ScriptMapCanvas::wheelEvent(QWheelEvent* event) {
  // The wheel zooms around the pointer; with Shift it scrolls, as a page would.
  if (event->modifiers() & Qt::ShiftModifier) {
    QGraphicsView::wheelEvent(event);
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  ZoomAround(std::pow(kZoomStep, delta / 120.0), event->position().toPoint());
  event->accept();
}

void ScriptMapCanvas::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    const int node = NodeAtViewport(at);
    if (node >= 0) {
      emit nodeClicked(node);
      emit nodeMenu(node, event->globalPosition().toPoint());
    }
    return;
  }
  if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton) return;
  pressed_ = true;
  panning_ = event->button() == Qt::MiddleButton;
  pressAt_ = at;
  pressedNode_ = event->button() == Qt::LeftButton ? NodeAtViewport(at) : -1;
  if (panning_) viewport()->setCursor(Qt::ClosedHandCursor);
}

void ScriptMapCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (pressed_) {
    if (!panning_ && (at - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
      panning_ = true;
      viewport()->setCursor(Qt::ClosedHandCursor);
    }
    if (panning_) {
      const QPoint moved = at - pressAt_;
      pressAt_ = at;
      horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
      verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    }
    return;
  }
  const SheetPoint p = S(mapToScene(at));
  const int box = item_->Sheet().BoxAt(p);
  item_->SetHovered(box);
  if (box >= 0) {
    viewport()->setCursor(Qt::PointingHandCursor);
  } else {
    viewport()->unsetCursor();
  }
}

void ScriptMapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_) return;
  pressed_ = false;
  const bool panned = panning_;
  panning_ = false;
  viewport()->unsetCursor();
  if (panned || event->button() != Qt::LeftButton) return;
  const int node = NodeAtViewport(event->position().toPoint());
  // A click on the paper lets go of the chosen group.
  if (node == pressedNode_) emit nodeClicked(node);
}

void ScriptMapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int node = NodeAtViewport(event->position().toPoint());
  if (node >= 0) emit nodeActivated(node);
}

void ScriptMapCanvas::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // The chosen group opens, as a double click on it would.
      emit nodeActivated(-1);
      return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomIn();
      return;
    case Qt::Key_Minus:
      ZoomOut();
      return;
    default: break;
  }
  QGraphicsView::keyPressEvent(event);
}

void ScriptMapCanvas::leaveEvent(QEvent* event) {
  item_->SetHovered(-1);
  QGraphicsView::leaveEvent(event);
}

bool ScriptMapCanvas::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QGraphicsView::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QPointF at = mapToScene(help->pos());
  QString text;
  const int node = NodeAtViewport(help->pos());
  if (node >= 0 && describeNode_) {
    text = describeNode_(node);
  } else if (const int line = LineAt(at); line >= 0 && describeLine_) {
    text = describeLine_(line);
  }
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, viewport());
  }
  return true;
}

// ---- the legend

namespace {

void SampleBox(QPainter& p, const QRectF& r, const QFont& f, std::function<void(BoxLook&)> set) {
  BoxLook look;
  set(look);
  PaintBox(p, r.adjusted(4, 1, -4, -1), look, f);
}

void SampleLine(QPainter& p, const QRectF& r, EdgeKind kind, QColor mark = {}, bool findings = false) {
  QPainterPath path(QPointF(r.left() + 2, r.center().y()));
  path.lineTo(QPointF(r.right() - 12, r.center().y()));
  LineLook look;
  look.kind = kind;
  look.mark = mark;
  look.findings = findings;
  PaintLine(p, path, std::nullopt, QPointF(r.right() - 2, r.center().y()), look);
}

std::vector<MapLegend::Entry> LegendEntries() {
  return {
      {"Where play starts (INIT, Hail, Beam...)",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook& l) { l.kind = NodeKind::Root; }); }},
      {"Group: name, counts, first words",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook&) {}); }},
      {"Room, with its Search and Tri groups",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook& l) { l.kind = NodeKind::Room; }); }},
      {"Missing: named by a link, no items",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook& l) { l.missing = true; }); }},
      {"No visit reaches it",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook& l) { l.unreachable = true; }); }},
      {"The conversation ends (None)",
       [](QPainter& p, const QRectF& r, const QFont& f) { SampleBox(p, r, f, [](BoxLook& l) { l.kind = NodeKind::End; }); }},
      {"Findings: error, warning, note",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         PaintBadge(p, QPointF(r.left() + 10, r.center().y()), Severity::Error, QStringLiteral("1"), f);
         PaintBadge(p, QPointF(r.center().x(), r.center().y()), Severity::Warning, QStringLiteral("2"), f);
         PaintBadge(p, QPointF(r.right() - 10, r.center().y()), Severity::Note, QStringLiteral("1"), f);
       }},
      {"A room's action beams up",
       [](QPainter& p, const QRectF& r, const QFont&) { PaintBeamUp(p, QRectF(r.center().x() - 6, r.top() + 3, 12, 14)); }},
      {"*M: the message group played next",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, EdgeKind::Message); }},
      {"*R: the responses offered next",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, EdgeKind::Response); }},
      {"Its Ignore or Phaser group",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, EdgeKind::Companion); }},
      {"A door; beaming down",
       [](QPainter& p, const QRectF& r, const QFont&) {
         SampleLine(p, QRectF(r.left(), r.top() - 4, r.width(), r.height()), EdgeKind::Door);
         SampleLine(p, QRectF(r.left(), r.top() + 4, r.width(), r.height()), EdgeKind::Beam);
       }},
      {"Needs A, sets B; a lock",
       [](QPainter& p, const QRectF& r, const QFont& f) {
         SampleLine(p, r, EdgeKind::Door);
         PaintLabel(p, r.center(), QStringLiteral("A / +B"), true, false, f);
       }},
      {"A link the checker found wrong",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, EdgeKind::Message, {}, true); }},
      {"Path from the start to the chosen group",
       [](QPainter& p, const QRectF& r, const QFont&) { SampleLine(p, r, EdgeKind::Message, PathColour()); }},
      {"Chosen flag: tested, changed, both",
       [](QPainter& p, const QRectF& r, const QFont&) {
         const qreal third = r.width() / 3;
         for (int i = 0; i < 3; ++i) {
           QPainterPath path(QPointF(r.left() + i * third + 2, r.center().y()));
           path.lineTo(QPointF(r.left() + (i + 1) * third - 3, r.center().y()));
           LineLook look;
           look.mark = FlagUseColour(static_cast<FlagUse>(i + 1));
           PaintLine(p, path, std::nullopt, std::nullopt, look);
         }
       }},
  };
}

}  // namespace

ScriptMapLegend::ScriptMapLegend(QWidget* parent)
    : MapLegend(LegendEntries(),
                {.row = 20, .sampleLeft = 2, .sampleInset = 2, .sampleWidth = 58, .textLeft = 68, .paper = MapPaper()},
                parent) {}

}  // namespace zelmora::check
