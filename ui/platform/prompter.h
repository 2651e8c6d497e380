#pragma once

#include "ui/platform/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelmora::platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { Ok, Cancel, Yes, No };

// Every question a flow asks goes through this port, so tests can answer it.
// Texts are Windows-1252 bytes.
class Prompter {
 public:
  virtual ~Prompter() = default;

  // defaultButton is 1-based (1 = first button of the set).
  virtual Answer Message(const std::string& text, Buttons buttons, Icon icon,
                         const std::string& title = "Zelmora", int defaultButton = 1) = 0;

  // An empty or cancelled answer is no answer.
  virtual std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                           const std::string& defaultValue) = 0;

  // File chooser for opening; filter like "Pictures (*.bmp *.gif)". No answer when cancelled.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& title,
                                                    const std::string& startFolder,
                                                    const std::string& filter) = 0;

  // File chooser for saving, opened on `startFile`; filter like "PNG image (*.png);;SVG drawing (*.svg)".
  // No answer when cancelled, and none from a prompter that cannot show one.
  virtual std::optional<std::string> ChooseSaveFile(const std::string& /*title*/, const std::string& /*startFile*/,
                                                    const std::string& /*filter*/) {
    return std::nullopt;
  }

  // Folder chooser. No answer when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& startFolder) = 0;

  // Convenience for the common one-button information box.
  void Inform(const std::string& text, Icon icon = Icon::None, const std::string& title = "Zelmora") {
    Message(text, Buttons::Ok, icon, title);
  }

  // Refuses what the user has just typed, saying why. The box may come up while the user is still
  // typing, so a window's prompter keeps those keys from answering it.
  virtual void Refuse(const std::string& text) { Message(text, Buttons::Ok, Icon::Exclamation); }

  // Refuses typed text holding characters the code page cannot store. The message names each one as
  // written and by its code point, so it is UTF-8; a prompter that shows only code-page text gets it
  // with "?" for those characters.
  virtual void RefuseCharacters(std::u32string_view characters) {
    Refuse(Utf8ToCp1252(CodePageRefusal(characters)));
  }
};

// For flows run without anyone to ask: OK to a plain box, No to every question, nothing to an input
// box or a chooser.
class DecliningPrompter : public Prompter {
 public:
  Answer Message(const std::string&, Buttons buttons, Icon, const std::string&, int) override {
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

}  // namespace zelmora::platform
