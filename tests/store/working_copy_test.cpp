#include "store/descriptor_store.h"
#include "store/system_flows.h"

#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "ui/platform/code_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace zelmora::store {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testing::CrLf;
using testing::ScriptedPrompter;
using testing::TempGameFolder;

class RecordingPictures : public SystemPictures {
 public:
  void AddSlot() override { log.push_back("add"); }
  void RemoveLastSlot() override { log.push_back("remove-last"); }
  void ClearOnlyPicture() override { log.push_back("clear-only"); }
  void SwapPictures(int a, int b) override { log.push_back("swap " + std::to_string(a) + " " + std::to_string(b)); }
  bool HasPicturesToStore() const override { return toStore; }
  void SavePictures(const std::filesystem::path& file) override {
    testing::TempGameFolder::WriteFile(file, "strip");
    toStore = false;
  }
  bool HasCustomStarPicture() const override { return customStar; }
  void SaveStarPicture(const std::filesystem::path& file) override { testing::TempGameFolder::WriteFile(file, "star"); }
  std::vector<std::string> log;
  bool toStore = false;
  bool customStar = false;
};

const std::string kThree = CrLf({"[General]", "PlanetPics = YNN", "Messages = NYN", "", ";SolarSystem",
                                 ";\"Trio                \",0,3", ";400,1,0,0,1,0", ";500,2,1,16384,2,0",
                                 ";600,3,2,32768,3,0", "[Names]", "2=Second", "3=Third", "[2]",
                                 "Message1=from two", "[3]", "Message1=from three"});

class WorkingCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.WriteDescriptor("Trio", kThree);
    Open();
  }
  void Open() {
    store.OpenWorkingCopy("Trio", prompter);
    store.LoadSystem("Trio", record);
  }
  std::string Working() const { return game.ReadDescriptor("Trio", ".edt"); }

  TempGameFolder game;
  DescriptorStore store{game.Path()};
  SolarSystemRecord record;
  ScriptedPrompter prompter;
  RecordingPictures pictures;
  flows::SystemContext ctx{store, record, prompter, pictures};
};

TEST_F(WorkingCopyTest, OpeningCopiesKeepingTheTimeSoItIsNotModified) {
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_EQ(Working(), kThree);
  EXPECT_FALSE(store.IsModified(record));
  EXPECT_EQ(record.PlanetCount, 3);
  store.CloseWorkingCopy(record, false);
  EXPECT_FALSE(game.Exists("ZMDescriptor/Trio.edt"));
  Open();
  EXPECT_FALSE(store.IsModified(record));
}

TEST_F(WorkingCopyTest, EveryRewriteCountsAsAChangeEvenWithinOneClockTick) {
  for (int i = 0; i < 20; ++i) {
    store.CloseWorkingCopy(record, true);
    Open();
    store.WriteKey("Trio", "2", "Message2", "x" + std::to_string(i));
    ASSERT_TRUE(store.IsModified(record)) << "round " << i;
  }
  store.CloseWorkingCopy(record, true);
  Open();
  store.MarkModified(record);
  EXPECT_TRUE(store.IsModified(record));
}

TEST_F(WorkingCopyTest, BackupQuestionKeepsOrReplacesTheOldWorkingCopy) {
  store.WriteKey("Trio", "2", "Message1", "unsaved");
  store.SetCurrentExtension(".zmd");  // the run ended without closing
  prompter.Answer(Answer::Yes);
  store.OpenWorkingCopy("Trio", prompter);
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text, "There is a backup for this solar system, would you like to edit it?");
  EXPECT_EQ(prompter.Calls()[0].title, "Backup Exists");
  EXPECT_EQ(prompter.Calls()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(prompter.Calls()[0].icon, Icon::Question);
  EXPECT_EQ(store.ReadKey("Trio", "2", "Message1", ""), "unsaved");

  store.SetCurrentExtension(".zmd");
  prompter.Answer(Answer::No);
  store.OpenWorkingCopy("Trio", prompter);
  EXPECT_EQ(Working(), kThree);
  EXPECT_FALSE(store.IsModified(record));
}

