#pragma once

#include "simulator/control_panel.h"
#include "simulator/planet_script_reader.h"
#include "simulator/ship_rules.h"
#include "tests/support/scripted_prompter.h"
#include "ui/platform/number_asker.h"
#include "ui/platform/random.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zelmora::simulator::fakes {

// Hands out scripted numbers in order, then a fixed value.
class QueuedRandom : public platform::Random {
 public:
  explicit QueuedRandom(std::deque<double> values = {}, double rest = 0.5) : values_(std::move(values)), rest_(rest) {}
  double Next() override {
    ++draws;
    if (values_.empty()) return rest_;
    double v = values_.front();
    values_.pop_front();
    return v;
  }
  void SeedFromClock() override { ++seedings; }
  void Seed(std::uint64_t) override {}
  int draws = 0;
  int seedings = 0;

 private:
  std::deque<double> values_;
  double rest_;
};

// Records the number questions and answers each with the next scripted value.
class ScriptedNumbers : public platform::NumberAsker {
 public:
  struct Question {
    std::string message;
    float value, minimum, maximum, step;
  };
  float AskNumber(const std::string& message, const std::string&, const std::string& unit, float value,
                  float minimum, float maximum, float step) override {
    EXPECT_EQ(unit, "days");
    questions.push_back({message, value, minimum, maximum, step});
    if (whileAsking) whileAsking();
    EXPECT_FALSE(answers.empty()) << "unexpected number question: " << message;
    if (answers.empty()) return minimum - 1;
    float a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<float> answers;
  std::vector<Question> questions;
  std::function<void()> whileAsking;  // runs while the dialog is open
};

// A planet script held in memory.
class MapScript : public PlanetScriptReader {
 public:
  std::string ReadPlanetKey(int, std::string_view key) const override {
    auto it = keys.find(std::string(key));
    return it == keys.end() ? "ERR" : it->second;
  }
  std::string PlanetName(int planet) const override { return "Planet " + std::to_string(planet); }
  std::map<std::string, std::string> keys;
};

// Records what the panel shows, one line per change, and answers the response chooser.
class RecordingView : public ControlPanelView {
 public:
  void SetOrbitBanner(const std::string& caption, bool visible) override {
    events.push_back("banner " + caption + (visible ? " shown" : " hidden"));
  }
  void SetMessageTitle(const std::string& title) override { events.push_back("title " + title); }
  void SetMessageText(const std::string& text) override { events.push_back("text " + text); }
  void SetMessageVisible(bool visible) override { events.push_back(visible ? "panel shown" : "panel hidden"); }
  void SetCommandEnabled(PanelCommand command, bool enabled) override {
    events.push_back(std::string(PanelCommandName(command)) + (enabled ? " on" : " off"));
  }
  void SetStatusCaption(const std::string& caption) override { events.push_back("status " + caption); }
  void SetMessageClock(bool running) override { events.push_back(running ? "clock on" : "clock off"); }
  std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) override {
    offered.push_back(options);
    if (whileChoosing) whileChoosing();
    if (choices.empty()) return std::nullopt;
    auto c = choices.front();
    choices.pop_front();
    return c;
  }
  void FocusIdle() override { ++idleFocus; }
  void ClosePanel() override { closed = true; }

  std::vector<std::string> events;
  std::vector<std::vector<ResponseOption>> offered;
  std::deque<std::optional<int>> choices;
  std::function<void()> whileChoosing;  // runs while the chooser is open
  int idleFocus = 0;
  bool closed = false;
};

// A ship, a one-planet system and a panel, all in memory.
struct Simulation {
  ShipState ship;
  QueuedRandom random;
  testing::ScriptedPrompter prompter;
  ScriptedNumbers numbers;
  store::Tables tables;
  store::SolarSystemRecord record;
  MapScript script;
  ShipRules rules{ship, random, prompter, numbers, {0, 0.5, 0.3, 0.1}};
  RecordingView view;
  TestOptions options{ship};
  ControlPanel panel{Services(), view, &options};

  Simulation() {
    prompter.AcceptOkBoxes();
    record.PlanetCount = 1;
    record.Planet(1).Class = 13;
    store::PlanetAttributes a;
    a.Life = 2;
    a.AlienIndex = 3;
    record.Planet(1).Attributes = a.Encode();
    tables.AlienNames[3] = "Thalnori";
    options.planet = 1;
    rules.ResetUpgradeLevels();
  }
  SimulatorServices Services() { return SimulatorServices{record, tables, script, random, prompter, rules}; }
  Interpreter& interpreter() { return panel.GetInterpreter(); }
  store::PlanetRecord& planet() { return record.Planet(1); }
  // Enters orbit of planet 1 after the given last visit (hundredths of a day).
  void Enter(int stateValue = 0) {
    planet().StateValue = stateValue;
    panel.Activate(1);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) panel.MessageTick();
  }
  bool Flag(char letter) { return store::TestFlagBit(planet(), FlagNumberOfLetter(letter)); }
};

}  // namespace zelmora::simulator::fakes
