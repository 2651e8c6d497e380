#include "check/script_graph_dot.h"

namespace zelmora::check {

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n' || c == '\r') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& s : items) out += (out.empty() ? "" : " ") + s;
  return out;
}

}  // namespace

std::string EdgeLabel(const GraphEdge& edge) {
  const std::string needs = Join(edge.needs), sets = Join(edge.sets);
  if (sets.empty()) return needs;
  return needs.empty() ? "/ " + sets : needs + " / " + sets;
}

std::string NodeCounts(const GraphNode& node) {
  if (node.missing) return "no items";
  auto count = [](int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
  return count(node.messages, "message") + ", " + count(node.responses, "response");
}

std::string ScriptGraphDot(const ScriptGraph& graph, const std::string& title) {
  std::string out = "digraph " + Quoted(title) + " {\n";
  out += "  charset=\"latin1\";\n  rankdir=TB;\n  node [shape=box, fontname=\"Sans\", fontsize=10];\n";
  out += "  edge [fontname=\"Sans\", fontsize=8];\n";
  for (std::size_t i = 0; i < graph.nodes.size(); ++i) {
    const GraphNode& n = graph.nodes[i];
    std::string attrs = "label=" + Quoted(n.kind == NodeKind::End ? n.name : n.name + "\n" + NodeCounts(n));
    switch (n.kind) {
      case NodeKind::Root: attrs += ", style=\"bold,filled\", fillcolor=\"#dde8f8\""; break;
      case NodeKind::Room: attrs += ", shape=box3d, style=filled, fillcolor=\"#e6f2dd\""; break;
      case NodeKind::End: attrs += ", shape=ellipse"; break;
      case NodeKind::Group: break;
    }
    if (n.missing) attrs += ", style=dashed, color=red, fontcolor=red";
    else if (n.unreachable) attrs += ", style=filled, fillcolor=\"#dddddd\", fontcolor=\"#666666\"";
    if (!n.findings.empty()) attrs += ", peripheries=2";
    out += "  n" + std::to_string(i) + " [" + attrs + "];\n";
    if (n.kind == NodeKind::Root) out += "  { rank=min; n" + std::to_string(i) + "; }\n";
  }
  for (const GraphEdge& e : graph.edges) {
    std::string attrs = "label=" + Quoted(EdgeLabel(e));
    switch (e.kind) {
      case EdgeKind::Response: attrs += ", style=dashed"; break;
      case EdgeKind::Companion: attrs += ", style=dotted, arrowhead=empty"; break;
      case EdgeKind::Door: case EdgeKind::BeamUp: attrs += ", color=\"#3d7a29\""; break;
      case EdgeKind::Beam: attrs += ", color=\"#2950a0\", penwidth=2"; break;
      case EdgeKind::Message: break;
    }
    if (e.lock) attrs += ", arrowtail=tee, dir=both";
    if (!e.findings.empty()) attrs += ", fontcolor=red";
    out += "  n" + std::to_string(e.from) + " -> n" + std::to_string(e.to) + " [" + attrs + "];\n";
  }
  return out + "}\n";
}

}  // namespace zelmora::check
