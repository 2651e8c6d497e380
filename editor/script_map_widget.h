#pragma once

#include "check/script_map_view.h"
#include "editor/map_legend_widget.h"

#include <QGraphicsView>
#include <QWidget>

#include <functional>
#include <optional>

class QGraphicsScene;

namespace zelmora::check {

class SheetItem;

// The script map's sheet in a view: the wheel and Ctrl+plus/minus zoom, a drag pans, a click
// chooses a group, a double click (or Enter) opens it, pointing at a box or a line tells about it.
class ScriptMapCanvas : public QGraphicsView {
  Q_OBJECT

 public:
  explicit ScriptMapCanvas(QWidget* parent = nullptr);
  ~ScriptMapCanvas() override;

  // A new drawing. The zoom stays; with `centre` the view is brought there (sheet pixels).
  void ShowSheet(const ScriptSheet& sheet, const ScriptGraph& graph, std::optional<QPointF> centre);
  void ShowMarks(const MapMarks& marks);
  // The texts of the tooltips over a graph node and over a line.
  void SetDescriptions(std::function<QString(int node)> node, std::function<QString(int line)> line);

  void CentreOnBox(int box);
  // The sheet point in the middle of the view.
  QPointF Centre() const;
  double Zoom() const;
  void SetZoom(double zoom);
  void ZoomIn();
  void ZoomOut();
  // The whole sheet in view, never larger than its own size.
  void Fit();
  // The zoom at which the whole sheet would be in view.
  double FitZoom() const;
  // The whole sheet as a picture, as drawn now.
  QImage Picture() const;

  // Where a box's middle is in the view's viewport, for pointing at it.
  QPoint ViewportPointOf(int box) const;
  int NodeAtViewport(QPoint point) const;
  int HoveredBox() const;

  static constexpr double kMinZoom = 0.1;
  static constexpr double kMaxZoom = 3.0;

 signals:
  void nodeClicked(int node);
  void nodeActivated(int node);  // -1: the chosen group (Enter)
  void nodeMenu(int node, QPoint global);
  void zoomChanged(double zoom);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ZoomAround(double factor, std::optional<QPoint> viewportPoint);
  int LineAt(QPointF scenePoint) const;

  QGraphicsScene* scene_;
  SheetItem* item_;
  std::function<QString(int)> describeNode_;
  std::function<QString(int)> describeLine_;
  QPoint pressAt_;
  int pressedNode_ = -1;
  bool panning_ = false;
  bool pressed_ = false;
};

// The legend beside the map: a sample of each kind of box, line and mark with what it means.
class ScriptMapLegend : public MapLegend {
 public:
  explicit ScriptMapLegend(QWidget* parent = nullptr);
};

}  // namespace zelmora::check
