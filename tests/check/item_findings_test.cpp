// Findings about single values, counts, codes and the groups that answer codes name.
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using Items = CheckFixture;

TEST_F(Items, ValuesThatReadBackCutAndResponsesTooWide) {
  const std::string longest(254, 'x');
  Write({"Messages=2", "Message1=" + std::string(255, 'y') + "*RNone", "Message2=" + longest + "", "Responses=2",
         "Response1=" + std::string(73, 'w') + "*M", "Response2=" + std::string(72, 'w') + "*MTrade",
         "MessagesTrade=1", "MessageTrade1=Deal.", "Info=" + std::string(300, 'i')});
  auto report = Check();
  EXPECT_EQ(Keys(report, FindingKind::ValueTooLong), (std::vector<std::string>{"Message1", "Info"}))
      << Describe(report);
  const Finding too = OfKind(report, FindingKind::ValueTooLong).front();
  EXPECT_EQ(too.severity, Severity::Error);
  EXPECT_EQ(too.group, "INIT");
  EXPECT_EQ(too.list, ItemList::Messages);
  EXPECT_EQ(too.item, 1);
  EXPECT_EQ(too.message, "the value has 261 characters: the game reads back only the first 254");
  EXPECT_TRUE(OfKind(report, FindingKind::ResponseTooWide).empty());  // no font to measure with

  options.measureTwips = [](std::string_view text) { return static_cast<int>(text.size()) * 100; };
  report = Check();
  EXPECT_EQ(Keys(report, FindingKind::ResponseTooWide), std::vector<std::string>{"Response1"});
  EXPECT_EQ(OfKind(report, FindingKind::ResponseTooWide)[0].list, ItemList::Responses);
}

TEST_F(Items, CountsThatDisagreeWithTheItemsPresent) {
  Write({"Messages=3", "Message1=One.", "Message3=Three.*RNone", "MessagesTrade=1", "MessageTrade1=Deal.",
         "MessageTrade2=Never read.", "ResponseGhost1=Boo.*M", "Responses=1",
         "Response1=Trade?*MTrade",
         // Group Area1's item 11 is group Area11's item 1: both are counted, neither lies beyond.
         "MessagesArea1=1", "MessageArea11=Room one.", "MessagesArea11=1", "MessageArea111=Room eleven."});
  const auto report = Check();
  const auto above = OfKind(report, FindingKind::CountAboveItems);
  ASSERT_EQ(above.size(), 1u) << Describe(report);
  EXPECT_EQ(above[0].key, "Messages");
  EXPECT_EQ(above[0].group, "INIT");
  EXPECT_EQ(above[0].item, 0);
  EXPECT_EQ(above[0].message, "Messages says 3 messages but 2 are present: the game plays each missing one as \"ERR\"");
  EXPECT_EQ(above[0].fix, "add the missing items or lower Messages");

  const auto beyond = OfKind(report, FindingKind::ItemsBeyondCount);
  ASSERT_EQ(beyond.size(), 2u) << Describe(report);
  EXPECT_EQ(beyond[0].key, "MessageTrade2");
  EXPECT_EQ(beyond[0].group, "Trade");
  EXPECT_EQ(beyond[0].message, "item 2 lies above MessagesTrade=1: no reader sees it");
  EXPECT_EQ(beyond[0].fix, "raise MessagesTrade to 2 or delete it");
  EXPECT_EQ(beyond[1].key, "ResponseGhost1");
  EXPECT_EQ(beyond[1].message, "this item has no count key ResponsesGhost: no reader sees it");
}

TEST_F(Items, AHugeClaimedCountIsOneFindingAndPlaysAsErr) {
  Write({"Messages=32767", "Message1=Hello.*RNone", "Message2=Again.*RNone", "Responses=32767",
         "Response1=Hi.*M"});
  const auto report = Check();
  EXPECT_EQ(Keys(report, FindingKind::CountAboveItems), (std::vector<std::string>{"Messages", "Responses"}));
  EXPECT_TRUE(report.searches.at(0).complete);
  // The absent items are no messages of their own: nothing more is reported about them.
  EXPECT_TRUE(OfKind(report, FindingKind::MessageNeverSent).empty()) << Describe(report);
}

