#include "editor/editor_commands.h"
#include "editor/system_drawing.h"
#include "tests/support/open_demo_system.h"
#include "tests/support/test_application.h"
#include "ui/qt/qt_prompter.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

using platform::Answer;
using testing::OpenDemoSystem;

// Acts on the next modal box once it is shown.
template <typename F>
void OnNextModal(F act) {
  QTimer::singleShot(0, [act]() mutable {
    if (QWidget* w = QApplication::activeModalWidget()) act(w);
  });
}

TEST(StarDescription, DefaultWordsAndTheTypeNameStoreNothing) {
  OpenDemoSystem s("4Tessaly");
  auto& ctx = s.ctx;
  for (const char* answer : {"DEFAULT", "None", "Yellow Sun"}) {
    s.prompter.Reply("Something");
    ASSERT_TRUE(DescribeStar(ctx));
    ASSERT_EQ(StarDisplayName(s.store, s.record), "Something");
    s.prompter.Reply(answer);
    ASSERT_TRUE(DescribeStar(ctx));
    EXPECT_EQ(s.store.GetPlanetName(s.record, 0, ""), store::kNotUsed) << answer;
    EXPECT_EQ(StarDisplayName(s.store, s.record), "Yellow Sun") << answer;
  }
  EXPECT_EQ(s.prompter.Calls()[0].text,
            "Please enter the description for Tessaly.  Enter \"default\" or \"none\" to use the default name.");
  EXPECT_EQ(s.prompter.Calls()[0].defaultValue, "Tessaly Prime");
  // Another letter case is not the type's name.
  s.prompter.Reply("yellow sun");
  DescribeStar(ctx);
  EXPECT_EQ(StarDisplayName(s.store, s.record), "yellow sun");
  s.prompter.Reply(std::nullopt);
  EXPECT_FALSE(DescribeStar(ctx));
  EXPECT_EQ(StarDisplayName(s.store, s.record), "yellow sun");
}

TEST(PlanetName, DefaultInAnyCaseRemovesTheStoredName) {
  OpenDemoSystem s("Kestrel Verge");
  auto& ctx = s.ctx;
  s.prompter.Reply("dEfAuLt");
  ASSERT_TRUE(RenamePlanet(ctx, 3));
  EXPECT_EQ(s.prompter.Calls()[0].defaultValue, "Great Red");
  EXPECT_EQ(s.store.GetPlanetName(s.record, 3, s.record.StarName), "Kestrel Verge III");
  EXPECT_FALSE(RenamePlanet(ctx, 4));  // no planet 4: nothing asked
  EXPECT_EQ(s.prompter.Calls().size(), 1u);
}

TEST(PlanetName, QuotedNamesReadBackAsTypedAndOverlongOnesAreRefused) {
  OpenDemoSystem s("Kestrel Verge");
  auto& ctx = s.ctx;
  s.prompter.Reply("\"Vega\"").Reply("\"'").Reply(std::string(255, 'x')).AcceptOkBoxes();
  ASSERT_TRUE(RenamePlanet(ctx, 3));
  EXPECT_EQ(s.store.GetPlanetName(s.record, 3, s.record.StarName), "\"Vega\"");
  ASSERT_TRUE(RenamePlanet(ctx, 3));
  EXPECT_EQ(s.store.GetPlanetName(s.record, 3, s.record.StarName), "\"'");
  EXPECT_FALSE(RenamePlanet(ctx, 3));
  EXPECT_EQ(s.prompter.Calls().back().text, "This name is too long to be stored.");
  EXPECT_EQ(s.store.GetPlanetName(s.record, 3, s.record.StarName), "\"'");

  s.prompter.Reply("'Eye'").Reply(std::string(300, 'y'));
  ASSERT_TRUE(DescribeStar(ctx));
  EXPECT_EQ(StarDisplayName(s.store, s.record), "'Eye'");
  EXPECT_FALSE(DescribeStar(ctx));
  EXPECT_EQ(StarDisplayName(s.store, s.record), "'Eye'");
}

// With the program's own prompter: a name beyond the code page is refused in the input box and
// never stored with "?" in place of what was typed.
TEST(PlanetName, TextTheCodePageCannotHoldNeverReachesTheDescriptor) {
  zelmora::testing::App();
  OpenDemoSystem s("Kestrel Verge");
  qt::QtPrompter prompter;
  SystemContext ctx{s.store, s.record, prompter, s.pictures};
  const std::string before = s.game.ReadDescriptor("Kestrel Verge", ".edt");
  QString refusal;
  OnNextModal([&](QWidget* w) {
    auto* input = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(input, nullptr);
    input->setTextValue(QString::fromUtf8("\xC5\x8Csaka \xE6\x97\xA5\xE6\x9C\xAC"));
    input->accept();
    OnNextModal([&](QWidget* box) {
      refusal = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
      OnNextModal([](QWidget* again) { qobject_cast<QInputDialog*>(again)->reject(); });
    });
  });
  EXPECT_FALSE(RenamePlanet(ctx, 2));
  EXPECT_EQ(refusal.toStdString(),
            "The game cannot store the characters \"\xC5\x8C\" "
            "(U+014C), \"\xE6\x97\xA5\" "
            "(U+65E5) and \"\xE6\x9C\xAC\" "
            "(U+672C).  Please type the text without them.");
  EXPECT_EQ(s.game.ReadDescriptor("Kestrel Verge", ".edt"), before);
  EXPECT_EQ(s.store.GetPlanetName(s.record, 2, s.record.StarName), "Kestrel Verge II");
}

TEST(InformationPanel, AdvancementShowsForExtinctLifeAndAttitudeOnlyForAnimals) {
  OpenDemoSystem s("Kestrel Verge");
  store::PlanetAttributes a{3, 0, 3, 1, 0};
  s.record.Planet(2).Attributes = a.Encode();
  PlanetInfo info = DescribePlanet(s.store, s.record, 2);
  EXPECT_EQ(info.life, "Extinct");
  EXPECT_EQ(info.attitude, "---");
  EXPECT_EQ(info.advancement, "Advanced");
  EXPECT_EQ(info.energy, "Fossil Fuels");
  EXPECT_TRUE(info.defaultName);
  // A stored name that merely contains the marker is still a name.
  s.store.SetPlanetName(s.record, 2, "XXX Marks");
  EXPECT_FALSE(DescribePlanet(s.store, s.record, 2).defaultName);
}

TEST(LeaveForSelection, AnUnchangedSystemIsClosedWithoutAQuestion) {
  OpenDemoSystem s("4Tessaly");
  auto& ctx = s.ctx;
  EXPECT_TRUE(LeaveForSelection(ctx, false, "Kestrel Verge"));
  EXPECT_FALSE(s.store.IsWorkingCopyOpen());
  EXPECT_FALSE(s.game.Exists("ZMDescriptor/4Tessaly.edt"));
  EXPECT_TRUE(s.prompter.Calls().empty());
}

}  // namespace
}  // namespace zelmora::editor
