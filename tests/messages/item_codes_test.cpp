// Codes of an item that the pane must keep: codes the catalogue does not list, the wait code's
// place, and repair conditions that look like answer codes.
#include "messages/message_parts.h"
#include "messages/special_actions.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::messages {
namespace {

using Lines = std::vector<std::string>;

class ItemCodes : public ::testing::Test {
 protected:
  // Open the value in the pane and save it again, as an item of `group`.
  std::string Resave(std::string_view value, std::string_view group = "INIT",
                     ItemKind kind = ItemKind::Message) const {
    const MessageParts parts = ParseMessage(value, catalogue);
    return ComposeMessage(parts, AttachedActions(parts, catalogue), kind, group);
  }

  testing::DemoGameFolder game;
  SpecialActionList catalogue = LoadSpecialActions(game.Path());
};

TEST(UnknownCodeLine, ShowsTheRawCodeAndNeverAValue) {
  const std::string line = UnknownCodeLine("*QQ5");
  EXPECT_EQ(line, "*QQ5 - <not in SPECIAL.LST>");
  EXPECT_TRUE(IsUnknownCodeLine(line));
  EXPECT_EQ(UnknownCode(line), "*QQ5");
  EXPECT_FALSE(HasFreeValue(line));
  EXPECT_FALSE(HasFlagValue(line));
  EXPECT_FALSE(IsUnknownCodeLine("*SF - Set flag [A]"));
  EXPECT_EQ(UnknownCode("*SF - Set flag [A]"), "");

  // Brackets and separators inside the raw code stay part of it.
  const std::string odd = UnknownCodeLine("*Pay - (5) [B]");
  EXPECT_EQ(UnknownCode(odd), "*Pay - (5) [B]");
  EXPECT_EQ(ActionCode(odd), "*Pay - (5) [B]");
  EXPECT_EQ(StoredCode(odd), "*Pay - (5) [B]");
  EXPECT_FALSE(HasFreeValue(odd));
  EXPECT_FALSE(HasFlagValue(odd));
  EXPECT_EQ(FreeValue(odd), "");
  EXPECT_EQ(FlagValue(odd), "");
  EXPECT_EQ(WithFreeValue(odd, "9"), odd);
  EXPECT_EQ(WithFlagValue(odd, "C"), odd);
}

TEST_F(ItemCodes, AttachedActionsListKnownAndUnknownCodesInPaneOrder) {
  const MessageParts parts = ParseMessage("%X1%FB%W3Hello.^ZZ^SN*QQ5*SFC*Pay - (5)", catalogue);
  EXPECT_EQ(AttachedActions(parts, catalogue),
            (Lines{"%X1 - <not in SPECIAL.LST>", "%F - Requires flag set [B]", "*QQ5 - <not in SPECIAL.LST>",
                   "*SF - Set flag [C]", "*Pay - (5) - <not in SPECIAL.LST>", "^ZZ - <not in SPECIAL.LST>",
                   "^SN - Sensor upgrade"}));
}

TEST_F(ItemCodes, ACatalogueLineThatWouldChangeTheCodeIsNotUsed) {
  // "*FALL" has no bracket for the "X"; "*SF" alone would gain the default flag "A"; "*DS9" is fine
  // as a free value.
  const MessageParts parts = ParseMessage("x*FALLX*SF*DS9", catalogue);
  EXPECT_EQ(AttachedActions(parts, catalogue),
            (Lines{"*FALLX - <not in SPECIAL.LST>", "*SF - <not in SPECIAL.LST>", "*D - Damage system (S9)"}));
}

TEST_F(ItemCodes, OpenAndSaveKeepsUnknownCodesByteForByte) {
  for (std::string_view value : {"%X1Hello.^ZZ*QQ5*SFC", "Plain*Pay - (5) [B]*TREATY", "%00$BOX$Quiet^EN*ZZTOP",
                                 "x*FALLX*SF"}) {
    EXPECT_EQ(Resave(value), value);
  }
  EXPECT_EQ(Resave("Respond.*MWar*Odd", "Hail", ItemKind::Response), "Respond.*MWar*Odd");
  // Prefix codes come back in the composer's order, which the game does not mind.
  EXPECT_EQ(Resave("%X1%FAHi"), "%FA%X1Hi");
  EXPECT_EQ(Resave("%X1%FAHi*RWar", "INIT", ItemKind::Response), "%FA%X1Hi*MWar");
}

TEST_F(ItemCodes, WaitIsWrittenAsTheFirstPrefixCode) {
  MessageParts parts;
  parts.Text = "Late.";
  parts.WaitSeconds = 3;
  parts.ChanceTenths = 5;
  const Lines actions = {"%F - Requires flag set [A]", UnknownCodeLine("%X1")};
  EXPECT_EQ(ComposeMessage(parts, actions, ItemKind::Message, "INIT"), "%W3%X1%FA%05Late.");
  // Reading still takes the wait anywhere.
  EXPECT_EQ(Resave("%FA%W3Late."), "%W3%FALate.");
}

TEST_F(ItemCodes, RepairConditionsAreActionsNotAnswerCodes) {
  EXPECT_TRUE(IsRepairCondition("*RS1", catalogue));
  EXPECT_TRUE(IsRepairCondition("*R!S8", catalogue));
  EXPECT_FALSE(IsRepairCondition("*RS9", catalogue));
  EXPECT_FALSE(IsRepairCondition("*RShields", catalogue));
  EXPECT_FALSE(IsRepairCondition("*R", catalogue));
  EXPECT_FALSE(IsRepairCondition("*DS1", catalogue));
  // Only what the catalogue lists: without its "*R" entries the code is an answer code.
  const SpecialActionList noRepairs = ParseSpecialActions("*D - Damage system (S0)\r\n*R - Reply to (Group)\r\n");
  EXPECT_FALSE(IsRepairCondition("*RS1", noRepairs));
  EXPECT_EQ(ParseMessage("x*RS1", noRepairs).AnswerGroup, "S1");

  const MessageParts parts = ParseMessage("Our shields are down.*RTrade*RS1*R!S2", catalogue);
  EXPECT_EQ(parts.Text, "Our shields are down.");
  EXPECT_EQ(parts.AnswerGroup, "Trade");
  EXPECT_EQ(parts.ActionCodes, (Lines{"*RS1", "*R!S2"}));
  EXPECT_EQ(AttachedActions(parts, catalogue),
            (Lines{"*R - Requires system damaged and repairable (S1)", "*R! - Requires system destroyed (S2)"}));

  // Without a catalogue the game's own forms are read the same way.
  EXPECT_EQ(ParseMessage("Our shields are down.*RTrade*RS1").AnswerGroup, "Trade");
  EXPECT_EQ(ParseMessage("x*RS1*RSouth").AnswerGroup, "South");
  EXPECT_FALSE(IsRepairCondition("*RS1x"));
}

TEST_F(ItemCodes, RepairConditionsComposeBeforeAnExplicitAnswerCode) {
  // Saving keeps "Trade", and puts it last, where it wins in play.
  EXPECT_EQ(Resave("Our shields are down.*RTrade*RS1"), "Our shields are down.*RS1*RTrade");
  // Answering the own group needs a code too, or the condition would name the response group.
  EXPECT_EQ(Resave("Down.*RS1", "Shields"), "Down.*RS1*RShields");
  EXPECT_EQ(Resave("Down.*RS1*SFA", "INIT"), "Down.*RS1*R*SFA");
  EXPECT_EQ(Resave("Down.*R!S3*RShields", "Shields"), "Down.*R!S3*RShields");

  // What the pane shows after a save is what it showed before.
  for (std::string_view group : {"INIT", "Shields", "Trade"}) {
    const std::string once = Resave("Down.*RTrade*RS1*SFB", group);
    EXPECT_EQ(Resave(once, group), once) << group;
    const MessageParts back = ParseMessage(once, catalogue);
    EXPECT_EQ(back.AnswerGroup.value_or(std::string(group)), "Trade") << group;
    EXPECT_EQ(back.ActionCodes, (Lines{"*RS1", "*SFB"})) << group;
  }
  // Names the player's reader would also take for a repair condition.
  EXPECT_TRUE(AnswerPlaysAsCondition("Shields"));
  EXPECT_TRUE(AnswerPlaysAsCondition("!Sx"));
  EXPECT_FALSE(AnswerPlaysAsCondition("INIT"));
  EXPECT_FALSE(AnswerPlaysAsCondition("shields"));
  EXPECT_FALSE(AnswerPlaysAsCondition("Trade"));

  // Responses answer with "*M": a repair condition there decides nothing.
  EXPECT_EQ(Resave("Help us.*RS1", "Hail", ItemKind::Response), "Help us.*RS1");
}

// What the reader would take for something else is refused before it is stored.
TEST_F(ItemCodes, ValuesThatWouldNotReadBackAreRefusedWithTheCodeNamed) {
  const std::string destroyed = "*R! - Requires system destroyed (S1)";
  auto problem = [&](const MessageParts& parts, const Lines& actions, ItemKind kind) {
    const std::string composed = ComposeMessage(parts, actions, kind, "Hail");
    return ReadBackProblem(composed, parts, actions, kind, "Hail", catalogue).value_or("");
  };
  MessageParts parts;
  parts.Text = "The engines fail";
  // A repair condition with a ship system reads back as an action, before or after an answer.
  EXPECT_EQ(problem(parts, {WithFreeValue(destroyed, "S3")}, ItemKind::Message), "");
  parts.AnswerGroup = "Repair";
  EXPECT_EQ(problem(parts, {WithFreeValue(destroyed, "S3")}, ItemKind::Message), "");
  EXPECT_EQ(problem(parts, {WithFreeValue(destroyed, "S3")}, ItemKind::Response), "");
  // Any other value makes it an answer code.
  for (ItemKind kind : {ItemKind::Message, ItemKind::Response}) {
    EXPECT_EQ(problem(parts, {WithFreeValue(destroyed, "5")}, kind),
              "The action \"*R!5\" would be read back as an answer code (a code beginning with \"*M\" or \"*R\" "
              "is one).  Change its value or delete it.");
  }
  // A prefix code cut short swallows the answer code that follows it.
  MessageParts onlyCode;
  onlyCode.Text.clear();
  onlyCode.AnswerGroup = "Dest";
  EXPECT_EQ(problem(onlyCode, {UnknownCodeLine("%")}, ItemKind::Response),
            "The answer group would not be read back as chosen: the code \"%\" is cut short and takes in what "
            "follows it.  Delete that code first.");
  // The same code alone, with nothing after it, stays as it was read.
  onlyCode.AnswerGroup.reset();
  EXPECT_EQ(problem(onlyCode, {UnknownCodeLine("%")}, ItemKind::Response), "");
}

}  // namespace
}  // namespace zelmora::messages
