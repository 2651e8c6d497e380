#pragma once

#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "store/descriptor_store.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelmora::adventure {

// A one-planet system "Adv" in a temporary game folder, with its planet script open.
class AdventureTest : public ::testing::Test {
 protected:
  AdventureTest() {
    game_.WriteDescriptor("Adv", testing::CrLf({"[General]", "PlanetPics=N", "Messages=N", "",
                                                ";SolarSystem", ";\"Adv                 \",0,1",
                                                ";520,4,0,0,1,420"}));
    store_.LoadSystem("Adv", record_);
  }

  void Put(const std::string& key, const std::string& value) { script_.PutMessage(key, value); }
  std::string Get(const std::string& key) const { return script_.GetMessage(key); }

  // Stores a room's responses 1..n and their count.
  void PutResponses(const std::string& room, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) Put(messages::ResponseKey(room, int(i) + 1), values[i]);
    Put(messages::ResponseCountKey(room), std::to_string(values.size()));
  }
  // The responses 1..count as stored.
  std::vector<std::string> Responses(const std::string& room) const {
    std::vector<std::string> values;
    for (int i = 1; i <= script_.ResponseCount(room); ++i) values.push_back(Get(messages::ResponseKey(room, i)));
    return values;
  }

  testing::TempGameFolder game_;
  store::DescriptorStore store_{game_.Path()};
  store::SolarSystemRecord record_;
  messages::PlanetScript script_{store_, record_, 1};
  testing::ScriptedPrompter prompter_;
};

}  // namespace zelmora::adventure
