#include "check/script_graph.h"

#include "check/flag_uses.h"
#include "check/play_model.h"
#include "check/room_graph.h"
#include "check/script_index.h"
#include "messages/script_keys.h"
#include "simulator/ship_state.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <map>

namespace zelmora::check {

namespace {

using platform::ToUpper1252;

std::string Flag(int flag) { return flag == simulator::kTreatyFlag ? std::string("treaty") : FlagName(flag); }

bool IsRoot(std::string_view name) {
  using namespace messages;
  for (std::string_view root : {kInitGroup, kHailGroup, kBeamGroup, kBackGroup, kReturnedGroup, kPhaserGroup}) {
    if (platform::EqualsNoCase(name, root)) return true;
  }
  return false;
}

bool IsLinkFinding(FindingKind kind) {
  switch (kind) {
    case FindingKind::MissingMessages:
    case FindingKind::MissingResponses:
    case FindingKind::DoorToMissingRoom:
    case FindingKind::OneWayDoor:
    case FindingKind::LockNeverOpens: return true;
    default: return false;
  }
}

bool IsUnreachedFinding(FindingKind kind) {
  return kind == FindingKind::UnreachedGroup || kind == FindingKind::GroupNeverPlayed ||
         kind == FindingKind::RoomNeverEntered;
}

class Builder {
 public:
  explicit Builder(const messages::PlanetScript& script) : script_(script), index_(script) {}

  ScriptGraph Build(const std::vector<Finding>& findings) {
    const auto lists = index_.CountedLists();
    for (const ItemListInfo* list : lists) {
      if (list->group.empty() || list->present.empty()) continue;
      GraphNode& node = graph_.nodes[static_cast<std::size_t>(Node(list->group))];
      auto& texts = list->list == ItemList::Responses ? node.responseTexts : node.messageTexts;
      for (int n : list->present) texts.push_back(index_.Value(list->Key(n)));
      (list->list == ItemList::Responses ? node.responses : node.messages) += static_cast<int>(list->present.size());
    }
    const std::size_t withItems = graph_.nodes.size();
    rooms_ = BuildRoomGraph(index_);
    for (GraphNode& node : graph_.nodes) {
      if (IsRoot(node.name)) node.kind = NodeKind::Root;
      else if (rooms_.Find(messages::KeyName(node.name)) >= 0) node.kind = NodeKind::Room;
    }

    PlayModel model(index_, Planet(), AlienName(), ~FlagBits{0});
    for (const ItemListInfo* list : lists) {
      if (list->group.empty() || list->present.empty()) continue;
      const int level = model.Level(list->level);
      const PlayList& played = list->list == ItemList::Responses ? model.Responses(level)
                               : list->IsBeamList()              ? model.Beam(level)
                                                                 : model.Messages(level);
      const int from = Node(list->group);
      for (const PlayItem& item : played.items) {
        if (item.number > 0) ItemEdges(model, from, item, list->IsBeamList());
      }
    }
    CompanionEdges(withItems);
    DoorEdges();
    for (std::size_t i = withItems; i < graph_.nodes.size(); ++i) {
      GraphNode& node = graph_.nodes[i];
      const std::string_view name = node.name;
      if (name == kBeamUpRoom || name == kNoneGroup) node.kind = NodeKind::End;
      else node.missing = true;
    }
    Attach(findings);
    return std::move(graph_);
  }

 private:
  const store::PlanetRecord& Planet() const { return script_.Record().Planet(script_.Planet()); }

  std::string AlienName() const {
    const auto& aliens = script_.Store().GetTables().AlienNames;
    const int alien = store::PlanetAttributes::Decode(Planet().Attributes).AlienIndex;
    std::string name = alien >= 0 && alien < static_cast<int>(aliens.size()) ? aliens[static_cast<std::size_t>(alien)] : "";
    return name.empty() ? "Aliens" : name;
  }

