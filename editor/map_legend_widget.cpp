#include "editor/map_legend_widget.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace zelmora::check {

namespace {
constexpr int kEdge = 2;  // above the first row and below the last
constexpr int kTextEnd = 4;
}  // namespace

MapLegend::MapLegend(std::vector<Entry> entries, Geometry geometry, QWidget* parent)
    : QWidget(parent), entries_(std::move(entries)), geometry_(std::move(geometry)) {}

QSize MapLegend::sizeHint() const {
  int widest = 0;
  const QFontMetrics metrics(font());
  for (const Entry& entry : entries_) widest = std::max(widest, metrics.horizontalAdvance(QLatin1String(entry.text)));
  return QSize(geometry_.textLeft + widest + kTextEnd, static_cast<int>(entries_.size()) * geometry_.row + 2 * kEdge);
}

void MapLegend::paintEvent(QPaintEvent*) {
  const Geometry& g = geometry_;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  int y = kEdge;
  for (const Entry& entry : entries_) {
    const QRectF sample(g.sampleLeft, y + g.sampleInset, g.sampleWidth, g.row - 2 * g.sampleInset);
    p.save();
    if (g.paper.isValid()) p.fillRect(sample.adjusted(-1, -1, 1, 1), g.paper);
    entry.sample(p, sample, font());
    p.restore();
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(QRectF(g.textLeft, y, width() - g.textLeft, g.row), Qt::AlignVCenter | Qt::AlignLeft,
               QLatin1String(entry.text));
    y += g.row;
  }
}

}  // namespace zelmora::check
