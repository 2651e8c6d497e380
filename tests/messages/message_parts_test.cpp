#include "messages/message_parts.h"

#include <gtest/gtest.h>

namespace zelmora::messages {
namespace {

MessageParts Parts(std::string text) {
  MessageParts p;
  p.Text = std::move(text);
  return p;
}

TEST(ParseMessage, ReadsEveryPartInItsPlace) {
  auto p = ParseMessage("%FA%W3%05%15$BOX$  Hail, %RK.^EN^SH*RTrade*SFB*+PT4");
  EXPECT_EQ(p.PrefixCodes, (std::vector<std::string>{"%FA", "%15"}));
  EXPECT_EQ(p.WaitSeconds, 3);
  EXPECT_EQ(p.ChanceTenths, 5);
  EXPECT_EQ(p.Display, DisplayKind::Box);
  EXPECT_EQ(p.Text, "Hail, %RK.");
  EXPECT_EQ(p.UpgradeCodes, (std::vector<std::string>{"^EN", "^SH"}));
  EXPECT_EQ(p.AnswerGroup, "Trade");
  EXPECT_EQ(p.ActionCodes, (std::vector<std::string>{"*SFB", "*+PT4"}));
}

TEST(ParseMessage, DefaultsWhenTheValueHasNoCodes) {
  auto p = ParseMessage("  Plain words  ");
  EXPECT_EQ(p, Parts("Plain words"));
  EXPECT_EQ(p.ChanceTenths, 10);
  EXPECT_EQ(p.WaitSeconds, 0);
  EXPECT_FALSE(p.AnswerGroup);
}

TEST(ParseMessage, TitlesAndTheirAbsence) {
  auto custom = ParseMessage("$Verdance Control$Welcome.");
  EXPECT_EQ(custom.Display, DisplayKind::Custom);
  EXPECT_EQ(custom.Title, "Verdance Control");
  EXPECT_EQ(custom.Text, "Welcome.");
  // A marker that is never closed is no title: the game shows the rest under the standard title.
  auto open = ParseMessage("$Verdance Control welcomes you.");
  EXPECT_EQ(open.Display, DisplayKind::Standard);
  EXPECT_EQ(open.Text, "Verdance Control welcomes you.");
  EXPECT_EQ(MessageDisplayText("$Verdance Control welcomes you."), "Verdance Control welcomes you.");
  // "box" in lower case is an ordinary title.
  EXPECT_EQ(ParseMessage("$box$x").Display, DisplayKind::Custom);
}

TEST(ParseMessage, ChanceAndWaitCodes) {
  EXPECT_EQ(ParseMessage("%00Never").ChanceTenths, 0);
  EXPECT_EQ(ParseMessage("%09Often").ChanceTenths, 9);
  EXPECT_EQ(ParseMessage("Always").ChanceTenths, 10);
  EXPECT_EQ(ParseMessage("%W9Late").WaitSeconds, 9);
  // Later codes of the same kind win; a "%0" without a digit is some other condition.
  auto p = ParseMessage("%02%W1%07%W4x");
  EXPECT_EQ(p.ChanceTenths, 7);
  EXPECT_EQ(p.WaitSeconds, 4);
  EXPECT_EQ(ParseMessage("%0Xx").PrefixCodes, std::vector<std::string>{"%0X"});
  // A value cut short inside its prefix.
  EXPECT_EQ(ParseMessage("%F").PrefixCodes, std::vector<std::string>{"%F"});
  EXPECT_EQ(ParseMessage("%F").Text, "");
}

TEST(ParseMessage, AnswerCodes) {
  EXPECT_EQ(ParseMessage("Hello*R").AnswerGroup, "INIT");
  EXPECT_EQ(ParseMessage("Choose*M").AnswerGroup, "INIT");
  EXPECT_EQ(ParseMessage("Go*MWar*SFA").AnswerGroup, "War");
  // Two answer codes: the last one read wins; "*M" in a message counts as well.
  EXPECT_EQ(ParseMessage("x*RFirst*SFA*RSecond").AnswerGroup, "Second");
  EXPECT_EQ(ParseMessage("x*RFirst*MSecond").AnswerGroup, "Second");
  EXPECT_EQ(ParseMessage("x*RFirst*SFA*RSecond").ActionCodes, std::vector<std::string>{"*SFA"});
}

TEST(ParseMessage, StarsAndCaretsInsideTheTextBecomeCodes) {
  auto star = ParseMessage("Two * three");
  EXPECT_EQ(star.Text, "Two ");
  EXPECT_EQ(star.ActionCodes, std::vector<std::string>{"* three"});
  auto caret = ParseMessage("a^bc d");
  EXPECT_EQ(caret.Text, "a");
  EXPECT_EQ(caret.UpgradeCodes, std::vector<std::string>{"^bc"});
  // A caret at the very end still gives a three-character code (padded with the blank).
  EXPECT_EQ(ParseMessage("end^").UpgradeCodes, std::vector<std::string>{"^ "});
  // Empty pieces between adjacent stars are kept as codes of their own.
  EXPECT_EQ(ParseMessage("x**SFA").ActionCodes, (std::vector<std::string>{"*", "*SFA"}));
}

TEST(ParseMessage, AnAbsentKeyReadsAsAnEmptyText) {
  EXPECT_EQ(ParseMessage("ERR").Text, "");
  EXPECT_EQ(ParseMessage("ERR*RHail").AnswerGroup, "Hail");
  EXPECT_EQ(ParseMessage("ERRATA").Text, "ERRATA");
}

const std::vector<std::string> kActions = {"%F - Requires flag set [C]", "*SF - Set flag [B]",
                                           "^EN - Energy upgrade", "%15 - Requires energy upgrade installed",
                                           "*D - Damage system (S3)", "*+PT - Give torpedoes (4)"};

TEST(ComposeMessage, OrdersWaitPrefixChanceTextUpgradesAnswerActions) {
  MessageParts p = Parts("Take this.");
  p.WaitSeconds = 2;
  p.ChanceTenths = 5;
  p.Display = DisplayKind::Custom;
  p.Title = "Watch";
  p.AnswerGroup = "Thanks";
  EXPECT_EQ(ComposeMessage(p, kActions, ItemKind::Message, "Research"),
            "%W2%15%FC%05$Watch$Take this.^EN*RThanks*SFB*DS3*+PT4");
  EXPECT_EQ(ComposeMessage(p, kActions, ItemKind::Response, "Research"),
            "%W2%15%FC%05$Watch$Take this.^EN*MThanks*SFB*DS3*+PT4");
}

TEST(ComposeMessage, AnswerCodeRelativeToTheOwnGroup) {
  MessageParts p = Parts("Hi");
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "Trade"), "Hi");
  p.AnswerGroup = "Trade";
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "Trade"), "Hi");
  p.AnswerGroup = "INIT";
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "Trade"), "Hi*R");
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Response, "Hail"), "Hi*M");
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "INIT"), "Hi");
  p.AnswerGroup = "Trade";
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "INIT"), "Hi*RTrade");
}

