#include "simulator/control_panel.h"

#include "messages/script_keys.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::simulator {

const char* PanelCommandName(PanelCommand command) {
  static constexpr std::array<const char*, kPanelCommandCount> kNames = {
      "Hail", "Leave", "Orbit", "Beam", "Energy", "Exit", "Phaser", "Photon", "Shields"};
  return kNames[static_cast<std::size_t>(command)];
}

void ShowNewPanel(ControlPanelView& view) {
  view.SetOrbitBanner("", false);
  view.SetMessageTitle(std::string(messages::kStandardTitle));
  view.SetMessageText("");
  view.SetMessageVisible(false);
  for (int i = 0; i < kPanelCommandCount; ++i) view.SetCommandEnabled(static_cast<PanelCommand>(i), true);
  view.SetStatusCaption("Message Level: INIT");
  view.SetMessageClock(false);
}

ControlPanel::ControlPanel(SimulatorServices services, ControlPanelView& view, TestOptions* options)
    : services_(services), options_(options), display_(view), interpreter_(services, state_, display_) {}

std::string ControlPanel::VisitState(std::int32_t stateValue) {
  if (stateValue == 0) return {};
  return stateValue < 100 ? "Back" : "Returned";
}

void ControlPanel::StartClock() {
  if (!closed_) display_.SetClock(true);
}

void ControlPanel::Activate(int tag) {
  // The tag is cleared by the first activation; later ones find it empty.
  if (closed_ || activated_ || tag < 1 || tag > store::kMaxPlanets) return;
  activated_ = true;
  auto& record = services_.record;
  if (record.PlanetCount == 0) {
    services_.prompter.Inform("There are no planets in this system.");
    Exit();
    return;
  }
  StartClock();
  services_.rules.Ship().CurrentPlanet = static_cast<std::int16_t>(tag);
  testPlanet_ = tag;
  const store::PlanetRecord& planet = record.Planet(tag);
  if (planet.Class == 0) {
    services_.prompter.Inform("This planet has been destroyed.");
    state_.planet = 0;
    return;
  }
  state_.planet = tag;
  display_.SetBanner("Orbiting " + services_.script.PlanetName(tag), true);
  if (planet.Class >= 9 && store::PlanetAttributes::Decode(planet.Attributes).Life >= 1 && planet.StateValue == 0) {
    services_.prompter.Inform("This is a habitable planet, Captain.\r\nI will enter it in our database.");
  }
  display_.Enable(PanelCommand::EnterOrbit, false);
  const std::string visit = VisitState(planet.StateValue);
  state_.MessageLevel = visit;
  state_.ResponseLevel.clear();
  display_.Enable(PanelCommand::Hail, visit != "Back");
  display_.Enable(PanelCommand::Beam, visit != "Back");
  display_.Enable(PanelCommand::Energy, true);
  state_.CurrentMessage = 0;
  services_.random.SeedFromClock();
  StartClock();
  Trace& trace = interpreter_.GetTrace();
  if (trace.On()) {
    trace.Line("orbit entry: last visit " + std::to_string(planet.StateValue) + " hundredths of a day, level " +
               LevelName(visit));
  }
}

void ControlPanel::StartAt(const StartPoint& from) {
  if (!InOrbit()) return;
  Trace& trace = interpreter_.GetTrace();
  if (trace.On()) trace.Line("start at " + StartCaption(from));
  Trace::Nest nest(trace);
  const std::string level(messages::KeyName(from.group));
  if (from.kind == StartPoint::Kind::Responses) {
    if (from.group == messages::kHailGroup) return HailNow();
    state_.MessageLevel = level;
    state_.ResponseLevel = level;
    state_.CurrentMessage = -1;
    display_.SetClock(false);
    display_.SetVisible(true);  // Respond offers them again after the chooser was closed
    state_.statusTag = 1;
    RespondTo();
    return;
  }
  if (from.group == messages::kBeamGroup) {
    // The clock waits, so that what the beam shows is what the test starts with.
    state_.CurrentMessage = -1;
    display_.SetClock(false);
    BeamDown("Beam", interpreter_.ReadCount(messages::MessageCountKey(messages::kBeamGroup)));
    return;
  }
  state_.MessageLevel = level;
}

