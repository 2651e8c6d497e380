// Flags set and never tested, tested and never set, and used without a description.
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using Flags = CheckFixture;

TEST_F(Flags, SetWithoutTestTestWithoutSetAndMissingDescriptions) {
  Write({"Messages=3", "Message1=%FCYou are known here.*RNone", "Message2=Welcome.*SFB*TFD",
         "Message3=%fDWhat now?*RNone", "Responses=1", "Response1=%32Because of B?*M", "BeamFlag=%FE",
         "BFlag=Greeted", "CFlag=Known"});
  const auto report = Check();
  const auto never = OfKind(report, FindingKind::FlagNeverSet);
  ASSERT_EQ(never.size(), 2u) << Describe(report);
  EXPECT_EQ(never[0].key, "Message1");
  EXPECT_EQ(never[0].severity, Severity::Warning);
  EXPECT_EQ(never[0].message, "flag C is tested here but nothing sets it (*SFC or *TFC)");
  EXPECT_EQ(never[1].key, "BeamFlag");  // the rooms' beam-up requirement tests E
  // B is tested through its number (%32), D is toggled and tested: neither is reported.
  EXPECT_TRUE(OfKind(report, FindingKind::FlagNeverTested).empty()) << Describe(report);
  const auto undescribed = OfKind(report, FindingKind::FlagUndescribed);
  ASSERT_EQ(undescribed.size(), 2u) << Describe(report);
  EXPECT_EQ(undescribed[0].message, "flag D is used here but has no description (key DFlag)");
  EXPECT_EQ(undescribed[0].key, "Message2");
  EXPECT_EQ(undescribed[0].severity, Severity::Note);
  EXPECT_EQ(undescribed[1].message, "flag E is used here but has no description (key EFlag)");
}

TEST_F(Flags, LettersAfterTheTreatyFlagAndTheTreatyItself) {
  // H is flag 8 (flag 7, the treaty, has no letter); %45 tests the treaty, which only *TREATY sets.
  Write({"Messages=2", "Message1=%45Our treaty holds.*RNone", "Message2=Noted.*SFH*RNone", "HFlag=Noted"});
  auto report = Check();
  const auto never = OfKind(report, FindingKind::FlagNeverSet);
  ASSERT_EQ(never.size(), 1u) << Describe(report);
  EXPECT_EQ(never[0].message, "the treaty flag is tested here but no message forms a treaty (*TREATY)");
  const auto untested = OfKind(report, FindingKind::FlagNeverTested);
  ASSERT_EQ(untested.size(), 1u);
  EXPECT_EQ(untested[0].message, "flag H is set here but nothing tests it");
  EXPECT_TRUE(OfKind(report, FindingKind::FlagUndescribed).empty());  // the treaty needs no description

  Write({"Messages=2", "Message1=%45Our treaty holds.*RNone", "Message2=Agreed.*TREATY", "Responses=1",
         "Response1=Once more.*M"});
  report = Check();
  EXPECT_TRUE(OfKind(report, FindingKind::FlagNeverSet).empty()) << Describe(report);
  EXPECT_TRUE(OfKind(report, FindingKind::MessageNeverSent).empty()) << Describe(report);
}

}  // namespace
}  // namespace zelmora::check
