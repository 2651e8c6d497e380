#pragma once

#include "ui/qt/qt_prompter.h"

class QPushButton;

namespace zelmora::installer {

// The Qt prompter, with the installer's own folder chooser and its status line.
class FendrelPrompter : public qt::QtPrompter {
 public:
  void Attach(QWidget* window, QPushButton* statusButton);

  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;

 private:
  QWidget* window_ = nullptr;
  QPushButton* statusButton_ = nullptr;
};

}  // namespace zelmora::installer
