// The search over play: what can never be sent or offered, and how the search ends.
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using testing::kFromTheStart;
using Reach = CheckFixture;

TEST_F(Reach, AMessageWhoseFlagIsOnlySetAfterItsGroupIsOver) {
  Write({"Messages=2", "Message1=%FAYou are known to us.", "Message2=%fAWho are you?*RWho", "ResponsesWho=1",
         "ResponseWho1=A friend.*MFriend", "MessagesFriend=1", "MessageFriend1=Welcome, friend.*SFA*RNone",
         "MessagesBack=1", "MessageBack1=%FAGood to see you again.*RNone", "AFlag=Befriended"});
  const auto report = Check();
  const auto never = OfKind(report, FindingKind::MessageNeverSent);
  ASSERT_EQ(never.size(), 1u) << Describe(report);
  EXPECT_EQ(never[0].key, "Message1");
  EXPECT_EQ(never[0].group, "INIT");
  EXPECT_EQ(never[0].item, 1);
  EXPECT_EQ(never[0].message,
            "this message can never be sent: it needs flag A set, which never holds while its group is played" +
                kFromTheStart);
  // Back, after a later visit, does see the flag.
  EXPECT_EQ(report.findings.size(), 1u) << Describe(report);
}

TEST_F(Reach, ACycleOfGroupsEndsTheSearch) {
  Write({"Messages=1", "Message1=Ping.*RPing", "ResponsesPing=2", "ResponsePing1=Pong.*MPong",
         "ResponsePing2=%FBStop.*MEnd", "MessagesPong=2", "MessagePong1=Ping again.*RPing*TFA",
         "MessagePong2=%FAPing once more.*RPing*SFB", "MessagesEnd=1", "MessageEnd1=Done.*RNone",
         "AFlag=Odd round", "BFlag=Tired"});
  const auto report = Check();
  ASSERT_EQ(report.searches.size(), 1u);
  EXPECT_TRUE(report.searches[0].complete);
  EXPECT_LT(report.searches[0].states, 200u);
  EXPECT_TRUE(report.findings.empty()) << Describe(report);
}

TEST_F(Reach, ChanceAndTheShipGoEitherWayThePlanetsEnergyDoesNot) {
  // The planet has no energy: %20 holds, %23 (dylithium) never does; %05 and %47 may.
  Write({"Messages=6", "Message1=%05Maybe.*RNone", "Message2=%47You are damaged.*RNone", "Message3=%20No power.*RNone",
         "Message4=%23Crystals!*RNone", "Message5=%00Never.*RNone", "Message6=Pay the toll.*-PT5*RNone",
         "Responses=1", "Response1=Again.*M"});
  auto report = Check();
  EXPECT_EQ(Keys(report, FindingKind::MessageNeverSent), (std::vector<std::string>{"Message4", "Message5"}))
      << Describe(report);
  EXPECT_EQ(OfKind(report, FindingKind::MessageNeverSent)[1].message,
            "this message can never be sent: its conditions never hold" + kFromTheStart);
}

TEST_F(Reach, AGroupThatNoVisitPlaysIsOneFinding) {
  Write({"Messages=1", "Message1=Hello.*RNone", "ResponsesHail=2", "ResponseHail1=%FZSecret.*MSecret",
         "ResponseHail2=Hello.*M",
         "MessagesSecret=2", "MessageSecret1=One.", "MessageSecret2=Two.", "ZFlag=Never set"});
  const auto report = Check();
  const auto never = OfKind(report, FindingKind::GroupNeverPlayed);
  ASSERT_EQ(never.size(), 1u) << Describe(report);
  EXPECT_EQ(never[0].group, "Secret");
  EXPECT_EQ(never[0].key, "MessagesSecret");
  EXPECT_TRUE(OfKind(report, FindingKind::MessageNeverSent).empty());
  EXPECT_EQ(Keys(report, FindingKind::ResponseNeverOffered), std::vector<std::string>{"ResponseHail1"});
}

TEST_F(Reach, ABoundedSearchSaysSoAndReportsNothingItCouldNotSee) {
  Write({"Messages=1", "Message1=%FAKnown.*RNone", "Responses=1", "Response1=Hi.*M"});
  options.limits.maxStates = 3;
  const auto report = Check();
  ASSERT_EQ(report.searches.size(), 1u);
  EXPECT_FALSE(report.searches[0].complete);
  EXPECT_EQ(report.searches[0].stoppedBy, "states");
  const auto incomplete = OfKind(report, FindingKind::SearchIncomplete);
  ASSERT_EQ(incomplete.size(), 1u);
  EXPECT_EQ(incomplete[0].severity, Severity::Note);
  EXPECT_NE(incomplete[0].message.find("(state limit)"), std::string::npos) << incomplete[0].message;
  EXPECT_TRUE(OfKind(report, FindingKind::MessageNeverSent).empty()) << Describe(report);
  EXPECT_TRUE(OfKind(report, FindingKind::GroupNeverPlayed).empty());

  // A deadline already past stops it by time, whatever the states allow.
  options.limits.maxStates = 1'000'000;
  options.limits.deadline = std::chrono::steady_clock::now();
  const auto late = Check();
  EXPECT_EQ(late.searches.at(0).stoppedBy, "time");
  EXPECT_NE(OfKind(late, FindingKind::SearchIncomplete).at(0).message.find("(time limit)"), std::string::npos);
}

TEST_F(Reach, TheConversationDemosHaveNothingThatPlayCannotReach) {
  zelmora::testing::DemoGameFolder demo;
  store::DescriptorStore demoStore(demo.Path());
  const auto catalogue = messages::LoadSpecialActions(demo.Path());
  CheckReport report;
  for (const char* name : {"4Tessaly", "Kestrel Verge"}) {
    store::SolarSystemRecord system;
    demoStore.LoadSystem(name, system);
    report.Append(CheckSystem(demoStore, system, catalogue, options));
  }
  ASSERT_EQ(report.searches.size(), 4u);
  for (const Finding& f : report.findings) {
    EXPECT_TRUE(f.kind != FindingKind::MessageNeverSent && f.kind != FindingKind::ResponseNeverOffered &&
                f.kind != FindingKind::GroupNeverPlayed && f.kind != FindingKind::UnreachedGroup)
        << f.system << "/" << f.planet << "/" << f.key << ": " << f.message;
  }
  for (const auto& s : report.searches) EXPECT_TRUE(s.complete) << s.system << " " << s.planet;
}

}  // namespace
}  // namespace zelmora::check
