#include "editor/frm_pictures_images.h"
#include "editor/planet_pictures.h"

#include "store/system_flows.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/picture_files.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "tests/support/test_application.h"
#include "ui/platform/file_rules.h"

#include <gtest/gtest.h>

#include <functional>

namespace zelmora::editor {
namespace {

using platform::Answer;
using testing::MiddleColour;
using testing::TempGameFolder;
using testing::WritePicture;

// A system of three planets, opened as the editor opens it, with its pictures in memory.
class PlanetPicturesTest : public ::testing::Test {
 protected:
  PlanetPicturesTest() {
    testing::App();
    store::SolarSystemRecord r;
    store::InitCustomSystem(r, "Trio", "Trio");
    r.PlanetCount = 3;
    for (int i = 1; i <= 3; ++i) r.Planet(i) = {static_cast<std::int16_t>(400 + 100 * i), 2, 0, 0, 1, 0, 0};
    game.WriteDescriptor("Trio", store::NewDescriptorText(r));
    store.OpenWorkingCopy("Trio", prompter);
    store.LoadSystem("Trio", record);
    model.SetChanged([this] {
      ++changes;
      store::flows::PicturesChanged(ctx);
    });
    model.LoadSystemPictures();
  }
  ~PlanetPicturesTest() override {
    if (store.IsWorkingCopyOpen()) store.CloseWorkingCopy(record, false);
  }

  // New on planet n with a picture of one colour.
  void Give(int n, QColor colour, QSize size = {40, 30}) {
    prompter.Reply(WritePicture(files.Path() / ("p" + std::to_string(++made) + ".png"), colour, size).string());
    model.Open(n);
    model.New();
  }
  std::string Flags() const { return store.ReadKey("Trio", "General", "PlanetPics", ""); }
  fs::path Strip() const { return game.Pictures() / "Trio.bmp"; }
  // The strip as written, cut again into its three cells.
  QtPlanetImages Reread() const {
    QtPlanetImages again;
    again.LoadStrip(Strip(), 3);
    return again;
  }

