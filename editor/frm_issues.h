#pragma once

#include "check/issues_list.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace zelmora::editor {
class ScriptWorker;
}  // namespace zelmora::editor

namespace zelmora::check {

// "Script Issues": the checker's findings for the planet the message editor has open. It stays
// open beside the editor and is checked again after every edit; a double click goes to the item.
class frmIssues : public QDialog {
  Q_OBJECT

 public:
  frmIssues(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
            QWidget* parent = nullptr);
  ~frmIssues() override;

  // Shows the list for the script's planet under its name, checked now.
  void ShowFor(const std::string& planetName);
  // Checks again, away from the window's thread so that it never freezes ("checking..." meanwhile);
  // nothing while the window is hidden.
  void Refresh();
  bool Checking() const;
  // Waits for a check under way and shows what it found.
  void WaitForCheck();
  // Where a double click on a finding goes.
  void SetOpen(std::function<void(const Finding&)> open) { open_ = std::move(open); }

  // Notes listed when their box is ticked; a box shows only once its source is set.
  using Notes = std::function<std::vector<Finding>(const messages::PlanetScript& script)>;
  // The spelling of the script's prose, asked on the window's thread (a speller is not shared).
  void SetSpelling(Notes spelling);
  // The items the recorded tests never played, asked away from it alongside the check.
  void SetUntested(Notes untested);
  // Told when a box is ticked or cleared by the author, to keep the choice.
  void OnSwitched(std::function<void()> switched) { switched_ = std::move(switched); }
  const IssuesList& List() const { return list_; }

  QLabel* lblSummary;
  QTreeWidget* lvwIssues;
  QCheckBox* chkSpelling;
  QCheckBox* chkUntested;
  QPushButton* cmdRefresh;
  QPushButton* cmdClose;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();

  const messages::PlanetScript& script_;
  const messages::SpecialActionList& catalogue_;
  CheckOptions options_;
  IssuesList list_;
  std::function<void(const Finding&)> open_;
  Notes spelling_;
  Notes untested_;
  std::function<void()> switched_;
  editor::ScriptWorker* worker_;
};

}  // namespace zelmora::check
