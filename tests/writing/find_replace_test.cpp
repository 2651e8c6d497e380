#include "tests/support/open_demo_system.h"
#include "writing/find_replace.h"

#include <gtest/gtest.h>

namespace zelmora::writing {
namespace {

// Keeps what the window was told, and how often.
struct RecordingView : FindReplaceView {
  std::vector<HitLine> lines;
  std::optional<int> selected;
  std::string before, after, problem, status;
  bool planet = false, system = false, replace = false, replaceAll = false;
  SearchScope scope = SearchScope::GameFolder;
  int hitsShown = 0;
  void ShowHits(const std::vector<HitLine>& l) override {
    lines = l;
    ++hitsShown;
  }
  void ShowSelection(std::optional<int> row) override { selected = row; }
  void ShowPreview(const std::string& b, const std::string& a, const std::string& p) override {
    before = b;
    after = a;
    problem = p;
  }
  void ShowStatus(const std::string& s) override { status = s; }
  void ShowScopes(bool p, bool s, SearchScope sc) override {
    planet = p;
    system = s;
    scope = sc;
  }
  void ShowCommands(bool r, bool all) override {
    replace = r;
    replaceAll = all;
  }
};

// Counts the steps the store names.
struct Steps : store::ChangeRecorder {
  std::vector<std::string> names;
  int depth = 0;
  void Replacing(std::string_view, const std::shared_ptr<const store::DescriptorContent>&,
                 const std::shared_ptr<const store::DescriptorContent>&) override {}
  void ActionBegins(std::string_view name, bool) override {
    if (depth++ == 0) names.emplace_back(name);
  }
  void ActionEnds() override { --depth; }
  void WorkingCopyOpened(std::string_view) override {}
  void WorkingCopyClosing(std::string_view, bool) override {}
  void SystemRenamed(std::string_view, std::string_view) override {}
  void SystemDeleted(std::string_view) override {}
};

struct FindReplaceTest : ::testing::Test {
  FindReplaceTest() {
    open.store.SetRecorder(&steps);
    model = std::make_unique<FindReplace>(
        FindReplaceContext{open.store, open.record, messages::LoadSpecialActions(open.game.Path()),
                           [this](const TextValue& v) { opened.push_back(v.key); }, [this] { ++written; }},
        view);
  }
  ~FindReplaceTest() override { open.store.SetRecorder(nullptr); }
  void Find(const std::string& pattern, const std::string& replacement, bool regex = false) {
    model->SetOptions(regex, false, false);
    model->SetPattern(pattern);
    model->SetReplacement(replacement);
    model->Find();
  }

  testing::OpenDemoSystem open{"Kestrel Verge"};
  RecordingView view;
  Steps steps;
  std::vector<std::string> opened;
  int written = 0;
  std::unique_ptr<FindReplace> model;
};

TEST_F(FindReplaceTest, ScopesFollowThePlanetInViewAndTheOpenSystem) {
  EXPECT_TRUE(view.system);
  EXPECT_FALSE(view.planet);
  EXPECT_EQ(view.scope, SearchScope::System);
  model->SetScope(SearchScope::Planet);  // no planet in view
  EXPECT_EQ(view.scope, SearchScope::System);

  model->SetPlanet(3);
  EXPECT_EQ(view.scope, SearchScope::Planet);
  Find("the", "");
  for (const HitLine& line : view.lines) EXPECT_EQ(line.planet, "3");
  const std::size_t onPlanet = view.lines.size();
  model->SetScope(SearchScope::GameFolder);
  model->Find();
  EXPECT_GT(view.lines.size(), onPlanet);
  EXPECT_NE(view.status.find("hits in"), std::string::npos);
}

TEST_F(FindReplaceTest, EachHitShowsWhatItBecomesAndWhyItIsRefused) {
  model->SetScope(SearchScope::GameFolder);
  Find("trade", "barter");
  ASSERT_EQ(view.lines.size(), 2u);
  EXPECT_EQ(view.lines[0].system, "4Tessaly");
  EXPECT_EQ(view.lines[0].becomes, "refused: It is in another system: open that system to replace there.");
  EXPECT_EQ(view.lines[1].key, "ResponseHail1");
  EXPECT_EQ(view.lines[1].found, "Trade.*MTrade");
  EXPECT_EQ(view.lines[1].becomes, "barter.*MTrade");

  model->Select(0);
  EXPECT_FALSE(view.replace);
  EXPECT_FALSE(view.problem.empty());
  model->Select(1);
  EXPECT_TRUE(view.replace);
  EXPECT_EQ(view.before, "Trade.*MTrade");
  EXPECT_EQ(view.after, "barter.*MTrade");

  // The replacement is followed as it is typed.
  model->SetReplacement("Barter*SFA");
  EXPECT_EQ(view.selected, 1);
  EXPECT_NE(view.problem.find("\"*\""), std::string::npos);
  EXPECT_FALSE(view.replace);
  EXPECT_EQ(view.lines[1].becomes.substr(0, 9), "refused: ");

  model->Open(1);
  EXPECT_EQ(opened, std::vector<std::string>{"ResponseHail1"});

  Find("(", "", true);
  EXPECT_TRUE(view.lines.empty());
  EXPECT_NE(view.status.find("not valid"), std::string::npos);
}

TEST_F(FindReplaceTest, ReplaceAllIsOneStepOfTheOpenSystemOnly) {
  const std::string other = open.game.ReadDescriptor("4Tessaly");
  model->SetScope(SearchScope::GameFolder);
  Find("the", "THE");
  const std::size_t hits = view.lines.size();
  ASSERT_GT(hits, 3u);
  model->ReplaceAll();
  EXPECT_EQ(steps.names, std::vector<std::string>{"Replace All \"the\" with \"THE\""});
  EXPECT_EQ(written, 1);
  EXPECT_EQ(open.game.ReadDescriptor("4Tessaly"), other);
  // What is left: the other systems' hits (plain search ignores case, so the new words are found too).
  for (const HitLine& line : view.lines) {
    if (line.system == "Kestrel Verge") EXPECT_EQ(line.found.find("the"), std::string::npos) << line.found;
  }
  EXPECT_EQ(view.status.substr(0, 9), "Replaced ");
  messages::PlanetScript script(open.store, open.record, 3);
  EXPECT_EQ(script.GetMessage("MessageThanks1"), "$BOX$THE Watch clears a landing zone near THE eye of THE storm.*SFC");
}

TEST_F(FindReplaceTest, ReplaceOneHitAndRefusalsWriteNothing) {
  Find("storm", "gale");
  ASSERT_GE(view.lines.size(), 2u);
  model->Select(0);
  const std::string key = view.lines[0].key;
  model->ReplaceSelected();
  EXPECT_EQ(steps.names.size(), 1u);
  EXPECT_NE(view.lines[0].key, key);  // the hit replaced is gone from the list

  Find("storm", "storm^EN");
  model->ReplaceAll();
  EXPECT_EQ(written, 1);  // only the first replace wrote
  EXPECT_NE(view.status.find("refused"), std::string::npos) << view.status;
}

}  // namespace
}  // namespace zelmora::writing
