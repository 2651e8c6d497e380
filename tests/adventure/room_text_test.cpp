#include "adventure/grid_names.h"
#include "adventure/room_text.h"

#include <gtest/gtest.h>

namespace zelmora::adventure {
namespace {

TEST(RoomTextTest, SplitsPrefixTextAndTailAndRebuildsTheSameValue) {
  const std::string value = "%W3%FA$BOX$The door opens.^EN*MHall*SFB";
  const RoomText parts = SplitValue(value);
  EXPECT_EQ(parts.prefix, "%W3%FA");
  EXPECT_EQ(parts.text, "$BOX$The door opens.^EN");
  EXPECT_EQ(parts.tail, "*MHall*SFB");
  EXPECT_EQ(parts.Value(), value);

  EXPECT_EQ(SplitValue("ERR"), RoomText{});
  EXPECT_EQ(SplitValue("%G"), (RoomText{"%G", "", ""}));  // a short code at the end stays prefix
  EXPECT_EQ(SplitValue("No codes"), (RoomText{"", "No codes", ""}));
}

TEST(RoomTextTest, AnswerCodesAndDestinations) {
  EXPECT_EQ(AnswerName("*SFA*MHall*CFB", 'M'), "Hall");
  EXPECT_EQ(AnswerName("*M", 'M'), "");
  EXPECT_FALSE(HasAnswerCode("*SFA", 'M'));
  EXPECT_EQ(TailWithoutAnswer("*SFA*MHall*CFB", 'M'), "*SFA*CFB");
  EXPECT_EQ(TailWithDestination("*SFA*MHall*CFB", "Cave"), "*SFA*MCave*CFB");
  // Without a destination the new one goes after the other codes.
  EXPECT_EQ(TailWithDestination("*SFA", "Cave"), "*SFA*MCave");
  EXPECT_EQ(TailWithDestination("", "Cave"), "*MCave");

  // A repair condition only looks like an answer code.
  EXPECT_EQ(AnswerName("*RS1*R!S2*RCave*SFA", 'R'), "Cave");
  EXPECT_FALSE(HasAnswerCode("*RS1*SFA", 'R'));
  EXPECT_EQ(TailWithoutAnswer("*RS1*RCave*SFA", 'R'), "*RS1*SFA");
}

TEST(RoomTextTest, DirectionMarkerReplacesOnlyTheFirstGCode) {
  EXPECT_EQ(PrefixWithMarker("%FA%GN%W2", "%G-"), "%G-%FA%W2");
  EXPECT_EQ(PrefixWithMarker("%FA", "%GE"), "%GE%FA");
  EXPECT_EQ(PrefixWithMarker("%GN%FA", ""), "%FA");
  // A "G" that is a code's value is not a marker: codes are read three characters at a time.
  EXPECT_EQ(PrefixWithMarker("%FG%GS", "%GW"), "%GW%FG");
  EXPECT_EQ(DirectionMarker("%FG%GS"), "%GS");
}

TEST(RoomTextTest, TextBudgetKeepsTheStoredValueWithinItsLimit) {
  RoomText parts{"%FA", "", "*MHall"};
  EXPECT_EQ(TextBudget(parts), 254u - 3u - 6u);
  EXPECT_EQ(FitText(parts, std::string(300, 'x')).size(), 245u);
  parts.tail = std::string(260, '*');
  EXPECT_EQ(TextBudget(parts), 0u);
}

TEST(GridNamesTest, OneAndTwoDigitNames) {
  auto one = ParseGridName("Area11");
  ASSERT_TRUE(one);
  EXPECT_FALSE(one->twoDigit);
  EXPECT_EQ(one->x, 1);
  EXPECT_EQ(one->y, 1);
  EXPECT_EQ(one->base, "Area");

  auto two = ParseGridName("Area0104");
  ASSERT_TRUE(two);
  EXPECT_TRUE(two->twoDigit);
  EXPECT_EQ(two->x, 1);
  EXPECT_EQ(two->y, 4);

  auto big = ParseGridName("Area1010");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->x, 10);
  EXPECT_EQ(big->y, 10);

  EXPECT_FALSE(ParseGridName("Cave"));
  EXPECT_FALSE(ParseGridName("Area00"));
  EXPECT_FALSE(ParseGridName(""));
  EXPECT_FALSE(ParseGridName("7"));
}

TEST(GridNamesTest, NeighboursKeepTheNamesDigitFormat) {
  EXPECT_EQ(NeighbourNames("Area0104"),
            (std::array<std::string, 4>{"Area0103", "Area0204", "Area0105", ""}));
  EXPECT_EQ(NeighbourNames("Area11"), (std::array<std::string, 4>{"", "Area21", "Area12", ""}));
  EXPECT_EQ(NeighbourNames("Area22"), (std::array<std::string, 4>{"Area21", "Area32", "Area23", "Area12"}));
  EXPECT_EQ(NeighbourNames("Cave"), (std::array<std::string, 4>{}));
}

TEST(GridNamesTest, OnlyDigitsCountNotBlanksSignsOrPoints) {
  EXPECT_EQ(NeighbourNames("Cave 1"), (std::array<std::string, 4>{}));
  EXPECT_EQ(NeighbourNames("Lvl+2"), (std::array<std::string, 4>{}));
  EXPECT_EQ(NeighbourNames("Deck.5"), (std::array<std::string, 4>{}));
  // " 104" does not begin with a digit: one digit each, x from "0" and y from "4".
  EXPECT_EQ(NeighbourNames("Room 104"), (std::array<std::string, 4>{"Room 103", "Room 114", "Room 105", ""}));
}

TEST(GridNamesTest, AreaNamesArePaddedToTheGridsDigits) {
  EXPECT_EQ(AreaName(1, 1, 10, 10), "Area0101");
  EXPECT_EQ(AreaName(10, 3, 10, 3), "Area103");
  EXPECT_EQ(AreaName(1, 1, 10, 3), "Area011");
  EXPECT_EQ(AreaName(3, 4, 3, 4), "Area34");
}

}  // namespace
}  // namespace zelmora::adventure