TEST(ComposeMessage, BoundaryTimings) {
  MessageParts p = Parts("x");
  p.ChanceTenths = 10;
  p.WaitSeconds = 0;
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "INIT"), "x");
  p.ChanceTenths = 0;
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "INIT"), "%00x");
  p.Display = DisplayKind::Box;
  EXPECT_EQ(ComposeMessage(p, {}, ItemKind::Message, "INIT"), "%00$BOX$x");
}

TEST(ComposeMessage, RoundTripsThroughParse) {
  MessageParts p = Parts("We found nothing of interest, %RK.");
  p.WaitSeconds = 7;
  p.ChanceTenths = 3;
  p.Display = DisplayKind::Box;
  p.AnswerGroup = "Area12";
  const std::string value = ComposeMessage(p, kActions, ItemKind::Message, "Area11Search");
  MessageParts back = ParseMessage(value);
  EXPECT_EQ(back.Text, p.Text);
  EXPECT_EQ(back.WaitSeconds, 7);
  EXPECT_EQ(back.ChanceTenths, 3);
  EXPECT_EQ(back.Display, DisplayKind::Box);
  EXPECT_EQ(back.AnswerGroup, "Area12");
  // The action listed last among the prefix entries is written first.
  EXPECT_EQ(back.PrefixCodes, (std::vector<std::string>{"%15", "%FC"}));
  EXPECT_EQ(back.UpgradeCodes, std::vector<std::string>{"^EN"});
  EXPECT_EQ(back.ActionCodes, (std::vector<std::string>{"*SFB", "*DS3", "*+PT4"}));
  EXPECT_EQ(ComposeMessage(back, kActions, ItemKind::Message, "Area11Search"), value);

  // A message of its own answer group comes back without an answer code.
  MessageParts own = Parts("Mine");
  own.AnswerGroup = "Area11Search";
  EXPECT_FALSE(ParseMessage(ComposeMessage(own, {}, ItemKind::Message, "Area11Search")).AnswerGroup);
}

