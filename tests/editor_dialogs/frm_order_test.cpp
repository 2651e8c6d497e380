#include "editor/frm_order.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/open_demo_system.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

std::vector<std::string> Entries(const frmOrder& dialog) {
  std::vector<std::string> out;
  for (int i = 0; i < dialog.lstPlanets->count(); ++i) out.push_back(dialog.lstPlanets->item(i)->text().toStdString());
  return out;
}

class ReorderTest : public ::testing::Test, protected testing::OpenDemoSystem {
 protected:
  QApplication& app = testing::App();  // before any widget
};

TEST_F(ReorderTest, ListShowsStoredNamesAndNumbersForTheRest) {
  EXPECT_EQ(ReorderListNames(store, record),
            (std::vector<std::string>{"Planet 1", "Verdance", "Planet 3", "Cinder's Rest"}));
  // A stored name that happens to look like a default one is still the planet's own.
  store.SetPlanetName(record, 1, "XXX I");
  EXPECT_EQ(ReorderListNames(store, record)[0], "XXX I");
}

TEST_F(ReorderTest, MovesAtTheEndsDoNothingAndOthersRecordTheirExchange) {
  frmOrder dialog;
  dialog.Load(ReorderListNames(store, record));
  EXPECT_EQ(dialog.lstPlanets->currentRow(), 0);
  dialog.cmdUp->click();
  EXPECT_EQ(Entries(dialog)[0], "Planet 1");
  EXPECT_TRUE(dialog.Exchanges().empty());

  dialog.lstPlanets->setCurrentRow(3);
  dialog.cmdDown->click();
  EXPECT_TRUE(dialog.Exchanges().empty());

  dialog.lstPlanets->setCurrentRow(2);
  dialog.cmdUp->click();  // planet 3 up
  EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"Planet 1", "Planet 3", "Verdance", "Cinder's Rest"}));
  EXPECT_EQ(dialog.lstPlanets->currentRow(), 1);
  dialog.cmdDown->click();
  dialog.cmdDown->click();
  EXPECT_EQ(dialog.lstPlanets->currentRow(), 3);
  EXPECT_EQ(dialog.Exchanges(), (std::vector<PlanetExchange>{{2, 3}, {2, 3}, {3, 4}}));

  dialog.Load({"A", "B"});  // a new use starts afresh
  EXPECT_TRUE(dialog.Exchanges().empty());
}

TEST_F(ReorderTest, MovingPlanetThreeUpCarriesEverythingButTheOrbits) {
  const store::PlanetRecord second = record.Planet(2);
  const store::PlanetRecord third = record.Planet(3);
  ApplyPlanetExchanges(ctx, {{2, 3}});

  store::SolarSystemRecord reread;
  store.LoadSystem("4Tessaly", reread);
  EXPECT_EQ(reread.Planet(3).Class, second.Class);
  EXPECT_EQ(reread.Planet(3).Size, second.Size);
  EXPECT_EQ(reread.Planet(3).Moons, second.Moons);
  EXPECT_EQ(reread.Planet(3).Attributes, second.Attributes);
  EXPECT_EQ(reread.Planet(2).Class, third.Class);
  EXPECT_EQ(reread.Planet(2).Orbit, second.Orbit);
  EXPECT_EQ(reread.Planet(3).Orbit, third.Orbit);
  EXPECT_EQ(store.GetPlanetName(reread, 3, reread.StarName), "Verdance");
  EXPECT_EQ(store.GetPlanetFlag(reread, "Messages", 3), 1);
  EXPECT_NE(store.GetPlanetMessage(reread, 3, "Message1", true).find("Welcome to Verdance"), std::string::npos);
  EXPECT_EQ(pictures.swaps, (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST_F(ReorderTest, RunEndsWithClose) {
  frmOrder dialog;
  testing::WhenModal([&] {
    dialog.cmdDown->click();
    dialog.cmdClose->click();
  });
  EXPECT_EQ(dialog.Run(ReorderListNames(store, record)), (std::vector<PlanetExchange>{{1, 2}}));
  EXPECT_FALSE(dialog.isVisible());

  dialog.Load(ReorderListNames(store, record));
  dialog.lstPlanets->setCurrentRow(1);
  testing::SaveScreenshot(dialog, "frmOrder");
}

}  // namespace
}  // namespace zelmora::editor
