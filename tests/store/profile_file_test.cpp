#include "store/profile_file.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::store {
namespace {

using testing::CrLf;

const std::string kFile = CrLf({"[General]", "PlanetPics = YN", "Messages=NN", "", ";SolarSystem",
                                ";\"Vega                \",0,2", ";400,2,0,0,1,0", ";430,3,1,0,13,0",
                                "[Names]", "S=Vega Prime", "1=Alpha", "10=Omega", "; trailing comment", ""});

TEST(ProfileRead, SectionsAndKeysIgnoreCaseAndBlanks) {
  EXPECT_EQ(ReadProfileValue(kFile, "general", "planetpics", "d"), "YN");
  EXPECT_EQ(ReadProfileValue(kFile, "GENERAL", "Messages", "d"), "NN");
  EXPECT_EQ(ReadProfileValue("[ Names ] junk after\r\n  Key  =  some value  \r\n", "Names", "key", "d"),
            "some value");
  EXPECT_EQ(ReadProfileValue(kFile, "Names", "1", "d"), "Alpha");
  EXPECT_EQ(ReadProfileValue(kFile, "Names", "10", "d"), "Omega");
}

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(ReadProfileValue(kFile, "Names", "2", "Not Used"), "Not Used");
  EXPECT_EQ(ReadProfileValue(kFile, "3", "Message1", "Not Used"), "Not Used");
  EXPECT_EQ(ReadProfileValue("", "General", "x", "Not Used"), "Not Used");
  EXPECT_EQ(GetProfileString("/nonexistent/zelmora.zmd", "General", "x", "Not Used"), "Not Used");
}

TEST(ProfileRead, CommentsLinesWithoutEqualsAndKeysBeforeAnySectionAreNeverKeys) {
  std::string text = CrLf({"Early=1", "[S]", ";Hidden=2", "  ;Hidden2=3", "NoEquals", "Real=4"});
  EXPECT_EQ(ReadProfileValue(text, "S", "Early", "d"), "d");
  EXPECT_EQ(ReadProfileValue(text, "S", ";Hidden", "d"), "d");
  EXPECT_EQ(ReadProfileValue(text, "S", "Hidden2", "d"), "d");
  EXPECT_EQ(ReadProfileValue(text, "S", "NoEquals", "d"), "d");
  EXPECT_EQ(ReadProfileValue(text, "S", "Real", "d"), "4");
  // The system block's lines start with ";" and so never shadow a key.
  EXPECT_EQ(ReadProfileValue(kFile, "General", ";400,2,0,0,1,0", "d"), "d");
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
  std::string text = CrLf({"[A]", "k=first", "k=second", "[a]", "k=third", "other=x"});
  EXPECT_EQ(ReadProfileValue(text, "A", "k", "d"), "first");
  EXPECT_EQ(ReadProfileValue(text, "A", "other", "d"), "d");
}

TEST(ProfileRead, OneMatchingPairOfOuterQuotesGoes) {
  std::string text = CrLf({"[Q]", "a=\"quoted\"", "b='single'", "c=\"mixed'", "d=\"\"twice\"\"", "e=\"",
                           "f=  \"spaced\"  "});
  EXPECT_EQ(ReadProfileValue(text, "Q", "a", ""), "quoted");
  EXPECT_EQ(ReadProfileValue(text, "Q", "b", ""), "single");
  EXPECT_EQ(ReadProfileValue(text, "Q", "c", ""), "\"mixed'");
  EXPECT_EQ(ReadProfileValue(text, "Q", "d", ""), "\"twice\"");
  EXPECT_EQ(ReadProfileValue(text, "Q", "e", ""), "\"");
  EXPECT_EQ(ReadProfileValue(text, "Q", "f", ""), "spaced");
}

TEST(ProfileRead, AnyLineEndWorks) {
  EXPECT_EQ(ReadProfileValue("[A]\nk=lf\n", "A", "k", ""), "lf");
  EXPECT_EQ(ReadProfileValue("[A]\rk=cr\rj=2", "A", "k", ""), "cr");
  EXPECT_EQ(ReadProfileValue("[A]\rk=cr\rj=2", "A", "j", ""), "2");
}

TEST(ProfileRead, ValuesAreCutTo254Characters) {
  std::string v254(254, 'x'), v255(255, 'y');
  std::string text = CrLf({"[A]", "a=" + v254, "b=" + v255});
  EXPECT_EQ(ReadProfileValue(text, "A", "a", ""), v254);
  EXPECT_EQ(ReadProfileValue(text, "A", "b", ""), std::string(254, 'y'));
}

