#include "editor/frm_planet.h"

#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/spin_button.h"
#include "ui/qt/twip_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace zelmora::editor {

using qt::Make;
using qt::PlaceTwips;

namespace {

// Frames of the four option groups: 1815 x 1335 twips, options 255 twips apart.
constexpr int kFrameWidth = 1815;
constexpr int kFrameHeight = 1335;
constexpr int kRightColumn = 3960;

}  // namespace

frmPlanet::frmPlanet(store::Tables& tables, QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmPlanet", 5850, 3825);
  setWindowTitle(QStringLiteral("Planet Properties"));

  fraInh = BuildGroup(OptionGroup::Life, "fraInh", "Life", "gpInh", store::kLifeNames, gpInh, 120, 60);
  fraAtt = BuildGroup(OptionGroup::Attitude, "fraAtt", "Attitude", "gpAtt", store::kAttitudeNames, gpAtt, 2040, 60);
  fraAdv = BuildGroup(OptionGroup::Advancement, "fraAdv", "Advanced", "gpAdv", store::kAdvancementNames, gpAdv, 120,
                      1500);
  fraEnr = BuildGroup(OptionGroup::Energy, "fraEnr", "Energy", "gpEnr", store::kEnergyNames, gpEnr, 2040, 1500);

  lblAlien = Make<QLabel>(this, "lblAlien", "Alien Name");
  PlaceTwips(lblAlien, kRightColumn, 120, 1770, 195);
  cboAlienName = Make<QComboBox>(this, "cboAlienName");
  PlaceTwips(cboAlienName, kRightColumn, 345, 1770, 315);
  tables.FillAlienPlaceholders();
  for (const auto& name : tables.AlienNames) cboAlienName->addItem(qt::FromCp1252(name));
  // A list of 256 names: a screenful with a scroll bar. Styles that drop a list down as a menu
  // ignore the visible-item limit and grow it to the screen's height; this property turns that off.
  cboAlienName->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  qt::LimitDropDown(cboAlienName);

  lblSizeText = Make<QLabel>(this, "lblSizeText", "Size:");
  PlaceTwips(lblSizeText, kRightColumn, 840, 690, 195);
  lblSize = Make<QLabel>(this, "lblSize", "1");
  PlaceTwips(lblSize, 4695, 840, 420, 195);
  spnSize = Make<qt::SpinButton>(this, "spnSize");
  PlaceTwips(spnSize, 5160, 765, 255, 360);
  lblMoonsText = Make<QLabel>(this, "lblMoonsText", "Moons:");
  PlaceTwips(lblMoonsText, kRightColumn, 1290, 690, 195);
  lblMoons = Make<QLabel>(this, "lblMoons", "0");
  PlaceTwips(lblMoons, 4695, 1290, 420, 195);
  spnMoons = Make<qt::SpinButton>(this, "spnMoons");
  PlaceTwips(spnMoons, 5160, 1215, 255, 360);

  chkPicture = Make<QCheckBox>(this, "chkPicture", "Use Custom Picture");
  PlaceTwips(chkPicture, 120, 2955, 2295, 255);
  cmdPic = Make<QPushButton>(this, "cmdPic", "Edit");
  PlaceTwips(cmdPic, 2460, 2925, 735, 315);
  chkMessage = Make<QCheckBox>(this, "chkMessage", "Use Custom Messages");
  PlaceTwips(chkMessage, 120, 3345, 2295, 255);
  cmdMsg = Make<QPushButton>(this, "cmdMsg", "Edit");
  PlaceTwips(cmdMsg, 2460, 3315, 735, 315);
  cmdPic->setEnabled(false);
  cmdMsg->setEnabled(false);

  cmdOK = Make<QPushButton>(this, "cmdOK", "&OK");
  PlaceTwips(cmdOK, 4440, 2880, 1290, 375);
  cmdOK->setDefault(true);
  cmdCancel = Make<QPushButton>(this, "cmdCancel", "&Cancel");
  PlaceTwips(cmdCancel, 4440, 3330, 1290, 375);

  connect(spnSize, &qt::SpinButton::UpClicked, this, [this] { ShowSize(StepSize(size_, 1)); });
  connect(spnSize, &qt::SpinButton::DownClicked, this, [this] { ShowSize(StepSize(size_, -1)); });
  connect(spnMoons, &qt::SpinButton::UpClicked, this, [this] { ShowMoons(StepMoons(moons_, 1)); });
  connect(spnMoons, &qt::SpinButton::DownClicked, this, [this] { ShowMoons(StepMoons(moons_, -1)); });
  connect(cmdPic, &QPushButton::clicked, this, [this] { EditSwitch(chkPicture, pictureEditor_); });
  connect(cmdMsg, &QPushButton::clicked, this, [this] { EditSwitch(chkMessage, messageEditor_); });
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QGroupBox* frmPlanet::BuildGroup(OptionGroup group, const char* frameName, const char* caption,
                                 const char* optionName, const std::array<const char*, 4>& captions,
                                 std::array<QRadioButton*, 4>& options, int left, int top) {
  auto* frame = Make<QGroupBox>(this, frameName);
  frame->setTitle(QLatin1String(caption));
  PlaceTwips(frame, left, top, kFrameWidth, kFrameHeight);
  auto* buttons = new QButtonGroup(frame);
  for (int i = 0; i < 4; ++i) {
    QString name = QString(QLatin1String(optionName)) + QLatin1Char('_') + QString::number(i);
    auto* option = new QRadioButton(QLatin1String(captions[static_cast<std::size_t>(i)]), frame);
    option->setObjectName(name);
    PlaceTwips(option, 120, 255 + i * 255, 1575, 255);
    buttons->addButton(option, i);
    options[static_cast<std::size_t>(i)] = option;
  }
  groups_[static_cast<std::size_t>(group)] = buttons;
  connect(buttons, &QButtonGroup::idClicked, this, [this, group](int id) { OptionClicked(group, id); });
  return frame;
}

void frmPlanet::OptionClicked(OptionGroup group, int index) { SelectCodes(ClickOption(codes_, group, index)); }

void frmPlanet::SelectCodes(const store::PlanetAttributes& codes) {
  codes_ = codes;
  const std::array<int, 4> selected = {codes.Life, codes.Attitude, codes.Advancement, codes.Energy};
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    if (QAbstractButton* b = groups_[g]->button(selected[g])) b->setChecked(true);
  }
  cboAlienName->setEnabled(AlienListEnabled(codes_));
}

