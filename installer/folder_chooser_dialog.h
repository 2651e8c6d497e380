#pragma once

#include <QDialog>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace zelmora::installer {

// The folder chooser of the installer. Its status line tells for the selected folder whether the
// game is in it: the folder goes into the status button's "tag" property, the button is pressed,
// and the button's tooltip is the verdict shown. Selecting anything but a folder disables OK.
class FolderChooserDialog : public QDialog {
  Q_OBJECT
 public:
  FolderChooserDialog(QWidget* parent, const QString& prompt, QPushButton* statusButton);

  // Selects a folder or file as the user would, and shows it.
  void Select(const QString& path);
  // The folder selected; empty when the selection is not a folder.
  QString SelectedFolder() const { return selected_; }

  QLabel* lblPrompt;
  QTreeView* tvwFolders;
  QLabel* lblBrowseStatus;
  QDialogButtonBox* buttons;
  QPushButton* cmdOK;
  QPushButton* cmdCancelBrowse;

 private:
  void SelectionChanged();

  QFileSystemModel* model_;
  QPushButton* statusButton_;
  QString selected_;
};

}  // namespace zelmora::installer
