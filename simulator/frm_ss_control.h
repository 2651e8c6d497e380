#pragma once

#include "simulator/control_panel_view.h"
#include "simulator/trace.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QCloseEvent;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;
class QTimer;

namespace zelmora::simulator {

class RecordedTest;
class frmRespond;

// Solar System Control Panel: the simulated bridge of one test. Its buttons and its two timers
// drive the test; it shows what the conversation tells it. Created once and only ever hidden.
class frmSSControl : public QDialog, public ControlPanelView, public TraceSink {
  Q_OBJECT

 public:
  explicit frmSSControl(QWidget* parent = nullptr);

  // Plays the test modally until the panel closes; orbit entry runs once the panel is shown.
  void Run(RecordedTest& test);
  // The panel as a new test finds it.
  void Reset();

  // What the timers do on each tick. A test that drives the ticks itself turns the timers off.
  void MessageTick();
  void StatusTick();
  void SetTimersEnabled(bool enabled);
  // Whether the conversation has the message clock running (whether or not the timer does).
  bool MessageClockRunning() const { return clockRunning_; }
  bool StatusRefreshRunning() const { return statusRunning_; }

  // The trace panel beside the panel; it is kept whether shown or not, so that it can be shown
  // at any time during a test.
  void SetTraceShown(bool shown);
  bool TraceShown() const { return traceShown_; }
  // Told when the author shows or hides the trace from the panel.
  void OnTraceShown(std::function<void(bool shown)> shown) { traceToggled_ = std::move(shown); }

  frmRespond* Respond() const { return respond_; }
  // The test being played, null between tests.
  RecordedTest* Test() const { return test_; }
  QPushButton* Button(PanelCommand command) const { return commands_[static_cast<std::size_t>(command)]; }

  // Controls, named as their objectName.
  QPushButton* cmdNotes;
  QLabel* pnlOrbiting;
  QFrame* pnlMessage;
  QLabel* lblMessage;
  QLabel* Message;
  QPushButton* cmdRespond;
  QPushButton* cmdIgnore;
  QFrame* pnlCommands;
  QLabel* lblCommands;
  QPushButton* cmdHail;
  QPushButton* cmdLeaveOrbit;
  QPushButton* cmdEnterOrbit;
  QPushButton* cmdBeam;
  QPushButton* cmdEnergy;
  QPushButton* cmdExit;
  QPushButton* cmdPhaser;
  QPushButton* cmdPhoton;
  QPushButton* cmdShields;
  QPushButton* cmdGoat;
  QTimer* tmrMessage;
  QTimer* tmrFlags;
  // Of our own: why each message was chosen, beside the panel; taking back the last command.
  QPlainTextEdit* txtTrace;
  QPushButton* cmdBack;
  QCheckBox* chkTrace;

  // ControlPanelView
  void SetOrbitBanner(const std::string& caption, bool visible) override;
  void SetMessageTitle(const std::string& title) override;
  void SetMessageText(const std::string& text) override;
  void SetMessageVisible(bool visible) override;
  void SetCommandEnabled(PanelCommand command, bool enabled) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetMessageClock(bool running) override;
  std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) override;
  void FocusIdle() override;
  void ClosePanel() override;

  // TraceSink
  void TraceLine(const std::string& line) override;
  void TraceRestarted() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void Command(const char* name);
  void StepBack();
  void UpdateTimers();
  void UpdateStepBack();

  std::array<QPushButton*, kPanelCommandCount> commands_{};
  frmRespond* respond_;
  RecordedTest* test_ = nullptr;
  bool clockRunning_ = false;
  bool statusRunning_ = false;
  bool timersEnabled_ = true;
  bool traceShown_ = false;
  std::function<void(bool)> traceToggled_;
};

}  // namespace zelmora::simulator
