#pragma once

#include "check/graphviz.h"
#include "check/script_graph.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// The script map as the window draws it: a box for each group, and lines between boxes, placed by
// Graphviz. A room's search and tricorder groups are drawn inside the room's box, a door that
// beams up as a mark on its room, and a pair of plain links both ways as one line. Pixels, with the
// origin at the sheet's top left.

struct SheetPoint {
  double x = 0;
  double y = 0;
  bool operator==(const SheetPoint&) const = default;
};

struct SheetBox {
  int node = 0;             // the graph node it shows
  NodeKind kind = NodeKind::Group;
  std::vector<int> parts;   // nodes drawn inside it: a room's search and tricorder groups
  std::vector<int> beamsUp;  // edges that leave it for the ship: a mark, not a line
  std::string title;        // the group's name
  std::string counts;       // "3 messages, 2 responses"
  std::string words;        // the first words of its first message (or response)
  double x = 0, y = 0, width = 0, height = 0;

  bool Contains(SheetPoint p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
  SheetPoint Centre() const { return {x + width / 2, y + height / 2}; }
};

struct SheetLine {
  int from = 0;  // boxes
  int to = 0;
  std::vector<int> edges;  // the graph edges it draws: several when they join the same boxes alike
  EdgeKind kind = EdgeKind::Message;
  bool bothWays = false;
  bool lock = false;
  bool findings = false;
  std::string label;  // the flags needed and changed
  std::vector<SheetPoint> curve;  // a cubic Bezier path
  std::optional<SheetPoint> startTip, endTip, labelAt;
};

// Widths of texts in pixels, as the window's fonts measure them.
struct SheetMetrics {
  std::function<double(std::string_view)> titleWidth;  // a box's name
  std::function<double(std::string_view)> textWidth;   // its smaller lines
  std::function<double(std::string_view)> labelWidth;  // the flags on a line's label card
  double titleHeight = 16;
  double lineHeight = 14;
};

// Measured from a table of an 8-point font's widths, for where no font is at hand.
SheetMetrics ApproximateMetrics();

// A line's label is a card: its flags with room either side, after a lock when the line has one.
inline constexpr double kLabelHeight = 15;
inline constexpr double kLabelLockRoom = 12;
inline double LabelCardWidth(double textWidth, bool emptyText, bool lock) {
  return textWidth + (lock ? kLabelLockRoom : 0) + (emptyText ? 4 : 8);
}

inline constexpr double kBoxPadding = 8;
inline constexpr double kPartRow = 20;  // the row of a room's parts at the foot of its box
inline constexpr double kSheetMargin = 24;

struct ScriptSheet {
  std::vector<SheetBox> boxes;
  std::vector<SheetLine> lines;
  std::vector<int> boxOfNode;  // the box showing each graph node, or -1
  std::vector<int> lineOfEdge;  // the line drawing each graph edge, or -1
  double width = 0;
  double height = 0;

  int BoxAt(SheetPoint p) const;
  // The part of box `box` at `p`: a node drawn inside it, or its own node.
  int NodeAt(int box, SheetPoint p) const;
  // Where part `index` of a box is drawn.
  void PartRect(const SheetBox& box, std::size_t index, double& x, double& y, double& width, double& height) const;
};

// Boxes and lines of a graph, sized but not yet placed.
ScriptSheet BuildSheet(const ScriptGraph& graph, const SheetMetrics& metrics);
// The sheet in Graphviz's language, for placing: box i is "b" + i, line i has id "l" + i.
std::string SheetDot(const ScriptSheet& sheet);
// What Graphviz measures the sheet's texts with: a line's label takes the room of its card.
DotTextMeasure SheetTextMeasure(const SheetMetrics& metrics);
// Puts the boxes and lines where Graphviz placed them; false when the layout is not of this sheet.
bool PlaceSheet(ScriptSheet& sheet, const DotLayout& layout);

// The first words of a message as a box shows them: display text, at most `words` words.
std::string FirstWords(std::string_view value, int words = 7);

}  // namespace zelmora::check
