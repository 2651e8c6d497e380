#include "adventure/frm_advanced_room.h"

#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zelmora::adventure {

using qt::Make;
using qt::PlaceTwips;

using qt::IndexedName;

namespace {


constexpr std::array<const char*, 3> kRowCaptions = {"Beam Up:", "Search:", "Tricorder:"};
constexpr std::array<const char*, 3> kOptionCaptions = {"Set", "Clear", "None"};
constexpr std::array<NeedOption, 3> kOptions = {NeedOption::Set, NeedOption::Clear, NeedOption::None};
constexpr int kRowHeight = 420;

}  // namespace

frmAdvancedRoom::frmAdvancedRoom(messages::PlanetScript& script, FlagChooser chooseFlag, QWidget* parent)
    : QDialog(parent), script_(script), chooseFlag_(std::move(chooseFlag)) {
  qt::SetUpFixedDialog(this, "frmAdvancedRoom", 5580, 2340);
  setWindowTitle(QStringLiteral("Advanced Options"));

  fraReqFlags = Make<QGroupBox>(this, "fraReqFlags");
  fraReqFlags->setTitle(QStringLiteral("Required Flags"));
  PlaceTwips(fraReqFlags, 120, 60, 5340, 300 + 3 * kRowHeight);
  for (int k = 0; k < 3; ++k) {
    const auto row = static_cast<std::size_t>(k);
    const int top = 300 + kRowHeight * k;
    lblMessageType[row] = Make<QLabel>(fraReqFlags, IndexedName("lblMessageType", k).c_str(), kRowCaptions[row]);
    PlaceTwips(lblMessageType[row], 120, top + 60, 900, 195);
    pnlNeed[row] = Make<QWidget>(fraReqFlags, IndexedName("pnlNeed", k).c_str());
    PlaceTwips(pnlNeed[row], 1020, top, 2340, 315);
    groups_[row] = new QButtonGroup(this);
    for (int o = 0; o < 3; ++o) {
      const auto index = static_cast<std::size_t>(3 * k + o);
      optNeed[index] = Make<QRadioButton>(pnlNeed[row], IndexedName("optNeed", 3 * k + o).c_str(),
                                          kOptionCaptions[static_cast<std::size_t>(o)]);
      PlaceTwips(optNeed[index], 780 * o, 30, 780, 255);
      groups_[row]->addButton(optNeed[index], o);
    }
    cmdChoose[row] = Make<QPushButton>(fraReqFlags, IndexedName("cmdChoose", k).c_str(), "Choose");
    PlaceTwips(cmdChoose[row], 3420, top, 900, 315);
    lblFlag[row] = Make<QLabel>(fraReqFlags, IndexedName("lblFlag", k).c_str());
    PlaceTwips(lblFlag[row], 4440, top + 60, 780, 195);

    connect(groups_[row], &QButtonGroup::idClicked, this,
            [this, k](int o) { OptionClicked(k, kOptions[static_cast<std::size_t>(o)]); });
    connect(cmdChoose[row], &QPushButton::clicked, this, [this, k] { ChooseClicked(k); });
  }
  cmdOK = Make<QPushButton>(this, "cmdOK", "&OK");
  PlaceTwips(cmdOK, 5580 - 120 - 1080, 360 + 3 * kRowHeight + 120, 1080, 375);
  connect(cmdOK, &QPushButton::clicked, this, &frmAdvancedRoom::Ok);
}

void frmAdvancedRoom::Load() {
  flags_.Load(script_, chooseFlag_);
  for (int k = 0; k < 3; ++k) ShowRow(k);
}

void frmAdvancedRoom::Run() { exec(); }

void frmAdvancedRoom::OptionClicked(int row, NeedOption option) {
  flags_.rows[static_cast<std::size_t>(row)].Select(option, chooseFlag_);
  // A declined flag choice leaves the row as it was, whatever the click did to the buttons.
  ShowRow(row);
}

void frmAdvancedRoom::ChooseClicked(int row) {
  flags_.rows[static_cast<std::size_t>(row)].Choose(chooseFlag_);
  ShowRow(row);
}

void frmAdvancedRoom::Ok() {
  flags_.Save(script_);
  accept();
}

void frmAdvancedRoom::ShowRow(int row) {
  const RequiredFlagRow& flags = flags_.rows[static_cast<std::size_t>(row)];
  QButtonGroup* group = groups_[static_cast<std::size_t>(row)];
  // A stored value of another form shows no option at all.
  group->setExclusive(false);
  for (int o = 0; o < 3; ++o) group->button(o)->setChecked(kOptions[static_cast<std::size_t>(o)] == flags.Option());
  group->setExclusive(true);
  lblFlag[static_cast<std::size_t>(row)]->setText(qt::FromCp1252(flags.Label()));
}

}  // namespace zelmora::adventure