TEST_F(Items, CodesThePlayerOrTheEditorStumblesOn) {
  Write({"Messages=5", "Message1=Hello.*XYZ*RNone", "Message2=%RK, welcome.*RNone", "Message3=%FA%W2Late.*RNone",
         "Message4=Take these.*+5*SFa*RNone", "Message5=%W2%FAOn time.*RNone*SFA", "Responses=1",
         "Response1=%FA%W2Wait?*M", "AFlag=Welcomed"});
  auto report = Check();
  const auto unknown = OfKind(report, FindingKind::UnknownCode);
  ASSERT_EQ(unknown.size(), 2u) << Describe(report);
  EXPECT_EQ(unknown[0].message, "code *XYZ is not in SPECIAL.LST: the game may not know it either");
  EXPECT_EQ(unknown[1].key, "Message2");
  EXPECT_EQ(unknown[1].message,
            "the text begins with %RK, which is read as a prefix code: the placeholder is not shown");
  // Only a message waits, and only when the wait comes first.
  EXPECT_EQ(Keys(report, FindingKind::WaitNotFirst), std::vector<std::string>{"Message3"});
  const auto syntax = OfKind(report, FindingKind::SupplySyntax);
  ASSERT_EQ(syntax.size(), 1u);
  EXPECT_EQ(syntax[0].severity, Severity::Error);
  EXPECT_EQ(syntax[0].fix, "write a code after the sign, such as *+PT5");
  EXPECT_EQ(Keys(report, FindingKind::InvalidFlag), std::vector<std::string>{"Message4"});

  catalogue.clear();
  report = Check();
  EXPECT_TRUE(OfKind(report, FindingKind::UnknownCode).empty());
  EXPECT_EQ(OfKind(report, FindingKind::NoCatalogue).size(), 1u);
}

TEST_F(Items, AnswerCodesNamingGroupsWithoutMessagesOrResponses) {
  Write({"Messages=4", "Message1=Hello.*RNowhere", "Message2=Peace then.*RPeace", "Message3=Bye.*RNone",
         "Message4=Shields down.*RHail*RS1", "Responses=4", "Response1=Go.*MVoid", "Response2=Again.*MINIT",
         "Response3=Down.*MBeam", "Response4=Up.*MBeamUp", "MessagesPeace=1", "MessagePeace1=We are at peace.",
         "ResponsesHail=1", "ResponseHail1=Greetings."});
  const auto report = Check();
  const auto responses = OfKind(report, FindingKind::MissingResponses);
  ASSERT_EQ(responses.size(), 3u) << Describe(report);
  EXPECT_EQ(responses[0].key, "Message1");
  EXPECT_EQ(responses[0].severity, Severity::Error);  // no such group at all
  EXPECT_EQ(responses[1].key, "Message2");
  EXPECT_EQ(responses[1].severity, Severity::Warning);  // Peace exists but cannot be answered
  EXPECT_EQ(responses[1].message,
            "the answer code *RPeace names group Peace, which has no responses: the player cannot answer");
  EXPECT_EQ(responses[2].key, "Message4");
  EXPECT_EQ(responses[2].fix, "put the answer code after *RS1");

  const auto messages = OfKind(report, FindingKind::MissingMessages);
  ASSERT_EQ(messages.size(), 5u) << Describe(report);
  EXPECT_EQ(messages[0].key, "Response1");
  EXPECT_EQ(messages[0].severity, Severity::Error);
  EXPECT_EQ(messages[1].message, "*MINIT plays the messages of a group named INIT (key MessagesINIT), not INIT's own");
  EXPECT_EQ(messages[2].message, "*MBeam plays the messages of key MessagesBeam, not the Beam group's (BeamMessages)");
  EXPECT_EQ(messages[3].key, "Response4");
  EXPECT_EQ(messages[3].severity, Severity::Note);  // BeamUp is meant, but shows nothing
  // A Hail response without an answer code goes on with Hail's own messages, and there are none.
  EXPECT_EQ(messages[4].key, "ResponseHail1");
  EXPECT_EQ(messages[4].severity, Severity::Warning);
}

