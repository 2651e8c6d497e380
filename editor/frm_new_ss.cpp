#include "editor/frm_new_ss.h"

#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace zelmora::editor {

using qt::PlaceTwips;

frmNewSS::frmNewSS(platform::Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmNewSS", 4395, 2355);
  setWindowTitle(QStringLiteral("Add System"));

  chkCustom = new QCheckBox(QStringLiteral("Custom"), this);
  chkCustom->setObjectName(QStringLiteral("chkCustom"));
  PlaceTwips(chkCustom, 120, 120, 1215, 255);
  lblName[0] = new QLabel(QStringLiteral("System Name:"), this);
  PlaceTwips(lblName[0], 360, 480, 2655, 195);
  txtName = new QLineEdit(this);
  txtName->setObjectName(QStringLiteral("txtName"));
  PlaceTwips(txtName, 360, 705, 3915, 315);
  lblName[1] = new QLabel(QStringLiteral("Select a system to replace:"), this);
  PlaceTwips(lblName[1], 360, 1140, 3915, 195);
  for (int i = 0; i < 2; ++i) lblName[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("lblName_%1").arg(i));
  cboSystems = new QComboBox(this);
  cboSystems->setObjectName(QStringLiteral("cboSystems"));
  qt::LimitDropDown(cboSystems);
  PlaceTwips(cboSystems, 360, 1365, 3915, 315);

  cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 1995, 1860, 1095, 375);
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  PlaceTwips(cmdCancel, 3180, 1860, 1095, 375);

  connect(chkCustom, &QCheckBox::clicked, this, &frmNewSS::CustomClicked);
  connect(cmdOK, &QPushButton::clicked, this, &frmNewSS::OkClicked);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmNewSS::Load(const std::vector<std::string>& catalogueKeys) {
  cboSystems->clear();
  for (const auto& key : catalogueKeys) cboSystems->addItem(qt::FromCp1252(key));
  cboSystems->setCurrentIndex(0);
  txtName->clear();
  bool listed = cboSystems->currentIndex() == 0;
  if (!listed) chkCustom->setChecked(true);
  chkCustom->setEnabled(listed);
  CustomClicked();
}

void frmNewSS::CustomClicked() {
  bool custom = chkCustom->isChecked();
  cboSystems->setEnabled(!custom);
  txtName->setEnabled(custom);
  // The label of the input in use reads normally, the other one greyed out.
  const QPalette& normal = palette();
  for (int i = 0; i < 2; ++i) {
    bool active = (i == 0) == custom;
    QPalette p = normal;
    p.setColor(QPalette::WindowText, normal.color(active ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    lblName[static_cast<std::size_t>(i)]->setPalette(p);
  }
  if (custom) txtName->setFocus();
  else cboSystems->setFocus();
}

std::optional<NewSystemChoice> frmNewSS::Choice() const {
  NewSystemChoice choice;
  choice.custom = chkCustom->isChecked();
  auto checked = qt::ToCp1252Checked(choice.custom ? txtName->text() : cboSystems->currentText());
  if (!checked.ok() || checked.bytes.empty()) return std::nullopt;
  choice.name = std::move(checked.bytes);
  return choice;
}

void frmNewSS::OkClicked() {
  if (chkCustom->isChecked()) {
    if (!qt::TypedCp1252(txtName->text(), prompter_)) {
      txtName->setFocus();
      return;
    }
  }
  accept();
}

std::optional<NewSystemChoice> frmNewSS::Run(const std::vector<std::string>& catalogueKeys) {
  Load(catalogueKeys);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Choice();
}

}  // namespace zelmora::editor
