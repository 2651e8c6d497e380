#pragma once

#include "simulator/system_chooser.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace zelmora::simulator {

// Choose a System: one of the ship's systems for a special action's "S" value. Created once and
// only ever hidden.
class frmSystem : public QDialog {
  Q_OBJECT

 public:
  explicit frmSystem(QWidget* parent = nullptr);

  // Selects optSys(current), runs modally and answers the chosen system; the close box answers
  // `current`.
  int Choose(int current);
  // Prepares a use without showing the window.
  void Load(int current);
  const SystemChooser& Chooser() const { return chooser_; }

  QGroupBox* fraSystems;
  std::array<QRadioButton*, kSystemCount> optSys{};
  QPushButton* cmdOK;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  SystemChooser chooser_;
};

}  // namespace zelmora::simulator
