#include "editor/planet_properties.h"

#include "tests/support/open_demo_system.h"

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

using store::PlanetAttributes;

PlanetAttributes Codes(int life, int attitude, int advancement, int energy, int alien = 0) {
  return {life, attitude, advancement, energy, alien};
}

void ExpectCodes(const PlanetAttributes& a, int life, int attitude, int advancement, int energy) {
  EXPECT_EQ(a.Life, life);
  EXPECT_EQ(a.Attitude, attitude);
  EXPECT_EQ(a.Advancement, advancement);
  EXPECT_EQ(a.Energy, energy);
}

TEST(PlanetOptionRules, LifeDecidesWhatAttitudeAndAdvancementMayBe) {
  PlanetAttributes animal = Codes(2, 3, 2, 1, 7);
  ExpectCodes(ClickOption(animal, OptionGroup::Life, 1), 1, 0, 0, 1);  // Plant
  ExpectCodes(ClickOption(animal, OptionGroup::Life, 0), 0, 0, 0, 1);  // No Life
  ExpectCodes(ClickOption(animal, OptionGroup::Life, 3), 3, 0, 2, 1);  // Extinct keeps its advancement
  // Clicks in the other groups are taken back when life does not allow them.
  ExpectCodes(ClickOption(Codes(1, 0, 0, 0), OptionGroup::Attitude, 2), 1, 0, 0, 0);
  ExpectCodes(ClickOption(Codes(3, 0, 1, 0), OptionGroup::Attitude, 2), 3, 0, 1, 0);
  ExpectCodes(ClickOption(Codes(3, 0, 1, 0), OptionGroup::Advancement, 3), 3, 0, 3, 0);
  ExpectCodes(ClickOption(Codes(2, 1, 1, 0), OptionGroup::Energy, 3), 2, 1, 1, 3);
  EXPECT_EQ(ClickOption(animal, OptionGroup::Life, 1).AlienIndex, 7);  // the selection stays, the list greys
  EXPECT_FALSE(AlienListEnabled(Codes(1, 0, 0, 0)));
  EXPECT_TRUE(AlienListEnabled(Codes(3, 0, 0, 0)));
}

TEST(PlanetOptionRules, SizeAndMoonsStayInTheirRanges) {
  EXPECT_EQ(StepSize(5, 1), 5);
  EXPECT_EQ(StepSize(1, -1), 1);
  EXPECT_EQ(StepSize(3, 1), 4);
  EXPECT_EQ(StepMoons(25, 1), 25);
  EXPECT_EQ(StepMoons(0, -1), 0);
  EXPECT_EQ(StepMoons(12, -1), 11);
  EXPECT_FALSE(SizeControlsEnabled(0));
  EXPECT_TRUE(SizeControlsEnabled(1));
}

class PlanetPropertiesStoreTest : public ::testing::Test, protected testing::OpenDemoSystem {};

TEST_F(PlanetPropertiesStoreTest, OpeningReadsThePlanetAndTheSwitchesItMayUse) {
  PlanetProperties verdance = ReadPlanetProperties(store, record, 2, false);
  ExpectCodes(verdance.Attributes, 2, 2, 2, 2);
  EXPECT_EQ(verdance.Attributes.AlienIndex, 3);
  EXPECT_EQ(verdance.Size, 3);
  EXPECT_EQ(verdance.Moons, 2);
  EXPECT_TRUE(verdance.CustomMessagesEnabled);  // it has a section of its own
  EXPECT_TRUE(verdance.CustomMessages);
  EXPECT_FALSE(verdance.CustomPictureEnabled);  // no pictures anywhere
  EXPECT_FALSE(verdance.CustomPicture);

  // Planet 1 has no section: its box is disabled and cleared, whatever its flag says.
  store.SetPlanetFlag(record, "Messages", 1, record.PlanetCount, true);
  PlanetProperties first = ReadPlanetProperties(store, record, 1, true);
  EXPECT_FALSE(first.CustomMessagesEnabled);
  EXPECT_FALSE(first.CustomMessages);
  EXPECT_TRUE(first.CustomPictureEnabled);  // the picture form holds pictures

  game.Write("PICTURES/4Tessaly.bmp", "BM");
  EXPECT_TRUE(ReadPlanetProperties(store, record, 1, false).CustomPictureEnabled);
}

TEST_F(PlanetPropertiesStoreTest, OkStoresTheFieldsAndOnlyTheSwitchesThatWereEnabled) {
  store.SetPlanetFlag(record, "Messages", 1, record.PlanetCount, true);
  PlanetProperties chosen = ReadPlanetProperties(store, record, 1, true);
  chosen.Attributes = ClickOption(Codes(2, 1, 3, 1, 9), OptionGroup::Life, 1);  // Plant: no alien
  chosen.Size = 5;
  chosen.Moons = 25;
  chosen.CustomPicture = true;
  ApplyPlanetProperties(store, record, 1, chosen);

  store::SolarSystemRecord reread;
  store.LoadSystem("4Tessaly", reread);
  EXPECT_EQ(reread.Planet(1).Attributes, 1 * 16384 + 1 * 256);
  EXPECT_EQ(reread.Planet(1).Size, 5);
  EXPECT_EQ(reread.Planet(1).Moons, 25);
  EXPECT_EQ(store.GetPlanetFlag(reread, "PlanetPics", 1), 1);
  EXPECT_EQ(store.GetPlanetFlag(reread, "Messages", 1), 1);  // disabled box: untouched
  EXPECT_TRUE(store.IsModified(record));

  PlanetProperties verdance = ReadPlanetProperties(store, record, 2, false);
  verdance.CustomMessages = false;
  ApplyPlanetProperties(store, record, 2, verdance);
  EXPECT_EQ(store.GetPlanetFlag(record, "Messages", 2), 0);
  EXPECT_EQ(record.Planet(2).Attributes, 43523);  // an animal race keeps its alien name
}

}  // namespace
}  // namespace zelmora::editor