void ControlPanel::MessageTick() {
  if (!InOrbit() || !display_.Clock()) return;
  Trace& trace = interpreter_.GetTrace();
  auto& pending = state_.Pending;
  if (state_.CurrentMessage == -1) {
    trace.Idle("tick: no message is left to choose at level " + LevelName(state_.MessageLevel) +
               "; a command goes on from here");
    return;
  }
  // A level is a name as the file spells it: the game reads level "Beam" from "MessagesBeam" and
  // level "INIT" from "MessagesINIT", unlike the editor's group keys.
  const std::string prefix = "Message" + state_.MessageLevel;
  if (state_.CurrentMessage == 0) {
    const std::string countKey = "Messages" + state_.MessageLevel;
    int count = interpreter_.ReadCount(countKey);
    if (count <= 0) {
      if (trace.On()) {
        trace.Idle("tick: " + countKey + " reads \"" + interpreter_.ReadPlanetKey(countKey) +
                   "\": no message at level " + LevelName(state_.MessageLevel) + "; the clock asks again each second");
      }
      return;
    }
    trace.Line("tick: the clock chooses at level " + LevelName(state_.MessageLevel));
    Trace::Nest nest(trace);
    int n = interpreter_.ChooseMessage(prefix, count);
    state_.CurrentMessage = n;
    if (n == -1) return;
    pending.ticks = 0;
    pending.wait = 0;
    pending.text = interpreter_.ReadPlanetKey(prefix + std::to_string(n));
    if (pending.text.size() >= 2 && platform::EqualsNoCase(std::string_view(pending.text).substr(0, 2), "%W")) {
      pending.wait = pending.text.size() > 2 && pending.text[2] >= '0' && pending.text[2] <= '9' ? pending.text[2] - '0' : 0;
      pending.text.erase(0, std::min<std::size_t>(3, pending.text.size()));
    }
    if (pending.ticks < pending.wait) {
      if (trace.On()) trace.Line(prefix + std::to_string(n) + " waits " + std::to_string(pending.wait) + " seconds");
      return;
    }
  } else {
    ++pending.ticks;
    const std::string key = prefix + std::to_string(state_.CurrentMessage);
    if (pending.ticks < pending.wait) {
      if (trace.On()) {
        trace.Line("tick: " + key + " has waited " + std::to_string(pending.ticks) + " of " +
                   std::to_string(pending.wait) + " seconds");
      }
      return;
    }
    trace.Line("tick: " + key + " has waited its " + std::to_string(pending.wait) + " seconds");
    pending.text = interpreter_.ReadPlanetKey(key);
  }
  Trace::Nest nest(trace);
  const std::string key = prefix + std::to_string(state_.CurrentMessage);
  if (trace.On()) trace.Line("show " + key);
  trace.Played(key);
  pending.code = platform::ToUpper1252(pending.text.substr(0, 3));
  {
    Trace::Nest actions(trace);
    interpreter_.DisplayMessage(pending.text);
  }
  state_.CurrentMessage = -1;
  pending.ticks = 0;
  pending.wait = 0;
  display_.SetClock(false);
  state_.statusTag = 1;
  TraceLevels();
}

void ControlPanel::TraceLevels() {
  Trace& trace = interpreter_.GetTrace();
  if (!trace.On() || closed_) return;
  std::string line =
      "levels: messages " + LevelName(state_.MessageLevel) + ", responses " + LevelName(state_.ResponseLevel);
  if (state_.CurrentMessage > 0) {
    line += "; Message" + state_.MessageLevel + std::to_string(state_.CurrentMessage) + " waits " +
            std::to_string(state_.Pending.wait - state_.Pending.ticks) + " more seconds";
  }
  trace.Line(line);
}

void ControlPanel::StatusTick() {
  if (closed_) return;
  if (options_ && testPlanet_ >= 1) options_->RefreshStatus(services_.record.Planet(testPlanet_));
  display_.SetStatus(state_.statusTag == 0 ? "Message Level: " + messages::ShownName(state_.MessageLevel)
                                           : "Response Level: " + messages::ShownName(state_.ResponseLevel));
}

