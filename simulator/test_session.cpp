#include "simulator/test_session.h"

#include "ui/platform/text_rules.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

namespace zelmora::simulator {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream s(line);
  std::vector<std::string> words;
  for (std::string w; s >> w;) words.push_back(w);
  return words;
}

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  // "nan" and "inf" read as numbers, but no count or amount can be one.
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

ShipState CarriedOver(const ShipState& ship) {
  ShipState kept;
  kept.Energy = ship.Energy;
  kept.MaxEnergy = ship.MaxEnergy;
  kept.ShieldEnergy = ship.ShieldEnergy;
  kept.PhotonTorpedoes = ship.PhotonTorpedoes;
  kept.TorpedoBay = ship.TorpedoBay;
  kept.PoSupply = ship.PoSupply;
  kept.UpgradeLevels = ship.UpgradeLevels;
  kept.SystemDamage = ship.SystemDamage;
  return kept;
}

TestSession::TestSession(World world, TestOptions& options, TestAnswers& answers, Transcript& transcript,
                         ControlPanelView* window, TestOptionsListener* optionsWindow)
    : world_(world),
      options_(options),
      answers_(answers, *this),
      t_(transcript),
      previousListener_(options.Listener()),
      view_(transcript, answers_, window, optionsWindow),
      prompter_(transcript, answers_),
      numbers_(transcript, answers_),
      random_(world.random),
      rules_(world.ship, random_, prompter_, numbers_, world.tables.EnergyCost) {
  options_.SetListener(&view_);
  panel_ = std::make_unique<ControlPanel>(
      SimulatorServices{world.record, world.tables, world.script, random_, prompter_, rules_, &trace_}, view_,
      &options_);
}

TestSession::~TestSession() { options_.SetListener(previousListener_); }

void TestSession::Begin(const std::string& system, std::optional<std::uint64_t> seed, bool seedShown) {
  const int p = options_.planet;
  random_.seed = seed;
  start_.system = system;
  start_.planet = p;
  start_.seed = seed;
  start_.flags.clear();
  for (int f = 0; f < kFlagNumbers; ++f) {
    if (options_.FlagLabelOn(f)) start_.flags.push_back(f);
  }
  start_.lastVisitTenths = options_.lastVisit;
  start_.upgrades = options_.upgrades;
  start_.badGuy = options_.badGuy;
  start_.from = options_.from;
  start_.ship = CarriedOver(world_.ship);

  t_.Print("test", system + ", planet " + std::to_string(p) + " (" + world_.script.PlanetName(p) + "), seed " +
                       (seed && seedShown ? std::to_string(*seed) : std::string("from the clock")));
  if (start_.from) t_.Print("start", StartCaption(*start_.from));
  for (int f : start_.flags) t_.Print("flag set", options_.FlagListName(f));
  options_.Begin(world_.record.Planet(p), random_);
}

void TestSession::Enter() {
  entering_ = true;
  panel_->Activate(options_.planet);
  if (start_.from) panel_->StartAt(*start_.from);
  entering_ = false;
  panel_->StatusTick();
}

