#pragma once

#include "ui/platform/prompter.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmora::editor {

// What the add-system dialog chose: a custom system of a typed name, or a catalogue system to
// replace (by its catalogue key).
struct NewSystemChoice {
  std::string name;
  bool custom = false;
};

// Add System. The caller runs the new-system flow with the choice (flows::NewSystem).
class frmNewSS : public QDialog {
  Q_OBJECT

 public:
  // Refusals of a typed name are shown through the prompter.
  explicit frmNewSS(platform::Prompter& prompter, QWidget* parent = nullptr);

  // Lists the catalogue systems that can be replaced (ListCatalogueSystems), then runs modally.
  // Nothing after Cancel or with an empty custom name.
  std::optional<NewSystemChoice> Run(const std::vector<std::string>& catalogueKeys);

  // Refills the list without showing the dialog; without entries only a custom system can be made.
  void Load(const std::vector<std::string>& catalogueKeys);
  // The choice the controls hold now (as OK would take it); nothing for a typed name that the
  // code page cannot hold.
  std::optional<NewSystemChoice> Choice() const;

  QCheckBox* chkCustom;
  std::array<QLabel*, 2> lblName{};  // beside txtName, beside cboSystems
  QLineEdit* txtName;
  QComboBox* cboSystems;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  void CustomClicked();
  // OK: a typed name the code page cannot hold is refused and the dialog stays open.
  void OkClicked();

  platform::Prompter& prompter_;
};

}  // namespace zelmora::editor
