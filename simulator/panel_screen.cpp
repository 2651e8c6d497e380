#include "simulator/panel_screen.h"

#include <algorithm>

namespace zelmora::simulator {

PanelScreen ScreenOf(const ControlPanel& panel, const TestOptions& options) {
  const PanelDisplay& d = panel.Display();
  PanelScreen s;
  s.entries = {{"orbit", d.BannerVisible() ? d.Banner() : std::string("left")},
               {"title", d.Title()},
               {"text", d.Text()},
               {"message", d.Visible() ? "shown" : "hidden"}};
  for (int i = 0; i < kPanelCommandCount; ++i) {
    const auto command = static_cast<PanelCommand>(i);
    s.entries.emplace_back(std::string("command ") + PanelCommandName(command),
                           d.Enabled(command) ? "enabled" : "disabled");
  }
  s.entries.emplace_back("status", d.Status());
  s.entries.emplace_back("clock", d.Clock() ? "running" : "stopped");
  s.entries.emplace_back("retrofits", options.RetrofitCaption());
  s.entries.emplace_back("panel", panel.IsClosed() ? "closed" : "open");
  for (const auto& entry : options.FlagList()) s.flags.push_back(entry.name);
  return s;
}

void PrintScreenChanges(Transcript& t, const PanelScreen& before, const PanelScreen& now) {
  for (std::size_t i = 0; i < now.entries.size(); ++i) {
    if (i >= before.entries.size() || before.entries[i] != now.entries[i]) {
      t.Print(now.entries[i].first, now.entries[i].second);
    }
  }
  const auto has = [](const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  for (const auto& name : before.flags) {
    if (!has(now.flags, name)) t.Print("flag cleared", name);
  }
  for (const auto& name : now.flags) {
    if (!has(before.flags, name)) t.Print("flag set", name);
  }
}

}  // namespace zelmora::simulator
