#pragma once

#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "check/checker.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check::testing {

// How every "never" of the search ends: it holds for play as the game starts it.
inline const std::string kFromTheStart =
    " (in play as the game starts it, every flag clear; flags ticked in Test Options can reach more)";

// A game folder with one system, "Probe", of one planet whose section holds the lines a test
// gives, checked with the demo's SPECIAL.LST.
struct CheckFixture : ::testing::Test {
  zelmora::testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  messages::SpecialActionList catalogue = messages::ParseSpecialActions(
      zelmora::testing::TempGameFolder::ReadFile(std::string(ZELMORA_SOURCE_DIR) + "/demo/SPECIAL.LST"));
  CheckOptions options;

  // Custom messages on unless told otherwise; the planet has no energy and alien 0.
  void Write(std::initializer_list<std::string_view> lines, bool customMessages = true) {
    Write(std::vector<std::string>(lines.begin(), lines.end()), customMessages);
  }
  void Write(const std::vector<std::string>& lines, bool customMessages = true) {
    std::string bytes = std::string("[General]\r\nPlanetPics = N\r\nMessages = ") + (customMessages ? "Y" : "N") +
                        "\r\n\r\n;SolarSystem\r\n;\"Probe               \",0,1\r\n;520,4,0,0,13,0\r\n[1]\r\n";
    for (auto line : lines) bytes.append(line).append("\r\n");
    game.WriteDescriptor("Probe", bytes);
    store.LoadSystem("Probe", record);
  }

  messages::PlanetScript Script() { return messages::PlanetScript(store, record, 1); }
  // The wizard's grid written onto the planet, every action chosen.
  void Grid(int width, int height) {
    Write({});
    adventure::GridChoices choices;
    choices.sizeX = std::to_string(width);
    choices.sizeY = std::to_string(height);
    auto script = Script();
    store::DescriptorBatch batch(store, record.Name);
    adventure::FinishGrid(choices, script);
  }
  // A room of the planet opened in the room model, as the room editor would.
  void Edit(const std::string& room, const std::function<void(adventure::RoomModel&)>& edit) {
    auto script = Script();
    adventure::RoomModel model(script);
    zelmora::testing::ScriptedPrompter none;
    ASSERT_EQ(model.LoadRoom(room, none), adventure::OpenResult::Opened);
    edit(model);
  }
  CheckReport Check() { return CheckPlanet(Script(), catalogue, options); }

  static std::vector<Finding> OfKind(const CheckReport& report, FindingKind kind) {
    std::vector<Finding> out;
    std::copy_if(report.findings.begin(), report.findings.end(), std::back_inserter(out),
                 [&](const Finding& f) { return f.kind == kind; });
    return out;
  }
  // The keys of the findings of one kind, in order.
  static std::vector<std::string> Keys(const CheckReport& report, FindingKind kind) {
    std::vector<std::string> keys;
    for (const auto& f : OfKind(report, kind)) keys.push_back(f.key);
    return keys;
  }
  // Every finding as "kind key", for a whole report at a glance in a failure message.
  static std::string Describe(const CheckReport& report) {
    std::string out;
    for (const auto& f : report.findings) {
      out += std::string(KindName(f.kind)) + " " + f.key + ": " + f.message + "\n";
    }
    return out;
  }
};

}  // namespace zelmora::check::testing
