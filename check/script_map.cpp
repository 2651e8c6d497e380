#include "check/script_map.h"

#include "check/script_graph_dot.h"
#include "messages/message_parts.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmora::check {

namespace {

constexpr std::size_t kListedItems = 10;
constexpr std::size_t kItemWidth = 70;

std::string Cut(std::string text, std::size_t width) {
  if (text.size() > width) text = text.substr(0, width - 3) + "...";
  return text;
}

bool HoldsNoCase(std::string_view name, std::string_view text) {
  return platform::ToUpper1252(name).find(platform::ToUpper1252(text)) != std::string::npos;
}

FlagUse UseOf(const GraphEdge& edge, const std::string& flag) {
  bool tests = false, changes = false;
  for (const std::string& f : edge.needs) tests = tests || f == flag || f == "!" + flag;
  for (const std::string& f : edge.sets) changes = changes || f.substr(1) == flag;
  if (tests && changes) return FlagUse::Both;
  return tests ? FlagUse::Tests : changes ? FlagUse::Changes : FlagUse::None;
}

FlagUse Joined(FlagUse a, FlagUse b) {
  if (a == FlagUse::None || a == b) return b;
  if (b == FlagUse::None) return a;
  return FlagUse::Both;
}

void ListItems(std::string& out, const char* heading, const std::vector<std::string>& values, int shownCount) {
  if (values.empty()) return;
  out += std::string("\n") + heading + ":";
  for (std::size_t i = 0; i < values.size() && i < kListedItems; ++i) {
    const auto parts = messages::ParseMessage(values[i]);
    std::string line = messages::MessageDisplayText(values[i]);
    if (line.empty()) line = "(no text)";
    out += "\n  " + std::to_string(i + 1) + ". " + Cut(line, kItemWidth);
    if (parts.AnswerGroup) out += "  -> " + *parts.AnswerGroup;
  }
  if (values.size() > kListedItems) {
    out += "\n  ... and " + std::to_string(shownCount - static_cast<int>(kListedItems)) + " more";
  }
}

}  // namespace

ScriptMap::ScriptMap(ScriptMapView& view, SheetMetrics metrics) : view_(view), metrics_(std::move(metrics)) {}

bool ScriptMap::Show(ScriptGraph graph) {
  const std::string selected = marks_.selected >= 0 && static_cast<std::size_t>(marks_.selected) < graph_.nodes.size()
                                   ? graph_.nodes[static_cast<std::size_t>(marks_.selected)].name
                                   : std::string();
  graph_ = std::move(graph);
  sheet_ = BuildSheet(graph_, metrics_);
  std::string dot = SheetDot(sheet_);
  laidOut_ = dot != dot_ || !error_.empty();
  bool placed = false;
  if (laidOut_) {
    error_.clear();
    dot_ = std::move(dot);
    if (auto layout = LayoutWithDot(dot_, &error_, SheetTextMeasure(metrics_))) layout_ = std::move(*layout);
    else layout_ = {};
  }
  if (error_.empty()) placed = PlaceSheet(sheet_, layout_);
  if (!placed && error_.empty()) error_ = "Graphviz left the map unplaced";
  if (!placed) {
    sheet_.width = sheet_.height = 0;
    for (SheetBox& box : sheet_.boxes) box.x = box.y = 0;
  }

  std::vector<FlagRow> flags;
  for (const std::string& flag : graph_.Flags()) {
    const std::string text = describe_ ? describe_(flag) : std::string();
    flags.push_back({flag, text.empty() ? flag : flag + "  " + text});
  }
  if (flags != flags_) view_.ShowFlags(flags_ = flags);

  view_.ShowSheet(sheet_, graph_);
  marks_.selected = selected.empty() ? -1 : graph_.Find(selected);
  bool flagKept = false;
  for (const FlagRow& row : flags_) flagKept = flagKept || row.flag == marks_.flag;
  if (!flagKept) marks_.flag.clear();
  Mark(true);
  Summarise();
  return placed;
}

void ScriptMap::SetChecking(bool checking) {
  checking_ = checking;
  Summarise();
}

void ScriptMap::Select(int node) {
  if (node < -1 || node >= static_cast<int>(graph_.nodes.size())) node = -1;
  marks_.selected = node;
  Mark(false);
}

