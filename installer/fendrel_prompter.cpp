#include "installer/fendrel_prompter.h"

#include "installer/folder_chooser_dialog.h"
#include "ui/qt/code_page.h"

#include <QFile>

namespace zelmora::installer {

void FendrelPrompter::Attach(QWidget* window, QPushButton* statusButton) {
  window_ = window;
  statusButton_ = statusButton;
  SetParent(window);
}

std::optional<std::string> FendrelPrompter::ChooseFolder(const std::string& title, const std::string& startFolder) {
  FolderChooserDialog dialog(window_, qt::FromCp1252(title), statusButton_);
  if (!startFolder.empty()) dialog.Select(QFile::decodeName(startFolder.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.SelectedFolder().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.SelectedFolder()).toStdString();
}

}  // namespace zelmora::installer
