#include "messages/message_parts.h"
#include "messages/special_actions.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace zelmora::messages {
namespace {

using testing::CrLf;

const SpecialActionList kCatalogue = ParseSpecialActions(CrLf({
    "Conditions",
    "%F - Requires flag set [A]",
    "%15 - Requires energy upgrade installed",
    "",
    "Ship - systems",
    "*D - Damage system (S0)",
    "*F - Repair system (S0)",
    "*FALL - Repair every system",
    "*SF - Set flag [A] and more",
    "*+PT - Give torpedoes (5) now",
    "*+PTU - Give bay torpedoes (5)",
    "*X - Free (1) and flag [A]",
    "Headings are lines without the separator",
}));

TEST(SpecialActions, LinesBecomeEntriesInFileOrder) {
  ASSERT_EQ(kCatalogue.size(), 12u);  // the empty line is skipped
  EXPECT_EQ(kCatalogue[0], (SpecialAction{"Conditions", "", false}));
  EXPECT_EQ(kCatalogue[1], (SpecialAction{"%F - Requires flag set [A]", "%F", true}));
  EXPECT_EQ(kCatalogue[4].Code, "*D");
  EXPECT_FALSE(kCatalogue[4].IsPrefix);
  EXPECT_TRUE(kCatalogue[11].IsHeading());
  // A line with the separator is an entry whatever it says.
  EXPECT_EQ(kCatalogue[3].Code, "Ship");
}

TEST(SpecialActions, FindRendersValuesIntoTheBrackets) {
  EXPECT_EQ(FindSpecialAction("%FC", kCatalogue), "%F - Requires flag set [C]");
  EXPECT_EQ(FindSpecialAction("%15", kCatalogue), "%15 - Requires energy upgrade installed");
  EXPECT_EQ(FindSpecialAction("*DS3", kCatalogue), "*D - Damage system (S3)");
  // Whatever followed the closing bracket is not carried over.
  EXPECT_EQ(FindSpecialAction("*SFB", kCatalogue), "*SF - Set flag [B]");
  EXPECT_EQ(FindSpecialAction("*+PT9", kCatalogue), "*+PT - Give torpedoes (9)");
  // Both brackets get the same value; the cut after "(" drops the "[...]" part.
  EXPECT_EQ(FindSpecialAction("*X7", kCatalogue), "*X - Free (7)");
  // A code without a value shows the line with its defaults.
  EXPECT_EQ(FindSpecialAction("*SF", kCatalogue), "*SF - Set flag [A] and more");
}

TEST(SpecialActions, LaterEntriesWinOverShorterCodes) {
  EXPECT_EQ(FindSpecialAction("*FALL", kCatalogue), "*FALL - Repair every system");
  EXPECT_EQ(FindSpecialAction("*FS2", kCatalogue), "*F - Repair system (S2)");
  EXPECT_EQ(FindSpecialAction("*+PTU3", kCatalogue), "*+PTU - Give bay torpedoes (3)");
}

TEST(SpecialActions, UnknownCodesAndHeadingsAreNotFound) {
  EXPECT_FALSE(FindSpecialAction("*TREATY", kCatalogue));
  EXPECT_FALSE(FindSpecialAction("^EN", kCatalogue));
  EXPECT_FALSE(FindSpecialAction("Conditions", kCatalogue));
  EXPECT_FALSE(FindSpecialAction("Headings are lines", kCatalogue));
  EXPECT_FALSE(FindSpecialAction("", kCatalogue));
}

TEST(SpecialActions, LineValueHelpers) {
  EXPECT_EQ(FreeValue("*D - Damage system (S0)"), "S0");
  EXPECT_EQ(FlagValue("*SF - Set flag [A]"), "A");
  EXPECT_EQ(FreeValue("*SF - Set flag [A]"), "");
  EXPECT_TRUE(IsShipSystemValue("S8"));
  EXPECT_FALSE(IsShipSystemValue("S9"));
  EXPECT_FALSE(IsShipSystemValue("S10"));
  EXPECT_FALSE(IsShipSystemValue("5"));
  EXPECT_EQ(WithFlagValue("*SF - Set flag [A] if free", "7"), "*SF - Set flag [7]");
  EXPECT_EQ(WithFreeValue("*FALL - Repair every system", "3"), "*FALL - Repair every system");
}

// The demo game's catalogue: every code the script syntax, the rooms and the simulator rely on,
// in a form that survives the editor's round trip through FindSpecialAction and ComposeMessage.
class DemoCatalogue : public ::testing::Test {
 protected:
  testing::DemoGameFolder game;
  SpecialActionList catalogue = LoadSpecialActions(game.Path());
};

TEST_F(DemoCatalogue, ListsTheCodesWithTheirKinds) {
  ASSERT_FALSE(catalogue.empty());
  EXPECT_TRUE(catalogue.front().IsHeading());
  auto has = [&](std::string_view code) {
    return std::any_of(catalogue.begin(), catalogue.end(), [&](const SpecialAction& a) { return a.Code == code; });
  };
  for (const char* code : {"%F", "%f", "%GN", "%GE", "%GS", "%GW", "%G-", "^EN", "^SH", "^PT", "^SN", "^TB", "*SF",
                           "*CF", "*TF", "*A", "*H", "*D", "*D!", "*SP", "*FALL", "*F", "*F!", "*R", "*R!", "*TREATY",
                           "*NOTREATY"}) {
    EXPECT_TRUE(has(code)) << code;
  }
  for (int n = 10; n <= 59; ++n) EXPECT_TRUE(has("%" + std::to_string(n))) << n;
  for (const char* sign : {"+", "-"}) {
    for (const char* supply : {"PTU", "PT", "PO", "EN", "ENM", "TI"}) {
      EXPECT_TRUE(has(std::string("*") + sign + supply)) << sign << supply;
    }
  }
  for (const auto& a : catalogue) {
    if (!a.IsHeading()) {
      EXPECT_EQ(a.IsPrefix, a.Line[0] == '%') << a.Line;
    }
  }
}

TEST_F(DemoCatalogue, StoredCodesFindTheirOwnEntries) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"%FB", "%F - "},     {"%fC", "%f - "},     {"%G-", "%G- - "},  {"%44", "%44 - "},     {"*DS0", "*D - "},
      {"*D!S4", "*D! - "},  {"*FS2", "*F - "},    {"*F!S1", "*F! - "}, {"*FALL", "*FALL - "}, {"*SFA", "*SF - "},
      {"*+PT5", "*+PT - "}, {"*+PTU5", "*+PTU - "}, {"*-EN500", "*-EN - "}, {"*-ENM200", "*-ENM - "},
      {"*TREATY", "*TREATY - "}, {"*NOTREATY", "*NOTREATY - "}, {"^TB", "^TB - "}};
  for (const auto& [code, start] : cases) {
    auto line = FindSpecialAction(code, catalogue);
    ASSERT_TRUE(line) << code;
    EXPECT_TRUE(line->starts_with(start)) << code << " -> " << *line;
  }
  EXPECT_EQ(FindSpecialAction("*DS4", catalogue), "*D - Damage system (S4)");
}

