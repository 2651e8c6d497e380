// The script map's graph: its nodes and links, the flags on them, and what the checker found.
#include "check/script_graph.h"
#include "check/script_graph_dot.h"
#include "check/graphviz.h"
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using ScriptGraphTest = CheckFixture;

const GraphEdge* EdgeOf(const ScriptGraph& g, std::string_view key, std::string_view to) {
  for (const GraphEdge& e : g.edges) {
    if (e.key == key && g.nodes[static_cast<std::size_t>(e.to)].name == to) return &e;
  }
  return nullptr;
}

TEST_F(ScriptGraphTest, ConversationLinksFlagsMissingAndUnreachableGroups) {
  Write({"Messages=1", "Message1=Hello.*RAsk", "ResponsesAsk=3", "ResponseAsk1=%FA%fCPass.*MGate",
         "ResponseAsk2=Leave.*Mnowhere", "ResponseAsk3=Wait.*M", "MessagesGate=1", "MessageGate1=Go.*SFB*CFA*RNone",
         "MessagesIgnore=1", "MessageIgnore1=Ignored.*RNone", "MessagesOrphan=1", "MessageOrphan1=Alone.*RNone",
         "ResponsesHail=1", "ResponseHail1=Hi.*RAsk", "AFlag=Passed", "BFlag=Gone", "CFlag=Cleared"});
  const ScriptGraph g = MapScript(Script(), catalogue, options);

  struct Want {
    const char* name;
    NodeKind kind;
    int messages, responses;
    bool missing, unreachable;
  };
  for (const Want& w : {Want{"INIT", NodeKind::Root, 1, 0, false, false}, Want{"Ask", NodeKind::Group, 0, 3, false, false},
                        Want{"Gate", NodeKind::Group, 1, 0, false, true}, Want{"Hail", NodeKind::Root, 0, 1, false, false},
                        Want{"Orphan", NodeKind::Group, 1, 0, false, true},
                        Want{"nowhere", NodeKind::Group, 0, 0, true, false}, Want{"None", NodeKind::End, 0, 0, false, false}}) {
    SCOPED_TRACE(w.name);
    const int i = g.Find(w.name);
    ASSERT_GE(i, 0);
    const GraphNode& n = g.nodes[static_cast<std::size_t>(i)];
    EXPECT_EQ(n.kind, w.kind);
    EXPECT_EQ(n.messages, w.messages);
    EXPECT_EQ(n.responses, w.responses);
    EXPECT_EQ(n.missing, w.missing);
    EXPECT_EQ(n.unreachable, w.unreachable);
  }
  EXPECT_EQ(g.nodes[static_cast<std::size_t>(g.Find("Orphan"))].findings.front().kind, FindingKind::GroupNeverPlayed);

  const GraphEdge* ask = EdgeOf(g, "Message1", "Ask");
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(ask->kind, EdgeKind::Response);
  EXPECT_EQ(g.nodes[static_cast<std::size_t>(ask->from)].name, "INIT");

  // Gate needs A set and C clear: never both while Ask is offered, since nothing sets A before it.
  const GraphEdge* pass = EdgeOf(g, "ResponseAsk1", "Gate");
  ASSERT_NE(pass, nullptr);
  EXPECT_EQ(pass->kind, EdgeKind::Message);
  EXPECT_EQ(pass->needs, (std::vector<std::string>{"A", "!C"}));
  EXPECT_EQ(EdgeOf(g, "MessageGate1", "None")->sets, (std::vector<std::string>{"+B", "-A"}));
  EXPECT_EQ(EdgeLabel(*pass), "A !C");
  EXPECT_EQ(EdgeLabel(*EdgeOf(g, "MessageGate1", "None")), "/ +B -A");

  const GraphEdge* lost = EdgeOf(g, "ResponseAsk2", "nowhere");
  ASSERT_NE(lost, nullptr);
  ASSERT_EQ(lost->findings.size(), 1u);
  EXPECT_EQ(lost->findings[0].kind, FindingKind::MissingMessages);

  // "*M" with no name plays INIT again.
  EXPECT_NE(EdgeOf(g, "ResponseAsk3", "INIT"), nullptr);
  // INIT's Ignore companion.
  bool companion = false;
  for (const GraphEdge& e : g.edges) {
    companion = companion || (e.kind == EdgeKind::Companion && g.nodes[static_cast<std::size_t>(e.to)].name == "Ignore");
  }
  EXPECT_TRUE(companion);

  EXPECT_EQ(g.Flags(), (std::vector<std::string>{"A", "B", "C"}));
  // The paths from the roots to Gate: INIT -> Ask, Hail -> Ask, Ask -> Gate, and Ask back to INIT.
  const auto onPath = g.EdgesFromRoots(g.Find("Gate"));
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < g.edges.size(); ++i) {
    if (onPath[i]) keys.push_back(g.edges[i].key);
  }
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"Message1", "ResponseAsk1", "ResponseAsk3", "ResponseHail1"}));
}

TEST_F(ScriptGraphTest, RoomsDoorsLocksAndBeamDown) {
  Grid(2, 2);
  Edit("Area11", [](adventure::RoomModel& room) { room.LockAction(1, 'B', "The door is sealed."); });
  const ScriptGraph g = MapScript(Script(), catalogue, options);
  const int room = g.Find("Area11");
  ASSERT_GE(room, 0);
  EXPECT_EQ(g.nodes[static_cast<std::size_t>(room)].kind, NodeKind::Room);

  int doors = 0, locks = 0, beams = 0, beamUps = 0;
  for (const GraphEdge& e : g.edges) {
    doors += e.kind == EdgeKind::Door;
    beams += e.kind == EdgeKind::Beam;
    beamUps += e.kind == EdgeKind::BeamUp;
    if (e.lock) {
      ++locks;
      EXPECT_EQ(g.nodes[static_cast<std::size_t>(e.from)].name, "Area11");
    }
  }
  EXPECT_GE(doors, 8);  // every room of the 2 x 2 grid has a door to each neighbour
  EXPECT_GE(locks, 1);
  EXPECT_GE(beams, 1);
  EXPECT_GE(beamUps, 4);
  // The lock's flag that nothing sets is on its edge.
  bool lockFinding = false;
  for (const GraphEdge& e : g.edges) {
    for (const Finding& f : e.findings) lockFinding = lockFinding || f.kind == FindingKind::LockNeverOpens;
  }
  EXPECT_TRUE(lockFinding);
}

TEST_F(ScriptGraphTest, DotIsAcceptedByGraphvizAndQuotesNames) {
  Write({"Messages=1", "Message1=Say \"hi\" \\o/*RA\"sk", "ResponsesA\"sk=1", "ResponseA\"sk1=%FAOk.*MGate",
         "MessagesGate=1", "MessageGate1=Go.*RNone", "AFlag=x"});
  const ScriptGraph g = MapScript(Script(), catalogue, options);
  const std::string dot = ScriptGraphDot(g, "Probe \"1\"");
  std::string error;
  const std::string svg = RenderWithDot(dot, "svg", &error);
  ASSERT_FALSE(svg.empty()) << error << "\n" << dot;
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("Gate"), std::string::npos);
  EXPECT_TRUE(RenderWithDot("digraph { a -> ", "svg", &error).empty());
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zelmora::check
