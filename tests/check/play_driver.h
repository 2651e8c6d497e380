#pragma once

#include "messages/message_parts.h"
#include "simulator/control_panel.h"
#include "simulator/ship_rules.h"
#include "tests/simulator/sim_fakes.h"
#include "ui/platform/text_rules.h"

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zelmora::check::testing {

// Draws that start where a command asks and then walk the unit interval, so that every message
// of a group is drawn within a few draws and no draw loop runs for ever.
class StreamRandom : public platform::Random {
 public:
  double Next() override {
    const double v = next_;
    next_ = std::fmod(next_ + 0.6180339887, 1.0);
    return v;
  }
  void SeedFromClock() override {}
  void Seed(std::uint64_t) override {}
  void StartAt(double first) { next_ = first; }

 private:
  double next_ = 0.5;
};

// The real control panel over a planet script held in memory, visit after visit, recording the
// keys of what it shows and offers. A game starts with every flag clear; leaving keeps them.
class PlayDriver {
 public:
  enum Command { Tick, Wait, Respond, Hail, Ignore, Beam, Phaser, Back, Returned, kCommands };

  explicit PlayDriver(const std::map<std::string, std::string>& keys) {
    script_.keys = keys;
    // The bodies the panel shows, back to their keys; the texts of a test script are unique.
    for (const auto& [key, value] : keys) {
      std::string body = " " + messages::MessageDisplayText(value) + " ";
      body = simulator::ReplaceFirstNoCase(body, "%AN", "Thalnori");
      body = simulator::ReplaceFirstNoCase(body, "%NM", "<Player>");
      body = simulator::ReplaceFirstNoCase(body, "%RK", "Captain");
      const std::string trimmed = platform::TrimSpaces(body);
      if (!trimmed.empty() && trimmed != "ERR") bodies_[trimmed] = key;
    }
  }

  void Start() {
    world_ = std::make_unique<World>(script_);
    events_ = calls_ = 0;
    Enter(0);
  }

  // One command; `choice` answers the response chooser, `draw` starts the random draws.
  void Do(Command command, int choice = 1, double draw = 0.5) {
    World& w = *world_;
    w.random.StartAt(draw);
    simulator::ControlPanel& panel = *w.panel;
    auto answer = [&](std::string level, auto&& run) {
      const std::size_t before = w.view.offered.size();
      w.view.choices = {choice};
      run();
      w.view.choices.clear();
      if (w.view.offered.size() == before) return;
      for (const auto& option : w.view.offered.back()) offered.insert("Response" + level + std::to_string(option.index));
    };
    switch (command) {
      case Tick: panel.MessageTick(); break;
      case Wait:
        for (int i = 0; i < 10 && panel.State().CurrentMessage > 0; ++i) panel.MessageTick();
        break;
      case Respond: answer(panel.State().ResponseLevel, [&] { panel.Respond(); }); break;
      case Hail: answer("Hail", [&] { panel.Hail(); }); break;
      case Ignore: panel.Ignore(); break;
      case Beam: panel.Beam(); break;
      case Phaser:
        w.prompter.Answer(platform::Answer::Yes);
        panel.Phaser();
        break;
      case Back: Enter(50); break;
      case Returned: Enter(150); break;
      default: break;
    }
    Collect();
  }

  // What tells one moment of play from another for a search of commands.
  std::string StateKey() const {
    const World& w = *world_;
    const auto& s = w.panel->State();
    const auto& d = w.panel->Display();
    std::string key = s.MessageLevel + "|" + s.ResponseLevel + "|" + std::to_string(s.CurrentMessage) + "|" +
                      std::to_string(s.Pending.ticks) + "/" + std::to_string(s.Pending.wait) + "|" +
                      (d.Visible() ? "v" : "-") + (d.Enabled(simulator::PanelCommand::Hail) ? "h" : "-") +
                      (d.Enabled(simulator::PanelCommand::Beam) ? "b" : "-") + "|";
    for (int f = 0; f < simulator::kFlagNumbers; ++f) key += store::TestFlagBit(w.record.Planet(1), f) ? '1' : '0';
    return key;
  }

  std::set<std::string> shown, offered;

 private:
  struct World {
    explicit World(const simulator::fakes::MapScript& keys) : script(keys) {
      prompter.AcceptOkBoxes();
      record.PlanetCount = 1;
      record.Planet(1).Class = 13;
      store::PlanetAttributes a;
      a.AlienIndex = 3;
      record.Planet(1).Attributes = a.Encode();
      tables.AlienNames[3] = "Thalnori";
      options.planet = 1;
      rules.ResetUpgradeLevels();
    }
    simulator::ShipState ship;
    StreamRandom random;
    zelmora::testing::ScriptedPrompter prompter;
    simulator::fakes::ScriptedNumbers numbers;
    store::Tables tables;
    store::SolarSystemRecord record;
    simulator::fakes::MapScript script;
    simulator::ShipRules rules{ship, random, prompter, numbers, {0, 0.5, 0.3, 0.1}};
    simulator::fakes::RecordingView view;
    simulator::TestOptions options{ship};
    std::unique_ptr<simulator::ControlPanel> panel;
  };

  void Enter(int stateValue) {
    World& w = *world_;
    w.record.Planet(1).StateValue = stateValue;
    w.panel = std::make_unique<simulator::ControlPanel>(
        simulator::SimulatorServices{w.record, w.tables, w.script, w.random, w.prompter, w.rules}, w.view,
        &w.options);
    w.panel->Activate(1);
  }

  void Collect() {
    World& w = *world_;
    for (; events_ < w.view.events.size(); ++events_) {
      const std::string& e = w.view.events[events_];
      if (e.rfind("text ", 0) != 0) continue;
      auto found = bodies_.find(e.substr(5));
      if (found != bodies_.end()) shown.insert(found->second);
    }
    for (; calls_ < w.prompter.Calls().size(); ++calls_) {
      auto found = bodies_.find(w.prompter.Calls()[calls_].text);
      if (found != bodies_.end()) shown.insert(found->second);
    }
  }

  simulator::fakes::MapScript script_;
  std::map<std::string, std::string> bodies_;
  std::unique_ptr<World> world_;
  std::size_t events_ = 0, calls_ = 0;
};

}  // namespace zelmora::check::testing
