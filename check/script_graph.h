#pragma once

#include "check/checker.h"
#include "check/finding.h"
#include "messages/planet_script.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// A planet's script as a graph: every group with items, the names links give that have none, and
// every link between them, with the flags it needs and changes and what the checker found.

enum class NodeKind {
  Root,   // where play starts a conversation: INIT, Hail, Beam, Back, Returned, Phaser
  Group,  // a conversation group
  Room,   // a room of the adventure
  End,    // "BeamUp" or "None" without items: the walk ends there
};

enum class EdgeKind {
  Response,   // "*R": the responses offered next
  Message,    // "*M": the message group played next
  Companion,  // a message group's Ignore or Phaser group
  Door,       // a room's action to another room
  Beam,       // a beam-down message into a room
  BeamUp,     // a room's action that beams up
};

const char* NodeKindName(NodeKind kind);  // "root", "group", "room", "end"
const char* EdgeKindName(EdgeKind kind);  // "response", "message", "companion", "door", "beam", "beamup"

struct GraphNode {
  std::string name;  // as the message editor shows it (INIT for the empty one)
  NodeKind kind = NodeKind::Group;
  int messages = 0;  // items present within their count
  int responses = 0;
  bool missing = false;      // named by a link, without items
  bool unreachable = false;  // the checker proved no visit gets to it
  std::vector<std::string> messageTexts;  // as stored, in item order
  std::vector<std::string> responseTexts;
  std::vector<Finding> findings;
};

struct GraphEdge {
  int from = 0;  // node indices
  int to = 0;
  std::string key;  // the item the link comes from; empty for a companion
  EdgeKind kind = EdgeKind::Message;
  std::vector<std::string> needs;  // "A" needs flag A set, "!A" needs it clear
  std::vector<std::string> sets;      // "+A" sets, "-A" clears, "~A" toggles
  bool lock = false;
  std::vector<Finding> findings;
};

struct ScriptGraph {
  std::vector<GraphNode> nodes;  // the groups in the order of their count keys, then the missing ones
  std::vector<GraphEdge> edges;

  int Find(std::string_view name) const;  // any case; -1 when not a node
  // Whether an edge tests or changes `flag` ("A").
  static bool UsesFlag(const GraphEdge& edge, std::string_view flag);
  // Every flag any edge tests or changes, in flag order.
  std::vector<std::string> Flags() const;
  // The edges on some path from a root to `node` (walking the edges backwards from it).
  std::vector<bool> EdgesFromRoots(int node) const;
};

// The graph of a planet's script with `findings` (the checker's, of this planet) attached.
ScriptGraph BuildScriptGraph(const messages::PlanetScript& script, const std::vector<Finding>& findings);

// The planet checked, then its graph.
ScriptGraph MapScript(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                      const CheckOptions& options = {});

}  // namespace zelmora::check
