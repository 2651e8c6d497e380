#pragma once

#include "writing/statistics.h"

#include <QDialog>

#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace zelmora::writing {

// "Statistics": words and characters of the open system or the whole game folder, by planet and
// group, with each one's longest value against the 254 characters the reader gives back and its
// widest response against the chooser's width (measured in the dialog font).
class frmStatistics : public QDialog {
  Q_OBJECT

 public:
  frmStatistics(store::DescriptorStore& store, const store::SolarSystemRecord& record, QWidget* parent = nullptr);

  // Counts again and shows the window.
  void ShowStatistics();
  void Refresh();
  const std::vector<StatisticsRow>& Rows() const { return rows_; }

  std::array<QRadioButton*, 2> optScope{};
  QTreeWidget* lvwStatistics;
  QLabel* lblTotal;
  QPushButton* cmdRefresh;
  QPushButton* cmdClose;

 private:
  store::DescriptorStore& store_;
  const store::SolarSystemRecord& record_;
  std::vector<StatisticsRow> rows_;
};

}  // namespace zelmora::writing