bool ScriptMap::Find(const std::string& text) {
  if (text.empty()) return false;
  std::vector<int> matches;
  for (std::size_t i = 0; i < graph_.nodes.size(); ++i) {
    if (platform::EqualsNoCase(graph_.nodes[i].name, text)) matches.push_back(static_cast<int>(i));
  }
  for (std::size_t i = 0; i < graph_.nodes.size(); ++i) {
    const bool whole = platform::EqualsNoCase(graph_.nodes[i].name, text);
    if (!whole && HoldsNoCase(graph_.nodes[i].name, text)) matches.push_back(static_cast<int>(i));
  }
  if (matches.empty()) return false;
  // Finding again goes on to the next group that matches.
  auto at = std::find(matches.begin(), matches.end(), marks_.selected);
  const int node = at == matches.end() || at + 1 == matches.end() ? matches.front() : *(at + 1);
  Select(node);
  const int box = sheet_.boxOfNode[static_cast<std::size_t>(node)];
  if (box >= 0) view_.CentreOn(box);
  return true;
}

void ScriptMap::ChooseFlag(const std::string& flag) {
  marks_.flag = flag;
  Mark(false);
}

void ScriptMap::Mark(bool drawn) {
  MapMarks marks;
  marks.selected = marks_.selected;
  marks.flag = marks_.flag;
  marks.pathLines.assign(sheet_.lines.size(), false);
  marks.pathBoxes.assign(sheet_.boxes.size(), false);
  marks.flagLines.assign(sheet_.lines.size(), FlagUse::None);
  if (marks.selected >= 0) {
    const std::vector<bool> onPath = graph_.EdgesFromRoots(marks.selected);
    for (std::size_t e = 0; e < graph_.edges.size(); ++e) {
      if (!onPath[e]) continue;
      const GraphEdge& edge = graph_.edges[e];
      if (const int line = sheet_.lineOfEdge[e]; line >= 0) marks.pathLines[static_cast<std::size_t>(line)] = true;
      for (int node : {edge.from, edge.to}) {
        if (const int box = sheet_.boxOfNode[static_cast<std::size_t>(node)]; box >= 0) {
          marks.pathBoxes[static_cast<std::size_t>(box)] = true;
        }
      }
    }
    if (const int box = sheet_.boxOfNode[static_cast<std::size_t>(marks.selected)]; box >= 0) {
      marks.pathBoxes[static_cast<std::size_t>(box)] = true;
    }
  }
  if (!marks.flag.empty()) {
    for (std::size_t e = 0; e < graph_.edges.size(); ++e) {
      const int line = sheet_.lineOfEdge[e];
      if (line < 0) continue;
      FlagUse& use = marks.flagLines[static_cast<std::size_t>(line)];
      use = Joined(use, UseOf(graph_.edges[e], marks.flag));
    }
  }
  if (marks == marks_ && !drawn) return;
  marks_ = std::move(marks);
  view_.ShowMarks(marks_);
}

void ScriptMap::Summarise() {
  int unreachable = 0, missing = 0, findings = 0;
  for (const GraphNode& n : graph_.nodes) {
    unreachable += n.unreachable ? 1 : 0;
    missing += n.missing ? 1 : 0;
    findings += static_cast<int>(n.findings.size());
  }
  for (const GraphEdge& e : graph_.edges) findings += static_cast<int>(e.findings.size());
  auto count = [](int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); };
  std::string summary = count(static_cast<int>(graph_.nodes.size() - static_cast<std::size_t>(missing)), "group", "groups") +
                        ", " + count(static_cast<int>(graph_.edges.size()), "link", "links");
  if (missing > 0) summary += ", " + count(missing, "missing group", "missing groups");
  if (unreachable > 0) summary += ", " + count(unreachable, "group no visit reaches", "groups no visit reaches");
  summary += ", " + count(findings, "finding", "findings") + ".";
  if (checking_) summary += " Checking...";
  if (!error_.empty()) summary += " " + error_ + ".";
  if (summary != summary_) view_.ShowSummary(summary_ = summary);
}

std::string ScriptMap::Describe(int node) const {
  if (node < 0 || static_cast<std::size_t>(node) >= graph_.nodes.size()) return {};
  const GraphNode& n = graph_.nodes[static_cast<std::size_t>(node)];
  std::string out = n.name;
  switch (n.kind) {
    case NodeKind::Root: out += " (where play starts)"; break;
    case NodeKind::Room: out += " (room)"; break;
    case NodeKind::End: out += " (the conversation ends)"; break;
    case NodeKind::Group: break;
  }
  if (n.missing) {
    out += "\nMissing: a link names it, but it has no items.";
  } else if (n.kind != NodeKind::End) {
    out += "\n" + NodeCounts(n);
  }
  if (n.unreachable) out += "\nNo visit reaches it.";
  ListItems(out, "Messages", n.messageTexts, n.messages);
  ListItems(out, "Responses", n.responseTexts, n.responses);
  if (!n.findings.empty()) {
    out += "\nFindings:";
    for (const Finding& f : n.findings) out += "\n  " + std::string(SeverityName(f.severity)) + ": " + f.message;
  }
  return out;
}

