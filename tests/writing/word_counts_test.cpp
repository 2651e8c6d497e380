#include "tests/support/open_demo_system.h"
#include "writing/word_counts.h"

#include <gtest/gtest.h>

namespace zelmora::writing {
namespace {

TEST(CountValue, WordsAndCharactersOfTheProseOnly) {
  struct Case {
    std::string value;
    ValueKind kind;
    int words, characters;
  } cases[] = {
      {"%W2Then take this, %NM: a gift for your instruments.^SN*SFB", ValueKind::Message, 9, 49},
      {"$Great Red Watch$You will regret that.*H120", ValueKind::Message, 7, 36},
      {"$BOX$The Watch remembers.*RNone", ValueKind::Message, 3, 20},
      {"Trade.*MTrade", ValueKind::Response, 1, 6},
      {"*MTrade", ValueKind::Response, 0, 0},
      {"A world of the %AN, don't land.", ValueKind::Info, 7, 31},
  };
  for (const auto& c : cases) {
    const TextCounts counts = CountValue({"S", 1, "K", "G", check::ItemList::Messages, 1, c.kind, c.value});
    EXPECT_EQ(counts.words, c.words) << c.value;
    EXPECT_EQ(counts.characters, c.characters) << c.value;
  }
}

TEST(CountPlanet, PerGroupWithTheLongestAndWidestValues) {
  testing::OpenDemoSystem open("Mirefall");
  messages::PlanetScript script(open.store, open.record, 1);
  // A stand-in font: every character 71 twips wide.
  const PlanetCounts planet = CountPlanet(script, [](std::string_view text) { return static_cast<int>(text.size()) * 71; });
  EXPECT_EQ(planet.total.messages, 8);
  EXPECT_EQ(planet.total.responses, 4);  // the count claims five: one is absent
  EXPECT_EQ(planet.total.infos, 1);
  EXPECT_EQ(planet.total.longestKey, "Info");
  EXPECT_EQ(planet.total.overLength, 1);
  EXPECT_EQ(planet.total.widestKey, "ResponseHail1");
  EXPECT_EQ(planet.total.overWidth, 1);  // 102 characters: 7242 twips

  int words = 0;
  for (const GroupCounts& g : planet.groups) words += g.counts.words;
  EXPECT_EQ(words, planet.total.words);
  ASSERT_GE(planet.groups.size(), 2u);
  EXPECT_EQ(planet.groups[0].group, "INIT");
  EXPECT_EQ(planet.groups[1].group, "Hail");
  EXPECT_EQ(planet.groups[1].counts.responses, 4);
  EXPECT_EQ(planet.groups.back().group, "");  // the information text
}

}  // namespace
}  // namespace zelmora::writing
