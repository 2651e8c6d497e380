#pragma once

#include "adventure/required_flags.h"
#include "messages/planet_script.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zelmora::adventure {

// "Advanced Options": the planet-wide required flags of the beam-up, search and tricorder actions.
// Created once; Load fills it from the planet's keys, OK writes them back, the close box writes
// nothing.
class frmAdvancedRoom : public QDialog {
  Q_OBJECT

 public:
  frmAdvancedRoom(messages::PlanetScript& script, FlagChooser chooseFlag, QWidget* parent = nullptr);

  // Fills the three rows from the planet's keys. Callers call it before Run.
  void Load();
  // Shows the dialog modally.
  void Run();

  const RequiredFlags& Flags() const { return flags_; }

  // Controls, named as their objectName.
  QGroupBox* fraReqFlags;
  std::array<QLabel*, 3> lblMessageType{};
  std::array<QWidget*, 3> pnlNeed{};
  std::array<QRadioButton*, 9> optNeed{};
  std::array<QPushButton*, 3> cmdChoose{};
  std::array<QLabel*, 3> lblFlag{};
  QPushButton* cmdOK;

 private:
  void OptionClicked(int row, NeedOption option);
  void ChooseClicked(int row);
  void Ok();
  void ShowRow(int row);

  messages::PlanetScript& script_;
  FlagChooser chooseFlag_;
  RequiredFlags flags_;
  std::array<QButtonGroup*, 3> groups_{};
};

}  // namespace zelmora::adventure
