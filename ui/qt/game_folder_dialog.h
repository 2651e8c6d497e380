#pragma once

#include "ui/platform/game_search.h"
#include "ui/platform/prompter.h"

#include <QDialog>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelmora::qt {

// Asks which game folder a program works on: offers the folders the search finds while it runs,
// lets the user browse or type one, and accepts only a folder that holds the game.
class frmGameFolder : public QDialog {
  Q_OBJECT

 public:
  frmGameFolder(const platform::GameFolderFinder& finder, platform::Prompter& prompter, QWidget* parent = nullptr);
  ~frmGameFolder() override;

  // Shows the window modally with `current` (UTF-8, may be empty) in the box; the folder chosen.
  std::optional<std::string> Run(const std::string& current);
  // Starts the search once; Run does so too.
  void StartSearch();
  bool Searching() const { return searching_; }

  QLabel* lblPrompt = nullptr;
  QListWidget* lstFolders = nullptr;
  QLabel* lblStatus = nullptr;
  QLineEdit* txtFolder = nullptr;
  QPushButton* cmdBrowse = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 signals:
  void SearchEnded();

 private:
  void Found(const QString& folder);
  void Ended();
  void Browse();
  void TryAccept();
  void StopSearch();

  const platform::GameFolderFinder& finder_;
  platform::Prompter& prompter_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
  bool started_ = false;
  bool searching_ = false;
  std::optional<std::string> chosen_;
};

}  // namespace zelmora::qt
