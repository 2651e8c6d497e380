#pragma once

#include "check/script_map_view.h"

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QStringList>

#include <optional>

class QPainter;

namespace zelmora::check {

// The fonts the map is drawn and measured with, in pixels so that a box holds its text at any
// screen resolution.
QFont MapTitleFont(const QFont& base);
QFont MapTextFont(const QFont& base);
QFont MapLabelFont(const QFont& base);  // the flags on a line's label card
// What the map's layout measures texts with.
SheetMetrics MapMetrics(const QFont& base);
// Texts of a drawing Graphviz writes out (SVG) measured in the fonts it names, in points.
DotTextMeasure NamedFontMeasure();

// How one box of the script map is drawn.
struct BoxLook {
  NodeKind kind = NodeKind::Group;
  bool missing = false;
  bool unreachable = false;
  QString title, counts, words;
  QStringList parts;    // a room's search and tricorder groups, drawn at its foot
  int chosenPart = -1;  // the part that is the chosen group
  std::optional<Severity> worst;
  int findings = 0;
  bool beamsUp = false;
  bool selected = false;
  bool onPath = false;
  bool hovered = false;
  bool dim = false;  // something else is lit
};

// How one line is drawn; `mark` is the colour it is lit in, when it is.
struct LineLook {
  EdgeKind kind = EdgeKind::Message;
  bool findings = false;
  QColor mark;
  bool dim = false;
};

const QColor& MapPaper();
const QColor& MapDesk();
QColor PathColour();
QColor FlagUseColour(FlagUse use);

void PaintBox(QPainter& p, const QRectF& box, const BoxLook& look, const QFont& base);
// A line along `path`, with arrowheads at the tips it has.
void PaintLine(QPainter& p, const QPainterPath& path, std::optional<QPointF> startTip, std::optional<QPointF> endTip,
               const LineLook& look);
// A line's flags on a small card centred at `at`, a padlock before them when it is a lock.
void PaintLabel(QPainter& p, QPointF at, const QString& text, bool lock, bool findings, const QFont& base);
// Shared with the adventure map, so that both maps speak alike.
QColor SeverityColour(Severity severity);
void PaintBeamUp(QPainter& p, const QRectF& r);
void PaintBadge(QPainter& p, QPointF centre, Severity severity, const QString& text, const QFont& base);

// The sheet as one item: it paints what the exposed part shows, so a large map stays quick.
class SheetItem : public QGraphicsItem {
 public:
  SheetItem();

  void Set(const ScriptSheet& sheet, const ScriptGraph& graph);
  void SetMarks(const MapMarks& marks);
  void SetHovered(int box);
  int Hovered() const { return hovered_; }
  void SetBaseFont(const QFont& font) { base_ = font; }

  const ScriptSheet& Sheet() const { return sheet_; }
  const ScriptGraph& Graph() const { return graph_; }
  QPainterPath PathOf(const SheetLine& line) const;

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  BoxLook LookOf(std::size_t box) const;
  LineLook LookOfLine(std::size_t line) const;

  ScriptSheet sheet_;
  ScriptGraph graph_;
  std::vector<QPainterPath> paths_;
  MapMarks marks_;
  int hovered_ = -1;
  QFont base_;
};

}  // namespace zelmora::check
