#pragma once

#include "messages/message_editor.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace zelmora::messages {

class DirectionPicture;

// "Planet Messages": the window over the message editor model. It binds the controls and
// forwards their events; what they show comes from the model.
class frmMessages : public QDialog, private MessageEditorView {
  Q_OBJECT

 public:
  frmMessages(PlanetScript& script, SpecialActionList catalogue, platform::Prompter& prompter,
              MessageEditorWindows windows, QWidget* parent = nullptr);
  ~frmMessages() override;

  // Shows the planet's script modally under "Planet Messages - " + the planet's name.
  void Run(int planet, bool customTicked, const std::string& planetName);
  // Prepares the window as Run does, without running it (tests drive it themselves).
  void Prepare(int planet, bool customTicked, const std::string& planetName);

  MessageEditor& Model() { return *model_; }

  // Controls, named as their objectName.
  QGroupBox* fraDirection;
  std::array<QRadioButton*, 3> optDir{};
  DirectionPicture* picDirection;
  QTimer* tmrAnim;
  QLabel* lblGroup;
  QComboBox* cboGroup;
  QPushButton* cmdAddGroup;
  QGroupBox* fraMessages;
  QListWidget* lstMessages;
  QPlainTextEdit* txtMessage;
  QFrame* picTooltip;
  QLabel* lblTooltip;
  QPushButton* cmdNew;
  QPushButton* cmdEdit;
  QPushButton* cmdRemove;
  QPushButton* cmdClearAll;
  std::array<QPushButton*, 2> cmdSwap{};
  QPushButton* cmdTest;
  QPushButton* cmdGo;
  QPushButton* cmdSave;
  QPushButton* cmdCancel;
  QPushButton* cmdDelete;
  std::array<QLabel*, 5> lblInsert{};
  QLabel* lblLength;
  QLabel* lblError;
  QCheckBox* chkCustom;
  QCheckBox* chkUntested;  // marks the items no recorded test played
  QPushButton* cmdEditRoom;
  QPushButton* cmdWizard;
  QPushButton* cmdIssues;  // the checker's list of the script's issues
  QPushButton* cmdTestHere;  // a test that starts at the group shown
  QPushButton* cmdScriptMap;  // the script drawn as a map of its groups and links
  QPushButton* cmdFind;          // find and replace over the planet's prose
  QPushButton* cmdRenameGroup;   // the group renamed everywhere
  QLabel* lblWords;              // word counts of the group and the planet
  QPushButton* cmdClose;
  QFrame* pnlInfo;
  QLabel* lblM1Title;
  QLabel* lblM1Text;
  QFrame* shpLife;
  QMenu* mnuPopup;
  QAction* mnuEdit;
  QAction* mnuRemove;
  QAction* mnuGo;

  QGroupBox* fraOptions;
  QLabel* lblAnswer;
  QComboBox* cboAnswerGroup;
  QLabel* lblWaitFor;
  QScrollBar* vsbWait;
  QLabel* lblWait;
  QLabel* lblIncluded;
  QScrollBar* vsbPercent;
  QLabel* lblPercent;
  QGroupBox* fraDisplay;
  std::array<QRadioButton*, 3> optDisplay{};
  QLineEdit* txtDisplay;
  QGroupBox* fraActions;
  QComboBox* cboSpecial;
  QListWidget* lstSpecial;
  QPushButton* cmdSpAdd;
  QPushButton* cmdSpDelete;
  QPushButton* cmdSpEdit;

 public:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildDirectionColumn();
  void BuildListFrame();
  void BuildPane();
  void BuildInfoPanel();
  void Connect();
  void ConnectPane();

  // Text typed into a control: the code-page bytes, or nothing (after a message naming the
  // characters) when the code page cannot hold them.
  std::optional<std::string> Typed(const QString& text);
  void TextEdited();
  void InsertPlaceholder(int index);
  void ListMouseMove(QPoint at);
  void ShowTooltip(int line);
  void HideTooltip();
  void ListMenu(QPoint at);

  // MessageEditorView
  void ShowFrame(const FrameState& frame) override;
  void ShowGroupBox(const ComboState& box) override;
  void ShowAnswerBox(const ComboState& box) override;
  void ShowListLines(const std::vector<std::string>& lines) override;
  void ShowListSelection(std::optional<int> selected) override;
  void ShowButtons(const ButtonState& buttons) override;
  void ShowText(const std::string& text) override;
  void ShowPane(const PaneState& pane) override;
  void ShowActions(const ActionListState& actions) override;
  void ShowLength(const LengthState& length) override;
  void ShowInfoPreview(const std::string& text) override;
  void ShowCustom(bool ticked) override;
  void ShowWords(const std::string& words) override;
  void ShowUntested(const UntestedMarks& marks) override;
  void FocusTextAtEnd() override;
  void FocusTitle() override;
  void SetBusy(bool busy) override;
  void HideWindow() override;

  platform::Prompter& prompter_;
  std::unique_ptr<MessageEditor> model_;
  QButtonGroup* dirGroup_ = nullptr;
  QButtonGroup* displayGroup_ = nullptr;
  int updating_ = 0;  // programmatic changes in progress: their signals are not the user's
  int tooltipLine_ = -1;
  int busy_ = 0;
  std::string shownText_;
};

}  // namespace zelmora::messages