  testing::DemoGameFolder game;
  TempGameFolder files{false};
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  testing::ScriptedPrompter prompter;
  testing::MemorySettingsStore settings;
  testing::FakeProcessRunner runner;
  QtPlanetImages images;
  PlanetPictures model{store, record, images, {prompter, settings, runner, files.Path() / "scratch", ""}};
  testing::ModelPictures pictures{model};
  store::flows::SystemContext ctx{store, record, prompter, pictures};
  int changes = 0;
  int made = 0;
};

TEST_F(PlanetPicturesTest, AStripWithOnlyPlanetTwoPicturedRoundTrips) {
  Give(2, Qt::red);
  EXPECT_EQ(model.Screen().shown, PictureShown::Picture);
  EXPECT_TRUE(model.Screen().custom);
  EXPECT_EQ(Flags(), "NYN");
  EXPECT_TRUE(model.Dirty());
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(store.IsModified(record));

  store::flows::SaveSystem(ctx);
  EXPECT_FALSE(model.Dirty());
  EXPECT_FALSE(store.IsModified(record));
  QImage strip(QString::fromStdString(Strip().string()));
  EXPECT_EQ(strip.size(), QSize(3 * kPictureCellPixels, kPictureCellPixels));

  // The next opening of the system finds the picture on planet 2 and none on 1 and 3.
  QtPlanetImages reopened;
  PlanetPictures again(store, record, reopened, {prompter, settings, runner, files.Path(), ""});
  again.LoadSystemPictures();
  EXPECT_EQ(again.PictureCount(), 1);
  EXPECT_FALSE(MiddleColour(reopened, 1));
  EXPECT_EQ(MiddleColour(reopened, 2), QColor(Qt::red));
  EXPECT_FALSE(MiddleColour(reopened, 3));
  // Saved at its own size, centred in the cell: the cell's corner is space.
  EXPECT_EQ(QColor(reopened.Picture(1).pixel(0, 0)), QColor(Qt::black));
}

TEST_F(PlanetPicturesTest, OnlyTheLastPlanetPicturedStillGetsItsStrip) {
  Give(3, Qt::blue);
  store::flows::SaveSystem(ctx);
  ASSERT_TRUE(platform::FileExists(Strip()));
  auto again = Reread();
  EXPECT_FALSE(MiddleColour(again, 1));
  EXPECT_FALSE(MiddleColour(again, 2));
  EXPECT_EQ(MiddleColour(again, 3), QColor(Qt::blue));
}

TEST_F(PlanetPicturesTest, APictureLargerThanItsCellIsCutToTheCell) {
  Give(2, Qt::white, {400, 300});
  store::flows::SaveSystem(ctx);
  auto again = Reread();
  EXPECT_FALSE(MiddleColour(again, 1));
  EXPECT_FALSE(MiddleColour(again, 3));
  EXPECT_EQ(again.Picture(1).size(), QSize(kPictureCellPixels, kPictureCellPixels));
}

TEST_F(PlanetPicturesTest, RemovingTheLastPictureAndSavingDeletesTheStripFiles) {
  Give(1, Qt::green);
  store::flows::SaveSystem(ctx);
  game.Write("PICTURES/Trio.gif", "an older strip");
  game.Write("PICTURES/Trio2.avi", "an animation");
  game.Write("PICTURES/Trios.bmp", "another system's strip");

  model.Open(1);
  prompter.Answer(Answer::No);
  model.Remove();
  EXPECT_EQ(model.PictureCount(), 1);
  prompter.Answer(Answer::Yes);
  model.Remove();
  ASSERT_EQ(prompter.Calls().size(), 3u);  // the file chooser, then the two questions
  for (int i : {1, 2}) {
    EXPECT_EQ(prompter.Calls()[i].text, "Are you sure you want to remove this picture?");
    EXPECT_EQ(prompter.Calls()[i].title, "Confirmation");
    EXPECT_EQ(prompter.Calls()[i].buttons, platform::Buttons::YesNo);
  }
  EXPECT_EQ(model.PictureCount(), 0);
  EXPECT_EQ(model.Screen().shown, PictureShown::NoPicture);
  EXPECT_FALSE(model.Screen().removeEnabled);
  EXPECT_EQ(Flags(), "NNN");
  EXPECT_TRUE(store.IsModified(record));

  store::flows::SaveSystem(ctx);
  EXPECT_FALSE(game.Exists("PICTURES/Trio.bmp"));
  EXPECT_FALSE(game.Exists("PICTURES/Trio.gif"));
  EXPECT_TRUE(game.Exists("PICTURES/Trio2.avi"));
  EXPECT_TRUE(game.Exists("PICTURES/Trios.bmp"));
}

TEST_F(PlanetPicturesTest, SavingTwiceWithoutAChangeWritesTheStripOnce) {
  Give(2, Qt::red);
  EXPECT_TRUE(model.SavePictures(Strip()));
  const auto old = *platform::ModificationTime(Strip()) - std::chrono::seconds(10);
  platform::SetModificationTime(Strip(), old);
  EXPECT_FALSE(model.HasPicturesToStore());
  EXPECT_FALSE(model.SavePictures(Strip()));
  store::flows::StorePictures(ctx);
  EXPECT_EQ(platform::ModificationTime(Strip()), old);
}

TEST_F(PlanetPicturesTest, SwappingPlanetsOneAndThreeExchangesTheirPicturesAndMustBeSaved) {
  Give(1, Qt::red);
  Give(2, Qt::green);
  Give(3, Qt::blue);
  store::flows::SaveSystem(ctx);
  ASSERT_FALSE(store.IsModified(record));

  store::flows::ExchangePlanets(ctx, 1, 3);
  EXPECT_EQ(MiddleColour(images, 1), QColor(Qt::blue));
  EXPECT_EQ(MiddleColour(images, 2), QColor(Qt::green));
  EXPECT_EQ(MiddleColour(images, 3), QColor(Qt::red));
  // The strip on disk is in the old order until it is written again.
  EXPECT_TRUE(model.HasPicturesToStore());
  store::flows::SaveSystem(ctx);
  auto again = Reread();
  EXPECT_EQ(MiddleColour(again, 1), QColor(Qt::blue));
  EXPECT_EQ(MiddleColour(again, 3), QColor(Qt::red));
}

TEST_F(PlanetPicturesTest, InsertAndDeleteCarryThePicturesWithTheirPlanets) {
  Give(2, Qt::red);
  store::flows::SaveSystem(ctx);
  ASSERT_EQ(store::flows::InsertPlanet(ctx, 1), store::flows::AddResult::Added);
  ASSERT_EQ(record.PlanetCount, 4);
  EXPECT_EQ(images.Count(), 4);
  EXPECT_FALSE(MiddleColour(images, 2));
  EXPECT_EQ(MiddleColour(images, 3), QColor(Qt::red));
  // Four planets, four cells: the strip must be written again.
  store::flows::SaveSystem(ctx);
  EXPECT_EQ(QImage(QString::fromStdString(Strip().string())).width(), 4 * kPictureCellPixels);

  store::flows::DeletePlanet(ctx, 2);
  EXPECT_EQ(images.Count(), 3);
  EXPECT_EQ(MiddleColour(images, 2), QColor(Qt::red));
  store::flows::SaveSystem(ctx);
  EXPECT_EQ(MiddleColour(Reread(), 2), QColor(Qt::red));
}

TEST_F(PlanetPicturesTest, EditHandsThePictureToThePaintProgramAndKeepsWhatItSaved) {
  const auto program = game.Write("paint.sh", "#!/bin/sh\n");
  platform::options::PaintProgram.Write(settings, program.string());
  fs::create_directories(files.Path() / "scratch");
  Give(2, Qt::red);
  store::flows::SaveSystem(ctx);
  const fs::path scratch = files.Path() / "scratch" / "Planet2.bmp";
  QColor handedOver;
  runner.onStart = [&] {
    handedOver = QImage(QString::fromStdString(scratch.string())).pixel(20, 15);
    WritePicture(scratch, Qt::yellow);
    platform::SetModificationTime(scratch, *platform::ModificationTime(scratch) + std::chrono::seconds(2));
  };
  model.Open(2);
  model.Edit();
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_EQ(runner.started[0].commandLine, program.string() + " " + scratch.string());
  EXPECT_TRUE(runner.started[0].waited);
  EXPECT_EQ(handedOver, QColor(Qt::red));
  EXPECT_EQ(MiddleColour(images, 2), QColor(Qt::yellow));
  EXPECT_TRUE(model.Dirty());
  EXPECT_TRUE(store.IsModified(record));
  EXPECT_FALSE(platform::FileExists(scratch));

  // A program that leaves the file as it was changes nothing.
  store::flows::SaveSystem(ctx);
  const int before = changes;
  runner.onStart = nullptr;
  model.Edit();
  EXPECT_EQ(runner.started.size(), 2u);
  EXPECT_EQ(MiddleColour(images, 2), QColor(Qt::yellow));
  EXPECT_FALSE(model.Dirty());
  EXPECT_EQ(changes, before);
  EXPECT_FALSE(platform::FileExists(scratch));
}

// The warning is given exactly for the pictures that the saved strip gives back as none.
TEST_F(PlanetPicturesTest, APictureThatWouldReadBackAsNoneIsWarnedAbout) {
  prompter.AcceptOkBoxes();
  const auto picture = [&](const std::string& name, QSize size, const std::function<void(QImage&)>& paint) {
    QImage image(size, QImage::Format_ARGB32);
    paint(image);
    const fs::path file = files.Path() / name;
    image.save(QString::fromStdString(file.string()));
    return file;
  };
  const struct {
    const char* name;
    fs::path file;
    bool warned;
  } cases[] = {
      {"black", picture("black.png", {40, 30}, [](QImage& i) { i.fill(Qt::black); }), true},
      {"transparent red", picture("clear.png", {40, 30}, [](QImage& i) { i.fill(QColor(255, 0, 0, 0)); }), true},
      {"colour only beyond the cell",
       picture("wide.png", {400, 30}, [](QImage& i) {
         i.fill(Qt::black);
         i.setPixel(2, 15, qRgb(255, 255, 255));
       }),
       true},
      {"nearly black", picture("dark.png", {40, 30}, [](QImage& i) { i.fill(QColor(0, 0, 1)); }), false},
      {"one bright pixel", picture("dot.png", {40, 30}, [](QImage& i) {
         i.fill(Qt::black);
         i.setPixel(20, 15, qRgb(200, 0, 0));
       }),
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = prompter.Calls().size();
    prompter.Reply(c.file.string());
    model.Open(2);
    model.New();
    ASSERT_TRUE(images.HasPicture(1));
    const bool warned = prompter.Calls().size() > before + 1 && prompter.Calls().back().text == kBlackPictureWarning;
    EXPECT_EQ(warned, c.warned);
    store::flows::SaveSystem(ctx);
    EXPECT_EQ(!Reread().HasPicture(1), c.warned);
  }

  // A picture painted black in the paint program is warned about too.
  const auto program = game.Write("paint.sh", "#!/bin/sh\n");
  platform::options::PaintProgram.Write(settings, program.string());
  fs::create_directories(files.Path() / "scratch");
  const fs::path scratch = files.Path() / "scratch" / "Planet2.bmp";
  runner.onStart = [&] {
    WritePicture(scratch, Qt::black);
    platform::SetModificationTime(scratch, *platform::ModificationTime(scratch) + std::chrono::seconds(2));
  };
  model.Open(2);
  model.Edit();
  EXPECT_EQ(prompter.Calls().back().text, kBlackPictureWarning);
}

TEST_F(PlanetPicturesTest, EditWithoutAPaintProgramSaysWhatWasLookedFor) {
  Give(1, Qt::red);
  prompter.AcceptOkBoxes();
  model.Edit();
  EXPECT_EQ(prompter.Texts().back(), "Cannot find the program 'kolourpaint, mtpaint, pinta or gimp'.");
  EXPECT_TRUE(runner.started.empty());
}

TEST_F(PlanetPicturesTest, UseCustomPictureNeedsAPictureOfThePlanet) {
  model.Open(1);
  EXPECT_EQ(model.Screen().shown, PictureShown::NoPicture);
  model.SetCustom(true);
  EXPECT_FALSE(model.Screen().custom);
  EXPECT_EQ(Flags(), "NNN");
  Give(1, Qt::red);
  EXPECT_EQ(Flags(), "YNN");
  model.SetCustom(false);
  EXPECT_EQ(Flags(), "NNN");
  EXPECT_FALSE(model.Screen().custom);
  model.SetCustom(true);
  EXPECT_EQ(Flags(), "YNN");
}

TEST_F(PlanetPicturesTest, RemoveAllAsksAndLeavesTheAnimations) {
  Give(1, Qt::red);
  Give(3, Qt::blue);
  game.Write("PICTURES/Trio3.avi", "an animation");
  model.Open(1);
  EXPECT_TRUE(model.Screen().removeAllEnabled);
  prompter.Answer(Answer::No);
  model.RemoveAll();
  EXPECT_EQ(model.PictureCount(), 2);
  prompter.Answer(Answer::Yes);
  model.RemoveAll();
  const auto& asked = prompter.Calls().back();
  EXPECT_EQ(asked.text,
            "Are you sure you want to remove all pictures for this system?\r\nNOTE: Animations will not be removed.");
  EXPECT_EQ(asked.title, "Confirmation");
  EXPECT_EQ(asked.icon, platform::Icon::Question);
  EXPECT_EQ(model.PictureCount(), 0);
  EXPECT_FALSE(model.Screen().removeAllEnabled);
  EXPECT_TRUE(game.Exists("PICTURES/Trio3.avi"));
  // Planet 1 has nothing of its own left to show; planet 3 still has its animation.
  EXPECT_EQ(Flags(), "NNY");
}

TEST_F(PlanetPicturesTest, AnAnimationIsShownInsteadOfThePicture) {
  game.Write("PICTURES/Trio2.avi", "an animation");
  model.Open(2);
  EXPECT_EQ(model.Screen().shown, PictureShown::Animation);
  EXPECT_EQ(model.Screen().animation, game.Pictures() / "Trio2.avi");
  EXPECT_TRUE(model.Screen().newEnabled);
  EXPECT_FALSE(model.Screen().editEnabled);
  EXPECT_TRUE(model.Screen().removeEnabled);

  // New on it asks to remove the animation; No keeps it in front of the new picture.
  prompter.Answer(Answer::No);
  Give(2, Qt::red);
  EXPECT_EQ(model.PictureCount(), 1);
  EXPECT_EQ(model.Screen().shown, PictureShown::Animation);
  prompter.Answer(Answer::Yes);
  model.Remove();
  EXPECT_FALSE(game.Exists("PICTURES/Trio2.avi"));
  EXPECT_EQ(model.Screen().shown, PictureShown::Picture);
}

TEST_F(PlanetPicturesTest, TheScrollBarReachesEveryPlanetAndTheNamesFollowTheStore) {
  model.Open(7);
  EXPECT_EQ(model.Screen().planet, 3);
  EXPECT_EQ(model.Screen().planets, 3);
  EXPECT_EQ(model.Screen().name, "Planet 3");
  store.SetPlanetName(record, 2, "Verdance");
  model.ShowPlanet(2);
  EXPECT_EQ(model.Screen().name, "Verdance");
  // A stored name holding "XXX" reads as a default one.
  for (const char* stored : {"XXX", "Outpost XXX-7", "The XXXth"}) {
    store.SetPlanetName(record, 3, stored);
    model.ShowPlanet(3);
    EXPECT_EQ(model.Screen().name, "Planet 3") << stored;
  }
  model.ShowPlanet(2);
  EXPECT_FALSE(model.Screen().editEnabled);
  EXPECT_FALSE(model.Screen().removeEnabled);
  model.Close();
  EXPECT_EQ(model.Screen().planet, 1);
}

TEST_F(PlanetPicturesTest, UnreadableFilesChangeNothing) {
  Give(1, Qt::red);
  prompter.Reply(files.Write("not a picture.bmp", "text").string());
  model.Open(1);
  model.New();
  EXPECT_EQ(MiddleColour(images, 1), QColor(Qt::red));
  prompter.Reply(std::nullopt);
  model.New();
  EXPECT_EQ(model.PictureCount(), 1);

  // Opened afresh: no unsaved pictures wait beside the working copy, only the damaged strip.
  fs::remove(store.WorkingPicturesPath("Trio"));
  game.Write("PICTURES/Trio.bmp", "a damaged strip");
  model.LoadSystemPictures();
  EXPECT_EQ(images.Count(), 3);
  EXPECT_EQ(model.PictureCount(), 0);
  EXPECT_FALSE(model.Dirty());
}

TEST_F(PlanetPicturesTest, PicturesChangedInMemoryAreProtectedByTheExitQuestion) {
  Give(2, Qt::red);
  prompter.Answer(Answer::Yes);
  EXPECT_TRUE(store::flows::ExitProgram(ctx));
  EXPECT_EQ(prompter.Calls().back().text, "Do you want to save before exiting?");
  EXPECT_EQ(MiddleColour(Reread(), 2), QColor(Qt::red));
  EXPECT_EQ(store::DescriptorStore(game.Path()).ReadKey("Trio", "General", "PlanetPics", ""), "NYN");
}

TEST_F(PlanetPicturesTest, SaveAsTakesThePicturesToTheNewName) {
  Give(2, Qt::red);
  store::flows::SaveSystem(ctx);
  prompter.Reply("Quartet");
  ASSERT_EQ(store::flows::SaveSystemAs(ctx, {"Trio"}), std::optional<std::string>("Quartet"));
  EXPECT_TRUE(game.Exists("PICTURES/Quartet.bmp"));
  EXPECT_TRUE(game.Exists("PICTURES/Trio.bmp"));
  store.CloseWorkingCopy(record, false);
}

// A name beyond ASCII: code-page text in memory, UTF-8 file names on disk, as for the descriptor.
TEST(PlanetPictureNames, ASystemNamedBeyondAsciiKeepsItsPicturesUnderItsUtf8Names) {
  testing::App();
  testing::DemoGameFolder game;
  TempGameFolder files(false);
  const std::string name = "\xC6r\xF8";
  const std::string onDisk = "\xC3\x86r\xC3\xB8";
  game.Write("ZMDescriptor/" + onDisk + ".zmd", game.ReadDescriptor("4Tessaly"));
  game.Write("PICTURES/" + onDisk + "4.avi", "an animation");
  store::DescriptorStore store(game.Path());
  store::SolarSystemRecord record;
  testing::ScriptedPrompter prompter;
  testing::MemorySettingsStore settings;
  testing::FakeProcessRunner runner;
  QtPlanetImages images;
  PlanetPictures model(store, record, images, {prompter, settings, runner, files.Path(), ""});
  testing::ModelPictures pictures(model);
  store::flows::SystemContext ctx{store, record, prompter, pictures};
  store.OpenWorkingCopy(name, prompter);
  store.LoadSystem(name, record);
  model.LoadSystemPictures();
  model.Open(4);
  EXPECT_EQ(model.Screen().shown, PictureShown::Animation);

  prompter.Reply(WritePicture(files.Path() / "p.png", Qt::red).string());
  model.Open(1);
  model.New();
  store::flows::SaveSystem(ctx);
  EXPECT_TRUE(game.Exists("PICTURES/" + onDisk + ".bmp"));

  QtPlanetImages reopened;
  PlanetPictures again(store, record, reopened, {prompter, settings, runner, files.Path(), ""});
  again.LoadSystemPictures();
  EXPECT_EQ(MiddleColour(reopened, 1), QColor(Qt::red));
  store.CloseWorkingCopy(record, false);
}

}  // namespace
}  // namespace zelmora::editor