TEST_F(WorkingCopyTest, AFailedCopyBackKeepsTheWorkingCopy) {
  store.WriteKey("Trio", "2", "Message1", "precious");
  std::filesystem::remove(game.Descriptors() / "Trio.zmd");
  std::filesystem::create_directory(game.Descriptors() / "Trio.zmd");  // cannot be replaced by a file
  store.CloseWorkingCopy(record, true);
  EXPECT_FALSE(store.IsWorkingCopyOpen());
  EXPECT_NE(Working().find("precious"), std::string::npos);
}

TEST_F(WorkingCopyTest, SwappingTwoAndThreeMovesEverythingButTheOrbits) {
  store.SwapPlanets(record, 2, 3);
  EXPECT_EQ(Working(), CrLf({"[General]", "PlanetPics=YNN", "Messages=NNY", "", ";SolarSystem",
                             ";\"Trio                \",0,3", ";400,1,0,0,1,0", ";500,2,1,16384,2,0",
                             ";600,3,2,32768,3,0", "[Names]", "3=Second", "2=Third", "[3]", "Message1=from two",
                             "[2]", "Message1=from three"}));
  EXPECT_EQ(record.Planet(2).Orbit, 500);
  EXPECT_EQ(record.Planet(3).Orbit, 600);
  EXPECT_EQ(record.Planet(2).Class, 3);
  EXPECT_EQ(record.Planet(2).Attributes, 32768);
  EXPECT_EQ(record.Planet(3).Moons, 1);
  store.SwapPlanets(record, 0, 3);  // out of range: nothing
  store.SwapPlanets(record, 2, 4);
  EXPECT_EQ(record.Planet(2).Class, 3);
}

TEST_F(WorkingCopyTest, InsertAfterOneGivesTheNewPlanetNumberTwo) {
  EXPECT_EQ(flows::InsertPlanet(ctx, 1), flows::AddResult::Added);
  ASSERT_EQ(record.PlanetCount, 4);
  EXPECT_EQ(record.Planet(2).Class, 1);
  EXPECT_EQ(record.Planet(2).Size, 2);
  EXPECT_EQ(record.Planet(3).Class, 2);
  EXPECT_EQ(record.Planet(4).Class, 3);
  EXPECT_EQ(store.GetPlanetName(record, 3, "Trio"), "Second");
  EXPECT_EQ(store.GetPlanetName(record, 2, "Trio"), "Trio II");
  EXPECT_EQ(store.ReadKey("Trio", "3", "Message1", ""), "from two");
  EXPECT_EQ(store.ReadKey("Trio", "General", "PlanetPics", ""), "YNNN");
  EXPECT_EQ(store.ReadKey("Trio", "General", "Messages", ""), "NNYN");
  EXPECT_EQ(pictures.log, (std::vector<std::string>{"add", "swap 4 3", "swap 3 2"}));
  EXPECT_NE(Working().find(";\"Trio                \",0,4"), std::string::npos);
}

TEST_F(WorkingCopyTest, DeletingTwoOfThreeShiftsThreeDownAndDropsItsSection) {
  flows::DeletePlanet(ctx, 2);
  ASSERT_EQ(record.PlanetCount, 2);
  EXPECT_EQ(record.Planet(2).Orbit, 500);
  EXPECT_EQ(record.Planet(2).Class, 3);
  EXPECT_EQ(store.GetPlanetName(record, 2, "Trio"), "Third");
  EXPECT_EQ(store.ReadKey("Trio", "2", "Message1", ""), "from three");
  EXPECT_FALSE(store.SectionExists("Trio", "3"));
  EXPECT_EQ(Working().find("from two"), std::string::npos);
  EXPECT_EQ(store.ReadKey("Trio", "General", "Messages", ""), "NN");
  EXPECT_EQ(pictures.log, (std::vector<std::string>{"swap 2 3", "remove-last"}));
  EXPECT_NE(Working().find(";\"Trio                \",0,2\r\n;400,1,0,0,1,0\r\n;500,3,2,32768,3,0\r\n[Names]"),
            std::string::npos);
}

