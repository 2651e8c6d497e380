// Whatever the simulator can play, the checker must not call unreachable: random sessions of the
// real control panel against the same scripts.
#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "check/script_index.h"
#include "messages/message_parts.h"
#include "tests/check/check_fixture.h"
#include "tests/simulator/sim_fakes.h"
#include "ui/platform/text_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

namespace zelmora::check {
namespace {

using testing::CheckFixture;

struct Played {
  std::set<std::string> messages, responses;
};

// One visit after another of the planet, each command chosen at random.
class RandomSessions {
 public:
  RandomSessions(const std::vector<SectionEntry>& keys, unsigned seed) : gen_(seed) {
    for (const auto& e : keys) keys_[e.key] = e.value;
  }

  Played Run(int sessions, int steps) {
    Played played;
    for (int s = 0; s < sessions; ++s) {
      simulator::fakes::Simulation sim;
      sim.script.keys = keys_;
      std::deque<double> draws;
      std::uniform_real_distribution<double> uniform(0, 1);
      for (int i = 0; i < 4000; ++i) draws.push_back(uniform(gen_));
      sim.random = simulator::fakes::QueuedRandom(draws, 0.4);
      // The bodies the panel shows, back to their keys.
      std::map<std::string, std::string> bodies;
      for (const auto& [key, value] : keys_) {
        std::string body = " " + messages::MessageDisplayText(value) + " ";
        body = simulator::ReplaceFirstNoCase(body, "%AN", "Thalnori");
        body = simulator::ReplaceFirstNoCase(body, "%NM", "<Player>");
        body = simulator::ReplaceFirstNoCase(body, "%RK", "Captain");
        bodies[platform::TrimSpaces(body)] = key;
      }
      std::unique_ptr<simulator::ControlPanel> panel;
      auto enter = [&](int stateValue) {
        sim.planet().StateValue = stateValue;
        panel = std::make_unique<simulator::ControlPanel>(sim.Services(), sim.view, &sim.options);
        panel->Activate(1);
      };
      std::size_t events = 0, calls = 0;
      auto collect = [&] {
        for (; events < sim.view.events.size(); ++events) {
          const std::string& e = sim.view.events[events];
          if (e.rfind("text ", 0) == 0 && bodies.count(e.substr(5))) played.messages.insert(bodies[e.substr(5)]);
        }
        for (; calls < sim.prompter.Calls().size(); ++calls) {
          const std::string& text = sim.prompter.Calls()[calls].text;
          if (bodies.count(text)) played.messages.insert(bodies[text]);
        }
      };
      auto answer = [&](const std::string& level, auto command) {
        const std::size_t before = sim.view.offered.size();
        sim.view.choices = {static_cast<int>(1 + gen_() % 4)};
        command();
        sim.view.choices.clear();
        if (sim.view.offered.size() == before) return;
        for (const auto& option : sim.view.offered.back()) {
          played.responses.insert("Response" + level + std::to_string(option.index));
        }
      };
      enter(0);
      for (int step = 0; step < steps; ++step) {
        switch (gen_() % 10) {
          case 0:
          case 1:
          case 2: panel->MessageTick(); break;
          case 3:
          case 4: answer(panel->State().ResponseLevel, [&] { panel->Respond(); }); break;
          case 5: answer("Hail", [&] { panel->Hail(); }); break;
          case 6: panel->Ignore(); break;
          case 7: panel->Beam(); break;
          case 8:
            sim.prompter.Answer(platform::Answer::Yes);
            panel->Phaser();
            break;
          default: enter(gen_() % 2 ? 50 : 150); break;
        }
        collect();
      }
    }
    return played;
  }

