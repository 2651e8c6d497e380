#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"

#include <gtest/gtest.h>

namespace zelmora {
namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughQString) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(qt::ToCp1252(qt::FromCp1252(all)), all);
  EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(all)), all);
}

TEST(CodePage, TheHighRangeMapsToItsOwnCharacters) {
  EXPECT_EQ(qt::FromCp1252("\x80"), QString(QChar(0x20AC)));
  EXPECT_EQ(qt::FromCp1252("\x9F\xE9"), QString(QChar(0x0178)) + QChar(0xE9));
  EXPECT_EQ(platform::Cp1252ToUtf8("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
  EXPECT_EQ(qt::ToCp1252(QString(QChar(0x4E2D))), "?");  // no byte in the code page
  EXPECT_EQ(platform::Utf8ToCp1252("\xE4\xB8\xAD"), "?");
  EXPECT_EQ(platform::Utf8ToCp1252("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(platform::Utf8ToCp1252("raw\xE9"), "raw\xE9");  // not UTF-8: taken as it is
}

TEST(CodePage, TypedTextIsCheckedAndTheRefusalNamesTheMissingCharacters) {
  // "\xC5\x8Csaka \xE6\x97\xA5\xE6\x9C\xAC": O with macron, then two characters the code page lacks.
  const std::string osaka = "\xC5\x8Csaka \xE6\x97\xA5\xE6\x9C\xAC\xE6\x97\xA5";
  EXPECT_EQ(platform::CharactersOutsideCp1252(osaka), (std::u32string{0x014C, 0x65E5, 0x672C}));
  EXPECT_EQ(platform::CharactersOutsideCp1252("caf\xC3\xA9 \xE2\x82\xAC?"), std::u32string());  // all in 1252
  EXPECT_EQ(platform::CharactersOutsideCp1252("\xF0\x9F\x9A\x80"), std::u32string{0x1F680});
  EXPECT_EQ(platform::CodePageRefusal(std::u32string{0x014C, 0x65E5, 0x672C}),
            "The game cannot store the characters \"\xC5\x8C\" (U+014C), \"\xE6\x97\xA5\" (U+65E5) and "
            "\"\xE6\x9C\xAC\" (U+672C).  Please type the text without them.");
  EXPECT_EQ(platform::CodePageRefusal(std::u32string{0x1F680}),
            "The game cannot store the character \"\xF0\x9F\x9A\x80\" (U+1F680).  Please type the text without it.");

  auto checked = qt::ToCp1252Checked(QString::fromUtf8(osaka.c_str()));
  EXPECT_FALSE(checked.ok());
  EXPECT_EQ(checked.refused, (std::u32string{0x014C, 0x65E5, 0x672C}));
  EXPECT_EQ(checked.bytes, "");
  // A character beyond 16 bits is one character, not two halves.
  EXPECT_EQ(qt::ToCp1252Checked(QString::fromUtf8("a\xF0\x9F\x9A\x80")).refused, std::u32string{0x1F680});
  auto fine = qt::ToCp1252Checked(QString::fromUtf8("\xC3\x86r\xC3\xB8 \xE2\x80\x9Cx\xE2\x80\x9D"));
  EXPECT_TRUE(fine.ok());
  EXPECT_EQ(fine.bytes, "\xC6r\xF8 \x93x\x94");
}

TEST(CodePage, ExactDecodingOfNamesFromTheDisk) {
  EXPECT_EQ(platform::Utf8ToCp1252Exact("\xC3\x86r\xC3\xB8"), "\xC6r\xF8");
  EXPECT_EQ(platform::Utf8ToCp1252Exact("\xC2\x81"), "\x81");  // the code page's unused bytes survive
  EXPECT_EQ(platform::Utf8ToCp1252Exact("\xE6r\xF8"), std::nullopt);       // not UTF-8
  EXPECT_EQ(platform::Utf8ToCp1252Exact("\xE6\x97\xA5"), std::nullopt);   // not in the code page
  EXPECT_EQ(platform::Utf8ToCp1252Exact("\xC0\xAF"), std::nullopt);        // overlong "/"
  EXPECT_EQ(platform::Utf8ToCp1252("\xC0\xAF"), "\xC0\xAF");              // taken as bytes, never as "/"
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(platform::Utf8ToCp1252Exact(platform::Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace zelmora
