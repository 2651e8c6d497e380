#include "check/script_map_sheet.h"

#include "check/script_graph_dot.h"
#include "check/text_width.h"
#include "messages/message_parts.h"
#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

namespace zelmora::check {

namespace {

constexpr double kMinBoxWidth = 150;
constexpr double kMaxBoxWidth = 280;
constexpr double kBadgeRoom = 18;  // the finding badge at the top right
constexpr const char* kPartSuffixes[] = {"Search", "Tri"};
// The fonts a line's label is given to Graphviz in: they tell the measure whether a lock is drawn.
constexpr std::string_view kLabelFont = "map label";
constexpr std::string_view kLockedLabelFont = "map label locked";

// A room's search or tricorder group: its name is the room's and the suffix.
int OwnerRoom(const ScriptGraph& graph, const GraphNode& node) {
  if (node.kind == NodeKind::Root || node.missing) return -1;
  for (std::string_view suffix : kPartSuffixes) {
    const std::string_view name = node.name;
    if (name.size() <= suffix.size() || name.substr(name.size() - suffix.size()) != suffix) continue;
    const int room = graph.Find(name.substr(0, name.size() - suffix.size()));
    if (room >= 0 && graph.nodes[static_cast<std::size_t>(room)].kind == NodeKind::Room) return room;
  }
  return -1;
}

std::string PartLabel(const GraphNode& room, const GraphNode& part) { return part.name.substr(room.name.size()); }

std::string Inches(double pixels) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", pixels / 72.0);
  return text;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

void SizeBox(SheetBox& box, const ScriptGraph& graph, const SheetMetrics& m) {
  const GraphNode& node = graph.nodes[static_cast<std::size_t>(box.node)];
  if (node.kind == NodeKind::End) {
    box.width = m.titleWidth(box.title) + 36;
    box.height = m.titleHeight + 14;
    return;
  }
  double widest = std::max(m.titleWidth(box.title), m.textWidth(box.counts));
  double parts = 0;
  for (int part : box.parts) {
    parts += m.textWidth(PartLabel(node, graph.nodes[static_cast<std::size_t>(part)])) + 16 + 4;
  }
  // The first words are cut to the box, so that editing a text leaves the drawing as it was.
  box.width = std::clamp(std::max(widest + 2 * kBoxPadding + kBadgeRoom, parts + 2 * kBoxPadding), kMinBoxWidth,
                         std::max(kMaxBoxWidth, parts + 2 * kBoxPadding));
  box.height = 2 * kBoxPadding + m.titleHeight + m.lineHeight + (box.words.empty() ? 0 : m.lineHeight) +
               (box.parts.empty() ? 0 : kPartRow);
}

}  // namespace

SheetMetrics ApproximateMetrics() {
  SheetMetrics m;
  // Twips of the 8-point table; a name is drawn a little larger and bold.
  m.textWidth = [](std::string_view text) { return ApproximateDialogTwips(text) / 15.0; };
  m.titleWidth = [](std::string_view text) { return ApproximateDialogTwips(text) / 15.0 * 1.3; };
  m.labelWidth = m.textWidth;
  return m;
}

std::string FirstWords(std::string_view value, int words) {
  const std::string text = messages::MessageDisplayText(value);
  std::string out;
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i >= text.size()) break;
    std::size_t end = text.find(' ', i);
    if (end == std::string::npos) end = text.size();
    if (count == words) return out + "...";
    out += (out.empty() ? "" : " ") + text.substr(i, end - i);
    ++count;
    i = end;
  }
  return out;
}