 private:
  std::map<std::string, std::string> keys_;
  std::mt19937 gen_;
};

struct Agreement : CheckFixture {
  // Plays the planet's script at random and expects no finding to call what was played unreachable.
  void ExpectPlayedIsReachable(unsigned seed) {
    const auto report = Check();
    ASSERT_FALSE(report.searches.empty());
    ASSERT_TRUE(report.searches[0].complete);
    auto script = Script();
    ScriptIndex index(script);
    const Played played = RandomSessions(index.Entries(), seed).Run(120, 60);
    ASSERT_FALSE(played.messages.empty());
    for (const Finding& f : report.findings) {
      const bool item = f.kind == FindingKind::MessageNeverSent || f.kind == FindingKind::ResponseNeverOffered ||
                        f.kind == FindingKind::LockNeverOpens;
      if (item) {
        EXPECT_FALSE(played.messages.count(f.key) || played.responses.count(f.key)) << f.key << ": " << f.message;
      }
      const bool group = f.kind == FindingKind::GroupNeverPlayed || f.kind == FindingKind::RoomNeverEntered ||
                         f.kind == FindingKind::UnreachedGroup;
      if (!group) continue;
      for (const auto* keys : {&played.messages, &played.responses}) {
        for (const auto& key : *keys) {
          auto place = index.Locate(key);
          EXPECT_FALSE(place && place->group == f.group) << key << " played, yet: " << f.message;
        }
      }
    }
  }
};

TEST_F(Agreement, AConversationWithFlagsVisitsAndCompanions) {
  Write({"Messages=2", "Message1=$Great Red Watch$Unknown vessel, state your business.*RHail",
         "Message2=%FAWe remember you.*RHail", "MessagesReturned=1", "MessageReturned1=%FA$BOX$No one answers.*RNone",
         "ResponsesHail=3", "ResponseHail1=We study the storm.*MResearch",
         "ResponseHail2=%FCWe came back for our team.*MResearch", "ResponseHail3=Stand aside.*MThreat*SFA",
         "MessagesResearch=2", "MessageResearch1=%W2Take this gift.*SFB",
         "MessageResearch2=%fB%05Our engineers will help.*SFB", "ResponsesResearch=2",
         "ResponseResearch1=Thank you.*MThanks", "ResponseResearch2=%FBSpare some energy?*MEnergy",
         "MessagesThanks=1", "MessageThanks1=$BOX$The Watch clears a landing zone.*SFC", "MessagesEnergy=1",
         "MessageEnergy1=Our cells are yours.*RResearch", "MessagesThreat=1", "MessageThreat1=$BOX$Guns locked.*H40",
         "MessagesPhaser=1", "MessagePhaser1=You will regret that.", "MessagesIgnore=1",
         "MessageIgnore1=Silence is an answer too.", "BeamMessages=2", "Beam1=%FCSensors set up.*RNone",
         "Beam2=%fCTurned back by lightning.", "MessagesNever=1", "MessageNever1=%FZUnreachable.",
         "AFlag=Threatened", "BFlag=Gift", "CFlag=Landing zone"});
  ExpectPlayedIsReachable(17);
}

TEST_F(Agreement, AGridWithLocks) {
  Write({});
  {
    auto script = Script();
    store::DescriptorBatch batch(store, record.Name);
    adventure::GridChoices choices;
    choices.sizeX = choices.sizeY = "3";
    adventure::FinishGrid(choices, script);
  }
  auto script = Script();
  adventure::RoomModel room(script);
  zelmora::testing::ScriptedPrompter none;
  room.LoadRoom("Area11", none);
  room.LockAction(1, 'B', "Sealed.");
  room.LoadRoom("Area22", none);
  room.LockAction(1, 'C', "Sealed tight.");
  script.PutMessage("MessageArea13Search1", "A key!*SFB*RArea13");
  ExpectPlayedIsReachable(5);
}

// The demo written to show every finding: the checker must still not overreach on it.
TEST_F(Agreement, TheDemoPlanetsWithEveryKindOfFinding) {
  const std::string demo =
      zelmora::testing::TempGameFolder::ReadFile(std::string(ZELMORA_SOURCE_DIR) + "/demo/ZMDescriptor/Mirefall.zmd");
  for (const char* section : {"[1]", "[2]"}) {
    std::vector<std::string> lines;
    std::istringstream in(demo.substr(demo.find(section) + 3));
    for (std::string line; std::getline(in, line) && line.rfind("[", 0) != 0;) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    Write(lines);
    ExpectPlayedIsReachable(11);
  }
}

}  // namespace
}  // namespace zelmora::check

// The search by the shapes of play, each both ways: what a bounded search of commands makes the
// real panel show or offer is what the checker's search says some visit can, and nothing more.
#include "check/explorer.h"
#include "check/flag_uses.h"
#include "tests/check/play_driver.h"

#include <deque>