TEST_F(WorkingCopyTest, DeletingTheOnlyPlanetClearsItsPicture) {
  flows::DeletePlanet(ctx, 1);
  flows::DeletePlanet(ctx, 1);
  pictures.log.clear();
  flows::DeletePlanet(ctx, 1);
  EXPECT_EQ(record.PlanetCount, 0);
  EXPECT_EQ(pictures.log, std::vector<std::string>{"clear-only"});
  EXPECT_EQ(store.ReadKey("Trio", "General", "PlanetPics", "x"), "");
}

TEST_F(WorkingCopyTest, AddSpreadsCrowdedOuterOrbitsFirst) {
  record.PlanetCount = 2;
  record.Planet(1).Orbit = 1990;
  record.Planet(2).Orbit = 2000;
  EXPECT_EQ(flows::AddPlanet(ctx), flows::AddResult::OrbitsSpread);
  EXPECT_EQ(record.PlanetCount, 2);
  EXPECT_EQ(record.Planet(1).Orbit, 1940);
  EXPECT_EQ(record.Planet(2).Orbit, 1970);
  EXPECT_EQ(flows::AddPlanet(ctx), flows::AddResult::Added);
  EXPECT_EQ(record.PlanetCount, 3);
  EXPECT_EQ(record.Planet(3).Orbit, 2000);
  EXPECT_EQ(pictures.log, std::vector<std::string>{"add"});
}

TEST_F(WorkingCopyTest, InsertWritesTheOrbitsThatAddOnlySpread) {
  record.Planet(1).Orbit = 1980;
  record.Planet(2).Orbit = 1990;
  record.Planet(3).Orbit = 2000;
  EXPECT_EQ(flows::InsertPlanet(ctx, 1), flows::AddResult::OrbitsSpread);
  EXPECT_EQ(record.PlanetCount, 3);
  EXPECT_NE(Working().find(";\"Trio                \",0,3\r\n;1910,1,0,0,1,0\r\n;1940,2,1,16384,2,0\r\n"
                           ";1970,3,2,32768,3,0\r\n"),
            std::string::npos);
  EXPECT_TRUE(pictures.log.empty());  // nothing was exchanged
}

TEST_F(WorkingCopyTest, TenPlanetsTakeNoMore) {
  while (record.PlanetCount < 10) ASSERT_EQ(flows::AddPlanet(ctx), flows::AddResult::Added);
  EXPECT_EQ(record.Planet(4).Orbit, 630);
  prompter.AcceptOkBoxes();
  EXPECT_EQ(flows::AddPlanet(ctx), flows::AddResult::Full);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"This system has the maximum number of planets."});
  EXPECT_EQ(store.ReadKey("Trio", "General", "Messages", ""), "NYNNNNNNNN");
}

TEST_F(WorkingCopyTest, ClearPlanetsAsksThenResetsClassesSectionsAndNames) {
  prompter.Answer(Answer::No).Answer(Answer::Yes);
  EXPECT_FALSE(flows::ClearPlanets(ctx));
  EXPECT_EQ(record.Planet(2).Class, 2);
  EXPECT_TRUE(flows::ClearPlanets(ctx));
  EXPECT_EQ(prompter.Calls()[0].title, "Confirmation");
  EXPECT_EQ(prompter.Calls()[0].icon, Icon::Exclamation);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(record.Planet(i).Class, 1);
    EXPECT_EQ(record.Planet(i).Size, 3);
  }
  EXPECT_EQ(record.PlanetCount, 3);
  EXPECT_FALSE(store.SectionExists("Trio", "2"));
  EXPECT_EQ(store.GetPlanetName(record, 3, "Trio"), "Trio III");
}

