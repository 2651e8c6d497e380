#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>


namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

TEST(ZmdStore, ListShowsDescriptorsAndReplaceableCatalogueSystems) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"list", game.Path().string()});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  4Tessaly\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Kestrel Verge\n"), std::string::npos);
  EXPECT_NE(r.out.find("  10Maelstrom\n"), std::string::npos);
  EXPECT_EQ(r.out.find("Varn"), std::string::npos);  // "#" in its name
  auto catalogue = r.out.substr(r.out.find("Catalogue"));
  EXPECT_EQ(catalogue.find("4Tessaly"), std::string::npos);  // already has a descriptor
}

TEST(ZmdStore, ShowJsonCarriesTheRecordsOwnNames) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"show", game.Path().string(), "Kestrel Verge", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["Name"], "Kestrel Verge");
  EXPECT_EQ(j["StarName"], "Kestrel Verge       ");
  EXPECT_EQ(j["StarType"], 7);
  EXPECT_EQ(j["DisplayName"], "Blue Giant");
  ASSERT_EQ(j["PlanetCount"], 3);
  EXPECT_EQ(j["Planets"][0]["DisplayName"], "H\xC3\xB8vda Station");  // 1252 in the file, UTF-8 out
  EXPECT_EQ(j["Planets"][0]["Messages"], true);
  EXPECT_EQ(j["Planets"][1]["DisplayName"], "Kestrel Verge II");
  EXPECT_EQ(j["Planets"][2]["Orbit"], 1040);
  EXPECT_EQ(j["Planets"][2]["Class"], 11);
}

TEST(ZmdStore, KeyCommandsReadWriteAndDeleteAsTheGameDoes) {
  testing::TempGameFolder game;
  auto file = game.WriteDescriptor("K", "[General]\r\nMessages = NY\r\n[Names]\r\n1=One\r\n10=Ten\r\n").string();
  EXPECT_EQ(Zmd({"key", "get", file, "general", "MESSAGES"}).out, "NY\n");
  ASSERT_EQ(Zmd({"key", "set", file, "General", "Messages", "YY"}).status, 0);
  ASSERT_EQ(Zmd({"key", "set", file, "2", "Message1", std::string(300, 'x')}).status, 0);
  EXPECT_EQ(Zmd({"key", "get", file, "2", "Message1"}).out, std::string(254, 'x') + "\n");
  ASSERT_EQ(Zmd({"key", "delete", file, "Names", "1"}).status, 0);
  EXPECT_EQ(game.ReadDescriptor("K"),
            "[General]\r\nMessages=YY\r\n[Names]\r\n10=Ten\r\n[2]\r\nMessage1=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(Zmd({"key", "get", file, "Names", "1"}).out, "Not Used\n");
}

TEST(ZmdStore, KeySetRefusesTextTheCodePageCannotHoldAndLeavesTheFile) {
  testing::TempGameFolder game;
  const std::string before = "[Names]\r\n1=One\r\n";
  auto file = game.WriteDescriptor("K", before).string();
  ZmdRun r = Zmd({"key", "set", file, "Names", "1", "\xC5\x8Csaka \xE6\x97\xA5"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out,
            "zmd: The game cannot store the characters \"\xC5\x8C\" (U+014C) and \"\xE6\x97\xA5\" (U+65E5).  Please type the "
            "text without them.\n");
  EXPECT_EQ(game.ReadDescriptor("K"), before);
  EXPECT_EQ(Zmd({"key", "set", file, "\xE6\x97\xA5", "1", "x"}).status, 2);
  EXPECT_EQ(game.ReadDescriptor("K"), before);
  // What the code page holds goes in as its bytes.
  ASSERT_EQ(Zmd({"key", "set", file, "Names", "1", "\xC3\x96saka \xE2\x82\xAC"}).status, 0);
  EXPECT_EQ(game.ReadDescriptor("K"), "[Names]\r\n1=\xD6saka \x80\r\n");
}

TEST(ZmdStore, AnEmptyOrUnholdableSystemNameIsAnUnknownSystem) {
  testing::DemoGameFolder game;
  game.WriteDescriptor("?", game.ReadDescriptor("4Tessaly"));
  for (const std::string name : {"", "\xE6\x97\xA5"}) {
    ZmdRun r = Zmd({"show", game.Path().string(), name});
    EXPECT_EQ(r.status, 2) << name;
    EXPECT_EQ(r.out, "zmd: unknown system: " + name + "\n");
  }
}

TEST(ZmdStore, MissingThingsExitWithTwoAndOneLine) {
  testing::DemoGameFolder game;
  for (auto args : std::vector<std::vector<std::string>>{
           {"list", "/no/such/folder"},
           {"show", game.Path().string(), "Nowhere"},
           {"key", "get", "/no/such.zmd", "General", "x"},
           {"key", "delete", "/no/such.zmd", "General", "x"}}) {
    ZmdRun r = Zmd(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  }
}

}  // namespace
}  // namespace zelmora