namespace zelmora::check {
namespace {

using testing::PlayDriver;

struct Reached {
  std::set<std::string> shown, offered;  // upper-cased keys
};

// Every sequence of commands up to a depth, told apart by the state it leaves play in.
Reached SearchCommands(const std::map<std::string, std::string>& keys) {
  struct Step {
    PlayDriver::Command command;
    int choice;
    double draw;
  };
  std::vector<Step> steps;
  for (double draw : {0.1, 0.6}) {
    steps.push_back({PlayDriver::Tick, 1, draw});
    steps.push_back({PlayDriver::Beam, 1, draw});
  }
  for (int choice = 1; choice <= 3; ++choice) {
    steps.push_back({PlayDriver::Respond, choice, 0.5});
    steps.push_back({PlayDriver::Hail, choice, 0.5});
  }
  for (auto command : {PlayDriver::Wait, PlayDriver::Ignore, PlayDriver::Phaser, PlayDriver::Back,
                       PlayDriver::Returned}) {
    steps.push_back({command, 1, 0.5});
  }
  PlayDriver play(keys);
  std::set<std::string> seen;
  std::deque<std::vector<Step>> queue{{}};
  while (!queue.empty() && seen.size() < 2000) {
    const std::vector<Step> path = std::move(queue.front());
    queue.pop_front();
    play.Start();
    for (const Step& s : path) play.Do(s.command, s.choice, s.draw);
    if (!seen.insert(play.StateKey()).second || path.size() >= 9) continue;
    for (const Step& s : steps) {
      queue.push_back(path);
      queue.back().push_back(s);
    }
  }
  Reached reached;
  for (const auto& k : play.shown) reached.shown.insert(platform::ToUpper1252(k));
  for (const auto& k : play.offered) reached.offered.insert(platform::ToUpper1252(k));
  return reached;
}

struct Shapes : testing::CheckFixture {
  // The checker's search and the search of commands agree on every key of the script.
  void ExpectAgreement(const std::string& shape) {
    auto script = Script();
    ScriptIndex index(script);
    const FlagUses uses = ScanFlags(index);
    PlayModel model(index, record.Planet(1), "Thalnori", uses.tested);
    const Exploration search = Explore(model, {});
    ASSERT_TRUE(search.complete) << shape;
    std::map<std::string, std::string> keys;
    for (const auto& e : index.Entries()) keys[e.key] = e.value;
    const Reached play = SearchCommands(keys);
    for (const auto& e : index.Entries()) {
      const std::string key = platform::ToUpper1252(e.key);
      EXPECT_EQ(search.sent.count(key) > 0, play.shown.count(key) > 0) << shape << ": message " << e.key;
      EXPECT_EQ(search.offered.count(key) > 0, play.offered.count(key) > 0) << shape << ": response " << e.key;
    }
  }
};

TEST_F(Shapes, ReturnVisitsCompanionsResponsesWithoutTextAndWaits) {
  struct Case {
    const char* shape;
    std::vector<std::string> lines;
    std::vector<std::string> never;  // the keys the checker reports as never sent or offered
    std::vector<std::string> groups = {};  // ... and the groups no visit plays
  };
  const std::vector<Case> cases = {
      {"a hail answer that needs a flag of an earlier visit",
       {"Messages=1", "Message1=Hello.*RNone", "ResponsesHail=2", "ResponseHail1=%FAWe meet again.*MAgain",
        "ResponseHail2=Greetings.*MFirst", "MessagesFirst=1", "MessageFirst1=Welcome, stranger.*SFA*RNone",
        "MessagesAgain=1", "MessageAgain1=Welcome back.*RNone", "MessagesBack=1", "MessageBack1=Back so soon.*RNone",
        "AFlag=Met"},
       {}},
      {"a group's own Phaser and Ignore groups",
       {"Messages=1", "Message1=Hello.", "MessagesBack=1", "MessageBack1=Back again.", "MessagesBackPhaser=1",
        "MessageBackPhaser1=You fire on us again!*RNone", "MessagesPhaser=1", "MessagePhaser1=Ouch.*RNone",
        "MessagesIgnoreBack=1", "MessageIgnoreBack1=Ignored again.*RNone", "MessagesIgnore=1",
        "MessageIgnore1=Ignored.*RNone"},
       {}},
      {"responses without text",
       {"Messages=1", "Message1=Choose.", "Responses=3", "Response1=*MHidden", "Response2=Visible.*MShown",
        "Response3=%05", "MessagesShown=1", "MessageShown1=Shown.*RNone", "MessagesHidden=1",
        "MessageHidden1=Hidden.*RNone"},
       {"Response1", "Response3"},
       {"MessagesHidden"}},
      {"a waiting message shown at the level a beam moved to",
       {"Messages=2", "Message1=%W3The council gathers.*RNone", "Message2=%W2Soon.*RNone", "BeamMessages=1",
        "Beam1=$BOX$You beam into the hall.*MFoo", "MessagesFoo=1", "MessageFoo1=%FZOnly after a wait.*RFoo",
        "MessageFoo2=Above the count.*RFoo", "ResponsesFoo=1", "ResponseFoo1=Thank you.*MNone", "ZFlag=Never"},
       {}},
  };
  for (const Case& c : cases) {
    Write(c.lines);
    const auto report = Check();
    std::vector<std::string> never = Keys(report, FindingKind::MessageNeverSent);
    for (const auto& k : Keys(report, FindingKind::ResponseNeverOffered)) never.push_back(k);
    EXPECT_EQ(never, c.never) << c.shape << "\n" << Describe(report);
    EXPECT_EQ(Keys(report, FindingKind::GroupNeverPlayed), c.groups) << c.shape << "\n" << Describe(report);
    EXPECT_TRUE(OfKind(report, FindingKind::ItemsBeyondCount).empty()) << c.shape << "\n" << Describe(report);
    ExpectAgreement(c.shape);
  }
}

}  // namespace
}  // namespace zelmora::check
