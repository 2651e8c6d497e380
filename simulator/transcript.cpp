#include "simulator/transcript.h"

#include "ui/platform/code_page.h"

#include <charconv>
#include <ostream>

namespace zelmora::simulator {

void Transcript::Print(const std::string& label, const std::string& text) {
  const std::string utf8 = platform::Cp1252ToUtf8(text);
  const std::string indent(label.size() + 2, ' ');
  std::ostream& out = *out_;
  out << label << ":";
  std::size_t start = 0;
  bool first = true;
  while (true) {
    std::size_t end = utf8.find('\n', start);
    std::string line = utf8.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) out << (line.empty() ? "" : " ") << line << "\n";
    else out << indent << line << "\n";
    first = false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

void Transcript::Echo(const std::string& line) { *out_ << "> " << line << "\n"; }

void Transcript::Error(const std::string& text) {
  *out_ << "error: " << text << "\n";
  failed = true;
}

std::ostream& Transcript::Redirect(std::ostream& out) {
  std::ostream& before = *out_;
  out_ = &out;
  return before;
}

std::string ShortNumber(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ShortNumber(float value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string AnswerWord(platform::Answer answer) {
  switch (answer) {
    case platform::Answer::Yes: return "yes";
    case platform::Answer::No: return "no";
    case platform::Answer::Ok: return "ok";
    case platform::Answer::Cancel: break;
  }
  return "cancel";
}

std::string NumberWord(float value, float minimum) { return value < minimum ? "cancel" : ShortNumber(value); }

std::string ResponseWord(std::optional<int> choice) { return choice ? std::to_string(*choice) : "close"; }

// ---- the view

void TranscriptView::SetOrbitBanner(const std::string& caption, bool visible) {
  t_.Print("orbit", visible ? caption : "left");
  if (window_) window_->SetOrbitBanner(caption, visible);
}

void TranscriptView::SetMessageTitle(const std::string& title) {
  t_.Print("title", title);
  if (window_) window_->SetMessageTitle(title);
}

void TranscriptView::SetMessageText(const std::string& text) {
  t_.Print("text", text);
  if (window_) window_->SetMessageText(text);
}

void TranscriptView::SetMessageVisible(bool visible) {
  t_.Print("message", visible ? "shown" : "hidden");
  if (window_) window_->SetMessageVisible(visible);
}

void TranscriptView::SetCommandEnabled(PanelCommand command, bool enabled) {
  t_.Print(std::string("command ") + PanelCommandName(command), enabled ? "enabled" : "disabled");
  if (window_) window_->SetCommandEnabled(command, enabled);
}

void TranscriptView::SetStatusCaption(const std::string& caption) {
  t_.Print("status", caption);
  if (window_) window_->SetStatusCaption(caption);
}

void TranscriptView::SetMessageClock(bool running) {
  t_.Print("clock", running ? "running" : "stopped");
  if (window_) window_->SetMessageClock(running);
}

std::optional<int> TranscriptView::ChooseResponse(const std::vector<ResponseOption>& options) {
  std::string list;
  for (const auto& o : options) list += "\r\n" + std::to_string(o.index) + ". " + o.caption;
  t_.Print("responses", options.empty() ? std::string("none offered") : list.substr(2));
  return answers_.Response(options);
}

void TranscriptView::FocusIdle() {
  if (window_) window_->FocusIdle();
}

void TranscriptView::ClosePanel() {
  t_.Print("panel", "closed");
  if (window_) window_->ClosePanel();
}

void TranscriptView::FlagLabelChanged(int flag, bool on) {
  if (optionsWindow_) optionsWindow_->FlagLabelChanged(flag, on);
}

void TranscriptView::FlagAdded(const FlagListEntry& entry) {
  t_.Print("flag set", entry.name);
  if (optionsWindow_) optionsWindow_->FlagAdded(entry);
}

void TranscriptView::FlagRemoved(const FlagListEntry& entry) {
  t_.Print("flag cleared", entry.name);
  if (optionsWindow_) optionsWindow_->FlagRemoved(entry);
}

void TranscriptView::RetrofitCaptionChanged(const std::string& caption) {
  t_.Print("retrofits", caption);
  if (optionsWindow_) optionsWindow_->RetrofitCaptionChanged(caption);
}

// ---- boxes and questions

platform::Answer TranscriptPrompter::Message(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                                             const std::string& title, int defaultButton) {
  if (buttons == platform::Buttons::Ok) {
    t_.Print(title == "Zelmora" ? "box" : "box (" + title + ")", text);
    answers_.Box(text, icon, title);
    return platform::Answer::Ok;
  }
  const char* choices = buttons == platform::Buttons::OkCancel      ? " [ok/cancel]"
                        : buttons == platform::Buttons::YesNoCancel ? " [yes/no/cancel]"
                                                                    : " [yes/no]";
  t_.Print("question", text + choices);
  return answers_.Question(text, buttons, icon, title, defaultButton);
}

std::optional<std::string> TranscriptPrompter::Input(const std::string& prompt, const std::string&,
                                                     const std::string&) {
  t_.Print("input", prompt + " (not available here)");
  return std::nullopt;
}

std::optional<std::string> TranscriptPrompter::ChooseOpenFile(const std::string& title, const std::string&,
                                                              const std::string&) {
  t_.Print("file chooser", title + " (not available here)");
  return std::nullopt;
}

std::optional<std::string> TranscriptPrompter::ChooseFolder(const std::string& title, const std::string&) {
  t_.Print("folder chooser", title + " (not available here)");
  return std::nullopt;
}

float TranscriptNumbers::AskNumber(const std::string& message, const std::string& title, const std::string& unit,
                                   float value, float minimum, float maximum, float step) {
  t_.Print("number", message + "\r\n[" + ShortNumber(static_cast<double>(minimum)) + " to " +
                         ShortNumber(static_cast<double>(maximum)) + " " + unit + ", or cancel]");
  return answers_.Number(message, title, unit, value, minimum, maximum, step);
}

}  // namespace zelmora::simulator
