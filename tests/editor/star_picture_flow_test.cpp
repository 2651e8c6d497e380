#include "editor/star_picture_flow.h"
#include "editor/stock_star_pictures.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "ui/platform/file_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace zelmora::editor {
namespace {

using platform::Answer;
using testing::MemorySettingsStore;
using testing::ScriptedPrompter;
using testing::TempGameFolder;

// The star picture as a name and a size, so that the flow's decisions can be followed.
class FakeStar : public StarPictureHost {
 public:
  std::string shown = "stock";
  bool custom = false;
  std::string backup;
  int redraws = 0;
  std::map<fs::path, Size> readable;  // files LoadPicture can read, with their sizes

  bool HasCustomPicture() const override { return custom; }
  void BackupPicture() override { backup = shown; }
  void RestoreBackup(bool wasCustom) override {
    shown = backup;
    custom = wasCustom;
    ++redraws;
  }
  void ShowStockPicture() override {
    shown = "stock";
    custom = false;
    ++redraws;
  }
  bool SavePicture(const fs::path& file) override {
    testing::TempGameFolder::WriteFile(file, shown);
    return true;
  }
  std::optional<Size> LoadPicture(const fs::path& file) override {
    auto it = readable.find(file);
    if (it == readable.end()) return std::nullopt;
    shown = file.filename().string();
    return it->second;
  }
  void MarkCustom() override {
    custom = true;
    ++redraws;
  }
};

struct Flow {
  Flow() {
    program = game.Write("paint.sh", "#!/bin/sh\n");
    settings.Set("Zelmora", "Options", "Paint Program", program.string());
    scratch = game.Path() / "StarPic.bmp";
  }
  StarPictureResult Run() {
    StarPictureServices services{prompter, settings, runner, scratch, game.Pictures()};
    return EditStarPicture(star, services);
  }
  // The paint program saves a picture of the given size.
  void PaintsPicture(StarPictureHost::Size size) {
    runner.onStart = [this] {
      platform::SetModificationTime(scratch, *platform::ModificationTime(scratch) + std::chrono::seconds(2));
    };
    star.readable[scratch] = size;
  }

