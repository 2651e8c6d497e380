#include "messages/planet_script.h"
#include "tests/support/open_demo_system.h"
#include "writing/script_texts.h"
#include "writing/text_replace.h"

#include <gtest/gtest.h>

#include <map>

namespace zelmora::writing {
namespace {

using testing::OpenDemoSystem;

// Hears what the store writes: the steps and how many times the file was replaced in each.
struct CountingRecorder : store::ChangeRecorder {
  std::vector<std::string> steps;
  int writes = 0;
  int depth = 0;
  void Replacing(std::string_view, const std::shared_ptr<const store::DescriptorContent>&,
                 const std::shared_ptr<const store::DescriptorContent>&) override {
    ++writes;
    EXPECT_GT(depth, 0) << "a write outside the named step";
  }
  void ActionBegins(std::string_view name, bool) override {
    if (depth++ == 0) steps.emplace_back(name);
  }
  void ActionEnds() override { --depth; }
  void WorkingCopyOpened(std::string_view) override {}
  void WorkingCopyClosing(std::string_view, bool) override {}
  void SystemRenamed(std::string_view, std::string_view) override {}
  void SystemDeleted(std::string_view) override {}
};

Matcher Make(SearchOptions options) {
  auto m = Matcher::Make(options);
  EXPECT_TRUE(m);
  return *m;
}

std::vector<std::string> Matched(std::string_view text, SearchOptions options, std::string_view with = {}) {
  std::vector<std::string> out;
  for (const Match& m : Make(options).FindAll(text, with)) {
    out.push_back(std::string(text.substr(m.span.start, m.span.length)) + "->" + m.replacement);
  }
  return out;
}

TEST(Matcher, PlainAndExpressionSearches) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Matched("Trade, trade, TRADER", {"trade"}, "x"), (V{"Trade->x", "trade->x", "TRADE->x"}));
  EXPECT_EQ(Matched("Trade, trade, TRADER", {"trade", false, true}), (V{"trade->"}));
  EXPECT_EQ(Matched("Trade, trade, TRADER", {"trade", false, false, true}), (V{"Trade->", "trade->"}));
  EXPECT_EQ(Matched("aaaa", {"aa"}), (V{"aa->", "aa->"}));  // no overlaps
  EXPECT_EQ(Matched("H\xC9VDA h\xE9vda", {"h\xe9vda"}), (V{"H\xC9VDA->", "h\xE9vda->"}));  // the code page's case
  EXPECT_EQ(Matched("Area 1, 2 and Area 3, 4", {"Area (\\d), (\\d)", true}, "$2-$1"), (V{"Area 1, 2->2-1", "Area 3, 4->4-3"}));
  EXPECT_EQ(Matched("abc", {"x*", true}, "y"), V{});  // empty matches insert nothing
  EXPECT_EQ(Matched("cat concat", {"cat", true, false, true}), (V{"cat->"}));

  std::string error;
  EXPECT_FALSE(Matcher::Make({"(", true}, &error));
  EXPECT_NE(error.find("not valid"), std::string::npos);
  EXPECT_FALSE(Matcher::Make({""}, &error));
}

TEST(PlanetTexts, ItemsWithinTheirCountsAndTheInformation) {
  OpenDemoSystem open("Mirefall");
  messages::PlanetScript script(open.store, open.record, 1);
  std::map<std::string, TextValue> byKey;
  for (TextValue& t : PlanetTexts(script)) byKey[t.key] = std::move(t);
  EXPECT_FALSE(byKey.count("MessagePeace2"));  // above its count: no reader sees it
  ASSERT_TRUE(byKey.count("ResponseHail3"));
  EXPECT_EQ(byKey["ResponseHail3"].group, "Hail");
  EXPECT_EQ(byKey["ResponseHail3"].kind, ValueKind::Response);
  EXPECT_EQ(byKey["ResponseHail3"].item, 3);
  ASSERT_TRUE(byKey.count("Info"));
  EXPECT_EQ(byKey["Info"].kind, ValueKind::Info);
  EXPECT_GT(byKey["Info"].value.size(), 254u);  // whole, as stored
  EXPECT_FALSE(byKey.count("AFlag"));
}

// The code parts of every prose-holding value of a system, by place.
std::map<std::string, std::vector<std::string>> Codes(store::DescriptorStore& store, const store::SolarSystemRecord& record) {
  std::map<std::string, std::vector<std::string>> codes;
  ForEachPlanet(store, record, 0, [&](messages::PlanetScript& script) {
    for (const TextValue& t : PlanetTexts(script)) {
      auto& list = codes[std::to_string(t.planet) + "/" + t.key];
      for (const ValuePart& p : SplitValue(t.value, t.kind)) {
        if (!IsProse(p.role)) list.push_back(t.value.substr(p.span.start, p.span.length));
      }
    }
  });
  return codes;
}

TEST(ReplaceAll, ChangesOnlyTextInOneStep) {
  for (const char* system : {"Mirefall", "Kestrel Verge", "4Tessaly"}) {
    OpenDemoSystem open(system);
    CountingRecorder recorder;
    open.store.SetRecorder(&recorder);
    const auto codesBefore = Codes(open.store, open.record);

    // Every vowel of every text goes: letters the codes are made of too.
    const Matcher vowels = Make({"([aeiouAEIOU])", true, true});
    std::vector<ValueChange> changes;
    ForEachPlanet(open.store, open.record, 0, [&](messages::PlanetScript& script) {
      for (ValueChange& c : PlanReplace(script, vowels, "#")) changes.push_back(std::move(c));
    });
    ASSERT_FALSE(changes.empty());
    const int written = ApplyChanges(open.store, open.record, changes, "Replace vowels");
    EXPECT_GT(written, 0);
    EXPECT_EQ(recorder.steps, std::vector<std::string>{"Replace vowels"}) << system;
    EXPECT_EQ(recorder.writes, 1) << system;

    EXPECT_EQ(Codes(open.store, open.record), codesBefore) << system;
    open.store.SetRecorder(nullptr);
  }
}

TEST(ReplaceAll, TradeInTextLeavesTheAnswerCode) {
  OpenDemoSystem open("Kestrel Verge");
  messages::PlanetScript script(open.store, open.record, 1);
  std::vector<ValueChange> changes = PlanReplace(script, Make({"Trade"}), "Barter");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].where.key, "ResponseHail1");
  ApplyChanges(open.store, open.record, changes, "Replace");
  EXPECT_EQ(script.GetMessage("ResponseHail1"), "Barter.*MTrade");
  EXPECT_EQ(script.GetMessage("MessageTrade1"), "%05We can offer fuel.*SFB");
}

TEST(ReplaceAll, RefusedAndStaleValuesAreNotWritten) {
  OpenDemoSystem open("Kestrel Verge");
  messages::PlanetScript script(open.store, open.record, 3);
  std::vector<ValueChange> changes = PlanReplace(script, Make({"storm"}), "storm*H500");
  ASSERT_FALSE(changes.empty());
  for (const ValueChange& c : changes) EXPECT_TRUE(c.refused);

  changes = PlanReplace(script, Make({"Thank you."}), "Thanks.");
  ASSERT_EQ(changes.size(), 1u);
  script.PutMessage("ResponseResearch1", "Thank you.  Bye.*MThanks");  // edited after the search
  EXPECT_EQ(ApplyChanges(open.store, open.record, changes, "Replace"), 0);
  ASSERT_TRUE(changes[0].refused);
  EXPECT_EQ(script.GetMessage("ResponseResearch1"), "Thank you.  Bye.*MThanks");
}

}  // namespace
}  // namespace zelmora::writing
