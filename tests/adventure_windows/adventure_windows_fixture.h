#pragma once

#include "adventure/grid_names.h"
#include "adventure/room_model.h"
#include "adventure/grid_wizard.h"
#include "tests/adventure/adventure_fixture.h"
#include "tests/editor_dialogs/dialog_test_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace zelmora::adventure {

// The adventure fixture with the application object made before any window.
class AdventureWindowTest : public AdventureTest {
 protected:
  AdventureWindowTest() { testing::App(); }

  void Grid(const char* x, const char* y) {
    GridChoices choices;
    choices.sizeX = x;
    choices.sizeY = y;
    FinishGrid(choices, script_);
  }
};

inline void Click(QWidget* target, QEvent::Type type = QEvent::MouseButtonRelease) {
  const QPointF at(3, 3);
  QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

inline void Enter(QWidget* target) {
  QEnterEvent event(QPointF(3, 3), QPointF(3, 3), target->mapToGlobal(QPointF(3, 3)));
  QApplication::sendEvent(target, &event);
}

}  // namespace zelmora::adventure
