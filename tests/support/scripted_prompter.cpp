#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace zelmora::testing {

using platform::Buttons;

ScriptedPrompter& ScriptedPrompter::Answer(platform::Answer answer) {
  answers_.push_back(answer);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::Reply(std::optional<std::string> text) {
  replies_.push_back(std::move(text));
  return *this;
}

platform::Answer ScriptedPrompter::Message(const std::string& text, Buttons buttons, platform::Icon icon,
                                           const std::string& title, int defaultButton) {
  calls_.push_back({Kind::Message, text, title, buttons, icon, defaultButton, {}});
  if (buttons == Buttons::Ok && acceptOkBoxes_) return platform::Answer::Ok;
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box: \"" << text << "\" (title \"" << title << "\")";
    return buttons == Buttons::YesNo ? platform::Answer::No
           : buttons == Buttons::Ok  ? platform::Answer::Ok
                                     : platform::Answer::Cancel;
  }
  platform::Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

std::optional<std::string> ScriptedPrompter::NextReply(const Call& call) {
  calls_.push_back(call);
  if (replies_.empty()) {
    ADD_FAILURE() << "unexpected question: \"" << call.text << "\" (title \"" << call.title << "\")";
    return std::nullopt;
  }
  auto r = replies_.front();
  replies_.pop_front();
  if (r && r->empty()) return std::nullopt;  // an empty answer is no answer
  return r;
}

std::optional<std::string> ScriptedPrompter::Input(const std::string& prompt, const std::string& title,
                                                   const std::string& defaultValue) {
  return NextReply({Kind::Input, prompt, title, Buttons::OkCancel, platform::Icon::None, 1, defaultValue});
}

std::optional<std::string> ScriptedPrompter::ChooseOpenFile(const std::string& title, const std::string& startFolder,
                                                            const std::string& filter) {
  return NextReply({Kind::OpenFile, filter, title, Buttons::OkCancel, platform::Icon::None, 1, startFolder});
}

std::optional<std::string> ScriptedPrompter::ChooseSaveFile(const std::string& title, const std::string& startFile,
                                                            const std::string& filter) {
  return NextReply({Kind::SaveFile, filter, title, Buttons::OkCancel, platform::Icon::None, 1, startFile});
}

std::optional<std::string> ScriptedPrompter::ChooseFolder(const std::string& title, const std::string& startFolder) {
  return NextReply({Kind::Folder, {}, title, Buttons::OkCancel, platform::Icon::None, 1, startFolder});
}

std::vector<std::string> ScriptedPrompter::Texts() const {
  std::vector<std::string> out;
  for (const auto& c : calls_) out.push_back(c.text);
  return out;
}

}  // namespace zelmora::testing