TEST_F(WorkingCopyTest, SaveCommitsStoresPicturesAndReopensClean) {
  game.Write("PICTURES/Trio.gif", "old strip");
  game.Write("PICTURES/TrioSun.bmp", "old star");
  store.WriteKey("Trio", "2", "Message1", "saved");
  pictures.toStore = true;
  flows::SaveSystem(ctx);
  EXPECT_EQ(store.ReadKey("Trio", "2", "Message1", ""), "saved");
  EXPECT_NE(game.ReadDescriptor("Trio").find("Message1=saved"), std::string::npos);
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_FALSE(store.IsModified(record));
  EXPECT_FALSE(game.Exists("PICTURES/Trio.gif"));
  EXPECT_EQ(game.Read("PICTURES/Trio.bmp"), "strip");
  EXPECT_FALSE(game.Exists("PICTURES/TrioSun.bmp"));  // no custom star picture any more
  pictures.customStar = true;
  flows::SaveSystem(ctx);
  EXPECT_EQ(game.Read("PICTURES/TrioSun.bmp"), "star");
}

TEST_F(WorkingCopyTest, SaveAsOntoAnExistingNameOverwritesItAndKeepsTheOld) {
  game.WriteDescriptor("Other", "[General]\r\nstale=1\r\n");
  store.WriteKey("Trio", "2", "Message1", "changed");
  prompter.Reply("Other").Answer(Answer::No).Reply("Other").Answer(Answer::Yes);
  auto name = flows::SaveSystemAs(ctx, {"Trio", "Other"});
  ASSERT_EQ(name, "Other");
  EXPECT_EQ(prompter.Calls()[0].text, "Please enter the new name of this system.");
  EXPECT_EQ(prompter.Calls()[0].defaultValue, "Trio");
  EXPECT_EQ(prompter.Calls()[1].text, "This system aready exists.  Are you sure you want to overwrite?");
  EXPECT_EQ(game.ReadDescriptor("Trio"), kThree);
  std::string other = game.ReadDescriptor("Other");
  EXPECT_NE(other.find("Message1=changed"), std::string::npos);
  EXPECT_EQ(other.find("stale"), std::string::npos);
  EXPECT_EQ(record.Name, "Other");
  EXPECT_TRUE(game.Exists("ZMDescriptor/Other.edt"));
  EXPECT_FALSE(game.Exists("ZMDescriptor/Trio.edt"));
}

TEST_F(WorkingCopyTest, RenamingTakesTheStarNameAlongWhenItWasTheSystemName) {
  record.StarName = FitStarName("Trio");
  store.RenameSystem(record, "Quartet");
  EXPECT_EQ(record.StarName, FitStarName("Quartet"));
  EXPECT_TRUE(game.Exists("ZMDescriptor/Quartet.edt"));
  record.StarName = FitStarName("Vega");
  store.RenameSystem(record, "Quintet");
  EXPECT_EQ(record.StarName, FitStarName("Vega"));
}

TEST_F(WorkingCopyTest, RefusedNamesAreNamedAndNothingIsWritten) {
  prompter.AcceptOkBoxes();
  for (const std::string& bad : std::vector<std::string>{"a/b", "..", "up..down", "tab\there", "   ", "back\\slash", "what?",
                          std::string(260, 'n'), "CON", "lpt1.txt", "Com9", "Vega.", "Vega "}) {
    EXPECT_EQ(flows::NewSystem(ctx, bad, true), flows::NewResult::Refused) << bad;
  }
  EXPECT_EQ(prompter.Calls().size(), 13u);
  EXPECT_NE(prompter.Calls()[0].text.find("cannot be used"), std::string::npos);
  // Names Windows cannot hold could never be installed on the game's own platform.
  EXPECT_EQ(prompter.Calls()[8].text, "The name 'CON' cannot be used for a system.  Windows keeps this name for a device.");
  EXPECT_EQ(prompter.Calls()[11].text,
            "The name 'Vega.' cannot be used for a system.  The name may not end with a dot or a space.");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game.Descriptors()), {}), 2);
  EXPECT_EQ(flows::NewSystem(ctx, "", true), flows::NewResult::Cancelled);
  // Save As asks again after a refused name.
  prompter.Reply("x/y").Reply(std::nullopt);
  EXPECT_EQ(flows::SaveSystemAs(ctx, {}), std::nullopt);
}

