#include "ui/platform/text_rules.h"

#include <gtest/gtest.h>

namespace zelmora::platform {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOnly) {
  EXPECT_EQ(LeadingNumber("42abc"), 42);
  EXPECT_EQ(LeadingNumber("  -7,3"), -7);
  EXPECT_EQ(LeadingNumber("2.5e1x"), 25);
  EXPECT_EQ(LeadingNumber("1e"), 1);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
}

TEST(LeadingDigits, OnlyDigitsAtTheVeryStart) {
  EXPECT_EQ(LeadingDigits("04"), 4);
  EXPECT_EQ(LeadingDigits("12ab"), 12);
  EXPECT_EQ(LeadingDigits(" 1"), 0);
  EXPECT_EQ(LeadingDigits("+2"), 0);
  EXPECT_EQ(LeadingDigits(".5"), 0);
  EXPECT_EQ(LeadingDigits(""), 0);
  EXPECT_EQ(LeadingDigits(std::string(30, '9')), 2147483647);
}

TEST(Rounding, HalvesGoToEvenAndRangesClamp) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(2.51), 3);
  EXPECT_EQ(RoundToInt16(40000), 32767);
  EXPECT_EQ(RoundToInt16(-40000), -32768);
  EXPECT_EQ(RoundToInt32(1e12), 2147483647);
  EXPECT_EQ(ToInt16("1.5 planets"), 2);
  EXPECT_EQ(ToInt32("0.5"), 0);
}

TEST(CaseRules, CompareWithoutRegardToCaseInTheCodePage) {
  EXPECT_TRUE(EqualsNoCase("PlanetPics", "planetpics"));
  EXPECT_TRUE(EqualsNoCase("\xE9t\xE9", "\xC9T\xC9"));  // accented letters of the code page
  EXPECT_TRUE(EqualsNoCase("\x9A", "\x8A"));
  EXPECT_FALSE(EqualsNoCase("\xF7", "\xD7"));  // division and multiplication signs are not a pair
  EXPECT_FALSE(EqualsNoCase("Name1", "Name10"));
  EXPECT_EQ(ToUpper1252("ab\xFF"), "AB\x9F");
  EXPECT_EQ(ToLower1252("AB\x9F"), "ab\xFF");
}

TEST(Trim, SpacesOrBlanks) {
  EXPECT_EQ(TrimSpaces("  Vega \t "), "Vega \t");
  EXPECT_EQ(TrimBlanks("\t Vega \t "), "Vega");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(FitWidth("Vega", 6), "Vega  ");
  EXPECT_EQ(FitWidth("Betelgeuse", 4), "Bete");
}

}  // namespace
}  // namespace zelmora::platform
