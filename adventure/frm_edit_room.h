#pragma once

#include "adventure/room_editor.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace zelmora::adventure {

// "Edit Room": one room of the planet's script as a small floor plan, over the room editor model.
// It binds the controls and forwards their events; what they show comes from the model. Created
// once and only hidden, so it names the last room shown when the message editor asks.
class frmEditRoom : public QDialog, private RoomEditorView {
  Q_OBJECT

 public:
  frmEditRoom(messages::PlanetScript& script, platform::Prompter& prompter, RoomEditorWindows windows,
              QWidget* parent = nullptr);
  ~frmEditRoom() override;

  // The message editor's Edit Room: loads `room` and runs the window modally when it was taken;
  // the room the window ended on, or nothing when it showed no room.
  std::optional<std::string> Run(const std::string& room);
  // Loads as Run does, without running (tests drive the window themselves); true when shown.
  bool Prepare(const std::string& room);
  // The public procedures of the form.
  void LoadRoom(const std::string& room) { model_->LoadRoom(room); }
  void DisplayAction(int n) { model_->DisplayAction(n); }

  RoomEditor& Model() { return *model_; }

  // Controls, named as their objectName.
  QFrame* shpWalls;
  QLabel* lblRoom;
  std::array<QLabel*, 4> lblDoor{};
  QLabel* lblRoomDesc;
  QPlainTextEdit* txtMessage;
  std::array<QCheckBox*, kSlotCount> chkAct{};
  QGroupBox* fraTools;
  QTreeWidget* lvwActions;
  QPushButton* cmdAdd;
  QPushButton* cmdLock;
  QPushButton* cmdAdvanced;
  QGroupBox* fraAction;
  QLineEdit* txtResponse;
  QPushButton* chkDir;
  QLabel* lblDest;
  QLineEdit* txtDest;
  QPushButton* cmdRemove;
  QPushButton* cmdEffect;
  QPushButton* cmdBack;
  QPushButton* cmdClose;
  QMenu* mnuPopup;
  std::array<QAction*, kDirectionItems> mnuPDir{};

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPlan();
  void BuildActions();
  void Connect();
  // Typed text as code-page bytes, or nothing (after a message naming the characters).
  std::optional<std::string> Typed(const QString& text);
  void DescriptionEdited();
  void ResponseEdited(const QString& text);
  void DestinationEdited(const QString& text);
  void ActionClicked(int slot);
  void PopUpDirections();

  // RoomEditorView
  void ShowHeader(const RoomHeader& header) override;
  void ShowDoors(const std::array<DoorState, 4>& doors) override;
  void ShowDescription(const DescriptionState& description) override;
  void ShowChecks(const std::array<CheckState, kSlotCount>& checks) override;
  void ShowHighlight(std::optional<int> slot) override;
  void ShowRows(const std::vector<ActionRow>& rows) override;
  void ShowSelectedRow(std::optional<int> row) override;
  void ShowPanel(const ActionPanelState& panel) override;
  void FocusDescription() override;
  void FocusResponse() override;
  void HideWindow() override;

  platform::Prompter& prompter_;
  std::unique_ptr<RoomEditor> model_;
  QActionGroup* dirGroup_ = nullptr;
  int updating_ = 0;  // programmatic changes in progress: their signals are not the user's
  Qt::MouseButton listButton_ = Qt::NoButton;
};

}  // namespace zelmora::adventure
