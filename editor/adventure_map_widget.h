#pragma once

#include "check/map_layout.h"
#include "editor/map_legend_widget.h"

#include <QWidget>

namespace zelmora::check {

// Draws a laid-out adventure map: paper with cell numbers, passages, lock badges and rooms with
// their marks. Tells which room was clicked; shows the layout's tooltips.
class AdventureMapWidget : public QWidget {
  Q_OBJECT

 public:
  explicit AdventureMapWidget(QWidget* parent = nullptr);

  void ShowMap(MapLayout layout);
  const MapLayout& Map() const { return layout_; }
  // The room open in the room editor, ringed; -1 for none.
  void SetCurrent(int room);
  int Current() const { return current_; }
  // The room of the finding chosen in the side list, ringed in another colour; -1 for none.
  void SetSelected(int room);
  int Selected() const { return selected_; }

  QSize sizeHint() const override;

 signals:
  void roomClicked(int room);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Hover(int room);

  MapLayout layout_;
  int current_ = -1;
  int selected_ = -1;
  int hovered_ = -1;
  int pressed_ = -1;
};

// The key to the map's marks, drawn with the map's own pens and brushes.
class MapLegendWidget : public MapLegend {
  Q_OBJECT

 public:
  explicit MapLegendWidget(QWidget* parent = nullptr);
  QSize minimumSizeHint() const override { return sizeHint(); }
};

}  // namespace zelmora::check
