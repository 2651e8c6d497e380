// The simulator playing any script: keys and values from the input, a fake key reader, and the
// input's bytes as the player's commands, the random numbers and every answer. The ship's supplies
// stay within their limits and the planet's flags within its 37 bits.
#include "fuzz/fuzz_support.h"
#include "simulator/control_panel.h"
#include "simulator/test_options.h"
#include "store/tables.h"

#include <cmath>
#include <map>

using namespace zelmora;
using namespace zelmora::simulator;

namespace {

// Bytes shared by every fake: each question takes the next one.
struct Source {
  fuzz::FuzzInput* in;
  int Next() { return in->Byte(); }
};

class MapScript : public PlanetScriptReader {
 public:
  std::string ReadPlanetKey(int, std::string_view key) const override {
    auto it = keys.find(std::string(key));
    return it == keys.end() ? "ERR" : it->second;
  }
  std::string PlanetName(int planet) const override { return "Planet " + std::to_string(planet); }
  std::map<std::string, std::string> keys;
};

class FuzzRandom : public platform::Random {
 public:
  explicit FuzzRandom(Source s) : s_(s) {}
  // From the input while it lasts, then uniform as the real generator is (a draw loop that waits
  // for an available message must end).
  double Next() override {
    if (!s_.in->Empty()) return (s_.Next() * 256 + s_.Next()) / 65536.0;
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  void SeedFromClock() override {}
  void Seed(std::uint64_t) override {}

 private:
  Source s_;
  std::uint64_t state_ = 1;
};

class FuzzPrompter : public platform::Prompter {
 public:
  explicit FuzzPrompter(Source s) : s_(s) {}
  platform::Answer Message(const std::string&, platform::Buttons buttons, platform::Icon, const std::string&,
                           int) override {
    using platform::Answer;
    using platform::Buttons;
    const int b = s_.Next();
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::OkCancel: return b % 2 ? Answer::Cancel : Answer::Ok;
      case Buttons::YesNo: return b % 2 ? Answer::No : Answer::Yes;
      case Buttons::YesNoCancel: return b % 3 == 0 ? Answer::Yes : b % 3 == 1 ? Answer::No : Answer::Cancel;
    }
    return Answer::Ok;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string& d) override {
    if (s_.Next() % 2) return std::nullopt;
    return d;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }

 private:
  Source s_;
};

class FuzzNumbers : public platform::NumberAsker {
 public:
  explicit FuzzNumbers(Source s) : s_(s) {}
  float AskNumber(const std::string&, const std::string&, const std::string&, float value, float minimum,
                  float maximum, float) override {
    const int b = s_.Next();
    if (b < 16) return minimum - 1;  // cancelled
    if (b < 32) return value;
    return minimum + (maximum - minimum) * static_cast<float>(b - 32) / 223.0f;
  }

 private:
  Source s_;
};

class FuzzView : public ControlPanelView {
 public:
  explicit FuzzView(Source s) : s_(s) {}
  void SetOrbitBanner(const std::string&, bool) override {}
  void SetMessageTitle(const std::string&) override {}
  void SetMessageText(const std::string&) override {}
  void SetMessageVisible(bool) override {}
  void SetCommandEnabled(PanelCommand, bool) override {}
  void SetStatusCaption(const std::string&) override {}
  void SetMessageClock(bool) override {}
  std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) override {
    const int b = s_.Next();
    if (options.empty() || b % 4 == 0) return std::nullopt;
    return options[static_cast<std::size_t>(b) % options.size()].index;
  }
  void FocusIdle() override {}
  void ClosePanel() override {}

 private:
  Source s_;
};

void CheckShip(const ShipState& ship, const store::PlanetRecord& planet) {
  FUZZ_CHECK(ship.TorpedoBay >= 0 && ship.TorpedoBay <= 20);
  FUZZ_CHECK(ship.PhotonTorpedoes >= 0 && ship.PhotonTorpedoes <= 60);
  FUZZ_CHECK(ship.PoSupply >= 0 && ship.PoSupply <= 10);
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    const int level = ship.UpgradeLevels[static_cast<std::size_t>(k)];
    FUZZ_CHECK(level >= 0 && level <= kMaxUpgradeLevel);
  }
  for (float d : ship.SystemDamage) FUZZ_CHECK(std::isfinite(d) && d >= 0);
  FUZZ_CHECK(planet.FlagBits >> kFlagNumbers == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  Source source{&in};
  MapScript script;
  store::SolarSystemRecord record;
  record.PlanetCount = 1;
  auto& planet = record.Planet(1);
  planet.Class = static_cast<std::int16_t>(in.Byte() % 15);
  planet.Attributes = in.Byte() << 8 | in.Byte();
  planet.StateValue = in.Byte() * 10;
  in.Line();
  for (std::string_view line = in.Line(); !line.empty() && script.keys.size() < 200; line = in.Line()) {
    auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    script.keys[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
  }

  store::Tables tables;
  tables.AlienNames[1] = "Thalnori";
  ShipState ship;
  FuzzRandom random(source);
  FuzzPrompter prompter(source);
  FuzzNumbers numbers(source);
  FuzzView view(source);
  ShipRules rules(ship, random, prompter, numbers, {0, 0.5, 0.3, 0.1});
  TestOptions options(ship);
  options.planet = 1;
  rules.ResetUpgradeLevels();
  options.upgrades = in.Byte() % 2;
  options.badGuy = in.Byte() % 2;
  options.lastVisit = in.Byte() % 51;
  options.Begin(planet, random);
  ControlPanel panel({record, tables, script, random, prompter, rules}, view, &options);
  panel.Activate(1);

  for (int step = 0; step < 400 && !in.Empty() && !panel.IsClosed(); ++step) {
    switch (in.Byte() % 16) {
      case 0: case 1: case 2: panel.MessageTick(); break;
      case 3: panel.StatusTick(); break;
      case 4: panel.Hail(); break;
      case 5: panel.Respond(); break;
      case 6: panel.Ignore(); break;
      case 7: panel.Beam(); break;
      case 8: panel.Energy(); break;
      case 9: panel.Phaser(); break;
      case 10: panel.Photon(); break;
      case 11: panel.Leave(); break;
      case 12: panel.SendResponse(in.Byte() % 8); break;
      case 13: panel.ClearMessage(); break;
      case 14: panel.ToggleStatus(); break;
      case 15: panel.Activate(1); break;
    }
    CheckShip(ship, planet);
  }
  return 0;
}
