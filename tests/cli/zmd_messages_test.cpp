#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

TEST(ZmdMessages, GroupsOfADemoPlanetInDiscoveryOrder) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"groups", game.Path().string(), "4Tessaly", "2", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  auto j = nlohmann::json::parse(r.out);
  std::vector<std::string> names;
  for (const auto& g : j) names.push_back(g["Name"]);
  EXPECT_EQ(names, (std::vector<std::string>{"INIT", "Hail", "Peace", "War", "Back", "Returned", "Beam", "Phaser"}));
  EXPECT_EQ(j[0]["IsMessageGroup"], true);
  EXPECT_EQ(j[0]["IsResponseGroup"], true);  // Message2 offers INIT's own responses
  EXPECT_EQ(j[1]["IsMessageGroup"], false);

  ZmdRun text = Zmd({"groups", game.Path().string(), "4Tessaly", "2"});
  EXPECT_EQ(text.out.substr(0, text.out.find('\n')), "INIT      message response");
  EXPECT_EQ(Zmd({"groups", game.Path().string(), "Nowhere", "1"}).status, 2);
  EXPECT_EQ(Zmd({"groups", game.Path().string(), "4Tessaly", "11"}).status, 1);
}

TEST(ZmdMessages, ParseShowsEveryPart) {
  ZmdRun r = Zmd({"message", "parse", "%FA%W3%05$H\xC3\xB8vda$Take it.^SN*RTrade*SFB", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["PrefixCodes"], nlohmann::json::array({"%FA"}));
  EXPECT_EQ(j["WaitSeconds"], 3);
  EXPECT_EQ(j["ChanceTenths"], 5);
  EXPECT_EQ(j["Display"], "Custom");
  EXPECT_EQ(j["Title"], "H\xC3\xB8vda");
  EXPECT_EQ(j["Text"], "Take it.");
  EXPECT_EQ(j["UpgradeCodes"], nlohmann::json::array({"^SN"}));
  EXPECT_EQ(j["AnswerGroup"], "Trade");
  EXPECT_EQ(j["ActionCodes"], nlohmann::json::array({"*SFB"}));
  EXPECT_TRUE(nlohmann::json::parse(Zmd({"message", "parse", "Plain", "--json"}).out)["AnswerGroup"].is_null());
  // A repair condition is no answer code.
  auto repair = nlohmann::json::parse(Zmd({"message", "parse", "Shields down.*RTrade*RS1", "--json"}).out);
  EXPECT_EQ(repair["AnswerGroup"], "Trade");
  EXPECT_EQ(repair["ActionCodes"], nlohmann::json::array({"*RS1"}));

  EXPECT_EQ(Zmd({"message", "display", "%W1$BOX$ Hello.*R "}).out, "Hello.\n");
  ZmdRun plain = Zmd({"message", "parse", std::string(255, 'x')});
  EXPECT_NE(plain.out.find("(Length Limit Exceeded)"), std::string::npos);
}

}  // namespace
}  // namespace zelmora
