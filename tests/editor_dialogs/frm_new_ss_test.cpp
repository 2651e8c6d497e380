#include "editor/frm_new_ss.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "store/descriptor_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

class NewSystemDialogTest : public ::testing::Test {
 protected:
  QApplication& app = testing::App();  // before any widget
  QColor LabelColour(int i) { return dialog.lblName[static_cast<std::size_t>(i)]->palette().color(QPalette::WindowText); }
  testing::ScriptedPrompter prompter;
  frmNewSS dialog{prompter};
};

TEST_F(NewSystemDialogTest, WithoutACatalogueOnlyACustomSystemCanBeMade) {
  testing::TempGameFolder game;  // no SOLARSYS.TXT
  store::DescriptorStore store(game.Path());
  dialog.Load(store.ListCatalogueSystems());
  EXPECT_TRUE(dialog.chkCustom->isChecked());
  EXPECT_FALSE(dialog.chkCustom->isEnabled());
  EXPECT_TRUE(dialog.txtName->isEnabled());
  EXPECT_FALSE(dialog.cboSystems->isEnabled());
  EXPECT_FALSE(dialog.Choice());  // an empty name is no choice

  dialog.txtName->setText(QStringLiteral("Nimbus"));
  auto choice = dialog.Choice();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->name, "Nimbus");
  EXPECT_TRUE(choice->custom);
}

TEST_F(NewSystemDialogTest, CatalogueSystemsAreOfferedFirstAndCustomSwitchesTheInputs) {
  testing::DemoGameFolder game;
  store::DescriptorStore store(game.Path());
  auto keys = store.ListCatalogueSystems();
  ASSERT_FALSE(keys.empty());
  dialog.Load(keys);
  EXPECT_FALSE(dialog.chkCustom->isChecked());
  EXPECT_TRUE(dialog.chkCustom->isEnabled());
  EXPECT_EQ(dialog.cboSystems->currentIndex(), 0);
  EXPECT_FALSE(dialog.txtName->isEnabled());
  EXPECT_NE(LabelColour(1), LabelColour(0));  // the unused input's label is greyed
  auto choice = dialog.Choice();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->name, keys[0]);
  EXPECT_FALSE(choice->custom);

  dialog.chkCustom->click();
  EXPECT_TRUE(dialog.txtName->isEnabled());
  EXPECT_FALSE(dialog.cboSystems->isEnabled());
  dialog.txtName->setText(QStringLiteral("Nimbus"));
  EXPECT_EQ(dialog.Choice()->name, "Nimbus");

  testing::WhenModal([&] { dialog.cmdCancel->click(); });
  EXPECT_FALSE(dialog.Run(keys));
  testing::WhenModal([&] {
    dialog.txtName->setText(QStringLiteral("Caf\u00e9"));
    dialog.cmdOK->click();
  });
  auto typed = dialog.Run(keys);
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->name, "Caf\xE9");  // the code page's bytes

  dialog.chkCustom->click();
  dialog.Load(keys);
  testing::SaveScreenshot(dialog, "frmNewSS");
}

TEST_F(NewSystemDialogTest, ATypedNameTheCodePageCannotHoldIsRefusedAndTheDialogStays) {
  dialog.Load({});
  prompter.AcceptOkBoxes();
  bool stayedOpen = false;
  testing::WhenModal([&] {
    dialog.txtName->setText(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"));
    dialog.cmdOK->click();
    stayedOpen = dialog.isVisible();
    EXPECT_FALSE(dialog.Choice());
    dialog.txtName->setText(QString::fromUtf8("Nihon"));
    dialog.cmdOK->click();
  });
  auto choice = dialog.Run({});
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text,
            "The game cannot store the characters \"\xE6\x97\xA5\" "
            "(U+65E5) and \"\xE6\x9C\xAC\" "
            "(U+672C).  Please type the text without them.");
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->name, "Nihon");
}

}  // namespace
}  // namespace zelmora::editor
