#pragma once

#include "ui/platform/prompter.h"
#include "writing/find_replace.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace zelmora::writing {

// "Find and Replace": the hits of a text in the prose of a planet, the open system or the game
// folder, each with what it would become; Replace and Replace All write only text, each one step of
// the history. It stays open beside the window that opened it; a double click opens the item.
class frmFindReplace : public QDialog, private FindReplaceView {
  Q_OBJECT

 public:
  frmFindReplace(FindReplaceContext context, platform::Prompter& prompter, QWidget* parent = nullptr);
  ~frmFindReplace() override;

  // Shows the window for the planet in view (0: none), the find box taking the focus; with
  // `replacing` the replacement box takes it.
  void ShowFor(int planet, bool replacing = false);
  FindReplace& Model() { return *model_; }

  QLabel* lblFind;
  QLineEdit* txtFind;
  QLabel* lblReplace;
  QLineEdit* txtReplace;
  QCheckBox* chkCase;
  QCheckBox* chkWord;
  QCheckBox* chkRegex;
  QGroupBox* fraScope;
  std::array<QRadioButton*, 3> optScope{};
  QTreeWidget* lvwHits;
  QLabel* lblBefore;
  QLineEdit* txtBefore;
  QLabel* lblAfter;
  QLineEdit* txtAfter;
  QLabel* lblProblem;
  QLabel* lblStatus;
  QPushButton* cmdFind;
  QPushButton* cmdReplace;
  QPushButton* cmdReplaceAll;
  QPushButton* cmdClose;

 private:
  // The typed text in the code page; nothing (after naming the characters) when it cannot hold it.
  std::optional<std::string> Typed(QLineEdit* box);
  void Search();
  void TakeOptions();

  // FindReplaceView
  void ShowHits(const std::vector<HitLine>& lines) override;
  void ShowSelection(std::optional<int> row) override;
  void ShowPreview(const std::string& before, const std::string& after, const std::string& problem) override;
  void ShowStatus(const std::string& status) override;
  void ShowScopes(bool planet, bool system, SearchScope scope) override;
  void ShowCommands(bool replace, bool replaceAll) override;

  platform::Prompter& prompter_;
  std::unique_ptr<FindReplace> model_;
  int updating_ = 0;
};

}  // namespace zelmora::writing
