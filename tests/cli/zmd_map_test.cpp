#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

const char* kProbe =
    "[General]\r\nPlanetPics = N\r\nMessages = Y\r\n\r\n;SolarSystem\r\n;\"Probe               \",0,1\r\n"
    ";520,4,0,0,13,0\r\n[1]\r\nMessages=1\r\nMessage1=Hello.*RAsk\r\nResponsesAsk=2\r\n"
    "ResponseAsk1=%FAPass.*MGate*SFB\r\nResponseAsk2=Leave.*MNowhere\r\nMessagesGate=1\r\nMessageGate1=Go.*RNone\r\n"
    "AFlag=Passed\r\nBFlag=Gone\r\n";

TEST(ZmdMap, JsonHoldsNodesAndEdgesWithTheirFlagsAndFindings) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Probe", kProbe);
  const ZmdRun r = Zmd({"map", game.Path().string(), "Probe", "1"});
  ASSERT_EQ(r.status, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  nlohmann::json pass, nowhere;
  for (const auto& e : j["edges"]) {
    if (e["key"] == "ResponseAsk1") pass = e;
  }
  for (const auto& n : j["nodes"]) {
    if (n["name"] == "Nowhere") nowhere = n;
  }
  ASSERT_FALSE(pass.is_null()) << r.out;
  EXPECT_EQ(pass["from"], "Ask");
  EXPECT_EQ(pass["to"], "Gate");
  EXPECT_EQ(pass["kind"], "message");
  EXPECT_EQ(pass["requires"], nlohmann::json::array({"A"}));
  EXPECT_EQ(pass["sets"], nlohmann::json::array({"+B"}));
  EXPECT_EQ(pass["lock"], false);
  ASSERT_FALSE(nowhere.is_null()) << r.out;
  EXPECT_EQ(nowhere["missing"], true);
  EXPECT_EQ(nowhere["messages"], 0);
}

TEST(ZmdMap, ReadsTheEditorsWorkingCopyWhenThereIsOne) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Probe", kProbe);
  game.WriteDescriptor("Probe", std::string(kProbe) + "MessagesNowhere=1\r\nMessageNowhere1=Found.*RNone\r\n", ".edt");
  const auto j = nlohmann::json::parse(Zmd({"map", game.Path().string(), "Probe", "1"}).out);
  bool found = false;
  for (const auto& n : j["nodes"]) found = found || (n["name"] == "Nowhere" && n["missing"] == false);
  EXPECT_TRUE(found);
}

// The real dot program reads what zmd writes; the built-in SVG is one drawing of it.
TEST(ZmdMap, EveryDemoPlanetGivesDotThatDotRendersAndSvg) {
  testing::DemoGameFolder game;
  for (const char* system : {"Mirefall", "Kestrel Verge", "4Tessaly"}) {
    SCOPED_TRACE(system);
    const ZmdRun dot = Zmd({"map", game.Path().string(), system, "1", "--format", "dot"});
    ASSERT_EQ(dot.status, 0) << dot.out;
    const auto file = game.Path() / "map.dot";
    std::ofstream(file, std::ios::binary) << dot.out;
    FILE* pipe = popen(("dot -Tsvg " + testing::ShellQuote(file.string()) + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string rendered;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) rendered.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << rendered;
    EXPECT_NE(rendered.find("<svg"), std::string::npos);
    const ZmdRun svg = Zmd({"map", game.Path().string(), system, "1", "--format", "svg"});
    ASSERT_EQ(svg.status, 0);
    EXPECT_NE(svg.out.find("<svg"), std::string::npos);
  }
  EXPECT_EQ(Zmd({"map", game.Path().string(), "Mirefall", "99"}).status, 2);
}

}  // namespace
}  // namespace zelmora
