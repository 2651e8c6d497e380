#include "messages/group_discovery.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"

#include "tests/support/temp_game_folder.h"
#include "ui/platform/text_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace zelmora::messages {
namespace {

using testing::CrLf;

std::string TargetOf(const std::string& value, std::string_view code, const std::string& own) {
  auto at = value.find(code);
  if (at == std::string::npos) return own;
  auto start = at + code.size();
  auto end = value.find('*', start);
  return value.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The walk as written down: every item 1..count read, one at a time.
std::vector<GroupEntry> WalkEveryItem(const PlanetScript& script) {
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  std::vector<GroupEntry> groups;
  std::function<void(const std::string&, bool)> visit = [&](const std::string& name, bool message) {
    const std::string shown = ShownName(name);
    for (auto& g : groups) {
      if (g.Name == shown) {
        (message ? g.IsMessageGroup : g.IsResponseGroup) = true;
        return;
      }
    }
    groups.push_back({shown, message, !message});
    for (int i = 1; i <= script.MessageCount(name); ++i) visit(TargetOf(script.Message(name, i), "*R", name), false);
    for (int i = 1; i <= script.ResponseCount(name); ++i) visit(TargetOf(script.Response(name, i), "*M", name), true);
    if (script.MessageCount(IgnoreGroupName(name)) > 0) visit(IgnoreGroupName(name), true);
    if (script.MessageCount(PhaserGroupName(name)) > 0) visit(PhaserGroupName(name), true);
  };
  for (const char* root : {"", "Back", "Returned", "Beam", "Phaser"}) visit(root, true);
  visit("Hail", false);
  return groups;
}

class DiscoveryTest : public ::testing::Test {
 protected:
  void Open(const std::string& planetSection) {
    game.WriteDescriptor("Vega", CrLf({"[General]", "PlanetPics = NN", "Messages = NN", "", ";SolarSystem",
                                       ";\"Vega                \",2,2", ";400,2,0,0,1,0", ";430,3,1,0,13,0"}) +
                                     planetSection);
    store.RefreshSystemNames();
    store.LoadSystem("Vega", record);
  }
  testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  PlanetScript script{store, record, 2};
};

TEST_F(DiscoveryTest, PresentItemsIgnoreCaseAndSkipWhatNoNumberReads) {
  Open(CrLf({"[2]", "Message1=a", "message3=b", "MESSAGE03=leading zero", "Message9=beyond", "MessageHail2=c",
             "ResponseHail1=d", "[1]", "Message2=other planet", "[2]", "Message2=a second [2] is never read"}));
  EXPECT_EQ(script.PresentItems(MessageKeyPrefix("INIT"), 8), (std::vector<int>{1, 3}));
  EXPECT_EQ(script.PresentItems(MessageKeyPrefix("INIT"), 9), (std::vector<int>{1, 3, 9}));
  EXPECT_EQ(script.PresentItems(MessageKeyPrefix("Hail"), 32767), (std::vector<int>{2}));
  EXPECT_EQ(script.PresentItems(ResponseKeyPrefix("Hail"), 0), std::vector<int>{});
  EXPECT_EQ(script.PresentItems(MessageKeyPrefix("Beam"), 5), std::vector<int>{});
  std::vector<std::string> oneByOne;
  for (int i = 1; i <= 10; ++i) oneByOne.push_back(script.Message("INIT", i));
  EXPECT_EQ(script.Items(MessageKeyPrefix("INIT"), 10), oneByOne);
  EXPECT_EQ(oneByOne[2], "b");
  EXPECT_TRUE(script.Items(MessageKeyPrefix("INIT"), -5).empty());
}

TEST_F(DiscoveryTest, HostileCountsGiveTheWalksResult) {
  // Counts claiming 32,767 items over a handful: gaps, keys beyond the count, a group whose name
  // ends in a digit (its keys look like items of another group), cycles, companions.
  Open(CrLf({"[2]", "Messages=32767", "Message1=Hello*RHail", "Message4=Again*R", "Message40000=beyond*RLost",
             "ResponsesHail=32767", "ResponseHail1=Trade*MHail1", "ResponseHail3=Bye*M",
             "MessagesHail1=32767", "MessageHail12=Deal*RHail1", "messagehail15=case*RBack",
             "ResponsesHail1=3", "ResponseHail11=Loop*MHail", "MessagesIgnore=1", "MessageIgnore1=Why?",
             "MessagesBack=-4", "MessageBack1=never read", "MessagesHail1Phaser=  2 ", "MessageHail1Phaser2=Ouch",
             "MessagesBeam=x", "BeamMessages=32767", "Beam7=Down*RBeamed"}));
  const auto groups = DiscoverGroups(script);
  EXPECT_EQ(groups, WalkEveryItem(script));
  ASSERT_GE(groups.size(), 3u);
  EXPECT_EQ(groups[0], (GroupEntry{"INIT", true, true}));
  EXPECT_EQ(groups[1], (GroupEntry{"Hail", true, true}));  // ResponseHail11 answers with Hail's messages
}

// Random scripts over names that collide in their keys, with counts below and far above the items.
std::string RandomScript(std::mt19937& random) {
  const std::vector<std::string> names = {"",       "Back",  "Returned", "Beam",   "Phaser", "Hail",       "Hail1",
                                          "Ignore", "A",     "A1",       "a",      "None",   "IgnoreHail", "HailPhaser",
                                          "BeamPhaser"};
  const std::vector<std::string> counts = {"0", "1", "2", "3", "5", "12", "40", "300", "x", "-3", " 7 "};
  auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  std::string s = "[2]\r\n";
  for (const auto& name : names) {
    if (random() % 4 == 0) continue;
    for (bool message : {true, false}) {
      const std::string countKey = message ? MessageCountKey(name) : ResponseCountKey(name);
      const std::string prefix = message ? MessageKeyPrefix(name) : ResponseKeyPrefix(name);
      if (random() % 3) s += countKey + "=" + pick(counts) + "\r\n";
      const int items = static_cast<int>(random() % 8);
      for (int k = 0; k < items; ++k) {
        std::string key = prefix + (random() % 9 == 0 ? "0" : "") + std::to_string(1 + random() % 14);
        if (random() % 5 == 0) key = platform::ToLower1252(key);
        std::string value = "Text " + std::to_string(k);
        switch (random() % 4) {
          case 0: value += (message ? "*R" : "*M") + pick(names); break;
          case 1: value += std::string(message ? "*R" : "*M") + pick(names) + "*SFA"; break;
          case 2: value = random() % 2 ? "Not Used" : ""; break;
          default: break;
        }
        s += key + "=" + value + "\r\n";
      }
    }
  }
  return s;
}

TEST_F(DiscoveryTest, RandomScriptsGiveTheWalksResult) {
  std::mt19937 random(11);
  for (int round = 0; round < 150; ++round) {
    const std::string section = RandomScript(random);
    Open(section);
    ASSERT_EQ(DiscoverGroups(script), WalkEveryItem(script)) << section;
  }
}

}  // namespace
}  // namespace zelmora::messages