TEST_F(WorkingCopyTest, NewSystemAsksBeforeReplacingAndBeforeDroppingChanges) {
  store.WriteKey("Trio", "2", "Message1", "edit");
  prompter.Answer(Answer::No);  // do not replace the existing Trio
  EXPECT_EQ(flows::NewSystem(ctx, "Trio", true), flows::NewResult::Cancelled);
  EXPECT_EQ(game.ReadDescriptor("Trio"), kThree);

  prompter.Answer(Answer::Cancel);
  EXPECT_EQ(flows::NewSystem(ctx, "Fresh", true), flows::NewResult::Cancelled);
  EXPECT_EQ(prompter.Calls().back().text, "Do you want to save the current system before loading 'Fresh'?");
  EXPECT_EQ(prompter.Calls().back().buttons, Buttons::YesNoCancel);
  EXPECT_TRUE(store.IsWorkingCopyOpen());

  prompter.Answer(Answer::Yes);
  EXPECT_EQ(flows::NewSystem(ctx, "Fresh", true), flows::NewResult::Created);
  EXPECT_NE(game.ReadDescriptor("Trio").find("Message1=edit"), std::string::npos);
  EXPECT_FALSE(store.IsWorkingCopyOpen());
  EXPECT_EQ(game.ReadDescriptor("Fresh"),
            CrLf({"[General]", "PlanetPics = ", "Messages = ", "", ";SolarSystem", ";\"Fresh               \",0,0"}));
}

TEST_F(WorkingCopyTest, NewSystemFromTheCatalogue) {
  game.Write("SOLARSYS.TXT", "\"Vega\",2,2\r\n400,2,0,0,1,0\r\n450,3,0,0,2,0\r\n");
  EXPECT_EQ(flows::NewSystem(ctx, "2Vega", false), flows::NewResult::Created);
  EXPECT_EQ(record.Name, "2Vega");
  EXPECT_EQ(game.ReadDescriptor("2Vega"),
            CrLf({"[General]", "PlanetPics = NN", "Messages = NN", "", ";SolarSystem",
                  ";\"Vega                \",2,2", ";400,2,0,0,1,0", ";450,3,0,0,2,0"}));
}

TEST_F(WorkingCopyTest, DeleteSystemTakesItsOwnPicturesOnly) {
  for (auto f : {"Trio.bmp", "TrioSun.bmp", "Trio3.avi", "Trio10.avi", "Triomphe.bmp", "Triomphe1.avi", "Other.bmp"})
    game.Write(std::string("PICTURES/") + f, "x");
  prompter.Answer(Answer::No).Answer(Answer::Yes);
  EXPECT_FALSE(flows::DeleteSystem(ctx, "Trio"));
  EXPECT_TRUE(game.Exists("ZMDescriptor/Trio.zmd"));
  EXPECT_TRUE(flows::DeleteSystem(ctx, "Trio"));
  EXPECT_EQ(prompter.Calls()[0].text, "Are you sure you want to delete Trio?");
  EXPECT_EQ(prompter.Calls()[0].defaultButton, 2);
  EXPECT_FALSE(game.Exists("ZMDescriptor/Trio.zmd"));
  EXPECT_FALSE(game.Exists("ZMDescriptor/Trio.edt"));
  for (auto f : {"Trio.bmp", "TrioSun.bmp", "Trio3.avi", "Trio10.avi"}) EXPECT_FALSE(game.Exists(std::string("PICTURES/") + f)) << f;
  for (auto f : {"Triomphe.bmp", "Triomphe1.avi", "Other.bmp"}) EXPECT_TRUE(game.Exists(std::string("PICTURES/") + f)) << f;
}