  int Node(const std::string& shown) {
    auto [it, added] = byName_.emplace(ToUpper1252(shown), static_cast<int>(graph_.nodes.size()));
    if (added) {
      GraphNode node;
      node.name = shown;
      graph_.nodes.push_back(std::move(node));
    }
    return it->second;
  }

  void ItemEdges(PlayModel& model, int from, const PlayItem& item, bool beamList) {
    GraphEdge base;
    base.from = from;
    base.key = item.key;
    for (int flag = 0; flag < kFlagNumbers; ++flag) {
      if (item.needSet & FlagBit(flag)) base.needs.push_back(Flag(flag));
      if (item.needClear & FlagBit(flag)) base.needs.push_back("!" + Flag(flag));
    }
    for (const Effect& e : item.effects) {
      if (e.kind == Effect::SetFlag) base.sets.push_back("+" + Flag(e.value));
      if (e.kind == Effect::ClearFlag) base.sets.push_back("-" + Flag(e.value));
      if (e.kind == Effect::ToggleFlag) base.sets.push_back("~" + Flag(e.value));
    }
    for (const Effect& e : item.effects) {
      if (e.kind != Effect::MessageLevel && e.kind != Effect::ResponseLevel) continue;
      GraphEdge edge = base;
      edge.to = Node(messages::ShownName(model.LevelName(e.value)));
      edge.kind = e.kind == Effect::MessageLevel ? EdgeKind::Message : EdgeKind::Response;
      if (beamList && rooms_.Find(model.LevelName(e.value)) >= 0) edge.kind = EdgeKind::Beam;
      graph_.edges.push_back(std::move(edge));
    }
  }

  void CompanionEdges(std::size_t withItems) {
    for (std::size_t i = 0; i < withItems; ++i) {
      if (graph_.nodes[i].messages == 0) continue;
      const std::string name = graph_.nodes[i].name;
      for (const std::string& companion : {messages::IgnoreGroupName(name), messages::PhaserGroupName(name)}) {
        auto it = byName_.find(ToUpper1252(companion));
        if (it == byName_.end() || static_cast<std::size_t>(it->second) >= withItems || it->second == static_cast<int>(i)) continue;
        GraphEdge edge;
        edge.from = static_cast<int>(i);
        edge.to = it->second;
        edge.kind = EdgeKind::Companion;
        graph_.edges.push_back(std::move(edge));
      }
    }
  }

  // A room's actions are its responses' "*M" links: marked as doors, with their locks.
  void DoorEdges() {
    std::map<std::string, const Door*> doors;
    for (const Room& room : rooms_.rooms) {
      for (const Door& door : room.doors) doors.emplace(ToUpper1252(door.key), &door);
    }
    for (GraphEdge& edge : graph_.edges) {
      if (edge.kind != EdgeKind::Message) continue;
      auto it = doors.find(ToUpper1252(edge.key));
      if (it == doors.end()) continue;
      const Door& door = *it->second;
      if (!platform::EqualsNoCase(messages::KeyName(graph_.nodes[static_cast<std::size_t>(edge.to)].name),
                                  door.destination)) {
        continue;
      }
      edge.kind = door.beamUp ? EdgeKind::BeamUp : EdgeKind::Door;
      edge.lock = door.lockFlag >= 0 || door.lockedSide;
    }
  }

  void Attach(const std::vector<Finding>& findings) {
    std::map<std::string, std::vector<std::size_t>> edgesByKey;
    for (std::size_t i = 0; i < graph_.edges.size(); ++i) {
      if (!graph_.edges[i].key.empty()) edgesByKey[ToUpper1252(graph_.edges[i].key)].push_back(i);
    }
    for (const Finding& f : findings) {
      if (IsLinkFinding(f.kind)) {
        auto it = edgesByKey.find(ToUpper1252(f.key));
        if (it != edgesByKey.end()) {
          for (std::size_t i : it->second) graph_.edges[i].findings.push_back(f);
          continue;
        }
      }
      const std::string& where = !f.room.empty() ? f.room : f.group;
      if (where.empty()) continue;
      const int node = graph_.Find(messages::ShownName(where));
      if (node < 0) continue;
      GraphNode& n = graph_.nodes[static_cast<std::size_t>(node)];
      n.findings.push_back(f);
      if (IsUnreachedFinding(f.kind)) n.unreachable = true;
    }
  }

