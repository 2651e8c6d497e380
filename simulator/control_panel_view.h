#pragma once

#include "messages/message_parts.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

enum class PanelCommand { Hail, LeaveOrbit, EnterOrbit, Beam, Energy, Exit, Phaser, Photon, Shields };
inline constexpr int kPanelCommandCount = 9;
// Button captions without their access-key markers ("Hail", "Leave", ...).
const char* PanelCommandName(PanelCommand command);

// One response the player may send: its number in the group and its shown text.
struct ResponseOption {
  int index = 0;
  std::string caption;
  bool operator==(const ResponseOption&) const = default;
};

// What the control panel shows. The conversation calls a setter only when the value changes.
class ControlPanelView {
 public:
  virtual ~ControlPanelView() = default;
  virtual void SetOrbitBanner(const std::string& caption, bool visible) = 0;
  virtual void SetMessageTitle(const std::string& title) = 0;
  virtual void SetMessageText(const std::string& text) = 0;
  // The message panel together with Respond and Ignore.
  virtual void SetMessageVisible(bool visible) = 0;
  virtual void SetCommandEnabled(PanelCommand command, bool enabled) = 0;
  virtual void SetStatusCaption(const std::string& caption) = 0;
  // Starts or stops the one-second message clock.
  virtual void SetMessageClock(bool running) = 0;
  // The response chooser, shown modally; the chosen response number, or nothing.
  virtual std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) = 0;
  // Moves the keyboard focus off every command, so a held key does not repeat one.
  virtual void FocusIdle() = 0;
  virtual void ClosePanel() = 0;
};

// Tells a view all that a new panel shows, the state PanelDisplay starts from.
void ShowNewPanel(ControlPanelView& view);

// The panel's visible state, forwarding changes only.
class PanelDisplay {
 public:
  explicit PanelDisplay(ControlPanelView& view) : view_(view) { enabled_.fill(true); }

  ControlPanelView& View() { return view_; }

  void SetBanner(const std::string& caption, bool visible) {
    if (caption == banner_ && visible == bannerVisible_) return;
    banner_ = caption;
    bannerVisible_ = visible;
    view_.SetOrbitBanner(caption, visible);
  }
  void SetTitle(const std::string& title) {
    if (title != title_) view_.SetMessageTitle(title_ = title);
  }
  void SetText(const std::string& text) {
    if (text != text_) view_.SetMessageText(text_ = text);
  }
  void SetVisible(bool visible) {
    if (visible != visible_) view_.SetMessageVisible(visible_ = visible);
  }
  void Enable(PanelCommand command, bool enabled) {
    bool& current = enabled_[static_cast<std::size_t>(command)];
    if (current != enabled) view_.SetCommandEnabled(command, current = enabled);
  }
  void SetStatus(const std::string& caption) {
    if (caption != status_) view_.SetStatusCaption(status_ = caption);
  }
  void SetClock(bool running) {
    if (running != clock_) view_.SetMessageClock(clock_ = running);
  }

  const std::string& Banner() const { return banner_; }
  bool BannerVisible() const { return bannerVisible_; }
  const std::string& Title() const { return title_; }
  const std::string& Text() const { return text_; }
  bool Visible() const { return visible_; }
  bool Enabled(PanelCommand command) const { return enabled_[static_cast<std::size_t>(command)]; }
  const std::string& Status() const { return status_; }
  bool Clock() const { return clock_; }

 private:
  ControlPanelView& view_;
  std::string banner_;
  bool bannerVisible_ = false;
  std::string title_{messages::kStandardTitle};
  std::string text_;
  bool visible_ = false;
  std::array<bool, kPanelCommandCount> enabled_{};
  std::string status_ = "Message Level: INIT";
  bool clock_ = false;
};

}  // namespace zelmora::simulator
