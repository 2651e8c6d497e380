#include "installer/folder_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelmora::installer {

FolderChooserDialog::FolderChooserDialog(QWidget* parent, const QString& prompt, QPushButton* statusButton)
    : QDialog(parent), statusButton_(statusButton) {
  setObjectName(QStringLiteral("dlgChooseFolder"));
  setWindowTitle(prompt);
  resize(420, 380);

  lblPrompt = new QLabel(prompt, this);
  lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
  lblPrompt->setWordWrap(true);

  model_ = new QFileSystemModel(this);
  // Files are listed too, so the user sees the game program inside a folder; choosing one of
  // them is not possible.
  model_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
  model_->setRootPath(QDir::rootPath());

  tvwFolders = new QTreeView(this);
  tvwFolders->setObjectName(QStringLiteral("tvwFolders"));
  tvwFolders->setModel(model_);
  tvwFolders->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) tvwFolders->hideColumn(column);
  tvwFolders->setRootIndex(model_->index(QDir::rootPath()));

  lblBrowseStatus = new QLabel(this);
  lblBrowseStatus->setObjectName(QStringLiteral("lblBrowseStatus"));
  if (statusButton_) lblBrowseStatus->setText(statusButton_->toolTip());

  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  cmdOK = buttons->button(QDialogButtonBox::Ok);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdCancelBrowse = buttons->button(QDialogButtonBox::Cancel);
  cmdCancelBrowse->setObjectName(QStringLiteral("cmdCancelBrowse"));
  cmdOK->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrompt);
  layout->addWidget(tvwFolders, 1);
  layout->addWidget(lblBrowseStatus);
  layout->addWidget(buttons);

  connect(tvwFolders->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &FolderChooserDialog::SelectionChanged);
}

void FolderChooserDialog::Select(const QString& path) {
  QModelIndex index = model_->index(path);
  if (!index.isValid()) return;
  tvwFolders->setCurrentIndex(index);
  tvwFolders->scrollTo(index);
}

void FolderChooserDialog::SelectionChanged() {
  QModelIndex index = tvwFolders->currentIndex();
  selected_ = index.isValid() && model_->isDir(index) ? model_->filePath(index) : QString();
  if (statusButton_) {
    statusButton_->setProperty("tag", selected_);
    statusButton_->click();
    lblBrowseStatus->setText(statusButton_->toolTip());
  }
  cmdOK->setEnabled(!selected_.isEmpty());
}

}  // namespace zelmora::installer