  const messages::PlanetScript& script_;
  ScriptIndex index_;
  RoomGraph rooms_;
  ScriptGraph graph_;
  std::map<std::string, int> byName_;  // upper-cased shown name -> node
};

}  // namespace

const char* NodeKindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::Root: return "root";
    case NodeKind::Group: return "group";
    case NodeKind::Room: return "room";
    case NodeKind::End: return "end";
  }
  return "";
}

const char* EdgeKindName(EdgeKind kind) {
  switch (kind) {
    case EdgeKind::Response: return "response";
    case EdgeKind::Message: return "message";
    case EdgeKind::Companion: return "companion";
    case EdgeKind::Door: return "door";
    case EdgeKind::Beam: return "beam";
    case EdgeKind::BeamUp: return "beamup";
  }
  return "";
}

int ScriptGraph::Find(std::string_view name) const {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (platform::EqualsNoCase(nodes[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

bool ScriptGraph::UsesFlag(const GraphEdge& edge, std::string_view flag) {
  auto strip = [](std::string_view s) { return s.empty() || std::isalnum(static_cast<unsigned char>(s[0])) ? s : s.substr(1); };
  for (const auto* list : {&edge.needs, &edge.sets}) {
    for (const std::string& f : *list) {
      if (strip(f) == flag) return true;
    }
  }
  return false;
}

std::vector<std::string> ScriptGraph::Flags() const {
  std::vector<std::string> out;
  for (int flag = 0; flag < kFlagNumbers; ++flag) {
    const std::string name = Flag(flag);
    if (name.empty()) continue;
    for (const GraphEdge& e : edges) {
      if (UsesFlag(e, name)) {
        out.push_back(name);
        break;
      }
    }
  }
  return out;
}

std::vector<bool> ScriptGraph::EdgesFromRoots(int node) const {
  // Nodes a root reaches, then those that reach `node`: an edge is on a path when both hold.
  const std::size_t n = nodes.size();
  std::vector<bool> fromRoot(n, false), toNode(n, false), out(edges.size(), false);
  if (node < 0 || static_cast<std::size_t>(node) >= n) return out;
  std::vector<int> stack;
  for (std::size_t i = 0; i < n; ++i) {
    if (nodes[i].kind == NodeKind::Root) {
      fromRoot[i] = true;
      stack.push_back(static_cast<int>(i));
    }
  }
  auto walk = [&](std::vector<bool>& seen, bool forward) {
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      for (const GraphEdge& e : edges) {
        const int from = forward ? e.from : e.to, to = forward ? e.to : e.from;
        if (from == at && !seen[static_cast<std::size_t>(to)]) {
          seen[static_cast<std::size_t>(to)] = true;
          stack.push_back(to);
        }
      }
    }
  };
  walk(fromRoot, true);
  toNode[static_cast<std::size_t>(node)] = true;
  stack.push_back(node);
  walk(toNode, false);
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const auto f = static_cast<std::size_t>(edges[i].from), t = static_cast<std::size_t>(edges[i].to);
    out[i] = fromRoot[f] && toNode[t] && fromRoot[t] && toNode[f];
  }
  return out;
}

ScriptGraph BuildScriptGraph(const messages::PlanetScript& script, const std::vector<Finding>& findings) {
  // One reading of the file for the whole graph: a file written a moment ago is otherwise read
  // again for every key, as it may still change within its time stamp's tick.
  store::DescriptorBatch snapshot(script.Store(), script.Record().Name);
  return Builder(script).Build(findings);
}

ScriptGraph MapScript(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                      const CheckOptions& options) {
  store::DescriptorBatch snapshot(script.Store(), script.Record().Name);
  return BuildScriptGraph(script, CheckPlanet(script, catalogue, options).findings);
}

}  // namespace zelmora::check