void ControlPanel::ClearMessage() {
  display_.SetVisible(false);
  display_.SetTitle(std::string(messages::kStandardTitle));
  display_.SetText("");
  StartClock();
}

void ControlPanel::Hail() {
  if (!InOrbit() || !display_.Enabled(PanelCommand::Hail)) return;
  HailNow();
}

void ControlPanel::HailNow() {
  display_.Enable(PanelCommand::Hail, false);
  const int count = interpreter_.ReadCount(messages::ResponseCountKey(messages::kHailGroup));
  Trace& trace = interpreter_.GetTrace();
  if (trace.On() && count <= 0) trace.Line("ResponsesHail is not above 0: the planet cannot be hailed");
  if (count > 0) {
    state_.ResponseLevel = messages::kHailGroup;
    RespondTo();
  } else {
    services_.prompter.Inform("You cannot hail this planet.");
  }
}

std::vector<ResponseOption> ControlPanel::OfferedResponses() {
  const ShipState& ship = services_.rules.Ship();
  Trace& trace = interpreter_.GetTrace();
  std::vector<ResponseOption> options;
  for (std::size_t i = 0; i < state_.ResponseTexts.size(); ++i) {
    std::string text = state_.ResponseTexts[i];
    if (trace.On()) trace.Line("Response" + state_.ResponseLevel + std::to_string(i + 1) + ": " + Quoted(text));
    Trace::Nest nest(trace);
    if (text.empty()) {
      if (trace.On()) trace.Line("not offered: empty");
      continue;
    }
    text = ReplaceFirstNoCase(std::move(text), "%RK", ship.PlayerRank);
    text = ReplaceFirstNoCase(std::move(text), "%NM", ship.PlayerName);
    text = ReplaceFirstNoCase(std::move(text), "%AN", interpreter_.AlienName());
    while (!text.empty() && text[0] == '%') {
      if (!interpreter_.TestCondition(std::string_view(text).substr(1, 2))) text.clear();
      text.erase(0, std::min<std::size_t>(3, text.size()));
    }
    auto star = text.find('*');
    if (star != std::string::npos) text.erase(star);
    if (trace.On()) trace.Line(text.empty() ? "not offered" : "offered");
    if (text.empty()) continue;
    options.push_back({static_cast<int>(i) + 1, text});
  }
  return options;
}

void ControlPanel::Respond() {
  if (!display_.Visible()) return;  // the button shows only with a message
  RespondTo();
}

void ControlPanel::RespondTo() {
  if (!InOrbit()) return;
  int count = interpreter_.ReadCount("Responses" + state_.ResponseLevel);
  if (count <= 0) {
    services_.prompter.Inform("No responses allowed");
    return;
  }
  // Absent responses read "ERR"; only the present ones are looked up.
  const std::string prefix = "Response" + state_.ResponseLevel;
  state_.ResponseTexts.assign(static_cast<std::size_t>(count), store::kNoMessage);
  for (int i : services_.script.PresentItems(state_.planet, prefix, count)) {
    if (i < 1 || i > count) continue;
    state_.ResponseTexts[static_cast<std::size_t>(i - 1)] = interpreter_.ReadPlanetKey(prefix + std::to_string(i));
  }
  Trace& trace = interpreter_.GetTrace();
  if (trace.On()) trace.Line("offer " + prefix + "1.." + std::to_string(count));
  std::vector<ResponseOption> options;
  {
    Trace::Nest nest(trace);
    options = OfferedResponses();
  }
  auto choice = display_.View().ChooseResponse(options);
  const bool offered =
      choice && std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.index == *choice; });
  if (!offered) {
    if (trace.On()) trace.Line("no response chosen");
    return;
  }
  SendResponse(*choice);
  state_.statusTag = 0;
}

