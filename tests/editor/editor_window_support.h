#pragma once

#include "editor/frm_ss_edit.h"
#include "editor/system_view_widget.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "tests/support/test_application.h"
#include "ui/qt/twip_layout.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace zelmora::editor::testing {

using zelmora::testing::DemoGameFolder;
using zelmora::testing::FakeProcessRunner;
using zelmora::testing::MemorySettingsStore;
using zelmora::testing::ScriptedPrompter;
using zelmora::testing::TempGameFolder;
using zelmora::testing::App;

// The main window on a copy of the demo game folder, started as the program starts it.
struct EditorOnDemo {
  EditorOnDemo() {
    App();
    window = std::make_unique<frmSSEdit>(game.Path(), prompter, settings, runner);
    EXPECT_TRUE(window->Load());
  }
  ~EditorOnDemo() {
    // Leaves the open system without questions, as the test's end is not the user's exit.
    auto& store = window->Store();
    if (store.IsWorkingCopyOpen()) store.CloseWorkingCopy(window->Record(), false);
  }

  int IndexOf(const std::string& name) const {
    return window->cboSystems->findText(QString::fromLatin1(name.c_str()), Qt::MatchExactly);
  }
  // A user's pick in the list.
  void Pick(const std::string& name) {
    int index = IndexOf(name);
    ASSERT_GE(index, 0) << name;
    window->cboSystems->setCurrentIndex(index);
    emit window->cboSystems->activated(index);
  }
  std::string Loaded() const { return window->Record().Name; }

  DemoGameFolder game;
  ScriptedPrompter prompter;
  MemorySettingsStore settings;
  FakeProcessRunner runner;
  std::unique_ptr<frmSSEdit> window;
};

inline void SendMouse(QWidget* target, QEvent::Type type, Point twips, Qt::MouseButton button = Qt::NoButton) {
  QPointF local(qt::TwipsToPixels(twips.x), qt::TwipsToPixels(twips.y));
  Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

inline void MoveOverView(frmSSEdit& w, Point twips) { SendMouse(w.picSolarSystem, QEvent::MouseMove, twips); }
inline void PressOnView(frmSSEdit& w, Point twips, Qt::MouseButton button) {
  SendMouse(w.picSolarSystem, QEvent::MouseButtonPress, twips, button);
}
inline void ReleaseOnView(frmSSEdit& w, Point twips, Qt::MouseButton button) {
  SendMouse(w.picSolarSystem, QEvent::MouseButtonRelease, twips, button);
}

// Where planet i's disc is drawn.
inline Point DiscOf(frmSSEdit& w, int i) {
  const auto& r = w.Record();
  return PlanetCentre(w.Centre(), r.Planet(i).Orbit, PlanetAngle(i, r.PlanetCount));
}

// Acts on the popup menu that the next call opens, then closes it (unless `act` chose an item,
// which closes it the way a click does).
inline void OnNextPopup(std::function<void(QMenu*)> act) {
  QTimer::singleShot(0, [act] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
      ADD_FAILURE() << "no popup menu opened";
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) m->close();
      }
      return;
    }
    act(menu);
    if (menu->isVisible()) menu->close();
  });
}

// Chooses an item of an open popup as a click would: the menu closes, then the item triggers.
inline void Choose(QMenu* menu, QAction* item) {
  menu->close();
  ASSERT_TRUE(item->isEnabled()) << item->objectName().toStdString();
  item->trigger();
}

inline std::string Text(const QString& s) { return s.toStdString(); }

// Acts on the modal window of type W once it runs (after a popup has closed, say).
template <typename W, typename F>
void WhenWindow(F act, int tries = 400) {
  QTimer::singleShot(5, [act, tries]() mutable {
    if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
      act(w);
    } else if (tries > 0) {
      WhenWindow<W>(act, tries - 1);
    } else {
      ADD_FAILURE() << "the window never opened";
    }
  });
}

}  // namespace zelmora::editor::testing
