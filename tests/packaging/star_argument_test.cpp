#include "packaging/star_argument.h"

#include <gtest/gtest.h>

namespace zelmora::packaging {
namespace {

std::string Code(int k) { return std::string(1, static_cast<char>(k)); }

// The argument before inversion, as the game decodes it.
std::string Decoded(const std::string& encoded) {
  std::string plain = encoded;
  for (char& c : plain) c = static_cast<char>(255 - static_cast<unsigned char>(c));
  return plain;
}

std::string Padded(const std::string& text) { return text + std::string(kStarArgumentWidth - text.size(), ' '); }

TEST(StarArgument, LeadingNumberTravelsAsOneCharacterCode) {
  EXPECT_EQ(StarArgumentText("9Sol"), Code(9) + "Sol");
  EXPECT_EQ(StarArgumentText("10Sol"), Code(10) + "Sol");
  EXPECT_EQ(StarArgumentText("253Sol"), Code(253) + "Sol");
  EXPECT_EQ(StarArgumentText("4Tessaly"), Code(4) + "Tessaly");
  // The number is rounded halves to even, but the characters dropped are those of its decimal form.
  EXPECT_EQ(StarArgumentText("2.5X"), Code(2) + "X");
  EXPECT_EQ(StarArgumentText("1.50Sol"), Code(2) + "0Sol");
  EXPECT_EQ(StarArgumentText("09Sol"), Code(9) + "9Sol");
}

TEST(StarArgument, NamesWithoutAPositiveNumberBelow254) {
  EXPECT_EQ(StarArgumentText("Vega"), Code(254) + "Vega");
  EXPECT_EQ(StarArgumentText("0Vega"), Code(0) + "Vega");
  EXPECT_EQ(StarArgumentText("00Vega"), Code(0) + "0Vega");
  EXPECT_EQ(StarArgumentText("-3Vega"), Code(254) + "-3Vega");
  EXPECT_EQ(StarArgumentText(" 0Vega"), Code(254) + " 0Vega");
  EXPECT_EQ(StarArgumentText(""), Code(254));
  // From 254 on only the first two characters make the code.
  EXPECT_EQ(StarArgumentText("254Sol"), Code(25) + "4Sol");
  EXPECT_EQ(StarArgumentText("1000"), Code(10) + "00");
  EXPECT_EQ(StarArgumentText("999X"), Code(99) + "9X");
}

TEST(StarArgument, EncodingPadsTo21AndInvertsEveryByte) {
  auto nine = EncodeStarArgument("9Sol");
  ASSERT_TRUE(nine);
  ASSERT_EQ(nine->size(), 21u);
  EXPECT_EQ(static_cast<unsigned char>((*nine)[0]), 246);
  EXPECT_EQ(static_cast<unsigned char>((*nine)[1]), 255 - 'S');
  EXPECT_EQ(static_cast<unsigned char>((*nine)[20]), 223);  // a padding space
  EXPECT_EQ(Decoded(*nine), Padded(Code(9) + "Sol"));
  EXPECT_EQ(Decoded(*EncodeStarArgument("Vega")), Padded(Code(254) + "Vega"));
  EXPECT_EQ(static_cast<unsigned char>((*EncodeStarArgument("0Vega"))[0]), 255);
}

TEST(StarArgument, NamesTooLongForTheGameAreRefused) {
  std::string twenty(20, 'a');
  EXPECT_EQ(Decoded(*EncodeStarArgument(twenty)), Code(254) + twenty);
  EXPECT_FALSE(EncodeStarArgument(twenty + "b"));
  // A number prefix shrinks to one character, so longer names still fit.
  EXPECT_TRUE(EncodeStarArgument("12" + twenty));
  EXPECT_FALSE(EncodeStarArgument("12" + twenty + "b"));
  EXPECT_TRUE(EncodeStarArgument("300" + std::string(19, 'x')));
  EXPECT_FALSE(EncodeStarArgument("300" + std::string(20, 'x')));
}

}  // namespace
}  // namespace zelmora::packaging
