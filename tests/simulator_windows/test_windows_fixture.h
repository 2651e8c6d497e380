#pragma once

#include "simulator/frm_respond.h"
#include "simulator/frm_ss_control.h"
#include "simulator/frm_ss_options.h"
#include "simulator/recorded_test.h"
#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/open_demo_system.h"
#include "ui/qt/palette.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace zelmora::simulator {

inline std::string Text(const QString& s) { return s.toStdString(); }

inline void Click(QWidget* w) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

inline bool Lit(QLabel* label) { return label->palette().color(QPalette::Window) == qt::PaletteColour(12); }

// Acts once `ready` holds (a modal window has come up), checking every few milliseconds.
inline void When(std::function<bool()> ready, std::function<void()> act, int tries = 400) {
  QTimer::singleShot(5, [ready, act, tries] {
    if (ready()) act();
    else if (tries > 0) When(ready, act, tries - 1);
    else ADD_FAILURE() << "the window never came up";
  });
}

// The Test Options of the demo's Great Red (Kestrel Verge, planet 3) with the control panel above
// it. The test drives the timers; boxes are answered by the scripted prompter.
struct TestWindows {
  explicit TestWindows(platform::Random& random) : random(random) {
    zelmora::testing::App();
    demo.prompter.AcceptOkBoxes();
    options = std::make_unique<frmSSOptions>(
        frmSSOptions::World{demo.store, demo.record, ship, random, demo.prompter, numbers});
    panel = options->Panel();
    panel->SetTimersEnabled(false);
  }
  // One key of Great Red's script, as the message editor writes it.
  void Key(const std::string& key, const std::string& value) { demo.store.WriteKey(demo.record.Name, "3", key, value); }
  // Begin: `play` runs once the panel is in orbit; a panel still open afterwards is left with Exit.
  void Play(const std::function<void()>& play) {
    bool ran = false;
    When([this] { return panel->isVisible() && panel->Test() && panel->Test()->Entered() && !panel->Test()->Busy(); },
         [&] {
           ran = true;
           play();
           if (panel->isVisible()) panel->cmdExit->click();
         });
    options->cmdBegin->click();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(panel->isVisible());
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) panel->MessageTick();
  }
  std::string Shown() const { return panel->pnlMessage->isVisibleTo(panel) ? Text(panel->Message->text()) : ""; }

  platform::Random& random;
  zelmora::testing::OpenDemoSystem demo{"Kestrel Verge"};
  ShipState ship;
  fakes::ScriptedNumbers numbers;
  std::unique_ptr<frmSSOptions> options;
  frmSSControl* panel = nullptr;
};

struct SimulatorWindowsTest : ::testing::Test {
  fakes::QueuedRandom random;  // always 0.5: of two messages the second is chosen
  TestWindows w{random};
  frmSSOptions& options = *w.options;
  frmSSControl& panel = *w.panel;

  // The panel with the options below it, as they stand together on the screen, saved as a
  // screenshot named `form`.
  void SaveTogether(const char* form) {
    QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
    QApplication::processEvents();
    const QPixmap top = panel.grab();
    const QPixmap below = options.grab();
    QPixmap both(std::max(top.width(), below.width()), top.height() + below.height());
    both.fill(Qt::darkGray);
    {
      QPainter painter(&both);
      painter.drawPixmap((both.width() - top.width()) / 2, 0, top);
      painter.drawPixmap((both.width() - below.width()) / 2, top.height(), below);
    }
    EXPECT_TRUE(both.save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/") + QLatin1String(form) + QStringLiteral(".png")));
  }
};

}  // namespace zelmora::simulator