void ControlPanel::SendResponse(int k) {
  if (closed_ || k < 1 || k > static_cast<int>(state_.ResponseTexts.size())) return;
  const std::string text(messages::WithoutPrefixCodes(state_.ResponseTexts[static_cast<std::size_t>(k - 1)]));
  Trace& trace = interpreter_.GetTrace();
  const std::string key = "Response" + state_.ResponseLevel + std::to_string(k);
  if (trace.On()) trace.Line("send " + key);
  trace.Played(key);
  Trace::Nest nest(trace);
  const TracedState before = trace.On() ? interpreter_.Traced() : TracedState{};
  state_.MessageLevel = state_.ResponseLevel;
  if (trace.On()) trace.Line("messages go on at the response level: " + ChangeText(before, interpreter_.Traced()));
  for (const auto& piece : StarPieces(text)) interpreter_.ApplyAction(piece);
  ClearMessage();
  state_.CurrentMessage = 0;
  StartClock();
}

void ControlPanel::Ignore() {
  if (!InOrbit() || !display_.Visible()) return;
  ClearMessage();
  state_.MessageLevel = "Ignore" + state_.MessageLevel;
  state_.CurrentMessage = 0;
  state_.ResponseLevel.clear();
  display_.View().FocusIdle();
}

void ControlPanel::Beam() {
  if (!InOrbit() || !display_.Enabled(PanelCommand::Beam)) return;
  std::string prefix = "Beam" + state_.MessageLevel;
  int count = interpreter_.ReadCount(prefix + "Messages");
  if (count < 1) {
    prefix = "Beam";
    count = interpreter_.ReadCount(messages::MessageCountKey(messages::kBeamGroup));
  }
  BeamDown(prefix, count);
}

void ControlPanel::BeamDown(const std::string& prefix, int count) {
  if (count < 1) {
    services_.prompter.Inform("You cannot beam down to this planet.");
    display_.Enable(PanelCommand::Beam, false);
    return;
  }
  int n = interpreter_.ChooseMessage(prefix, count);
  if (n > 0) {
    Trace& trace = interpreter_.GetTrace();
    const std::string key = prefix + std::to_string(n);
    if (trace.On()) trace.Line("show " + key);
    trace.Played(key);
    Trace::Nest nest(trace);
    interpreter_.DisplayMessage(interpreter_.ReadPlanetKey(key));
  }
  display_.Enable(PanelCommand::Beam, false);
}

void ControlPanel::Energy() {
  if (!InOrbit() || !display_.Enabled(PanelCommand::Energy)) return;
  if (services_.rules.ExtractEnergy(interpreter_.Planet(), state_.EnergyAllowance) ==
      ExtractionResult::DisableEnergy) {
    display_.Enable(PanelCommand::Energy, false);
  }
}

void ControlPanel::Phaser() {
  if (!InOrbit()) return;
  if (services_.prompter.Message("Are you sure you wish to fire phasers this planet?", platform::Buttons::YesNo,
                                 platform::Icon::Question) != platform::Answer::Yes) {
    return;
  }
  state_.MessageLevel += "Phaser";
  if (interpreter_.ReadCount("Messages" + state_.MessageLevel) <= 0) {
    Trace& trace = interpreter_.GetTrace();
    if (trace.On()) trace.Line("Messages" + state_.MessageLevel + " is not above 0: level Phaser instead");
    state_.MessageLevel = "Phaser";
  }
  ClearMessage();
  state_.CurrentMessage = 0;
  StartClock();
}

void ControlPanel::Photon() {
  if (!InOrbit() || !display_.Enabled(PanelCommand::Photon)) return;
  switch (services_.rules.FirePhotons(interpreter_.Planet())) {
    case PhotonResult::Refused: display_.Enable(PanelCommand::Photon, false); break;
    case PhotonResult::Destroyed: Exit(); break;
    case PhotonResult::Declined: break;
  }
}

void ControlPanel::Leave() { Exit(); }

void ControlPanel::Exit() {
  if (closed_) return;
  display_.SetBanner(display_.Banner(), false);
  state_.planet = 0;
  ClearMessage();
  display_.SetClock(false);
  closed_ = true;
  display_.View().ClosePanel();
}

void ControlPanel::ToggleStatus() {
  if (closed_) return;
  state_.statusTag = 1 - state_.statusTag;
  display_.View().FocusIdle();
}

}  // namespace zelmora::simulator