// A Beam message's *M and an Ignore chain through an empty Ignore group lead where no answer code
// does; only the group nothing leads to is reported, by the search when it finishes and, when it
// stops early, by the same rules with the flags left open.
TEST_F(Items, GroupsThatPlayNeverGetsTo) {
  Write({"Messages=2", "Message1=Hello.", "Message2=%FA%FB%FC%FD%FE%FF%FG%FHAll lamps lit.*RNone", "Responses=8",
         "Response1=Lamp one.*TFA", "Response2=Lamp two.*TFB", "Response3=Lamp three.*TFC", "Response4=Lamp four.*TFD",
         "Response5=Lamp five.*TFE", "Response6=Lamp six.*TFF", "Response7=Lamp seven.*TFG",
         "Response8=Lamp eight.*TFH",
         "BeamMessages=2", "Beam1=Sensors sweep the valley.*MValley", "Beam2=Nothing down there.",
         "MessagesValley=1", "MessageValley1=A quiet valley.*RNone", "MessagesIgnoreIgnore=1",
         "MessageIgnoreIgnore1=Still ignoring us?*RNone", "MessagesOrphan=2", "MessageOrphan1=Lost.",
         "MessageOrphan2=Also lost.", "ResponsesOrphan=1", "ResponseOrphan1=Who?*M", "AFlag=One", "BFlag=Two",
         "CFlag=Three", "DFlag=Four", "EFlag=Five", "FFlag=Six", "GFlag=Seven", "HFlag=Eight"});
  auto report = Check();
  ASSERT_TRUE(report.searches.at(0).complete);
  EXPECT_TRUE(OfKind(report, FindingKind::UnreachedGroup).empty()) << Describe(report);
  auto never = OfKind(report, FindingKind::GroupNeverPlayed);
  ASSERT_EQ(never.size(), 1u) << Describe(report);
  EXPECT_EQ(never[0].group, "Orphan");
  EXPECT_EQ(never[0].key, "MessagesOrphan");
  EXPECT_TRUE(OfKind(report, FindingKind::MessageNeverSent).empty()) << Describe(report);

  // Stopped early by the 256 combinations of lamps, but not without them.
  options.limits.maxStates = report.searches[0].configurations;
  report = Check();
  ASSERT_FALSE(report.searches.at(0).complete);
  EXPECT_TRUE(OfKind(report, FindingKind::GroupNeverPlayed).empty());
  const auto unreached = OfKind(report, FindingKind::UnreachedGroup);
  ASSERT_EQ(unreached.size(), 1u) << Describe(report);
  EXPECT_EQ(unreached[0].group, "Orphan");
  EXPECT_EQ(unreached[0].list, ItemList::Messages);
  EXPECT_EQ(unreached[0].key, "MessagesOrphan");
}

// Play tests a message's "*RS..." and "*R!S..." pieces as the state of a ship's system: an answer
// code to such a group keeps the message from being sent. A response's are only answer codes.
TEST_F(Items, AnswerCodesThatPlayReadsAsRepairConditions) {
  Write({"Messages=4", "Message1=Tell me a story.*RStory", "Message2=Repair us.*RS3", "Message3=Lost.*R!Sunken",
         "Message4=%RK here.*RStory", "MessagesStory=1", "MessageStory1=Once upon a time.*RStory",
         "ResponsesStory=2", "ResponseStory1=%RK, go on.*MStory", "ResponseStory2=Again.*RStory*MStory"});
  const auto report = Check();
  const auto read = OfKind(report, FindingKind::AnswerReadAsCondition);
  ASSERT_EQ(read.size(), 4u) << Describe(report);
  EXPECT_EQ(read[0].key, "Message1");
  EXPECT_EQ(read[0].severity, Severity::Error);
  EXPECT_EQ(read[0].message,
            "the answer code *RStory is read by play as a repair condition (system 0 damaged): the message is sent "
            "only then");
  EXPECT_EQ(read[0].fix, "rename group Story so that its name does not begin with S");
  EXPECT_EQ(read[1].key, "Message3");
  EXPECT_NE(read[1].message.find("(system 0 destroyed)"), std::string::npos);
  EXPECT_EQ(read[1].fix, "rename group !Sunken so that its name does not begin with !S");
  EXPECT_EQ(read[2].key, "Message4");
  EXPECT_EQ(read[3].key, "MessageStory1");
  // The placeholder at the front of a message is lost; the response chooser shows a response's.
  const auto unknown = OfKind(report, FindingKind::UnknownCode);
  ASSERT_EQ(unknown.size(), 1u) << Describe(report);
  EXPECT_EQ(unknown[0].key, "Message4");
}

TEST_F(Items, AScriptTheGameDoesNotPlayIsNotedOnce) {
  Write({"Messages=1", "Message1=Hello.*RNone"}, false);
  const auto report = Check();
  ASSERT_EQ(report.findings.size(), 1u) << Describe(report);
  EXPECT_EQ(report.findings[0].kind, FindingKind::ScriptNotUsed);
  EXPECT_EQ(report.findings[0].system, "Probe");
  EXPECT_EQ(report.findings[0].planet, 1);
}

}  // namespace
}  // namespace zelmora::check
