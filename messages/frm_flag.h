#pragma once

#include "messages/flag_chooser.h"
#include "ui/platform/prompter.h"

#include <QDialog>

class QComboBox;
class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace zelmora::messages {

// Choose a Flag: the window over a FlagChooser, created once and only ever hidden. "&OK" hides it
// with the chooser's chosen index set; the close box hides it leaving the index as the caller set
// it, so GetFlagChar answers the flag it was called with.
class frmFlag : public QDialog {
  Q_OBJECT

 public:
  frmFlag(FlagChooser& chooser, platform::Prompter& prompter, QWidget* parent = nullptr);

  // The chooser's LoadFlags, shown in the window.
  void LoadFlags();
  // Shows the chooser's lines as they are loaded and runs modally; GetFlagChar passes
  // [&](FlagChooser&) { dialog.Run(); }.
  void Run();
  // Refills the window from the chooser without showing it.
  void Refresh();

  QLabel* lblAvail;
  QComboBox* cboFlag;
  QLabel* Label1;
  QLineEdit* txtDesc;
  QPushButton* cmdOK;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LineChosen(int index);
  void Ok();

  FlagChooser& chooser_;
  platform::Prompter& prompter_;
  bool filling_ = false;
};

}  // namespace zelmora::messages