TEST(ComposeMessage, ATitleCannotSwallowTheText) {
  MessageParts p = Parts("Hello");
  p.Display = DisplayKind::Custom;
  p.Title = "Cost $5";
  const std::string value = ComposeMessage(p, {}, ItemKind::Message, "INIT");
  EXPECT_EQ(value, "$Cost 5$Hello");
  EXPECT_EQ(ParseMessage(value).Text, "Hello");
  p.Title.clear();
  EXPECT_EQ(ParseMessage(ComposeMessage(p, {}, ItemKind::Message, "INIT")).Display, DisplayKind::Custom);
}

TEST(ComposeMessage, TextsThatDoNotSurviveTheRoundTrip) {
  EXPECT_EQ(ParseMessage(ComposeMessage(Parts("5 * 3 = 15"), {}, ItemKind::Message, "INIT")).Text, "5 ");
  EXPECT_EQ(ParseMessage(ComposeMessage(Parts("x^2"), {}, ItemKind::Message, "INIT")).Text, "x");
}

TEST(ComposeMessage, ATextStartingLikeACodeStaysText) {
  // Written as it stands, the text would turn into a condition code or a title; a blank in front
  // would not survive the file's reader, so the standard title is written out in front of it.
  for (std::string_view text : {"%AN greet you", "$5 a barrel$ is the price", "%05"}) {
    MessageParts p = Parts(std::string(text));
    p.ChanceTenths = 4;
    const std::string value = ComposeMessage(p, {}, ItemKind::Message, "INIT");
    EXPECT_EQ(value, "%04$Message from Planet:$" + std::string(text));
    const MessageParts back = ParseMessage(value);
    EXPECT_EQ(back.Text, text);
    EXPECT_EQ(back.ChanceTenths, 4);
    EXPECT_TRUE(back.PrefixCodes.empty());
    EXPECT_EQ(back.Title, kStandardTitle);
    EXPECT_EQ(MessageDisplayText(value), text);
    EXPECT_EQ(ComposeMessage(back, {}, ItemKind::Message, "INIT"), value);
  }
  // Behind a title the text needs nothing more.
  MessageParts boxed = Parts("%NM, listen.");
  boxed.Display = DisplayKind::Box;
  EXPECT_EQ(ComposeMessage(boxed, {}, ItemKind::Message, "INIT"), "$BOX$%NM, listen.");
  EXPECT_EQ(ParseMessage("$BOX$%NM, listen.").Text, "%NM, listen.");
}

TEST(MessageDisplayText, ShowsOnlyTheText) {
  EXPECT_EQ(MessageDisplayText("%FA%W3$BOX$  The Watch remembers.*RNone"), "The Watch remembers.");
  EXPECT_EQ(MessageDisplayText("$Great Red Watch$You will regret that.*H120"), "You will regret that.");
  EXPECT_EQ(MessageDisplayText("Thanks.^SN*SFB"), "Thanks.");
  // Unlike ParseMessage it keeps the reader's absent-key word.
  EXPECT_EQ(MessageDisplayText("ERR"), "ERR");
  EXPECT_EQ(MessageDisplayText(""), "");
}

TEST(Limits, LengthAndResponseWidth) {
  EXPECT_FALSE(ExceedsLengthLimit(std::string(254, 'x')));
  EXPECT_TRUE(ExceedsLengthLimit(std::string(255, 'x')));
  auto hundredTwipsEach = [](std::string_view text) { return static_cast<int>(text.size()) * 100; };
  EXPECT_FALSE(ExceedsResponseWidth(std::string(72, 'w'), hundredTwipsEach));  // 7200
  EXPECT_TRUE(ExceedsResponseWidth(std::string(73, 'w'), hundredTwipsEach));   // 7300
  auto exact = [](std::string_view) { return 7230; };
  EXPECT_TRUE(ExceedsResponseWidth("any", exact));
}

}  // namespace
}  // namespace zelmora::messages
