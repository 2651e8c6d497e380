// Whatever play shows, offers or enters, the checker must not call unreachable: random planet
// scripts, each checked and then played by random sessions of the real control panel.
#include "check/script_index.h"
#include "tests/check/check_fixture.h"
#include "tests/check/play_driver.h"

#include <gtest/gtest.h>

#include <random>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using testing::PlayDriver;

// Scripts made of what play reacts to: groups and their companions, answer codes, flag conditions
// and actions, waits, chance, boxes, counts above and below the items, Beam, and rooms with doors
// and locks. Every text is unique so that what the panel shows names its key.
class ScriptGenerator {
 public:
  explicit ScriptGenerator(unsigned seed) : g_(seed) {}

  std::vector<std::string> Make() {
    lines_.clear();
    const std::vector<std::string> levels = {"", "Gate", "Vault", "Back", "Returned", "Phaser", "Ignore",
                                             "GatePhaser", "IgnoreGate", "IgnoreIgnore"};
    for (const std::string& level : levels) {
      if (level.empty() || Chance(0.6)) List("Message" + level, "Messages" + level, true);
      if (level.empty() || Chance(0.5)) List("Response" + level, "Responses" + level, false);
    }
    if (Chance(0.6)) List("ResponseHail", "ResponsesHail", false);
    if (Chance(0.5)) List("Beam", "BeamMessages", true);
    if (Chance(0.2)) List("BeamGate", "BeamGateMessages", true);
    if (Chance(0.4)) Rooms();
    return lines_;
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(g_) < p; }
  int Pick(int n) { return static_cast<int>(g_() % static_cast<unsigned>(n)); }
  char Flag() { return "ABCD"[Pick(4)]; }
  std::string Group() {
    static const char* kGroups[] = {"", "Gate", "Vault", "Phaser", "Ignore", "None", "Nowhere"};
    return kGroups[Pick(7)];
  }

  std::string Conditions(bool message) {
    std::string c;
    if (message && Chance(0.2)) c += "%W" + std::to_string(1 + Pick(3));
    for (int n = Pick(3); n > 0; --n) {
      const int kind = Pick(5);
      if (kind < 2) c += std::string("%F") + Flag();
      else if (kind < 4) c += std::string("%f") + Flag();
      else c += "%05";
    }
    return c;
  }

  std::string Actions() {
    std::string a;
    for (int n = Pick(3); n > 0; --n) a += std::string("*") + "SCT"[Pick(3)] + "F" + Flag();
    return a;
  }

  // A list with a count that now and then claims one more item than it has, or one less.
  void List(const std::string& prefix, const std::string& countKey, bool messages) {
    const int items = 1 + Pick(3);
    int count = items;
    if (Chance(0.1)) count = items + 1;
    if (Chance(0.1)) count = items - 1;
    lines_.push_back(countKey + "=" + std::to_string(count));
    for (int i = 1; i <= items; ++i) {
      const std::string key = prefix + std::to_string(i);
      std::string value = Conditions(messages);
      if (messages) {
        if (Chance(0.15)) value += "$BOX$";
        value += "Text of " + key + ".";
        if (Chance(0.5)) value += "*R" + Group();
        if (Chance(0.3)) value += "*M" + Group();
      } else {
        if (!Chance(0.1)) value += "Say " + key + ".";  // without text, a response is never offered
        if (Chance(0.6)) value += "*M" + Group();
        if (Chance(0.2)) value += "*R" + Group();
      }
      lines_.push_back(key + "=" + value + Actions());
    }
  }

  // Three rooms in a row, each door maybe locked on a flag that a search somewhere sets.
  void Rooms() {
    lines_.push_back("BeamMessages=1");
    lines_.push_back("Beam1=You beam down.*RHall1");
    for (int r = 1; r <= 3; ++r) {
      const std::string room = "Hall" + std::to_string(r), next = "Hall" + std::to_string(r % 3 + 1);
      lines_.push_back("Messages" + room + "=1");
      lines_.push_back("Message" + room + "1=Text of " + room + ".");
      std::vector<std::string> actions = {"Beam up " + room + ".*MBeamUp", "Search " + room + ".*M" + room + "Search"};
      if (Chance(0.5)) {
        const char f = Flag();
        actions.push_back(std::string("%F") + f + "Open " + room + ".*M" + next);
        actions.push_back(std::string("%f") + f + "Shut " + room + ".*M" + next + "Locked");
        lines_.push_back("Messages" + next + "Locked=1");
        lines_.push_back("Message" + next + "Locked1=Text of " + next + " locked.*R" + room);
      } else {
        actions.push_back("Walk " + room + ".*M" + next);
      }
      lines_.push_back("Responses" + room + "=" + std::to_string(actions.size()));
      for (std::size_t i = 0; i < actions.size(); ++i) {
        lines_.push_back("Response" + room + std::to_string(i + 1) + "=" + actions[i]);
      }
      lines_.push_back("Messages" + room + "Search=1");
      lines_.push_back("Message" + room + "Search1=Found in " + room + ".*SF" + std::string(1, Flag()) + "*R" + room);
    }
    lines_.push_back("MessagesBeamUp=1");
    lines_.push_back("MessageBeamUp1=Beam up sucessful.*RNone");
  }

