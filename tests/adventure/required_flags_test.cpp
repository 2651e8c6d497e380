#include "adventure/required_flags.h"
#include "adventure/room_model.h"
#include "tests/adventure/adventure_fixture.h"

namespace zelmora::adventure {
namespace {

using RequiredFlagsTest = AdventureTest;

// A chooser that records how often it was asked and answers `code`.
struct Chooser {
  std::string code;
  int asked = 0;
  std::string startedFrom = {};
  FlagChooser Fn() {
    return [this](const std::string& current) {
      ++asked;
      startedFrom = current;
      return code;
    };
  }
};

TEST_F(RequiredFlagsTest, StoredValuesLoadIntoTheirOptionsAndWriteBackUnchanged) {
  Put("BeamFlag", "%fQ");
  Put("SearchFlag", "%F7");
  Put("TriFlag", "odd");
  RequiredFlags flags;
  flags.Load(script_);
  EXPECT_EQ(flags.rows[0].Option(), NeedOption::Clear);
  EXPECT_EQ(flags.rows[0].Label(), "Not Q");
  EXPECT_EQ(flags.rows[1].Option(), NeedOption::Set);
  EXPECT_EQ(flags.rows[1].Label(), "7");
  EXPECT_EQ(flags.rows[2].Option(), NeedOption::Unselected);
  flags.Save(script_);
  EXPECT_EQ(Get("BeamFlag"), "%fQ");
  EXPECT_EQ(Get("SearchFlag"), "%F7");
  EXPECT_EQ(Get("TriFlag"), "odd");

  flags.rows[2].Select(NeedOption::None, {});
  flags.Save(script_);
  EXPECT_EQ(Get("TriFlag"), "ERR");  // an empty value removes the key
}

TEST_F(RequiredFlagsTest, TheFlagCodeIsAllOfTheValueAfterItsTwoCharacters) {
  Put("BeamFlag", "%FAB");
  Put("SearchFlag", "%f12");
  Put("TriFlag", "%F");
  Chooser chooser{"K"};
  RequiredFlags flags;
  flags.Load(script_, chooser.Fn());
  EXPECT_EQ(flags.rows[0].Flag(), "AB");
  EXPECT_EQ(flags.rows[0].Label(), "AB");
  EXPECT_EQ(flags.rows[1].Label(), "Not 12");
  // A code-less "%F" selects Set, which asks for the code first.
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_EQ(flags.rows[2].Option(), NeedOption::Set);
  EXPECT_EQ(flags.rows[2].Value(), "%FK");
  flags.Save(script_);
  EXPECT_EQ(Get("BeamFlag"), "%FAB");
  EXPECT_EQ(Get("SearchFlag"), "%f12");

  // Clear on the loaded row keeps the whole code.
  flags.rows[0].Select(NeedOption::Clear, chooser.Fn());
  EXPECT_EQ(flags.rows[0].Value(), "%fAB");
  EXPECT_EQ(chooser.asked, 1);
}

TEST_F(RequiredFlagsTest, SetAsksForAFlagOnlyWhenTheRowHasNone) {
  RequiredFlagRow row;
  row.Load("");
  Chooser chooser{"C"};
  row.Select(NeedOption::Set, chooser.Fn());
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_EQ(chooser.startedFrom, "A");
  EXPECT_EQ(row.Value(), "%FC");

  row.Select(NeedOption::None, chooser.Fn());
  EXPECT_EQ(row.Value(), "");
  row.Select(NeedOption::Clear, chooser.Fn());
  EXPECT_EQ(chooser.asked, 1);  // the earlier code is reused
  EXPECT_EQ(row.Value(), "%fC");
  EXPECT_EQ(row.Label(), "Not C");
}

TEST_F(RequiredFlagsTest, ChooseOnNoneSelectsSet) {
  RequiredFlagRow row;
  row.Load("%FB");
  Chooser chooser{"D"};
  row.Choose(chooser.Fn());
  EXPECT_EQ(chooser.startedFrom, "B");
  EXPECT_EQ(row.Value(), "%FB");  // shown once an option is selected again
  row.Select(NeedOption::Set, chooser.Fn());
  EXPECT_EQ(row.Value(), "%FD");

  row.Select(NeedOption::None, chooser.Fn());
  row.Choose(chooser.Fn());
  EXPECT_EQ(row.Option(), NeedOption::Set);
  EXPECT_EQ(row.Value(), "%FD");
}

TEST_F(RequiredFlagsTest, LockChoicesListStandardActionsThenCustomOnes) {
  PutResponses("Area11", {"Dance*MBall", "Go East and report back.*MArea21", "Beam back up to the ship.*MBeamUp"});
  RoomModel room(script_);
  room.LoadRoom("Area11", prompter_);
  const auto choices = LockChoices(room);
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[0].number, 2);
  EXPECT_EQ(choices[1].number, 3);
  EXPECT_EQ(choices[2].text, "Dance");

  room.LoadRoom("Empty", prompter_);
  EXPECT_TRUE(LockChoices(room).empty());
}

}  // namespace
}  // namespace zelmora::adventure