TEST_F(DemoCatalogue, EditorRoundTripKeepsEveryListedCode) {
  const std::string value = "%GN%FA%W2%04$BOX$Take it.^SN*RArea12*SFB*DS3*+PTU4*-ENM200*A3*TREATY";
  MessageParts parts = ParseMessage(value);
  // The editor's attached list: prefix codes, then action codes, then upgrade codes.
  std::vector<std::string> actions;
  for (const auto* codes : {&parts.PrefixCodes, &parts.ActionCodes, &parts.UpgradeCodes}) {
    for (const auto& code : *codes) {
      auto line = FindSpecialAction(code, catalogue);
      ASSERT_TRUE(line) << code;
      actions.push_back(*line);
    }
  }
  // Prefix entries are written in reverse list order, so the reversed prefix list comes back.
  const std::string again = ComposeMessage(parts, actions, ItemKind::Message, "Area11");
  EXPECT_EQ(again, "%W2%FA%GN%04$BOX$Take it.^SN*RArea12*SFB*DS3*+PTU4*-ENM200*A3*TREATY");
  MessageParts back = ParseMessage(again);
  EXPECT_EQ(back.ActionCodes, parts.ActionCodes);
  EXPECT_EQ(back.UpgradeCodes, parts.UpgradeCodes);
  EXPECT_EQ(back.AnswerGroup, parts.AnswerGroup);
}

TEST(SpecialActionsFile, AMissingCatalogueLoadsEmpty) {
  testing::TempGameFolder game;
  EXPECT_TRUE(LoadSpecialActions(game.Path()).empty());
  game.Write("special.lst", "Heading\n*SF - Set flag [A]\n");
  EXPECT_EQ(LoadSpecialActions(game.Path()).size(), 2u);
}

}  // namespace
}  // namespace zelmora::messages
