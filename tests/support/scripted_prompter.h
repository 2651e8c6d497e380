#pragma once

#include "ui/platform/prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::testing {

// A prompter that answers from a script and records every call. A call with no scripted answer
// left fails the running test (the flow asked something the test did not expect).
class ScriptedPrompter : public platform::Prompter {
 public:
  enum class Kind { Message, Input, OpenFile, SaveFile, Folder };

  struct Call {
    Kind kind;
    std::string text;   // message text or input prompt
    std::string title;
    platform::Buttons buttons = platform::Buttons::Ok;
    platform::Icon icon = platform::Icon::None;
    int defaultButton = 1;
    std::string defaultValue;  // input default, chooser start folder or file
  };

  // Queue answers in the order the flow will ask.
  ScriptedPrompter& Answer(platform::Answer answer);
  ScriptedPrompter& Reply(std::optional<std::string> text);  // for Input and the choosers
  // Plain OK boxes are answered without a script entry when this is on.
  ScriptedPrompter& AcceptOkBoxes(bool on = true) {
    acceptOkBoxes_ = on;
    return *this;
  }

  platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                           const std::string& title, int defaultButton) override;
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultValue) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& startFolder,
                                            const std::string& filter) override;
  std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& startFile,
                                            const std::string& filter) override;
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;
  // Recorded as a message box with the whole (UTF-8) refusal text.
  void RefuseCharacters(std::u32string_view characters) override { Refuse(platform::CodePageRefusal(characters)); }

  const std::vector<Call>& Calls() const { return calls_; }
  // Texts of all calls, for compact expectations.
  std::vector<std::string> Texts() const;
  bool Exhausted() const { return answers_.empty() && replies_.empty(); }

 private:
  std::optional<std::string> NextReply(const Call& call);

  std::deque<platform::Answer> answers_;
  std::deque<std::optional<std::string>> replies_;
  std::vector<Call> calls_;
  bool acceptOkBoxes_ = false;
};

}  // namespace zelmora::testing
