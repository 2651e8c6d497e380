#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// A text's font as the graph names it (its "fontname" and "fontsize").
struct DotFont {
  std::string_view name;
  double points = 0;
};

// The room a line of text takes, in points.
struct DotTextSize {
  double width = 0;
  double height = 0;
};

// How wide and high a line of text is in a font; the text is UTF-8, as Graphviz hands it on
// (it reads a graph whose charset is latin1 into UTF-8). Graphviz leaves that much room for labels.
using DotTextMeasure = std::function<DotTextSize(const DotFont& font, std::string_view utf8)>;

// Where no measure is given: average widths of a sans-serif face at the font's size.
DotTextSize EstimateDotText(const DotFont& font, std::string_view utf8);

// Graphviz's "dot" engine on a graph in its language, rendered to `format`: one of the texts
// Graphviz writes itself ("svg", "plain", "plain-ext", "dot", "xdot", "json"). Empty, with `error`
// set, when Graphviz refuses the graph or the format. The one place its headers are read.
std::string RenderWithDot(std::string_view dot, const char* format, std::string* error = nullptr,
                          const DotTextMeasure& measure = {});

// Where "dot" put things, in points, with the origin at the top left and y growing downwards.
struct DotPoint {
  double x = 0;
  double y = 0;
};

struct DotNode {
  std::string name;
  DotPoint centre;
  double width = 0;
  double height = 0;
};

struct DotEdge {
  std::string id;               // the edge's "id" attribute
  std::vector<DotPoint> curve;  // a cubic Bezier path: a start point, then three points a segment
  std::optional<DotPoint> startTip;  // where an arrowhead at the start points, when there is one
  std::optional<DotPoint> endTip;
  std::optional<DotPoint> label;  // the centre of the room left for the label
  double labelWidth = 0;          // the size of that room
  double labelHeight = 0;
};

struct DotLayout {
  double width = 0;
  double height = 0;
  std::vector<DotNode> nodes;
  std::vector<DotEdge> edges;
};

// The graph laid out by "dot"; nothing, with `error` set, when Graphviz refuses it.
std::optional<DotLayout> LayoutWithDot(std::string_view dot, std::string* error = nullptr,
                                       const DotTextMeasure& measure = {});

}  // namespace zelmora::check