// The game runs under Wine, which keeps a Windows program's file names in UTF-8: the code-page
// name "\xC6r\xF8" must be the file "\xC3\x86r\xC3\xB8.zmd" on disk, while the bytes inside stay 1252.
TEST_F(WorkingCopyTest, FileNamesOnDiskAreTheUtf8FormOfTheCodePageName) {
  const std::string name = "\xC6r\xF8";
  const std::string disk = "\xC3\x86r\xC3\xB8";
  pictures.customStar = true;
  ASSERT_EQ(flows::NewSystem(ctx, name, true), flows::NewResult::Created);
  EXPECT_NE(game.ReadDescriptor(disk).find(";\"\xC6r\xF8                 \",0,0"), std::string::npos);
  EXPECT_EQ(store.ListSystems(".zmd").size(), 2u);
  EXPECT_TRUE(std::ranges::count(store.ListSystems(".zmd"), name));

  store.OpenWorkingCopy(name, prompter);
  store.LoadSystem(name, record);
  EXPECT_EQ(record.Name, name);
  EXPECT_TRUE(game.Exists("ZMDescriptor/" + disk + ".edt"));
  store.SetPlanetName(record, 0, "\xC6r\xF8 Prime");
  EXPECT_TRUE(store.IsModified(record));
  flows::SaveSystem(ctx);
  EXPECT_NE(game.ReadDescriptor(disk).find("S=\xC6r\xF8 Prime\r\n"), std::string::npos);
  EXPECT_EQ(game.Read("PICTURES/" + disk + "Sun.bmp"), "star");

  prompter.Reply(name + " II");
  ASSERT_EQ(flows::SaveSystemAs(ctx, {"Trio", name}), name + " II");
  EXPECT_TRUE(game.Exists("ZMDescriptor/" + disk + " II.zmd"));
  EXPECT_TRUE(game.Exists("ZMDescriptor/" + disk + " II.edt"));
  EXPECT_EQ(game.Read("PICTURES/" + disk + " IISun.bmp"), "star");
  EXPECT_TRUE(game.Exists("ZMDescriptor/" + disk + ".zmd"));

  prompter.Answer(Answer::Yes);
  ASSERT_TRUE(flows::DeleteSystem(ctx, name + " II"));
  EXPECT_FALSE(game.Exists("ZMDescriptor/" + disk + " II.zmd"));
  EXPECT_FALSE(game.Exists("ZMDescriptor/" + disk + " II.edt"));
  EXPECT_FALSE(game.Exists("PICTURES/" + disk + " IISun.bmp"));
  EXPECT_TRUE(game.Exists("PICTURES/" + disk + "Sun.bmp"));
  // No file took the raw code-page bytes as its name.
  for (const auto& folder : {game.Descriptors(), game.Pictures()}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      EXPECT_TRUE(platform::Utf8ToCp1252Exact(entry.path().filename().string())) << entry.path();
    }
  }
}

TEST_F(WorkingCopyTest, ExitAsksOnlyWhenModified) {
  EXPECT_TRUE(flows::ExitProgram(ctx));  // clean: no question, working copy gone
  EXPECT_FALSE(game.Exists("ZMDescriptor/Trio.edt"));
  Open();
  store.WriteKey("Trio", "2", "Message1", "maybe");
  prompter.Answer(Answer::Cancel).Answer(Answer::No);
  EXPECT_FALSE(flows::ExitProgram(ctx));
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(flows::ExitProgram(ctx));
  EXPECT_EQ(prompter.Calls()[0].text, "Do you want to save before exiting?");
  EXPECT_EQ(game.ReadDescriptor("Trio"), kThree);
}

}  // namespace
}  // namespace zelmora::store