  std::mt19937 g_;
  std::vector<std::string> lines_;
};

struct PlayProperty : CheckFixture {
  int checked = 0;              // scripts whose search finished
  std::size_t playedKeys = 0;   // keys play showed or offered, over every script
  // Plays one script at random and returns what went wrong, empty when nothing did.
  std::string Counterexample(const std::vector<std::string>& lines, unsigned seed, int sessions) {
    Write(lines);
    const CheckReport report = Check();
    if (report.searches.empty() || !report.searches[0].complete) return {};
    ++checked;
    auto script = Script();
    ScriptIndex index(script);
    std::map<std::string, std::string> keys;
    for (const auto& e : index.Entries()) keys[e.key] = e.value;
    PlayDriver play(keys);
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> draw(0, 1);
    for (int s = 0; s < sessions; ++s) {
      play.Start();
      for (int step = 0; step < 30; ++step) {
        static constexpr PlayDriver::Command kMix[] = {
            PlayDriver::Tick,    PlayDriver::Tick,   PlayDriver::Wait,   PlayDriver::Respond, PlayDriver::Respond,
            PlayDriver::Respond, PlayDriver::Hail,   PlayDriver::Ignore, PlayDriver::Beam,    PlayDriver::Phaser,
            PlayDriver::Back,    PlayDriver::Returned};
        play.Do(kMix[g() % std::size(kMix)], static_cast<int>(1 + g() % 4), draw(g));
      }
    }
    auto played = [&](const std::string& key) {
      const std::string upper = platform::ToUpper1252(key);
      for (const auto* set : {&play.shown, &play.offered}) {
        for (const auto& k : *set) {
          if (platform::ToUpper1252(k) == upper) return true;
        }
      }
      return false;
    };
    playedKeys += play.shown.size() + play.offered.size();
    std::string wrong;
    for (const Finding& f : report.findings) {
      switch (f.kind) {
        case FindingKind::MessageNeverSent:
        case FindingKind::ResponseNeverOffered:
        case FindingKind::LockNeverOpens:
        case FindingKind::ItemsBeyondCount:
          if (played(f.key)) wrong += f.key + " was played, yet: " + f.message + "\n";
          break;
        case FindingKind::GroupNeverPlayed:
        case FindingKind::RoomNeverEntered:
        case FindingKind::UnreachedGroup:
          for (const auto* set : {&play.shown, &play.offered}) {
            for (const auto& key : *set) {
              auto place = index.Locate(key);
              if (place && place->group == f.group) wrong += key + " was played, yet: " + f.message + "\n";
            }
          }
          break;
        default: break;
      }
    }
    return wrong;
  }
};

// Scripts that once showed a difference stay here, by their generator seed.
// 1462: a waiting message shown at the level a Beam message moved to, its conditions untested.
// 1479: a response that a count claims and the file lacks, offered as "ERR".
constexpr unsigned kRegressions[] = {1462u, 1479u};

TEST_F(PlayProperty, WhatPlayReachesTheCheckerNeverCallsUnreachable) {
  std::vector<unsigned> seeds(std::begin(kRegressions), std::end(kRegressions));
  // 2,000 scripts of 50 sessions each: 100,000 sessions a run.
  for (unsigned seed = 3000; seed < 5000; ++seed) seeds.push_back(seed);
  int failures = 0;
  for (unsigned seed : seeds) {
    const auto lines = ScriptGenerator(seed).Make();
    const std::string wrong = Counterexample(lines, seed, 50);
    if (wrong.empty()) continue;
    std::string script;
    for (const auto& line : lines) script += "  " + line + "\n";
    ADD_FAILURE() << "script of seed " << seed << " (keep it in kRegressions):\n" << script << wrong;
    if (++failures == 3) break;
  }
  // The scripts were searched to the end and played far.
  EXPECT_GE(checked, 1900);
  EXPECT_GE(playedKeys, 10u * seeds.size());
}

}  // namespace
}  // namespace zelmora::check
