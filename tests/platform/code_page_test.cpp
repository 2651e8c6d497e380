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

TEST(CodePage, CheckedConversionRefusesWhatTheCodePageCannotHold) {
  QString refused = QStringLiteral("stale");
  EXPECT_EQ(qt::ToCp1252Checked(QString(QChar(0x20AC)) + QStringLiteral("5 caf") + QChar(0xE9), &refused),
            "\x80" "5 caf\xE9");
  EXPECT_TRUE(refused.isEmpty());

  // Each refused character once, in typed order; one outside the basic plane counts as one.
  const QString emoji = QString::fromUcs4(U"\U0001F600", 1);
  const QString typed = QString(QChar(0x4E2D)) + QStringLiteral("a") + emoji + QChar(0x4E2D) + QChar(0x2603);
  EXPECT_FALSE(qt::ToCp1252Checked(typed, &refused));
  EXPECT_EQ(refused, QString(QChar(0x4E2D)) + emoji + QChar(0x2603));
  EXPECT_EQ(qt::CharacterNames(refused), "U+4E2D, U+1F600, U+2603");
  EXPECT_FALSE(qt::ToCp1252Checked(emoji));
}

}  // namespace
}  // namespace zelmora
