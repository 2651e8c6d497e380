#pragma once

#include "check/script_graph.h"

#include <string>

namespace zelmora::check {

// The graph in Graphviz's language, laid out from the roots down. Texts stay in the game's code
// page (the graph says so). Node i is "n" + i.
std::string ScriptGraphDot(const ScriptGraph& graph, const std::string& title);

// An edge's label: the flags it needs, then those it changes ("A !B / +C").
std::string EdgeLabel(const GraphEdge& edge);
// A node's first line of counts: "3 messages, 2 responses".
std::string NodeCounts(const GraphNode& node);

}  // namespace zelmora::check
