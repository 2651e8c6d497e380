// Counts that claim far more items than a script holds: the simulator reads only the present items
// and must choose and offer exactly what reading every item would.
#include "simulator/control_panel.h"
#include "simulator/seeded_random.h"
#include "store/descriptor_store.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using testing::CrLf;

// The store's reader without its listing: every number 1..count is read.
class ItemByItemReader : public PlanetScriptReader {
 public:
  explicit ItemByItemReader(const StoreScriptReader& store) : store_(store) {}
  std::string ReadPlanetKey(int planet, std::string_view key) const override {
    return store_.ReadPlanetKey(planet, key);
  }
  std::string PlanetName(int planet) const override { return store_.PlanetName(planet); }

 private:
  const StoreScriptReader& store_;
};

// One panel in orbit of planet 1, reading through the given reader.
struct Panel {
  Panel(store::DescriptorStore& store, store::SolarSystemRecord& record, const PlanetScriptReader& reader)
      : rules(ship, random, prompter, numbers, {0, 0.5, 0.3, 0.1}),
        panel(SimulatorServices{record, store.GetTables(), reader, random, prompter, rules}, view, nullptr) {
    prompter.AcceptOkBoxes();
    rules.ResetUpgradeLevels();
    panel.Activate(1);
    random.Seed(20240601);
  }
  ShipState ship;
  SeededRandom random{20240601};
  zelmora::testing::ScriptedPrompter prompter;
  fakes::ScriptedNumbers numbers;
  ShipRules rules;
  fakes::RecordingView view;
  ControlPanel panel;
};

class PresentItemsTest : public ::testing::Test {
 protected:
  void Open(std::initializer_list<std::string_view> section) {
    game.WriteDescriptor("Vega", CrLf({"[General]", "PlanetPics = N", "Messages = Y", "", ";SolarSystem",
                                       ";\"Vega                \",2,1", ";400,2,0,0,13,0", "[1]"}) +
                                     CrLf(section));
    store.RefreshSystemNames();
    store.LoadSystem("Vega", record);
  }
  zelmora::testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  StoreScriptReader listing{store, record};
  ItemByItemReader itemByItem{listing};
};

TEST_F(PresentItemsTest, ChoosingAMessageDrawsAsReadingEveryItem) {
  Open({"Messages=2000", "Message1=%05Half the time.", "Message5=%00Never.", "message9=%FANeeds flag A.",
        "Message40=%03Plain.*RS1", "Message041=not item 41", "MessagesFew=3", "MessageFew1=%00No.",
        "MessageFew2=%04Rarely.", "MessageFew3=%F1%00Not either."});
  Panel fast(store, record, listing);
  Panel slow(store, record, itemByItem);
  for (const auto& [prefix, count, draws] : {std::tuple{"Message", 2000, 15}, std::tuple{"MessageFew", 3, 200}}) {
    for (int draw = 0; draw < draws; ++draw) {
      ASSERT_EQ(fast.panel.GetInterpreter().ChooseMessage(prefix, count),
                slow.panel.GetInterpreter().ChooseMessage(prefix, count))
          << prefix << " draw " << draw;
    }
  }
  EXPECT_EQ(fast.random.Next(), slow.random.Next());  // the same numbers were drawn
  EXPECT_EQ(fast.prompter.Texts(), slow.prompter.Texts());
  EXPECT_FALSE(fast.prompter.Texts().empty());  // the few never send: "*** COMMUNICATION TERMINATED ***"
}

TEST_F(PresentItemsTest, HailOffersWhatReadingEveryResponseOffers) {
  Open({"ResponsesHail=300", "ResponseHail2=Trade?*MTrade", "ResponseHail7=%00Hidden", "responsehail9=%RK, hello",
        "ResponseHail400=beyond the count"});
  Panel fast(store, record, listing);
  Panel slow(store, record, itemByItem);
  fast.panel.Hail();
  slow.panel.Hail();
  ASSERT_EQ(fast.view.offered.size(), 1u);
  EXPECT_EQ(fast.view.offered, slow.view.offered);
  EXPECT_EQ(fast.panel.State().ResponseTexts, slow.panel.State().ResponseTexts);
  EXPECT_EQ(fast.panel.State().ResponseTexts.size(), 300u);
}

}  // namespace
}  // namespace zelmora::simulator