void frmPlanet::ShowSize(int size) {
  size_ = size;
  lblSize->setText(QString::number(size));
}

void frmPlanet::ShowMoons(int moons) {
  moons_ = moons;
  lblMoons->setText(QString::number(moons));
}

void frmPlanet::SetSwitch(QCheckBox* box, SwitchState state) {
  box->setEnabled(state.enabled);
  box->setChecked(state.enabled && state.ticked);
}

void frmPlanet::EditSwitch(QCheckBox* box, const SwitchEditor& editor) {
  if (editor) SetSwitch(box, editor(planet_, box->isChecked()));
}

void frmPlanet::SetPictureEditor(SwitchEditor editor) {
  pictureEditor_ = std::move(editor);
  cmdPic->setEnabled(static_cast<bool>(pictureEditor_));
}

void frmPlanet::SetMessageEditor(SwitchEditor editor) {
  messageEditor_ = std::move(editor);
  cmdMsg->setEnabled(static_cast<bool>(messageEditor_));
}

void frmPlanet::Load(int h, const std::string& planetName, const PlanetProperties& shown) {
  planet_ = h;
  setWindowTitle(qt::FromCp1252(PlanetPropertiesCaption(planetName)));
  SelectCodes(ApplyOptionRules(shown.Attributes));
  cboAlienName->setCurrentIndex(std::clamp(shown.Attributes.AlienIndex, 0, cboAlienName->count() - 1));
  ShowSize(shown.Size);
  ShowMoons(shown.Moons);
  spnSize->setEnabled(SizeControlsEnabled(shown.Size));
  spnMoons->setEnabled(SizeControlsEnabled(shown.Size));
  SetSwitch(chkPicture, {shown.CustomPicture, shown.CustomPictureEnabled});
  SetSwitch(chkMessage, {shown.CustomMessages, shown.CustomMessagesEnabled});
  cmdOK->setFocus();
}

PlanetProperties frmPlanet::Shown() const {
  PlanetProperties p;
  p.Attributes = codes_;
  p.Attributes.AlienIndex = std::max(0, cboAlienName->currentIndex());
  p.Size = size_;
  p.Moons = moons_;
  p.CustomPicture = chkPicture->isChecked();
  p.CustomPictureEnabled = chkPicture->isEnabledTo(this);
  p.CustomMessages = chkMessage->isChecked();
  p.CustomMessagesEnabled = chkMessage->isEnabledTo(this);
  return p;
}

std::optional<PlanetProperties> frmPlanet::Run(int h, const std::string& planetName, const PlanetProperties& shown) {
  Load(h, planetName, shown);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Shown();
}

}  // namespace zelmora::editor