void TestSession::Run(const std::string& line) {
  auto words = Words(line);
  if (words.empty()) return;
  const std::string& command = words[0];
  const std::string argument = words.size() > 1 ? words[1] : std::string();
  if (words.size() > 2) return t_.Error("too many words: " + line);
  if (command == "ship") return PrintShip();
  if (command == "flags") return PrintFlags();
  if (command == "yes" || command == "no") return t_.Error("no question is open");
  ControlPanel& panel = *panel_;
  if (panel.IsClosed()) return t_.Error("the test has ended");
  if (command == "tick") {
    auto seconds = argument.empty() ? std::optional<double>(1) : ParseNumber(argument);
    // Compared before any conversion: only a whole number in range becomes a count.
    if (!seconds || !(*seconds >= 1 && *seconds <= 3600) || *seconds != std::floor(*seconds)) {
      return t_.Error("tick takes a whole number of seconds from 1 to 3600, not \"" + argument + "\"");
    }
    // A second of the panel: one message tick, five status refreshes.
    const bool nested = ticking_;
    ticking_ = true;
    for (int s = 0; s < static_cast<int>(*seconds) && !panel.IsClosed(); ++s) {
      panel.MessageTick();
      for (int r = 0; r < 5; ++r) panel.StatusTick();
    }
    ticking_ = nested;
    return;
  }
  if (!argument.empty() && command != "respond" && command != "energy") {
    return t_.Error("unexpected argument: " + line);
  }
  static const std::map<std::string, PanelCommand> kButtons = {{"hail", PanelCommand::Hail},
                                                               {"beam", PanelCommand::Beam},
                                                               {"energy", PanelCommand::Energy},
                                                               {"photon", PanelCommand::Photon}};
  if (auto button = kButtons.find(command); button != kButtons.end() && !panel.Display().Enabled(button->second)) {
    return t_.Error(std::string("the ") + PanelCommandName(button->second) + " button is disabled");
  }
  if ((command == "respond" || command == "ignore") && !panel.Display().Visible()) {
    return t_.Error("no message is shown to " + command + " to");
  }
  if (!argument.empty()) answers_.Preset(argument);
  if (trace_.On()) trace_.Line("command: " + line);
  Trace::Nest nest(trace_);
  const bool shipCommand = command == "energy" || command == "photon";
  const TracedState before = trace_.On() && shipCommand ? panel.GetInterpreter().Traced() : TracedState{};
  if (command == "hail") panel.Hail();
  else if (command == "respond") panel.Respond();
  else if (command == "ignore") panel.Ignore();
  else if (command == "beam") panel.Beam();
  else if (command == "energy") panel.Energy();
  else if (command == "phaser") panel.Phaser();
  else if (command == "photon") panel.Photon();
  else if (command == "leave") panel.Leave();
  else if (command == "exit") panel.Exit();
  else if (command == "status") panel.ToggleStatus();
  else t_.Error("unknown command: " + command);
  answers_.Preset(std::nullopt);
  if (trace_.On() && shipCommand) trace_.Line(command + ": " + ChangeText(before, panel.GetInterpreter().Traced()));
  panel.TraceLevels();
  panel.StatusTick();
}

void TestSession::PrintShip() {
  const ShipState& s = world_.ship;
  std::string text = "Energy " + std::to_string(s.Energy) + ", MaxEnergy " + std::to_string(s.MaxEnergy) +
                     ", ShieldEnergy " + std::to_string(s.ShieldEnergy) + "\r\nPhotonTorpedoes " +
                     std::to_string(s.PhotonTorpedoes) + ", TorpedoBay " + std::to_string(s.TorpedoBay) +
                     ", PoSupply " + std::to_string(s.PoSupply) + "\r\nUpgrades";
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    text += std::string(" ") + kUpgradeCodes[static_cast<std::size_t>(k)] + " " +
            std::to_string(s.UpgradeLevels[static_cast<std::size_t>(k)]);
  }
  text += "\r\nDamage (systems 0..8)";
  for (float d : s.SystemDamage) text += " " + ShortNumber(static_cast<double>(d));
  text += "\r\nRetrofits (0..5)";
  for (auto c : s.RetrofitCounters) text += " " + std::to_string(c);
  text += std::string("\r\nUpgrades option ") + (s.UpgradesOption ? "on" : "off") + ", BadGuy option " +
          (s.BadGuyOption ? "on" : "off");
  t_.Print("ship", text);
}

void TestSession::PrintFlags() {
  const store::PlanetRecord& planet = world_.record.Planet(options_.planet);
  std::string text;
  for (int f = 0; f < kFlagNumbers; ++f) {
    if (store::TestFlagBit(planet, f)) text += "\r\n" + options_.FlagListName(f);
  }
  t_.Print("flags", text.empty() ? std::string("none") : text.substr(2));
}

}  // namespace zelmora::simulator
