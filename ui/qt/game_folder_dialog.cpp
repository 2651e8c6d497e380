#include "ui/qt/game_folder_dialog.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/game_folder.h"
#include "ui/qt/controls.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmora::qt {

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

frmGameFolder::frmGameFolder(const platform::GameFolderFinder& finder, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), finder_(finder), prompter_(prompter) {
  setObjectName(QStringLiteral("frmGameFolder"));
  setWindowTitle(QStringLiteral("Zelmora - Game Folder"));
  lblPrompt = Make<QLabel>(this, "lblPrompt", "Choose the folder where Quarvel is installed:");
  lstFolders = Make<QListWidget>(this, "lstFolders");
  lblStatus = Make<QLabel>(this, "lblStatus", "Searching for Quarvel...");
  txtFolder = Make<QLineEdit>(this, "txtFolder");
  cmdBrowse = Make<QPushButton>(this, "cmdBrowse", "&Browse...");
  cmdOK = Make<QPushButton>(this, "cmdOK", "OK");
  cmdCancel = Make<QPushButton>(this, "cmdCancel", "Cancel");
  cmdOK->setDefault(true);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(txtFolder, 1);
  folderRow->addWidget(cmdBrowse);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrompt);
  layout->addWidget(lstFolders, 1);
  layout->addWidget(lblStatus);
  layout->addLayout(folderRow);
  layout->addLayout(buttons);
  resize(520, 320);

  connect(lstFolders, &QListWidget::currentTextChanged, txtFolder, &QLineEdit::setText);
  connect(lstFolders, &QListWidget::itemDoubleClicked, this, &frmGameFolder::TryAccept);
  connect(cmdBrowse, &QPushButton::clicked, this, &frmGameFolder::Browse);
  connect(cmdOK, &QPushButton::clicked, this, &frmGameFolder::TryAccept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmGameFolder::~frmGameFolder() { StopSearch(); }

void frmGameFolder::StopSearch() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void frmGameFolder::StartSearch() {
  if (started_) return;
  started_ = true;
  searching_ = true;
  // A whole machine can take a while: the window stays usable and fills its list as folders turn up.
  worker_ = std::thread([this] {
    finder_.Find(
        [this](const std::string& folder) {
          QString shown = Utf8(platform::WithoutTrailingSeparator(folder));
          QMetaObject::invokeMethod(this, [this, shown] { Found(shown); }, Qt::QueuedConnection);
          return !stop_;
        },
        [this] { return !stop_; });
    QMetaObject::invokeMethod(this, [this] { Ended(); }, Qt::QueuedConnection);
  });
}

void frmGameFolder::Found(const QString& folder) {
  if (!lstFolders->findItems(folder, Qt::MatchExactly).isEmpty()) return;
  lstFolders->addItem(folder);
  // The first folder found is the likely answer when the box is still empty.
  if (txtFolder->text().isEmpty()) lstFolders->setCurrentRow(0);
}

void frmGameFolder::Ended() {
  searching_ = false;
  const int n = lstFolders->count();
  lblStatus->setText(n == 0   ? QStringLiteral("Quarvel not found.  Browse for its folder.")
                     : n == 1 ? QStringLiteral("Quarvel found in one folder.")
                              : QStringLiteral("Quarvel found in %1 folders.").arg(n));
  emit SearchEnded();
}

void frmGameFolder::Browse() {
  auto start = txtFolder->text().toStdString();
  auto chosen = prompter_.ChooseFolder("Select the folder where Quarvel is installed:", start);
  if (!chosen || chosen->empty()) return;
  txtFolder->setText(Utf8(*chosen));
  TryAccept();
}

void frmGameFolder::TryAccept() {
  std::string folder = platform::WithoutTrailingSeparator(txtFolder->text().trimmed().toStdString());
  if (auto problem = platform::GameFolderProblem(folder)) {
    prompter_.Message(*problem, platform::Buttons::Ok, platform::Icon::Exclamation);
    return;
  }
  chosen_ = folder;
  accept();
}

std::optional<std::string> frmGameFolder::Run(const std::string& current) {
  chosen_.reset();
  txtFolder->setText(Utf8(current));
  StartSearch();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return chosen_;
}

}  // namespace zelmora::qt
