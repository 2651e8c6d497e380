#pragma once

#include "installer/installer_view.h"
#include "installer/search_session.h"

#include <QWidget>

#include <array>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace zelmora::installer {

// The installer's only window. It shows the search and forwards Browse, Cancel and the folder
// chooser's verdict button to the session.
class frmFendrel : public QWidget, public InstallerView {
  Q_OBJECT
 public:
  frmFendrel(const platform::Machine& machine, platform::Prompter& prompter, std::string ownFolder,
             QWidget* parent = nullptr);

  // The automatic search; the first showing of the window starts it once.
  void Start();
  SearchSession& Session() { return session_; }
  int AnimationFrame() const { return frame_; }

  void ShowStatus(const std::string& text, bool bold) override;
  void EnableButtons(bool on) override;
  void StopAnimation() override;
  void ProcessEvents() override;
  void WaitForEvents() override;
  void EndProgram() override;

  QLabel* lblStatus;
  QLabel* picAnim;
  std::array<QLabel*, 6> imgAnim;
  QTimer* tmrAnim;
  QPushButton* cmdBrowse;
  QPushButton* cmdCancel;
  QPushButton* cmdVerify;

 signals:
  void programEnded();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void NextFrame();
  void Verify();

  SearchSession session_;
  int frame_ = 0;
  bool startQueued_ = false;
};

}  // namespace zelmora::installer
