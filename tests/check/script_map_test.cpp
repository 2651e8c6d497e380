// The script map as the window draws it: boxes and lines placed by Graphviz, and the window's
// state over them (the chosen group and its paths, a flag's links, the search, where a group opens).
#include "check/script_map.h"
#include "check/script_map_sheet.h"
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zelmora::check {
namespace {

using testing::CheckFixture;

// A view that keeps what it was told and counts how often.
struct RecordingView : ScriptMapView {
  void ShowSheet(const ScriptSheet&, const ScriptGraph&) override { ++sheets; }
  void ShowMarks(const MapMarks& m) override {
    marks = m;
    ++markings;
  }
  void ShowFlags(const std::vector<FlagRow>& f) override { flags = f; }
  void ShowSummary(const std::string& s) override { summary = s; }
  void CentreOn(int box) override { centred = box; }
  int sheets = 0, markings = 0, centred = -1;
  MapMarks marks;
  std::vector<FlagRow> flags;
  std::string summary;
};

// A conversation: INIT offers Ask; Ask's first answer needs flag A and plays Gate, which sets B;
// Orphan is never reached; "nowhere" is named but has no items.
const std::initializer_list<std::string_view> kTalk = {
    "Messages=1",          "Message1=Hello there, traveller from afar, welcome.*RAsk",
    "ResponsesAsk=3",      "ResponseAsk1=%FAPass.*MGate",
    "ResponseAsk2=Leave.*Mnowhere", "ResponseAsk3=Wait.*M",
    "MessagesGate=1",      "MessageGate1=Go.*SFB*RNone",
    "MessagesOrphan=1",    "MessageOrphan1=Alone.*RNone",
    "ResponsesHail=1",     "ResponseHail1=Hi.*RAsk",
    "AFlag=Key found"};

struct ScriptMapTest : CheckFixture {
  ScriptGraph Graph() { return MapScript(Script(), catalogue, options); }
  static int LineBetween(const ScriptMap& map, const std::string& from, const std::string& to) {
    const auto& s = map.Sheet();
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
      const auto& l = s.lines[i];
      if (l.from == map.BoxNamed(from) && l.to == map.BoxNamed(to)) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(ScriptMapTest, RoomsHoldTheirSearchAndTriGroupsAndDoorsBothWaysAreOneLine) {
  Grid(2, 2);
  const ScriptGraph g = Graph();
  const ScriptSheet sheet = BuildSheet(g, ApproximateMetrics());
  const int room = sheet.boxOfNode[static_cast<std::size_t>(g.Find("Area11"))];
  ASSERT_GE(room, 0);
  // The room's own groups are drawn inside its box, not as boxes of their own.
  for (const char* part : {"Area11Search", "Area11Tri"}) {
    SCOPED_TRACE(part);
    const int node = g.Find(part);
    ASSERT_GE(node, 0);
    EXPECT_EQ(sheet.boxOfNode[static_cast<std::size_t>(node)], room);
  }
  const SheetBox& box = sheet.boxes[static_cast<std::size_t>(room)];
  EXPECT_EQ(box.parts.size(), 2u);
  EXPECT_EQ(box.kind, NodeKind::Room);
  // Leaving for the ship is a mark on the room, not a line across the sheet to BeamUp.
  EXPECT_FALSE(box.beamsUp.empty());
  const int beamUp = sheet.boxOfNode[static_cast<std::size_t>(g.Find("BeamUp"))];
  for (const SheetLine& line : sheet.lines) {
    EXPECT_FALSE(line.to == beamUp && line.kind == EdgeKind::BeamUp);
    // Nothing is drawn from a room to itself unless it says something.
    if (line.from == line.to) {
      EXPECT_FALSE(line.label.empty() && !line.lock);
    }
  }
  // Neighbours' doors both ways: one line with two heads, carrying both links.
  const int east = sheet.boxOfNode[static_cast<std::size_t>(g.Find("Area21"))];
  int between = 0;
  for (const SheetLine& line : sheet.lines) {
    if ((line.from == room && line.to == east) || (line.from == east && line.to == room)) {
      ++between;
      EXPECT_TRUE(line.bothWays);
      EXPECT_EQ(line.edges.size(), 2u);
    }
  }
  EXPECT_EQ(between, 1);
  // Every edge not drawn as a line is a mark or lies within a box.
  for (std::size_t e = 0; e < g.edges.size(); ++e) {
    if (sheet.lineOfEdge[e] >= 0) continue;
    const GraphEdge& edge = g.edges[e];
    const bool inside = sheet.boxOfNode[static_cast<std::size_t>(edge.from)] == sheet.boxOfNode[static_cast<std::size_t>(edge.to)];
    EXPECT_TRUE(inside || edge.kind == EdgeKind::BeamUp) << edge.key;
  }
}

TEST_F(ScriptMapTest, GraphvizPlacesBoxesApartWithRootsOnTopAndLinesBetweenTheirBoxes) {
  Grid(3, 3);
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph())) << map.LayoutError();
  const ScriptSheet& s = map.Sheet();
  double rootBottom = 0, othersTop = 1e9;
  for (std::size_t i = 0; i < s.boxes.size(); ++i) {
    const SheetBox& a = s.boxes[i];
    EXPECT_GE(a.x, 0);
    EXPECT_LE(a.x + a.width, s.width);
    if (a.kind == NodeKind::Root) {
      rootBottom = std::max(rootBottom, a.y + a.height);
    } else {
      othersTop = std::min(othersTop, a.y);
    }
    for (std::size_t j = i + 1; j < s.boxes.size(); ++j) {
      const SheetBox& b = s.boxes[j];
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << a.title << " overlaps " << b.title;
    }
  }
  EXPECT_LE(rootBottom, othersTop);
  // Of INIT and Beam, play starts the most at Beam: the way into every room.
  EXPECT_EQ(map.StartBox(), map.BoxNamed("Beam"));
  auto near = [](const SheetBox& box, SheetPoint p) {
    return p.x >= box.x - 12 && p.x <= box.x + box.width + 12 && p.y >= box.y - 12 && p.y <= box.y + box.height + 12;
  };
  for (const SheetLine& line : s.lines) {
    ASSERT_GE(line.curve.size(), 4u);
    EXPECT_EQ((line.curve.size() - 1) % 3, 0u);
    const SheetPoint start = line.startTip.value_or(line.curve.front());
    const SheetPoint end = line.endTip.value_or(line.curve.back());
    EXPECT_TRUE(near(s.boxes[static_cast<std::size_t>(line.from)], start)) << line.from << " -> " << line.to;
    EXPECT_TRUE(near(s.boxes[static_cast<std::size_t>(line.to)], end)) << line.from << " -> " << line.to;
    if (!line.label.empty()) {
      EXPECT_TRUE(line.labelAt.has_value());
    }
  }
  // What the window hit-tests with finds each box, and a room's part inside it.
  const int room = map.BoxNamed("Area11");
  const SheetBox& box = s.boxes[static_cast<std::size_t>(room)];
  EXPECT_EQ(s.BoxAt(box.Centre()), room);
  double x, y, w, h;
  s.PartRect(box, 1, x, y, w, h);
  EXPECT_EQ(s.NodeAt(room, {x + w / 2, y + h / 2}), box.parts[1]);
  EXPECT_EQ(s.NodeAt(room, {box.x + 4, box.y + 4}), box.node);
}

TEST_F(ScriptMapTest, GraphvizLeavesEachLabelTheRoomOfTheCardTheWindowDraws) {
  Grid(2, 2);
  {
    // Flags to show beside the lock.
    auto script = Script();
    for (auto [key, value] : {std::pair{"Messages", "1"}, {"Message1", "Hello.*RAsk"}, {"ResponsesAsk", "2"},
                              {"ResponseAsk1", "%FA%fBPass.*MINIT"}, {"ResponseAsk2", "Swap.*SFB*CFA*MINIT"}}) {
      script.PutMessage(key, value);
    }
  }
  Edit("Area11", [](adventure::RoomModel& room) { room.LockAction(1, 'B', "The door is sealed."); });
  const ScriptGraph g = Graph();
  SheetMetrics metrics = ApproximateMetrics();
  // Far wider than the estimate, so that a room left for anything else would fall short.
  metrics.labelWidth = [](std::string_view text) { return 11.0 * static_cast<double>(text.size()); };
  const ScriptSheet sheet = BuildSheet(g, metrics);
  std::string error;
  const auto layout = LayoutWithDot(SheetDot(sheet), &error, SheetTextMeasure(metrics));
  ASSERT_TRUE(layout.has_value()) << error;
  int labelled = 0, locked = 0;
  for (const DotEdge& edge : layout->edges) {
    const SheetLine& line = sheet.lines[static_cast<std::size_t>(std::stoi(edge.id.substr(1)))];
    if (line.label.empty() && !line.lock) continue;
    SCOPED_TRACE(line.label + (line.lock ? " (locked)" : ""));
    ++labelled;
    locked += line.lock;
    const double card = LabelCardWidth(metrics.labelWidth(line.label), line.label.empty(), line.lock);
    ASSERT_TRUE(edge.label.has_value());
    EXPECT_GE(edge.labelWidth, card);
    EXPECT_LE(edge.labelWidth, card + 2) << "more room than the card takes";
    EXPECT_GE(edge.labelHeight, kLabelHeight);
  }
  EXPECT_GE(labelled, 3);
  EXPECT_GE(locked, 1);
}

TEST_F(ScriptMapTest, LaysOutAgainOnlyWhenTheDrawingChangesAndKeepsWhatWasChosen) {
  Write(kTalk);
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  EXPECT_TRUE(map.LaidOut());
  map.Select(map.Graph().Find("Gate"));
  map.ChooseFlag("A");

  // A changed text, or a finding come late, moves no box.
  auto script = Script();
  script.PutMessage("MessageGate1", "Go on, quickly now.*SFB*RNone");
  const SheetBox before = map.Sheet().boxes[static_cast<std::size_t>(map.BoxNamed("Gate"))];
  ASSERT_TRUE(map.Show(BuildScriptGraph(Script(), {})));
  EXPECT_FALSE(map.LaidOut());
  const SheetBox& after = map.Sheet().boxes[static_cast<std::size_t>(map.BoxNamed("Gate"))];
  EXPECT_EQ(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  EXPECT_EQ(after.words, "Go on, quickly now.");
  EXPECT_EQ(view.sheets, 2);
  EXPECT_EQ(map.Graph().nodes[static_cast<std::size_t>(map.Selected())].name, "Gate");
  EXPECT_EQ(map.Marks().flag, "A");

  // A new answer code is a new line at once.
  script.PutMessage("ResponseHail1", "Hi.*MOrphan");
  ASSERT_TRUE(map.Show(BuildScriptGraph(Script(), {})));
  EXPECT_TRUE(map.LaidOut());
  EXPECT_GE(LineBetween(map, "Hail", "Orphan"), 0);
  EXPECT_LT(LineBetween(map, "Hail", "Ask"), 0);

  // A group that is gone is chosen no more; a flag no link uses is let go.
  script.PutMessage("MessagesGate", "0");
  script.PutMessage("ResponseAsk1", "Pass.*MOrphan");
  map.Show(BuildScriptGraph(Script(), {}));
  EXPECT_EQ(map.Selected(), -1);
  EXPECT_EQ(map.Marks().flag, "");
  EXPECT_TRUE(view.marks.flagLines.empty() ||
              std::all_of(view.marks.flagLines.begin(), view.marks.flagLines.end(),
                          [](FlagUse u) { return u == FlagUse::None; }));
}

TEST_F(ScriptMapTest, ChoosingAGroupLightsThePathsFromWherePlayStarts) {
  Write(kTalk);
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  const int marked = view.markings;
  map.Select(map.Graph().Find("Gate"));
  EXPECT_EQ(view.markings, marked + 1);
  map.Select(map.Graph().Find("Gate"));
  EXPECT_EQ(view.markings, marked + 1) << "the same choice again is no change";

  struct Want {
    const char* from;
    const char* to;
    bool lit;
  };
  for (const Want& w : {Want{"INIT", "Ask", true}, Want{"Hail", "Ask", true}, Want{"Ask", "Gate", true},
                        Want{"Gate", "None", false}, Want{"Ask", "nowhere", false}, Want{"Orphan", "None", false}}) {
    SCOPED_TRACE(std::string(w.from) + " -> " + w.to);
    const int line = LineBetween(map, w.from, w.to);
    ASSERT_GE(line, 0);
    EXPECT_EQ(view.marks.pathLines[static_cast<std::size_t>(line)], w.lit);
  }
  EXPECT_TRUE(view.marks.pathBoxes[static_cast<std::size_t>(map.BoxNamed("INIT"))]);
  EXPECT_FALSE(view.marks.pathBoxes[static_cast<std::size_t>(map.BoxNamed("Orphan"))]);
  // A group no path reaches lights nothing but itself.
  map.Select(map.Graph().Find("Orphan"));
  EXPECT_TRUE(std::none_of(view.marks.pathLines.begin(), view.marks.pathLines.end(), [](bool b) { return b; }));
  map.Select(-1);
  EXPECT_EQ(view.marks.selected, -1);
}

TEST_F(ScriptMapTest, AChosenFlagLightsTheLinksThatTestOrChangeIt) {
  Write({"Messages=2", "Message1=Hello.*RAsk", "Message2=%fCYou came back.*RAsk", "ResponsesAsk=3",
         "ResponseAsk1=%FAOpen.*MVault", "ResponseAsk2=Take the key.*SFA*MINIT", "ResponseAsk3=%FASwap.*CFA*MINIT",
         "MessagesVault=1", "MessageVault1=Inside.*SFC*RNone"});
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  std::vector<std::string> flags;
  for (const FlagRow& row : view.flags) flags.push_back(row.flag);
  EXPECT_EQ(flags, (std::vector<std::string>{"A", "C"}));

  map.ChooseFlag("A");
  auto use = [&](const char* from, const char* to) {
    const int line = LineBetween(map, from, to);
    return line < 0 ? FlagUse::None : view.marks.flagLines[static_cast<std::size_t>(line)];
  };
  EXPECT_EQ(use("Ask", "Vault"), FlagUse::Tests);
  // Take the key and Swap join on one line to INIT only when they say the same; here each says its own.
  bool changes = false, both = false;
  for (std::size_t i = 0; i < map.Sheet().lines.size(); ++i) {
    const SheetLine& l = map.Sheet().lines[i];
    if (l.from != map.BoxNamed("Ask") || l.to != map.BoxNamed("INIT")) continue;
    changes = changes || view.marks.flagLines[i] == FlagUse::Changes;
    both = both || view.marks.flagLines[i] == FlagUse::Both;
  }
  EXPECT_TRUE(changes);
  EXPECT_TRUE(both);
  EXPECT_EQ(use("Vault", "None"), FlagUse::None);
  map.ChooseFlag("C");
  EXPECT_EQ(use("Vault", "None"), FlagUse::Changes);
  EXPECT_EQ(use("Ask", "Vault"), FlagUse::None);
}

TEST_F(ScriptMapTest, FindPrefersAWholeNameThenGoesOnToTheNextMatch) {
  Write({"Messages=1", "Message1=Hi.*RAsk", "ResponsesAsk=2", "ResponseAsk1=Go.*MGateway", "ResponseAsk2=Or.*MGate",
         "MessagesGateway=1", "MessageGateway1=Far.*RNone", "MessagesGate=1", "MessageGate1=Near.*RNone",
         "MessagesOuterGate=1", "MessageOuterGate1=Out.*RNone"});
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  const auto& g = map.Graph();
  ASSERT_TRUE(map.Find("gate"));
  EXPECT_EQ(g.nodes[static_cast<std::size_t>(map.Selected())].name, "Gate");
  EXPECT_EQ(view.centred, map.BoxNamed("Gate"));
  std::vector<std::string> seen;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(map.Find("gate"));
    seen.push_back(g.nodes[static_cast<std::size_t>(map.Selected())].name);
  }
  // Every other group holding the text, then round to the first again.
  std::vector<std::string> others(seen.begin(), seen.begin() + 2);
  std::sort(others.begin(), others.end());
  EXPECT_EQ(others, (std::vector<std::string>{"Gateway", "OuterGate"}));
  EXPECT_EQ(seen[2], "Gate");
  EXPECT_FALSE(map.Find("cellar"));
  EXPECT_EQ(g.nodes[static_cast<std::size_t>(map.Selected())].name, "Gate");
}

TEST_F(ScriptMapTest, AGroupOpensInTheDirectionItIsUsedAndARoomInTheRoomEditor) {
  Grid(2, 2);
  {
    auto script = Script();
    script.PutMessage("Messages", "1");
    script.PutMessage("Message1", "Hello.*RAsk");
    script.PutMessage("ResponsesAsk", "1");
    script.PutMessage("ResponseAsk1", "Bye.*MFarewell");
    script.PutMessage("ResponsesHail", "1");
    script.PutMessage("ResponseHail1", "Hi.*RQuestions");
  }
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  using Kind = OpenTarget::Kind;
  struct Want {
    const char* group;
    Kind kind;
  };
  for (const Want& w : {Want{"INIT", Kind::Messages}, Want{"Ask", Kind::Responses}, Want{"Hail", Kind::Responses},
                        Want{"Area11", Kind::Room}, Want{"Area11Search", Kind::Messages},
                        // Missing groups open the way the link into them uses them.
                        Want{"Farewell", Kind::Messages}, Want{"Questions", Kind::Responses}}) {
    SCOPED_TRACE(w.group);
    const auto target = map.Target(map.Graph().Find(w.group));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->kind, w.kind);
    EXPECT_EQ(target->group, w.group);
  }
  // A room can be opened in either direction too; a kind it cannot take gives the usual one.
  const int room = map.Graph().Find("Area11");
  EXPECT_EQ(map.Targets(room), (std::vector<Kind>{Kind::Room, Kind::Messages, Kind::Responses}));
  EXPECT_EQ(map.Target(room, Kind::Responses)->kind, Kind::Responses);
  EXPECT_EQ(map.Target(map.Graph().Find("INIT"), Kind::Room)->kind, Kind::Messages);
  EXPECT_FALSE(map.Target(-1).has_value());
}

TEST_F(ScriptMapTest, PointingAtAGroupOrALineTellsWhatItHoldsAndWhereItLeads) {
  Write(kTalk);
  RecordingView view;
  ScriptMap map(view, ApproximateMetrics());
  ASSERT_TRUE(map.Show(Graph()));
  const std::string ask = map.Describe(map.Graph().Find("Ask"));
  EXPECT_NE(ask.find("0 messages, 3 responses"), std::string::npos) << ask;
  EXPECT_NE(ask.find("1. Pass.  -> Gate"), std::string::npos) << ask;
  EXPECT_NE(ask.find("3. Wait.  -> INIT"), std::string::npos) << ask;
  const std::string orphan = map.Describe(map.Graph().Find("Orphan"));
  EXPECT_NE(orphan.find("No visit reaches it."), std::string::npos) << orphan;
  EXPECT_NE(orphan.find("Findings:"), std::string::npos) << orphan;
  EXPECT_NE(map.Describe(map.Graph().Find("nowhere")).find("Missing"), std::string::npos);
  EXPECT_EQ(map.Sheet().boxes[static_cast<std::size_t>(map.BoxNamed("INIT"))].words,
            "Hello there, traveller from afar, welcome.");
  const std::string gate = map.DescribeLine(LineBetween(map, "Ask", "Gate"));
  EXPECT_NE(gate.find("ResponseAsk1: Ask -> Gate"), std::string::npos) << gate;
  EXPECT_NE(gate.find("flags A"), std::string::npos) << gate;
  EXPECT_NE(view.summary.find("1 missing group"), std::string::npos) << view.summary;
  EXPECT_NE(view.summary.find("no visit reaches"), std::string::npos) << view.summary;
}

TEST(FirstWordsTest, ShowsTheDisplayTextCutToItsFirstWords) {
  struct Case {
    const char* value;
    const char* words;
  };
  for (const Case& c : {Case{"%W3%05$BOX$Welcome home, %RK.*RAsk*SFA", "Welcome home, %RK."},
                        Case{"  one two   three four five six seven eight", "one two three four five six seven..."},
                        Case{"*RNone", ""}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FirstWords(c.value), c.words);
  }
}

}  // namespace
}  // namespace zelmora::check