ScriptSheet BuildSheet(const ScriptGraph& graph, const SheetMetrics& metrics) {
  ScriptSheet sheet;
  const std::size_t n = graph.nodes.size();
  sheet.boxOfNode.assign(n, -1);
  sheet.lineOfEdge.assign(graph.edges.size(), -1);
  std::vector<int> owner(n, -1);
  for (std::size_t i = 0; i < n; ++i) owner[i] = OwnerRoom(graph, graph.nodes[i]);
  for (std::size_t i = 0; i < n; ++i) {
    if (owner[i] >= 0) continue;
    const GraphNode& node = graph.nodes[i];
    SheetBox box;
    box.node = static_cast<int>(i);
    box.kind = node.kind;
    box.title = node.name;
    if (node.kind != NodeKind::End) box.counts = node.missing ? "missing: no items" : NodeCounts(node);
    const auto& texts = node.messageTexts.empty() ? node.responseTexts : node.messageTexts;
    if (!texts.empty()) box.words = FirstWords(texts.front());
    sheet.boxOfNode[i] = static_cast<int>(sheet.boxes.size());
    sheet.boxes.push_back(std::move(box));
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (owner[i] < 0) continue;
    const int box = sheet.boxOfNode[static_cast<std::size_t>(owner[i])];
    sheet.boxOfNode[i] = box;
    sheet.boxes[static_cast<std::size_t>(box)].parts.push_back(static_cast<int>(i));
  }
  for (SheetBox& box : sheet.boxes) SizeBox(box, graph, metrics);

  // Links alike between the same two boxes share a line; a plain pair both ways is one line too.
  using Key = std::tuple<int, int, EdgeKind, std::string, bool>;
  std::map<Key, int> lineOf;
  for (std::size_t e = 0; e < graph.edges.size(); ++e) {
    const GraphEdge& edge = graph.edges[e];
    const int from = sheet.boxOfNode[static_cast<std::size_t>(edge.from)];
    const int to = sheet.boxOfNode[static_cast<std::size_t>(edge.to)];
    const std::string label = EdgeLabel(edge);
    const bool plain = label.empty() && !edge.lock && edge.findings.empty();
    if (edge.kind == EdgeKind::BeamUp) {
      sheet.boxes[static_cast<std::size_t>(from)].beamsUp.push_back(static_cast<int>(e));
      continue;
    }
    // Within a room and its parts, or a group answering with its own responses: nothing to draw.
    if (from == to && plain) continue;
    const Key key{from, to, edge.kind, label, edge.lock};
    auto it = lineOf.find(key);
    if (it == lineOf.end() && plain) {
      auto back = lineOf.find(Key{to, from, edge.kind, label, false});
      if (back != lineOf.end() && !sheet.lines[static_cast<std::size_t>(back->second)].findings) {
        sheet.lines[static_cast<std::size_t>(back->second)].bothWays = true;
        it = back;
      }
    }
    if (it == lineOf.end()) {
      SheetLine line;
      line.from = from;
      line.to = to;
      line.kind = edge.kind;
      line.lock = edge.lock;
      line.label = label;
      it = lineOf.emplace(key, static_cast<int>(sheet.lines.size())).first;
      sheet.lines.push_back(std::move(line));
    }
    SheetLine& line = sheet.lines[static_cast<std::size_t>(it->second)];
    line.edges.push_back(static_cast<int>(e));
    line.findings = line.findings || !edge.findings.empty();
    sheet.lineOfEdge[e] = it->second;
  }
  return sheet;
}

std::string SheetDot(const ScriptSheet& sheet) {
  std::string out = "digraph map {\n  charset=\"latin1\"; rankdir=TB; nodesep=0.3; ranksep=0.45;\n";
  // Graphviz's own limits keep a large map's layout to a moment; a small one gets its full care.
  if (sheet.lines.size() > 120) out += "  nslimit=2; nslimit1=2; mclimit=0.5;\n";
  out += "  node [shape=box, fixedsize=true, label=\"\"];\n  edge [fontname=" + Quoted(kLabelFont) + "];\n";
  std::string roots;
  for (std::size_t i = 0; i < sheet.boxes.size(); ++i) {
    const SheetBox& box = sheet.boxes[i];
    out += "  b" + std::to_string(i) + " [width=" + Inches(box.width) + ", height=" + Inches(box.height) +
           (box.kind == NodeKind::End ? ", shape=ellipse" : "") + "];\n";
    // Where play starts is at the top.
    if (box.kind == NodeKind::Root) roots += " b" + std::to_string(i) + ";";
  }
  if (!roots.empty()) roots = "  { rank=source;" + roots + " }\n";
  for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
    const SheetLine& line = sheet.lines[i];
    std::string attrs = "id=\"l" + std::to_string(i) + "\"";
    // A lock alone still needs its card: Graphviz leaves no room for an empty label.
    if (!line.label.empty() || line.lock) attrs += ", label=" + Quoted(line.label.empty() ? " " : line.label);
    if (line.lock) attrs += ", fontname=" + Quoted(kLockedLabelFont);
    if (line.bothWays) attrs += ", dir=both";
    // A companion hangs below its group without pulling the layers about.
    if (line.kind == EdgeKind::Companion) attrs += ", weight=2";
    out += "  b" + std::to_string(line.from) + " -> b" + std::to_string(line.to) + " [" + attrs + "];\n";
  }
  return out + roots + "}\n";
}