TEST(ProfileWrite, ExistingKeyIsReplacedInPlaceAndNothingElseMoves) {
  std::string out = WriteProfileValue(kFile, "general", "PLANETPICS", "YNY");
  std::string expected = kFile;
  expected.replace(expected.find("PlanetPics = YN"), 15, "PlanetPics=YNY");
  EXPECT_EQ(out, expected);
  // A line ending of another kind stays as it was.
  EXPECT_EQ(WriteProfileValue("[A]\nk = 1\nz=2", "A", "K", "9"), "[A]\nk=9\nz=2");
}

TEST(ProfileWrite, NewKeyGoesAfterTheLastKeyOfItsSection) {
  // In [General] the new key lands above the blank line and the system block.
  std::string out = WriteProfileValue(kFile, "General", "Extra", "1");
  EXPECT_EQ(out, CrLf({"[General]", "PlanetPics = YN", "Messages=NN", "Extra=1", "", ";SolarSystem",
                       ";\"Vega                \",0,2", ";400,2,0,0,1,0", ";430,3,1,0,13,0", "[Names]",
                       "S=Vega Prime", "1=Alpha", "10=Omega", "; trailing comment", ""}));
  // Above trailing comment lines too.
  std::string names = WriteProfileValue(kFile, "Names", "2", "Beta");
  EXPECT_NE(names.find("10=Omega\r\n2=Beta\r\n; trailing comment"), std::string::npos);
}

TEST(ProfileWrite, SectionWithoutKeysTakesTheKeyRightAfterItsHeader) {
  EXPECT_EQ(WriteProfileValue(CrLf({"[A]", "", "[B]", "x=1"}), "A", "k", "v"), CrLf({"[A]", "k=v", "", "[B]", "x=1"}));
  // The header is the last line and has no line break.
  EXPECT_EQ(WriteProfileValue("[A]\r\nx=1\r\n[B]", "B", "k", "v"), "[A]\r\nx=1\r\n[B]\r\nk=v");
}

TEST(ProfileWrite, MissingSectionIsAppendedWithoutABlankLine) {
  EXPECT_EQ(WriteProfileValue(CrLf({"[A]", "x=1"}), "3", "Message1", "Hi"), CrLf({"[A]", "x=1", "[3]", "Message1=Hi"}));
  EXPECT_EQ(WriteProfileValue("[A]\r\nx=1", "B", "k", "v"), CrLf({"[A]", "x=1", "[B]", "k=v"}));
  EXPECT_EQ(WriteProfileValue("", "B", "k", "v"), CrLf({"[B]", "k=v"}));
}

TEST(ProfileWrite, ValueIsWrittenAsGivenButStaysOnOneLine) {
  std::string out = WriteProfileValue(CrLf({"[A]"}), "A", "k", "  spaced = \"x\" ");
  EXPECT_EQ(out, CrLf({"[A]", "k=  spaced = \"x\" "}));
  EXPECT_EQ(WriteProfileValue(CrLf({"[A]"}), "A", "k", "two\r\nlines"), CrLf({"[A]", "k=two  lines"}));
}

TEST(ProfileFile, WriteCreatesAMissingFileAndReadsBack) {
  testing::TempGameFolder game;
  auto file = game.Descriptors() / "New.zmd";
  ASSERT_TRUE(WriteProfileString(file, "General", "Messages", "NN"));
  ASSERT_TRUE(WriteProfileString(file, "1", "Message1", "Hello"));
  EXPECT_EQ(game.ReadDescriptor("New"), CrLf({"[General]", "Messages=NN", "[1]", "Message1=Hello"}));
  EXPECT_EQ(GetProfileString(file, "1", "message1", ""), "Hello");
  EXPECT_FALSE(WriteProfileString(game.Path() / "missing" / "x.zmd", "A", "k", "v"));
}

TEST(DeleteKeyLines, RemovesOnlyTheExactKeyInsideItsSection) {
  std::string out = DeleteKeyLines(kFile, "Names", "1");
  EXPECT_EQ(out.find("1=Alpha"), std::string::npos);
  EXPECT_NE(out.find("10=Omega"), std::string::npos);
  EXPECT_NE(out.find("S=Vega Prime"), std::string::npos);
  // Another section's key of the same name stays, and so do comment lines.
  std::string text = CrLf({"[1]", "Message1=a", ";Message1=c", "[2]", "Message1=b", "[1]", "message1 = d"});
  EXPECT_EQ(DeleteKeyLines(text, "1", "Message1"), CrLf({"[1]", ";Message1=c", "[2]", "Message1=b", "[1]"}));
}

}  // namespace
}  // namespace zelmora::store