std::string ScriptMap::DescribeLine(int line) const {
  if (line < 0 || static_cast<std::size_t>(line) >= sheet_.lines.size()) return {};
  std::string out;
  for (int e : sheet_.lines[static_cast<std::size_t>(line)].edges) {
    const GraphEdge& edge = graph_.edges[static_cast<std::size_t>(e)];
    const char* what = "";
    switch (edge.kind) {
      case EdgeKind::Response: what = "offers its responses"; break;
      case EdgeKind::Message: what = "plays it next"; break;
      case EdgeKind::Companion: what = "its Ignore or Phaser group"; break;
      case EdgeKind::Door: what = "a door"; break;
      case EdgeKind::Beam: what = "beams down into it"; break;
      case EdgeKind::BeamUp: what = "beams up"; break;
    }
    if (!out.empty()) out += "\n";
    if (!edge.key.empty()) out += edge.key + ": ";
    out += graph_.nodes[static_cast<std::size_t>(edge.from)].name + " -> " +
           graph_.nodes[static_cast<std::size_t>(edge.to)].name + " (" + what + ")";
    if (!edge.needs.empty() || !edge.sets.empty()) out += ", flags " + EdgeLabel(edge);
    if (edge.lock) out += ", a lock";
    for (const Finding& f : edge.findings) out += "\n  " + std::string(SeverityName(f.severity)) + ": " + f.message;
  }
  return out;
}

std::vector<OpenTarget::Kind> ScriptMap::Targets(int node) const {
  using Kind = OpenTarget::Kind;
  if (node < 0 || static_cast<std::size_t>(node) >= graph_.nodes.size()) return {};
  const GraphNode& n = graph_.nodes[static_cast<std::size_t>(node)];
  // A group without items of one kind is opened the way the links into it use it.
  int intoResponses = 0, intoMessages = 0;
  for (const GraphEdge& e : graph_.edges) {
    if (e.to != node) continue;
    (e.kind == EdgeKind::Response ? intoResponses : intoMessages) += 1;
  }
  std::vector<Kind> kinds;
  if (n.kind == NodeKind::Room) kinds.push_back(Kind::Room);
  const bool responsesFirst =
      n.messages == 0 && (n.responses > 0 || intoResponses > intoMessages);
  if (responsesFirst) {
    kinds.push_back(Kind::Responses);
    kinds.push_back(Kind::Messages);
  } else {
    kinds.push_back(Kind::Messages);
    kinds.push_back(Kind::Responses);
  }
  return kinds;
}

std::optional<OpenTarget> ScriptMap::Target(int node, std::optional<OpenTarget::Kind> kind) const {
  const auto kinds = Targets(node);
  if (kinds.empty()) return std::nullopt;
  OpenTarget target;
  target.group = graph_.nodes[static_cast<std::size_t>(node)].name;
  target.kind = kind && std::find(kinds.begin(), kinds.end(), *kind) != kinds.end() ? *kind : kinds.front();
  return target;
}

std::string ScriptMap::Svg(const std::string& title, std::string* error, const DotTextMeasure& measure) const {
  return RenderWithDot(ScriptGraphDot(graph_, title), "svg", error, measure);
}

int ScriptMap::BoxNear(SheetPoint p) const {
  int best = -1;
  double nearest = std::numeric_limits<double>::max();
  for (std::size_t i = 0; i < sheet_.boxes.size(); ++i) {
    const SheetPoint c = sheet_.boxes[i].Centre();
    const double d = std::hypot(c.x - p.x, c.y - p.y);
    if (d < nearest) {
      nearest = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int ScriptMap::StartBox() const {
  int best = -1;
  std::size_t most = 0;
  for (std::size_t root = 0; root < sheet_.boxes.size(); ++root) {
    if (sheet_.boxes[root].kind != NodeKind::Root) continue;
    std::vector<bool> seen(sheet_.boxes.size(), false);
    std::vector<int> stack{static_cast<int>(root)};
    seen[root] = true;
    std::size_t reached = 0;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      ++reached;
      for (const SheetLine& line : sheet_.lines) {
        for (auto [from, to] : {std::pair(line.from, line.to), std::pair(line.to, line.from)}) {
          if (from != at || seen[static_cast<std::size_t>(to)] || (to == line.from && !line.bothWays)) continue;
          seen[static_cast<std::size_t>(to)] = true;
          stack.push_back(to);
        }
      }
    }
    if (best < 0 || reached > most) {
      best = static_cast<int>(root);
      most = reached;
    }
  }
  return best;
}

int ScriptMap::BoxNamed(const std::string& name) const {
  const int node = graph_.Find(name);
  return node < 0 ? -1 : sheet_.boxOfNode[static_cast<std::size_t>(node)];
}

}  // namespace zelmora::check