DotTextMeasure SheetTextMeasure(const SheetMetrics& metrics) {
  return [metrics](const DotFont& font, std::string_view utf8) {
    std::string text = platform::Utf8ToCp1252(utf8);
    const auto first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (font.name != kLabelFont && font.name != kLockedLabelFont) {
      // Nothing else on the sheet is Graphviz's to measure; in case, its smaller lines' font.
      return DotTextSize{metrics.textWidth(text), metrics.lineHeight};
    }
    const auto& width = metrics.labelWidth ? metrics.labelWidth : metrics.textWidth;
    return DotTextSize{LabelCardWidth(width(text), text.empty(), font.name == kLockedLabelFont), kLabelHeight};
  };
}

bool PlaceSheet(ScriptSheet& sheet, const DotLayout& layout) {
  auto index = [](const std::string& name, char prefix, std::size_t count) -> int {
    if (name.size() < 2 || name[0] != prefix) return -1;
    int value = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
      if (name[i] < '0' || name[i] > '9') return -1;
      value = value * 10 + (name[i] - '0');
      if (static_cast<std::size_t>(value) >= count) return -1;
    }
    return value;
  };
  if (layout.nodes.size() != sheet.boxes.size() || layout.edges.size() != sheet.lines.size()) return false;
  auto shifted = [](DotPoint p) { return SheetPoint{p.x + kSheetMargin, p.y + kSheetMargin}; };
  for (const DotNode& node : layout.nodes) {
    const int i = index(node.name, 'b', sheet.boxes.size());
    if (i < 0) return false;
    SheetBox& box = sheet.boxes[static_cast<std::size_t>(i)];
    const SheetPoint c = shifted(node.centre);
    box.x = c.x - box.width / 2;
    box.y = c.y - box.height / 2;
  }
  for (const DotEdge& edge : layout.edges) {
    const int i = index(edge.id, 'l', sheet.lines.size());
    if (i < 0) return false;
    SheetLine& line = sheet.lines[static_cast<std::size_t>(i)];
    line.curve.clear();
    for (DotPoint p : edge.curve) line.curve.push_back(shifted(p));
    line.startTip = edge.startTip ? std::optional(shifted(*edge.startTip)) : std::nullopt;
    line.endTip = edge.endTip ? std::optional(shifted(*edge.endTip)) : std::nullopt;
    line.labelAt = edge.label ? std::optional(shifted(*edge.label)) : std::nullopt;
  }
  sheet.width = layout.width + 2 * kSheetMargin;
  sheet.height = layout.height + 2 * kSheetMargin;
  return true;
}

int ScriptSheet::BoxAt(SheetPoint p) const {
  for (std::size_t i = boxes.size(); i-- > 0;) {
    if (boxes[i].Contains(p)) return static_cast<int>(i);
  }
  return -1;
}

void ScriptSheet::PartRect(const SheetBox& box, std::size_t index, double& x, double& y, double& width,
                           double& height) const {
  // The parts share the foot of the box equally.
  const double count = static_cast<double>(box.parts.size());
  const double inner = box.width - 2 * kBoxPadding;
  width = (inner - 4 * (count - 1)) / count;
  x = box.x + kBoxPadding + static_cast<double>(index) * (width + 4);
  y = box.y + box.height - kPartRow - 4;
  height = kPartRow - 2;
}

int ScriptSheet::NodeAt(int box, SheetPoint p) const {
  if (box < 0 || static_cast<std::size_t>(box) >= boxes.size()) return -1;
  const SheetBox& b = boxes[static_cast<std::size_t>(box)];
  for (std::size_t i = 0; i < b.parts.size(); ++i) {
    double x, y, w, h;
    PartRect(b, i, x, y, w, h);
    if (p.x >= x && p.x < x + w && p.y >= y && p.y < y + h) return b.parts[i];
  }
  return b.node;
}

}  // namespace zelmora::check
