#include "editor/frm_order.h"

#include "ui/qt/code_page.h"
#include "ui/qt/twip_layout.h"

#include <QListWidget>
#include <QPushButton>

namespace zelmora::editor {

using qt::PlaceTwips;

frmOrder::frmOrder(QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmOrder", 3960, 3135);
  setWindowTitle(QStringLiteral("Reorder Planets"));

  lstPlanets = new QListWidget(this);
  lstPlanets->setObjectName(QStringLiteral("lstPlanets"));
  PlaceTwips(lstPlanets, 120, 120, 2415, 2895);
  cmdUp = new QPushButton(QStringLiteral("Move &Up"), this);
  cmdUp->setObjectName(QStringLiteral("cmdUp"));
  PlaceTwips(cmdUp, 2655, 120, 1185, 375);
  cmdDown = new QPushButton(QStringLiteral("Move &Down"), this);
  cmdDown->setObjectName(QStringLiteral("cmdDown"));
  PlaceTwips(cmdDown, 2655, 585, 1185, 375);
  cmdClose = new QPushButton(QStringLiteral("&Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  PlaceTwips(cmdClose, 2655, 2640, 1185, 375);

  connect(cmdUp, &QPushButton::clicked, this,
          [this] { Apply(MoveUp(lstPlanets->currentRow(), lstPlanets->count())); });
  connect(cmdDown, &QPushButton::clicked, this,
          [this] { Apply(MoveDown(lstPlanets->currentRow(), lstPlanets->count())); });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmOrder::Load(const std::vector<std::string>& planetNames) {
  exchanges_.clear();
  lstPlanets->clear();
  for (const auto& name : planetNames) lstPlanets->addItem(qt::FromCp1252(name));
  lstPlanets->setCurrentRow(0);
  lstPlanets->setFocus();
}

void frmOrder::Apply(const std::optional<OrderMove>& move) {
  if (!move) return;
  QListWidgetItem* from = lstPlanets->item(move->from);
  QListWidgetItem* to = lstPlanets->item(move->to);
  QString text = from->text();
  from->setText(to->text());
  to->setText(text);
  exchanges_.push_back(move->exchange);
  lstPlanets->setCurrentRow(move->to);
}

std::vector<PlanetExchange> frmOrder::Run(const std::vector<std::string>& planetNames) {
  Load(planetNames);
  exec();  // Close and the close box both end the reordering
  return exchanges_;
}

}  // namespace zelmora::editor
