#pragma once

#include "editor/planet_order.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace zelmora::editor {

// Reorder Planets. It records the exchanges the moves make; the caller applies them
// (ApplyPlanetExchanges), which also writes the system block.
class frmOrder : public QDialog {
  Q_OBJECT

 public:
  explicit frmOrder(QWidget* parent = nullptr);

  // Lists the planets (ReorderListNames) and runs modally until Close: the exchanges, in order.
  std::vector<PlanetExchange> Run(const std::vector<std::string>& planetNames);

  // Refills the list, first entry selected, without showing the dialog.
  void Load(const std::vector<std::string>& planetNames);
  const std::vector<PlanetExchange>& Exchanges() const { return exchanges_; }

  QListWidget* lstPlanets;
  QPushButton* cmdUp;
  QPushButton* cmdDown;
  QPushButton* cmdClose;

 private:
  void Apply(const std::optional<OrderMove>& move);

  std::vector<PlanetExchange> exchanges_;
};

}  // namespace zelmora::editor
