// Every flow that rewrites or copies files, killed at random moments in a child process: what is
// left on disk is always a whole descriptor (or a whole copy), the old one or the new one.
#include "store/descriptor_store.h"
#include "store/profile_file.h"
#include "store/text_lines.h"
#include "tests/store/crash_writer/kill_points.h"
#include "tests/store/crash_writer/text_pictures.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/scripted_prompter.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace zelmora::store {
namespace {

namespace fs = std::filesystem;
using testing::CrLf;

struct Whole {
  int count = 0;
  std::vector<int> stateValues;  // the sixth number of each planet line
};

struct Expect {
  bool sentinel = true;    // the descriptor has the key Sentinel=kept to keep
  bool flagsMatch = true;  // the flag strings are as long as the block's planet count
};

// What a reader needs of a descriptor: complete lines, the block intact, both flag strings of Y
// and N (as long as the block's planet count where a flow wrote them together), and the sentinel
// key when there is one to keep.
Whole ExpectWhole(const std::string& bytes, const std::string& what, Expect expect = {}) {
  Whole w;
  SCOPED_TRACE(what);
  EXPECT_FALSE(bytes.empty());
  EXPECT_TRUE(bytes.ends_with("\r\n")) << "torn last line";
  auto lines = SplitLines(bytes);
  EXPECT_TRUE(!lines.empty() && lines[0].text == "[General]");
  std::size_t block = 0;
  while (block < lines.size() && lines[block].text != ";SolarSystem") ++block;
  if (block + 1 >= lines.size()) {
    ADD_FAILURE() << "no system block";
    return w;
  }
  std::string header(lines[block + 1].text);
  w.count = std::stoi(header.substr(header.rfind(',') + 1));
  EXPECT_TRUE(w.count >= 0 && w.count <= kMaxPlanets);
  for (int i = 1; i <= w.count && block + 1 + static_cast<std::size_t>(i) < lines.size(); ++i) {
    std::string planet(lines[block + 1 + static_cast<std::size_t>(i)].text);
    EXPECT_TRUE(planet.starts_with(";"));
    EXPECT_EQ(std::count(planet.begin(), planet.end(), ','), 5) << planet;
    w.stateValues.push_back(std::stoi(planet.substr(planet.rfind(',') + 1)));
  }
  EXPECT_EQ(static_cast<int>(w.stateValues.size()), w.count);
  if (expect.sentinel) {
    EXPECT_EQ(ReadProfileValue(bytes, "General", "Sentinel", "lost"), "kept");
  }
  for (const char* key : {"PlanetPics", "Messages"}) {
    std::string flags = ReadProfileValue(bytes, "General", key, "lost");
    if (expect.flagsMatch) {
      EXPECT_EQ(static_cast<int>(flags.size()), w.count) << key << "=" << flags;
    }
    EXPECT_EQ(flags.find_first_not_of("YN"), std::string::npos) << key << "=" << flags;
  }
  return w;
}

std::string Descriptor(int planets) {
  std::vector<std::string> lines = {"[General]", "Sentinel=kept", "PlanetPics=" + std::string(planets, 'N'),
                                    "Messages=" + std::string(planets, 'N'), "", ";SolarSystem",
                                    ";\"Crash               \",0," + std::to_string(planets)};
  for (int k = 1; k <= planets; ++k) lines.push_back(";" + std::to_string(300 + 150 * k) + ",2,0,0,1," + std::to_string(k));
  lines.push_back("[Names]");
  for (int k = 1; k <= planets; ++k) lines.push_back(std::to_string(k) + "=P" + std::to_string(k));
  for (int k = 1; k <= planets; ++k) {
    lines.push_back("[" + std::to_string(k) + "]");
    lines.push_back("Id=" + std::to_string(k));
    lines.push_back("Message1=Planet " + std::to_string(k) + " speaks.");
  }
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// Starts the writer, lets it run into its loop, kills it after a random moment, and counts where
// the kills landed.
class Killer {
 public:
  Killer(std::string mode, std::vector<std::string> extra = {}) : mode_(std::move(mode)), extra_(std::move(extra)) {
    mark_ = testing::UniqueTempFolder("crash-mark") / "mark";
    std::ofstream(mark_, std::ios::binary) << std::string(64, '\0');
  }
  ~Killer() {
    std::error_code ec;
    fs::remove_all(mark_.parent_path(), ec);
  }

  void Round(const fs::path& folder) {
    WriteMark(crash::kStarting);
    std::vector<std::string> args = {CRASH_WRITER, mode_, folder.string(), mark_.string()};
    args.insert(args.end(), extra_.begin(), extra_.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, CRASH_WRITER, nullptr, nullptr, argv.data(), environ), 0);
    // Start-up is no kill point worth the time: wait for the first step of the loop.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ReadMark() == crash::kStarting && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(pause_(random_)));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended on its own";
    ++points_[crash::kKillPointNames.at(static_cast<std::size_t>(ReadMark()))];
  }

  // "save: 20 kills: Save 14, edit 6", printed and kept with the test's results.
  void Report() const {
    std::string text;
    int total = 0;
    for (const auto& [name, n] : points_) {
      text += (text.empty() ? "" : ", ") + name + " " + std::to_string(n);
      total += n;
    }
    text = std::to_string(total) + " kills: " + text;
    std::printf("[ kill points ] %s: %s\n", mode_.c_str(), text.c_str());
    ::testing::Test::RecordProperty("kill_points_" + mode_, text);
  }

 private:
  void WriteMark(int v) {
    std::fstream f(mark_, std::ios::in | std::ios::out | std::ios::binary);
    f.write(reinterpret_cast<const char*>(&v), sizeof v);
  }
  int ReadMark() const {
    int v = 0;
    std::ifstream(mark_, std::ios::binary).read(reinterpret_cast<char*>(&v), sizeof v);
    return v >= 0 && v < crash::kKillPointCount ? v : crash::kStarting;
  }

  std::string mode_;
  std::vector<std::string> extra_;
  fs::path mark_;
  std::mt19937 random_{12345};
  std::uniform_int_distribution<int> pause_{0, 40000};  // microseconds
  std::map<std::string, int> points_;
};

constexpr int kRounds = 20;

std::vector<fs::path> FilesEndingIn(const fs::path& folder, std::string_view extension) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(folder)) {
    if (e.path().filename().string().ends_with(extension) && !e.path().filename().string().starts_with(".")) {
      files.push_back(e.path());
    }
  }
  return files;
}