  TempGameFolder game;
  ScriptedPrompter prompter;
  MemorySettingsStore settings;
  FakeStar star;
  fs::path program;
  fs::path scratch;
  testing::FakeProcessRunner runner;
};

TEST(StarPictureFlow, APaintedSixteenBySixteenPictureBecomesTheCustomPicture) {
  Flow f;
  f.PaintsPicture({16, 16});
  f.prompter.Answer(Answer::Yes);
  EXPECT_EQ(f.Run(), StarPictureResult::Custom);
  EXPECT_EQ(f.prompter.Calls()[0].text,
            "Do you want to make a new star picture?\r\nChoose 'No' to browse to a saved star picture.");
  ASSERT_EQ(f.runner.started.size(), 1u);
  EXPECT_EQ(f.runner.started[0].commandLine, f.program.string() + " " + f.scratch.string());
  EXPECT_TRUE(f.runner.started[0].waited);
  EXPECT_TRUE(f.star.custom);
  EXPECT_EQ(f.star.shown, "StarPic.bmp");
  EXPECT_FALSE(platform::FileExists(f.scratch));
}

TEST(StarPictureFlow, AnUnchangedScratchFileLeavesThePictureAsItWas) {
  Flow f;
  f.star.custom = true;
  f.star.shown = "own";
  f.prompter.Answer(Answer::Yes);
  EXPECT_EQ(f.Run(), StarPictureResult::Unchanged);
  EXPECT_EQ(f.prompter.Calls()[0].text,
            "Do you want to edit the star picture?\r\nChoose 'No' to delete the current star picture.");
  EXPECT_EQ(f.runner.started.size(), 1u);
  EXPECT_TRUE(f.star.custom);
  EXPECT_EQ(f.star.shown, "own");
  EXPECT_FALSE(platform::FileExists(f.scratch));
}

TEST(StarPictureFlow, APictureOfAnotherSizeIsRefusedAndTheOldOneComesBack) {
  Flow f;
  f.star.custom = true;
  f.star.shown = "own";
  f.PaintsPicture({32, 16});
  f.prompter.Answer(Answer::Yes).AcceptOkBoxes();
  EXPECT_EQ(f.Run(), StarPictureResult::WrongSize);
  EXPECT_EQ(f.prompter.Calls().back().text,
            "The picture must be 16 x 16 pixels in size to\r\nbe used for a star picture.");
  EXPECT_EQ(f.star.shown, "own");
  EXPECT_TRUE(f.star.custom);
  EXPECT_FALSE(platform::FileExists(f.scratch));
}

TEST(StarPictureFlow, AMissingPaintProgramIsNamedAndNothingChanges) {
  Flow f;
  f.settings.Set("Zelmora", "Options", "Paint Program", (f.game.Path() / "nowhere.exe").string());
  f.prompter.Answer(Answer::Yes).AcceptOkBoxes();
  EXPECT_EQ(f.Run(), StarPictureResult::MissingProgram);
  EXPECT_EQ(f.prompter.Calls().back().text, "Cannot find the program '" + (f.game.Path() / "nowhere.exe").string() + "'.");
  EXPECT_TRUE(f.runner.started.empty());
  EXPECT_EQ(f.star.shown, "stock");
}

TEST(StarPictureFlow, NoOnACustomPictureGoesBackToTheStockPicture) {
  Flow f;
  f.star.custom = true;
  f.prompter.Answer(Answer::No);
  EXPECT_EQ(f.Run(), StarPictureResult::Stock);
  EXPECT_FALSE(f.star.custom);
  f.prompter.Answer(Answer::Cancel);
  f.star.custom = true;
  EXPECT_EQ(f.Run(), StarPictureResult::Unchanged);
  EXPECT_TRUE(f.star.custom);
}

TEST(StarPictureFlow, BrowsingKeepsOnlySixteenBySixteenPictures) {
  Flow f;
  fs::path good = f.game.Pictures() / "good.bmp";
  fs::path big = f.game.Pictures() / "big.gif";
  f.star.readable[good] = {16, 16};
  f.star.readable[big] = {64, 64};

  f.prompter.Answer(Answer::No).Reply(big.string()).AcceptOkBoxes();
  EXPECT_EQ(f.Run(), StarPictureResult::WrongSize);
  const auto& chooser = f.prompter.Calls()[1];
  EXPECT_EQ(chooser.title, "Choose Picture");
  EXPECT_EQ(chooser.defaultValue, f.game.Pictures().string());
  EXPECT_EQ(f.star.shown, "stock");
  EXPECT_FALSE(f.star.custom);

  f.prompter.Answer(Answer::No).Reply(std::nullopt);
  EXPECT_EQ(f.Run(), StarPictureResult::Unchanged);
  f.prompter.Answer(Answer::No).Reply((f.game.Pictures() / "unreadable.jpg").string());
  EXPECT_EQ(f.Run(), StarPictureResult::Unchanged);
  EXPECT_EQ(f.star.shown, "stock");

  f.prompter.Answer(Answer::No).Reply(good.string());
  EXPECT_EQ(f.Run(), StarPictureResult::Custom);
  EXPECT_EQ(f.star.shown, "good.bmp");
  EXPECT_TRUE(f.star.custom);
  EXPECT_TRUE(f.runner.started.empty());
}

TEST(StarPictureFlow, ChooserFilterKeepsTheDescriptionsAndTakesBothLetterCases) {
  EXPECT_EQ(ChooserFilter(kPictureFilter),
            "All Pictures (*.BMP *.bmp *.GIF *.gif *.JPG *.jpg);;Bitmap (*.bmp) (*.BMP *.bmp);;"
            "JPEG Images (*.jpg) (*.JPG *.jpg);;CompuServe Bitmap (*.gif) (*.GIF *.gif);;All Files (*.*) (*)");
}

TEST(StockStarPictures, EightDistinctOpaquePicturesSideBySideInTheStrip) {
  std::set<StarPixels> distinct;
  auto strip = StockStarStrip();
  ASSERT_EQ(strip.size(), 128u * 16u);
  for (int t = 0; t < kStarTypes; ++t) {
    StarPixels cell = StockStarPicture(t);
    distinct.insert(cell);
    int lit = 0;
    for (std::uint32_t p : cell) {
      EXPECT_EQ(p >> 24, 0xFFu);
      lit += (p & 0xFFFFFF) != 0;
    }
    EXPECT_GT(lit, 20) << "type " << t;
    EXPECT_EQ(strip[static_cast<std::size_t>(7 * 128 + t * 16 + 8)], cell[7 * 16 + 8]);
  }
  EXPECT_EQ(distinct.size(), 8u);
  EXPECT_EQ(StockStarPicture(9), StockStarPicture(7));
}

}  // namespace
}  // namespace zelmora::editor
