#include "simulator/frm_system.h"

#include "ui/qt/code_page.h"
#include "ui/qt/twip_layout.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace zelmora::simulator {

using qt::PlaceTwips;

namespace {
constexpr int kOptionTop = 300;
constexpr int kOptionPitch = 285;
// Wide enough for the title beside a window frame's icon and buttons.
constexpr int kWidth = 4200;
constexpr int kButtonWidth = 975;
}  // namespace

frmSystem::frmSystem(QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmSystem", kWidth, 3765);
  setWindowTitle(QStringLiteral("Choose a System"));

  fraSystems = new QGroupBox(QStringLiteral("Available Systems"), this);
  fraSystems->setObjectName(QStringLiteral("fraSystems"));
  PlaceTwips(fraSystems, 120, 60, kWidth - 240, kOptionTop + kSystemCount * kOptionPitch + 90);
  for (int i = 0; i < kSystemCount; ++i) {
    auto* option = new QRadioButton(qt::FromCp1252(kShipSystemCaptions[static_cast<std::size_t>(i)]), fraSystems);
    option->setObjectName(QStringLiteral("optSys_%1").arg(i));
    PlaceTwips(option, 180, kOptionTop + i * kOptionPitch, kWidth - 570, 255);
    connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) chooser_.Select(i);
    });
    optSys[static_cast<std::size_t>(i)] = option;
  }

  cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, (kWidth - kButtonWidth) / 2, 3240, kButtonWidth, 375);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    chooser_.Accept();
    accept();
  });
}

void frmSystem::Load(int current) {
  chooser_.Open(current);
  const auto selected = chooser_.Selected();
  for (int i = 0; i < kSystemCount; ++i) {
    QRadioButton* option = optSys[static_cast<std::size_t>(i)];
    // Exclusive buttons cannot all be cleared; a number outside the list selects none.
    option->setAutoExclusive(false);
    option->setChecked(selected == i);
    option->setAutoExclusive(true);
  }
}

int frmSystem::Choose(int current) {
  Load(current);
  const bool accepted = exec() == QDialog::Accepted;
  return chooser_.Result(accepted);
}

void frmSystem::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  optSys[0]->setFocus();
}

}  // namespace zelmora::simulator
