#pragma once

#include "ui/platform/prompter.h"

class QString;
class QWidget;

namespace zelmora::qt {

// Message boxes, input boxes and choosers as Qt dialogs, parented to a window.
class QtPrompter : public platform::Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                           const std::string& title, int defaultButton) override;
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultValue) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& startFolder,
                                            const std::string& filter) override;
  std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& startFile,
                                            const std::string& filter) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& startFolder) override;
  void Refuse(const std::string& text) override;
  void RefuseCharacters(std::u32string_view characters) override;

 private:
  platform::Answer Show(const QString& text, platform::Buttons buttons, platform::Icon icon, const QString& title,
                        int defaultButton, bool refusal);

  QWidget* parent_;
};

}  // namespace zelmora::qt
