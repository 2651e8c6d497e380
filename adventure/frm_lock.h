#pragma once

#include "adventure/lock_form.h"
#include "adventure/room_editor.h"
#include "ui/platform/prompter.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmora::adventure {

// "Lock Action": one action of the open room and the message shown while it is locked. Created
// once; refilled with Clear and AddItem before each use.
class frmLock : public QDialog {
  Q_OBJECT

 public:
  explicit frmLock(platform::Prompter& prompter, QWidget* parent = nullptr);

  void Clear();
  void AddItem(const std::string& text, int id);
  // The selected action's response number; -1 when none is selected (also after Cancel).
  int SelectedID() const { return form_.SelectedID(); }
  std::string Description() const { return form_.Description(); }

  // The room editor's Lock: fills the list, runs the dialog modally and answers the choice, or
  // nothing when none was made.
  std::optional<LockRequest> Run(const std::vector<LockChoice>& choices);

  // Controls, named as their objectName.
  QLabel* lblAction;
  QComboBox* cboAction;
  QLabel* lblDesc;
  QLineEdit* txtDesc;
  QLabel* lblNote;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 public:
  void reject() override;

 private:
  void Ok();
  void DescriptionEdited(const QString& text);

  platform::Prompter& prompter_;
  LockForm form_;
  int updating_ = 0;
};

}  // namespace zelmora::adventure
