#include "tests/support/open_demo_system.h"
#include "tests/support/temp_game_folder.h"
#include "writing/hunspell_dictionary.h"
#include "writing/spelling.h"

#include <gtest/gtest.h>

#include <set>

namespace zelmora::writing {
namespace {

// A dictionary of a few lower-case words that counts its lookups.
struct FakeDictionary : Dictionary {
  std::set<std::string> words{"the", "watch", "you", "again", "don't", "greets", "is", "a", "storm"};
  int lookups = 0;
  bool Knows(std::string_view word) override {
    ++lookups;
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return words.count(lower) > 0;
  }
  std::vector<std::string> Suggest(std::string_view word) override {
    return word == "Wacth" ? std::vector<std::string>{"Watch", "Match"} : std::vector<std::string>{};
  }
};

std::vector<std::string> Wrong(Speller& speller, std::string_view value, ValueKind kind) {
  std::vector<std::string> out;
  for (const Span& s : speller.Misspelt(value, kind)) out.emplace_back(value.substr(s.start, s.length));
  return out;
}

TEST(Speller, OnlyProseIsCheckedAgainstEveryKnownWord) {
  testing::TempGameFolder folder;
  FakeDictionary dictionary;
  WordList game;
  game.AddWords("H\xF6vda Station");
  UserWords user(folder.Path() / "words.txt");
  Speller speller(dictionary, game, user);
  using V = std::vector<std::string>;
  // Codes, answer names, placeholders and words holding digits are never words to check.
  EXPECT_EQ(Wrong(speller, "%FA$Wacth Tower$The watch greets you, %RK.*RHail*SFA", ValueKind::Message), (V{"Wacth", "Tower"}));
  EXPECT_EQ(Wrong(speller, "Area11 is a storm of 42 days.*MArea12", ValueKind::Response), (V{"of", "days"}));
  // The game's names in any case, and the code page's apostrophe.
  EXPECT_EQ(Wrong(speller, "H\xD6VDA STATION, don\x92t", ValueKind::Info), V{});

  EXPECT_EQ(speller.Suggestions("Wacth", 1), V{"Watch"});
  const int before = dictionary.lookups;
  speller.Correct("Tower");
  EXPECT_EQ(dictionary.lookups, before);  // every answer is kept

  speller.AddToDictionary("Tower");
  EXPECT_TRUE(speller.Correct("tower"));
  // The list survives the run.
  UserWords again(folder.Path() / "words.txt");
  EXPECT_TRUE(again.Words().Contains("TOWER"));
  EXPECT_EQ(folder.Read("words.txt"), "Tower\n");
}

TEST(Speller, BoxesHoldProseWithTheRoomsCodesLeftOut) {
  auto prose = [](std::string_view text, BoxKind kind) {
    std::string out;
    for (const Span& s : BoxProse(text, kind)) out += "[" + std::string(text.substr(s.start, s.length)) + "]";
    return out;
  };
  EXPECT_EQ(prose("Hello %RK, see the ^star", BoxKind::Text), "[Hello ][, see the ^star]");
  EXPECT_EQ(prose("$BOX$A cave^EN opens.", BoxKind::RoomDescription), "[A cave]");
  EXPECT_EQ(prose("Go north, %NM.", BoxKind::RoomAction), "[Go north, ][.]");
}

TEST(GameWords, NamesAliensFlagsAndTheRoomsActions) {
  testing::DemoGameFolder game;
  const WordList words = GameWords(game.Path());
  for (const char* word : {"Mirefall", "Kestrel", "H\xF8vda", "Tessaly", "Verdance", "tricorder", "Threatened"}) {
    EXPECT_TRUE(words.Contains(word)) << word;
  }
  EXPECT_FALSE(words.Contains("ERR"));  // an absent flag description is no word
}

TEST(SpellingFindings, TheDemoHasOneMisspeltWordWithItsSuggestion) {
  auto dictionary = HunspellDictionary::OpenInstalled("en_US");
  if (!dictionary) GTEST_SKIP() << "no en_US Hunspell dictionary (scripts/setup installs hunspell-en-us)";
  testing::OpenDemoSystem open("Mirefall");
  testing::TempGameFolder data;
  UserWords user(data.Path() / "words.txt");
  Speller speller(*dictionary, GameWords(open.game.Path()), user);
  std::vector<check::Finding> findings;
  for (int planet = 1; planet <= 3; ++planet) {
    for (auto& f : SpellingFindings(messages::PlanetScript(open.store, open.record, planet), speller)) {
      findings.push_back(std::move(f));
    }
  }
  ASSERT_EQ(findings.size(), 1u);
  const check::Finding& f = findings[0];
  EXPECT_EQ(f.kind, check::FindingKind::Spelling);
  EXPECT_EQ(f.severity, check::Severity::Note);
  EXPECT_EQ(f.key, "MessageBeamUp1");
  EXPECT_EQ(f.group, "BeamUp");
  EXPECT_EQ(f.item, 1);
  EXPECT_NE(f.message.find("\"sucessful\" is not in the dictionary (perhaps \"successful\""), std::string::npos)
      << f.message;
  // The code page's apostrophe is the dictionary's.
  EXPECT_TRUE(speller.Correct("doesn\x92t"));
}

TEST(InstalledDictionaries, PairsOfFilesInTheGivenFolders) {
  testing::TempGameFolder folder;
  folder.Write("dicts/xx_YY.aff", "SET UTF-8\n");
  folder.Write("dicts/xx_YY.dic", "2\nzorp\ncaf\xC3\xA9\n");
  folder.Write("dicts/lonely.dic", "1\nword\n");
  const auto found = InstalledDictionaries({folder.Path() / "dicts"});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "xx_YY");
  auto dictionary = HunspellDictionary::Open(found[0]);
  ASSERT_TRUE(dictionary);
  EXPECT_TRUE(dictionary->Knows("zorp"));
  EXPECT_FALSE(dictionary->Knows("word"));
  // Words of the code page reach the dictionary in its own encoding.
  EXPECT_TRUE(dictionary->Knows("caf\xE9"));
  EXPECT_FALSE(dictionary->Knows("caf\xE8"));
}

}  // namespace
}  // namespace zelmora::writing
