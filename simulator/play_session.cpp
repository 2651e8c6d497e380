#include "simulator/play_session.h"

#include "simulator/control_panel.h"
#include "simulator/seeded_random.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>

namespace zelmora::simulator {

namespace {

std::string Number(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

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
  return value;
}

// The input lines and the transcript, shared by the prompter, the number asker and the view.
class Terminal {
 public:
  Terminal(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  // A transcript entry; the lines of a multi-line text line up under the first.
  void Print(const std::string& label, const std::string& text) {
    std::string utf8 = platform::Cp1252ToUtf8(text);
    std::string indent(label.size() + 2, ' ');
    out_ << label << ":";
    std::size_t start = 0;
    bool first = true;
    while (true) {
      std::size_t end = utf8.find('\n', start);
      std::string line = utf8.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (first) out_ << (line.empty() ? "" : " ") << line << "\n";
      else out_ << indent << line << "\n";
      first = false;
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  void Error(const std::string& text) {
    out_ << "error: " << text << "\n";
    failed = true;
  }

  // The next command or answer line, echoed; blank lines are skipped, comments echoed and skipped.
  bool NextLine(std::string& line) {
    while (std::getline(in_, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string trimmed = platform::TrimBlanks(line);
      if (trimmed.empty()) continue;
      out_ << "> " << trimmed << "\n";
      if (trimmed[0] == '#') continue;
      line = platform::Utf8ToCp1252(trimmed);
      return true;
    }
    return false;
  }

  // The answer to a question: the command's own argument, else the next line.
  bool Answer(std::string& answer) {
    if (preset) {
      answer = *preset;
      preset.reset();
      return true;
    }
    return NextLine(answer);
  }

  std::optional<std::string> preset;
  bool failed = false;

 private:
  std::istream& in_;
  std::ostream& out_;
};

class TerminalPrompter : public platform::Prompter {
 public:
  explicit TerminalPrompter(Terminal& t) : t_(t) {}

  platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon,
                           const std::string& title, int) override {
    const std::string label = title == "Zelmora" ? "box" : "box (" + title + ")";
    if (buttons == platform::Buttons::Ok) {
      t_.Print(label, text);
      return platform::Answer::Ok;
    }
    const bool cancel = buttons == platform::Buttons::OkCancel || buttons == platform::Buttons::YesNoCancel;
    const bool okButton = buttons == platform::Buttons::OkCancel;
    t_.Print("question", text + (okButton ? " [ok/cancel]" : cancel ? " [yes/no/cancel]" : " [yes/no]"));
    std::string line;
    while (t_.Answer(line)) {
      std::string a = platform::ToLower1252(line);
      if (!okButton && (a == "yes" || a == "y")) return platform::Answer::Yes;
      if (!okButton && (a == "no" || a == "n")) return platform::Answer::No;
      if (okButton && a == "ok") return platform::Answer::Ok;
      if (cancel && a == "cancel") return platform::Answer::Cancel;
      t_.Error("answer the question first");
    }
    return okButton || cancel ? platform::Answer::Cancel : platform::Answer::No;
  }

  // The simulator asks for no names or files; the terminal has no chooser to offer.
  std::optional<std::string> Input(const std::string& prompt, const std::string&, const std::string&) override {
    t_.Print("input", prompt + " (not available here)");
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string&, const std::string&) override {
    t_.Print("file chooser", title + " (not available here)");
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string&) override {
    t_.Print("folder chooser", title + " (not available here)");
    return std::nullopt;
  }

 private:
  Terminal& t_;
};

class TerminalNumbers : public platform::NumberAsker {
 public:
  explicit TerminalNumbers(Terminal& t) : t_(t) {}

  float AskNumber(const std::string& message, const std::string&, const std::string& unit, float, float minimum,
                  float maximum, float) override {
    t_.Print("number", message + "\r\n[" + Number(minimum) + " to " + Number(maximum) + " " + unit + ", or cancel]");
    std::string line;
    while (t_.Answer(line)) {
      auto words = Words(line);
      if (words.size() == 2 && words[0] == "energy") words.erase(words.begin());
      if (words.size() == 1 && words[0] == "cancel") break;
      auto value = words.size() == 1 ? ParseNumber(words[0]) : std::nullopt;
      if (value && *value >= minimum && *value <= maximum) return static_cast<float>(*value);
      t_.Error("answer a number from " + Number(minimum) + " to " + Number(maximum) + ", or cancel");
    }
    return minimum - 1;
  }

 private:
  Terminal& t_;
};

class TerminalView : public ControlPanelView, public TestOptionsListener {
 public:
  explicit TerminalView(Terminal& t) : t_(t) {}

  void SetOrbitBanner(const std::string& caption, bool visible) override {
    t_.Print("orbit", visible ? caption : "left");
  }
  void SetMessageTitle(const std::string& title) override { t_.Print("title", title); }
  void SetMessageText(const std::string& text) override { t_.Print("text", text); }
  void SetMessageVisible(bool visible) override { t_.Print("message", visible ? "shown" : "hidden"); }
  void SetCommandEnabled(PanelCommand command, bool enabled) override {
    t_.Print(std::string("command ") + PanelCommandName(command), enabled ? "enabled" : "disabled");
  }
  void SetStatusCaption(const std::string& caption) override { t_.Print("status", caption); }
  void SetMessageClock(bool running) override { t_.Print("clock", running ? "running" : "stopped"); }
  std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) override {
    std::string list;
    for (const auto& o : options) list += "\r\n" + std::to_string(o.index) + ". " + o.caption;
    t_.Print("responses", options.empty() ? std::string("none offered") : list.substr(2));
    std::string line;
    while (t_.Answer(line)) {
      auto words = Words(line);
      if (words.size() == 2 && words[0] == "respond") words.erase(words.begin());
      if (words.size() == 1 && words[0] == "close") return std::nullopt;
      auto value = words.size() == 1 ? ParseNumber(words[0]) : std::nullopt;
      const bool offered = value && std::any_of(options.begin(), options.end(),
                                                [&](const ResponseOption& o) { return o.index == *value; });
      if (offered) return static_cast<int>(*value);
      t_.Error("answer one of the offered response numbers, or close");
    }
    return std::nullopt;
  }
  // A terminal has no keyboard focus to move.
  void FocusIdle() override {}
  void ClosePanel() override { t_.Print("panel", "closed"); }

  // The list entries say all that the labels do.
  void FlagLabelChanged(int, bool) override {}
  void FlagAdded(const FlagListEntry& entry) override { t_.Print("flag set", entry.name); }
  void FlagRemoved(const FlagListEntry& entry) override { t_.Print("flag cleared", entry.name); }
  void RetrofitCaptionChanged(const std::string& caption) override { t_.Print("retrofits", caption); }

 private:
  Terminal& t_;
};

void PrintShip(Terminal& t, const ShipState& s) {
  std::string text = "Energy " + std::to_string(s.Energy) + ", MaxEnergy " + std::to_string(s.MaxEnergy) +
                     ", ShieldEnergy " + std::to_string(s.ShieldEnergy) + "\r\nPhotonTorpedoes " +
                     std::to_string(s.PhotonTorpedoes) + ", TorpedoBay " + std::to_string(s.TorpedoBay) +
                     ", PoSupply " + std::to_string(s.PoSupply) + "\r\nUpgrades";
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    text += std::string(" ") + kUpgradeCodes[static_cast<std::size_t>(k)] + " " +
            std::to_string(s.UpgradeLevels[static_cast<std::size_t>(k)]);
  }
  text += "\r\nDamage (systems 0..8)";
  for (float d : s.SystemDamage) text += " " + Number(d);
  text += "\r\nRetrofits (0..5)";
  for (auto c : s.RetrofitCounters) text += " " + std::to_string(c);
  text += std::string("\r\nUpgrades option ") + (s.UpgradesOption ? "on" : "off") + ", BadGuy option " +
          (s.BadGuyOption ? "on" : "off");
  t.Print("ship", text);
}

void PrintFlags(Terminal& t, const TestOptions& options, const store::PlanetRecord& planet) {
  std::string text;
  for (int f = 0; f < kFlagNumbers; ++f) {
    if (store::TestFlagBit(planet, f)) text += "\r\n" + options.FlagListName(f);
  }
  t.Print("flags", text.empty() ? std::string("none") : text.substr(2));
}

}  // namespace

std::optional<int> FlagOfCaption(const std::string& caption) {
  if (platform::EqualsNoCase(caption, "Treaty")) return kTreatyFlag;
  if (caption.size() != 1) return std::nullopt;
  int flag = FlagNumberOfLetter(platform::ToUpper1252(caption[0]));
  if (flag < 0) return std::nullopt;
  return flag;
}

int RunPlaySession(const PlaySettings& settings, std::istream& in, std::ostream& out) {
  store::DescriptorStore store(settings.gameFolder);
  store.RefreshSystemNames();
  store::SolarSystemRecord record;
  store.LoadSystem(settings.system, record);
  const int p = settings.planet;

  Terminal t(in, out);
  TerminalPrompter prompter(t);
  TerminalNumbers numbers(t);
  TerminalView view(t);
  SeededRandom random(settings.seed);
  ShipState ship;
  ShipRules rules(ship, random, prompter, numbers, store.GetTables().EnergyCost);
  StoreScriptReader script(store, record);

  t.Print("test", settings.system + ", planet " + std::to_string(p) + " (" + script.PlanetName(p) + "), seed " +
                      (settings.seed ? std::to_string(*settings.seed) : std::string("from the clock")));
  TestOptions options(ship);
  options.SetListener(&view);
  options.planet = p;
  options.LoadFlagNames(script);
  rules.ResetUpgradeLevels();
  for (int f : settings.flags) options.SetFlagLabel(f, true);
  options.lastVisit = settings.lastVisitTenths;
  options.upgrades = settings.upgrades;
  options.badGuy = settings.badGuy;
  options.Begin(record.Planet(p), random);

  ControlPanel panel({record, store.GetTables(), script, random, prompter, rules}, view, &options);
  panel.Activate(p);
  panel.StatusTick();

  std::string line;
  while (t.NextLine(line)) {
    auto words = Words(line);
    const std::string& command = words[0];
    const std::string argument = words.size() > 1 ? words[1] : std::string();
    if (words.size() > 2) {
      t.Error("too many words: " + line);
      continue;
    }
    if (command == "ship") {
      PrintShip(t, ship);
      continue;
    }
    if (command == "flags") {
      PrintFlags(t, options, record.Planet(p));
      continue;
    }
    if (command == "yes" || command == "no") {
      t.Error("no question is open");
      continue;
    }
    if (panel.IsClosed()) {
      t.Error("the test has ended");
      continue;
    }
    if (command == "tick") {
      auto seconds = argument.empty() ? std::optional<double>(1) : ParseNumber(argument);
      if (!seconds || *seconds < 1 || *seconds > 3600 || *seconds != static_cast<int>(*seconds)) {
        t.Error("tick takes a whole number of seconds from 1 to 3600");
        continue;
      }
      for (int s = 0; s < static_cast<int>(*seconds) && !panel.IsClosed(); ++s) {
        panel.MessageTick();
        for (int r = 0; r < 5; ++r) panel.StatusTick();
      }
      continue;
    }
    if ((command == "respond" || command == "energy") && !argument.empty()) {
      t.preset = argument;
    } else if (!argument.empty()) {
      t.Error("unexpected argument: " + line);
      continue;
    }
    static const std::map<std::string, PanelCommand> kButtons = {{"hail", PanelCommand::Hail},
                                                                 {"beam", PanelCommand::Beam},
                                                                 {"energy", PanelCommand::Energy},
                                                                 {"photon", PanelCommand::Photon}};
    if (auto button = kButtons.find(command); button != kButtons.end() && !panel.Display().Enabled(button->second)) {
      t.Error(std::string("the ") + PanelCommandName(button->second) + " button is disabled");
      t.preset.reset();
      continue;
    }
    if ((command == "respond" || command == "ignore") && !panel.Display().Visible()) {
      t.Error("no message is shown to " + command + " to");
      t.preset.reset();
      continue;
    }
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
    else t.Error("unknown command: " + command);
    t.preset.reset();
    panel.StatusTick();
  }
  return t.failed ? 1 : 0;
}

}  // namespace zelmora::simulator
