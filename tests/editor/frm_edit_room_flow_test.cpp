// From the main window: a planet's messages, the wizard's grid, and a walk through it in the room
// editor; what the editor shows is what zmd reads back from the saved descriptor.
#include "adventure/frm_edit_room.h"
#include "adventure/grid_names.h"
#include "adventure/frm_wizard.h"
#include "messages/frm_messages.h"
#include "tests/cli/zmd_run.h"
#include "tests/editor/editor_window_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <nlohmann/json.hpp>

namespace zelmora::editor::testing {
namespace {

using adventure::frmEditRoom;
using adventure::frmWizard;
using messages::frmMessages;

void ClickDoor(frmEditRoom* room, int door) {
  QLabel* label = room->lblDoor[static_cast<std::size_t>(door)];
  ASSERT_TRUE(label->isVisible()) << door;
  SendMouse(label, QEvent::MouseButtonRelease, {30, 30}, Qt::LeftButton);
}

void Pick(QComboBox* box, const char* entry) {
  const int index = box->findText(QLatin1String(entry));
  ASSERT_GE(index, 0) << entry;
  box->setCurrentIndex(index);
  emit box->activated(index);
}

TEST(RoomEditorFromTheMainWindow, WizardGridIsListedAndWalkedThroughItsDoors) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  std::vector<std::string> walked;
  std::array<Qt::CheckState, 7> shownChecks{};
  std::array<std::string, 4> shownDoors;
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    EXPECT_FALSE(m->chkCustom->isChecked());  // planet 1 has no script yet
    EXPECT_EQ(m->cboGroup->findText(QStringLiteral("Area22")), -1);

    WhenWindow<frmWizard>([&](frmWizard* wizard) {
      wizard->SizeY->setText(QStringLiteral("4"));
      emit wizard->SizeY->textEdited(wizard->SizeY->text());
      wizard->cmdNext->click();
      wizard->cmdNext->click();
      EXPECT_EQ(Text(wizard->cmdNext->text()), "&Finish");
      wizard->cmdNext->click();
    });
    m->cmdWizard->click();
    EXPECT_TRUE(m->chkCustom->isChecked());
    for (const char* room : {"Area11", "Area34", "Area22Search", "BeamUp"}) {
      EXPECT_GE(m->cboGroup->findText(QLatin1String(room)), 0) << room;
    }

    Pick(m->cboGroup, "Area22Search");
    EXPECT_TRUE(m->cmdEditRoom->isEnabled());
    WhenWindow<frmEditRoom>([&](frmEditRoom* room) {
      walked.push_back(Text(room->windowTitle()));
      EXPECT_FALSE(room->cmdBack->isEnabled());
      ClickDoor(room, adventure::kEast);
      walked.push_back(Text(room->lblRoom->text()));
      ClickDoor(room, adventure::kSouth);
      walked.push_back(Text(room->lblRoom->text()));
      room->cmdBack->click();
      walked.push_back(Text(room->lblRoom->text()));
      for (int i = 0; i < 7; ++i) shownChecks[static_cast<std::size_t>(i)] = room->chkAct[static_cast<std::size_t>(i)]->checkState();
      for (int d = 0; d < 4; ++d) {
        QLabel* door = room->lblDoor[static_cast<std::size_t>(d)];
        shownDoors[static_cast<std::size_t>(d)] = door->isVisible() ? Text(door->text()) : std::string();
      }
      room->cmdClose->click();
    });
    m->cmdEditRoom->click();
    EXPECT_EQ(Text(m->cboGroup->currentText()), "Area32");
    ASSERT_EQ(m->lstMessages->count(), 1);
    EXPECT_EQ(Text(m->lstMessages->item(0)->text()), "This is Area 3, 2");
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  ASSERT_TRUE(ran);
  EXPECT_EQ(walked, (std::vector<std::string>{"Edit Room - Area22", "Area32", "Area33", "Area32"}));

  // Saved, the descriptor reads back in zmd as the room editor showed it.
  w.cmdSave->click();
  const auto r = zelmora::testing::Zmd({"room", e.game.Path().string(), "4Tessaly", "1", "Area32", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  // It reads the editor's working copy, and says so first.
  ASSERT_EQ(r.out.rfind("zmd: reading the unsaved working copy of 4Tessaly\n", 0), 0u) << r.out;
  const auto room = nlohmann::json::parse(r.out.substr(r.out.find('{')));
  for (int s = 0; s < 7; ++s) {
    const std::string state = room["Slots"][s]["State"];
    const Qt::CheckState shown = shownChecks[static_cast<std::size_t>(s)];
    EXPECT_EQ(state, shown == Qt::Checked ? "default" : shown == Qt::PartiallyChecked ? "custom" : "absent") << s;
    if (s < 4) {
      EXPECT_EQ(room["Slots"][s]["Destination"], shownDoors[static_cast<std::size_t>(s)]) << s;
    }
  }
  EXPECT_EQ(shownDoors, (std::array<std::string, 4>{"Area31", "", "Area33", "Area22"}));
}

}  // namespace
}  // namespace zelmora::editor::testing