int RoundOf(const std::string& bytes) { return std::atoi(ReadProfileValue(bytes, "General", "Round", "0").c_str()); }

TEST(CrashSafety, DescriptorRewritesNeverLeaveATornDescriptor) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("store");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    // The primitives one by one: a planet appended is counted in the block by the next write.
    ExpectWhole(game.ReadDescriptor("Crash"), "round " + std::to_string(round), {.flagsMatch = false});
  }
  killer.Report();
}

TEST(CrashSafety, SaveLeavesTheSavedAndTheWorkingCopyWhole) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("save");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    const std::string saved = game.ReadDescriptor("Crash");
    ExpectWhole(saved, "Crash.zmd after kill " + std::to_string(round));
    if (game.Exists("ZMDescriptor/Crash.edt")) {
      const std::string working = game.ReadDescriptor("Crash", ".edt");
      ExpectWhole(working, "Crash.edt after kill " + std::to_string(round));
      // The working copy is the saved descriptor or a later edit of it, never an older one.
      EXPECT_LE(RoundOf(saved), RoundOf(working));
    }
  }
  killer.Report();
}

TEST(CrashSafety, SaveAsLeavesEveryDescriptorWhole) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("saveas");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    for (const char* extension : {".zmd", ".edt"}) {
      for (const auto& file : FilesEndingIn(game.Descriptors(), extension)) {
        ExpectWhole(testing::TempGameFolder::ReadFile(file), file.filename().string() + " after kill " + std::to_string(round));
      }
    }
    EXPECT_TRUE(game.Exists("ZMDescriptor/Crash.zmd"));  // Save As never touches the old descriptor
  }
  killer.Report();
}

TEST(CrashSafety, NewAndDeleteSystemLeaveWholeDescriptorsOrNone) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("delete");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    for (const char* extension : {".zmd", ".edt"}) {
      for (const auto& file : FilesEndingIn(game.Descriptors(), extension)) {
        ExpectWhole(testing::TempGameFolder::ReadFile(file), file.filename().string() + " after kill " + std::to_string(round),
                    {.sentinel = file.stem() == "Crash"});
      }
    }
    EXPECT_EQ(game.ReadDescriptor("Crash"), Descriptor(3));
  }
  killer.Report();
}

TEST(CrashSafety, PlanetEditsMoveNamesSectionsAndTheBlockTogether) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(4));
  Killer killer("planets");
  for (int round = 0; round < kRounds * 2 && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    const std::string what = "Crash.edt after kill " + std::to_string(round);
    const std::string working = game.ReadDescriptor("Crash", ".edt");
    const Whole w = ExpectWhole(working, what);
    // A planet's name and section belong to the planet the block has in that slot.
    for (int k = 1; k <= static_cast<int>(w.stateValues.size()); ++k) {
      const std::string id = std::to_string(w.stateValues[static_cast<std::size_t>(k - 1)]);
      const std::string name = ReadProfileValue(working, "Names", std::to_string(k), "");
      if (!name.empty()) {
        EXPECT_EQ(name, "P" + id) << what << ", planet " << k;
      }
      const std::string section = ReadProfileValue(working, std::to_string(k), "Id", "");
      if (!section.empty()) {
        EXPECT_EQ(section, id) << what << ", planet " << k;
      }
    }
    // Nothing beyond the last planet.
    EXPECT_EQ(ReadProfileValue(working, "Names", std::to_string(w.count + 1), "none"), "none") << what;
    EXPECT_FALSE(working.find("[" + std::to_string(w.count + 1) + "]") != std::string::npos) << what;
    EXPECT_EQ(game.ReadDescriptor("Crash"), Descriptor(4));  // no save: the descriptor stays
  }
  killer.Report();
}

