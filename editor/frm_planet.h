#pragma once

#include "editor/planet_properties.h"
#include "store/tables.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zelmora::qt {
class SpinButton;
}

namespace zelmora::editor {

// Planet Properties: life, attitude, advancement, energy, alien name, size, moons and the two
// custom switches of one planet. It collects values; the caller applies them
// (ApplyPlanetProperties) and clears its hover planet afterwards, OK or Cancel.
class frmPlanet : public QDialog {
  Q_OBJECT

 public:
  // Fills the alien placeholders of `tables` on first use and lists its 256 names.
  explicit frmPlanet(store::Tables& tables, QWidget* parent = nullptr);

  // Shows planet h (ReadPlanetProperties) under its name, then runs modally: the chosen values
  // after OK, nothing after Cancel.
  std::optional<PlanetProperties> Run(int h, const std::string& planetName, const PlanetProperties& shown);

  // Refills the controls without showing the dialog.
  void Load(int h, const std::string& planetName, const PlanetProperties& shown);
  // What the controls hold now.
  PlanetProperties Shown() const;
  // The planet being edited.
  int Planet() const { return planet_; }

  // The state of a switch after the window behind its "Edit" button closed.
  struct SwitchState {
    bool ticked = false;
    bool enabled = false;
  };
  // Opens that window for planet h with the box's state and reports the box's new state.
  using SwitchEditor = std::function<SwitchState(int h, bool ticked)>;
  // The "Edit" buttons stay disabled until their windows are handed in.
  void SetPictureEditor(SwitchEditor editor);
  void SetMessageEditor(SwitchEditor editor);

  QGroupBox* fraInh;
  QGroupBox* fraAtt;
  QGroupBox* fraAdv;
  QGroupBox* fraEnr;
  std::array<QRadioButton*, 4> gpInh{};
  std::array<QRadioButton*, 4> gpAtt{};
  std::array<QRadioButton*, 4> gpAdv{};
  std::array<QRadioButton*, 4> gpEnr{};
  QLabel* lblAlien;
  QComboBox* cboAlienName;
  QLabel* lblSizeText;
  QLabel* lblSize;
  qt::SpinButton* spnSize;
  QLabel* lblMoonsText;
  QLabel* lblMoons;
  qt::SpinButton* spnMoons;
  QCheckBox* chkPicture;
  QPushButton* cmdPic;
  QCheckBox* chkMessage;
  QPushButton* cmdMsg;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  QGroupBox* BuildGroup(OptionGroup group, const char* frameName, const char* caption, const char* optionName,
                        const std::array<const char*, 4>& captions, std::array<QRadioButton*, 4>& options,
                        int left, int top);
  void OptionClicked(OptionGroup group, int index);
  void SelectCodes(const store::PlanetAttributes& codes);
  void SetSwitch(QCheckBox* box, SwitchState state);
  void ShowSize(int size);
  void ShowMoons(int moons);
  void EditSwitch(QCheckBox* box, const SwitchEditor& editor);

  std::array<QButtonGroup*, 4> groups_{};
  store::PlanetAttributes codes_;
  int planet_ = 0;
  int size_ = kMinSize;
  int moons_ = 0;
  SwitchEditor pictureEditor_;
  SwitchEditor messageEditor_;
};

}  // namespace zelmora::editor
