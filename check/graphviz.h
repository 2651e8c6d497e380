#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// Graphviz's "dot" engine on a graph in its language, rendered to `format` ("svg", "plain", "png",
// ...). Empty, with `error` set, when Graphviz refuses the graph. The one place its headers are read.
std::string RenderWithDot(std::string_view dot, const char* format, std::string* error = nullptr);

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
};

struct DotLayout {
  double width = 0;
  double height = 0;
  std::vector<DotNode> nodes;
  std::vector<DotEdge> edges;
};

// The graph laid out by "dot"; nothing, with `error` set, when Graphviz refuses it.
std::optional<DotLayout> LayoutWithDot(std::string_view dot, std::string* error = nullptr);

}  // namespace zelmora::check