TEST(CrashSafety, TheWizardWritesAWholeGridOrNone) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("wizard");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    const std::string what = "Crash.edt after kill " + std::to_string(round);
    const std::string working = game.ReadDescriptor("Crash", ".edt");
    ExpectWhole(working, what);
    const int wizardRound = std::atoi(ReadProfileValue(working, "General", "WizardRound", "0").c_str());
    if (wizardRound == 0) continue;
    const int width = 2 + wizardRound % 9;
    const int height = 2 + wizardRound % 7;
    for (int x = 1; x <= width; ++x) {
      for (int y = 1; y <= height; ++y) {
        // The wizard's room names: coordinates padded to the digits of the grid's size.
        auto pad = [](int v, int size) {
          std::string d = std::to_string(v);
          return std::string(std::to_string(size).size() - d.size(), '0') + d;
        };
        const std::string room = "Area" + pad(x, width) + pad(y, height);
        EXPECT_EQ(ReadProfileValue(working, "1", "Messages" + room, "missing"), "1") << what << ", " << room;
      }
    }
  }
  killer.Report();
}

// After each kill the editor is started again and Yes taken for the backup: every planet whose
// "Use Custom Picture" is on has its picture, and a strip once saved is never lost.
TEST(CrashSafety, PicturesComeBackWithTheBackupAndASavedStripIsNeverLost) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor(3));
  Killer killer("pictures");
  bool saved = false;
  for (int round = 0; round < kRounds * 2 && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    const std::string what = "after kill " + std::to_string(round);
    const fs::path strip = game.Pictures() / "Crash.bmp";
    if (saved || fs::exists(strip)) {
      saved = true;
      crash::TextPictures read;
      EXPECT_TRUE(read.LoadStrip(strip, 3)) << "the saved strip is gone or torn " << what;
    }

    DescriptorStore store(game.Path());
    SolarSystemRecord record;
    testing::ScriptedPrompter prompter;
    if (fs::exists(game.Descriptors() / "Crash.edt")) prompter.Answer(platform::Answer::Yes);
    testing::MemorySettingsStore settings;
    testing::FakeProcessRunner runner;
    crash::TextPictures images;
    editor::PlanetPictures model(store, record, images, {prompter, settings, runner, game.Path(), ""});
    store.OpenWorkingCopy("Crash", prompter);
    store.LoadSystem("Crash", record);
    model.LoadSystemPictures();
    for (int k = 1; k <= 3; ++k) {
      if (store.GetPlanetFlag(record, "PlanetPics", k) == 1) {
        EXPECT_TRUE(images.HasPicture(k - 1)) << "planet " << k << " uses a picture it does not have " << what;
      }
    }
  }
  killer.Report();
}

TEST(CrashSafety, ADeliveryLeavesEachFileOldOrNew) {
  testing::TempGameFolder game;
  const fs::path a = testing::UniqueTempFolder("package-a");
  const fs::path b = testing::UniqueTempFolder("package-b");
  const std::vector<std::pair<std::string, std::string>> files = {
      {"Vega.zmd", "ZMDescriptor"}, {"Vega.bmp", "PICTURES"}, {"Vega1.avi", "PICTURES"}, {"Vega2.avi", "PICTURES"}};
  std::string list;
  for (const auto& [name, folder] : files) {
    list += "\"" + name + "\",\"\\" + folder + "\\\"\r\n";
    testing::TempGameFolder::WriteFile(a / name, std::string(300000, 'A'));
    testing::TempGameFolder::WriteFile(b / name, std::string(200000, 'B'));
  }
  testing::TempGameFolder::WriteFile(a / "SETUP.LST", list);
  testing::TempGameFolder::WriteFile(b / "SETUP.LST", list);
  Killer killer("deliver", {a.string(), b.string()});
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    for (const auto& [name, folder] : files) {
      const fs::path target = game.Path() / folder / name;
      if (!fs::exists(target)) continue;
      const std::string bytes = testing::TempGameFolder::ReadFile(target);
      EXPECT_TRUE(bytes == std::string(300000, 'A') || bytes == std::string(200000, 'B'))
          << folder << "/" << name << " after kill " << round << " holds " << bytes.size() << " bytes";
    }
  }
  killer.Report();
  std::error_code ec;
  fs::remove_all(a, ec);
  fs::remove_all(b, ec);
}

}  // namespace
}  // namespace zelmora::store
