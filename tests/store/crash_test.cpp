#include "store/descriptor_store.h"
#include "store/profile_file.h"
#include "store/text_lines.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace zelmora::store {
namespace {

using testing::CrLf;

// What a reader needs of the file: complete lines, the block intact and every section readable.
void ExpectWhole(const std::string& bytes, int round) {
  ASSERT_FALSE(bytes.empty()) << "round " << round;
  ASSERT_TRUE(bytes.ends_with("\r\n")) << "round " << round << ": torn last line";
  auto lines = SplitLines(bytes);
  ASSERT_EQ(lines[0].text, "[General]") << "round " << round;
  std::size_t block = 0;
  while (block < lines.size() && lines[block].text != ";SolarSystem") ++block;
  ASSERT_LT(block + 1, lines.size()) << "round " << round << ": no system block";
  std::string header(lines[block + 1].text);
  int count = std::stoi(header.substr(header.rfind(',') + 1));
  ASSERT_GE(count, 3) << "round " << round;
  for (int i = 1; i <= count; ++i) {
    std::string_view planet = lines[block + 1 + static_cast<std::size_t>(i)].text;
    ASSERT_TRUE(planet.starts_with(";")) << "round " << round;
    ASSERT_EQ(std::count(planet.begin(), planet.end(), ','), 5) << "round " << round;
  }
  EXPECT_EQ(ReadProfileValue(bytes, "General", "Sentinel", "lost"), "kept") << "round " << round;
  std::string flags = ReadProfileValue(bytes, "General", "Messages", "");
  EXPECT_FALSE(flags.empty()) << "round " << round;
  EXPECT_EQ(flags.find_first_not_of("YN"), std::string::npos) << "round " << round;
}

TEST(CrashSafety, AWriterKilledAtAnyMomentNeverLeavesATornDescriptor) {
  testing::TempGameFolder game;
  game.WriteDescriptor("Crash", CrLf({"[General]", "Sentinel=kept", "PlanetPics=NNN", "Messages=NNN", "",
                                      ";SolarSystem", ";\"Crash               \",0,3", ";400,2,0,0,1,0",
                                      ";430,2,0,0,1,0", ";460,2,0,0,1,0"}));
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> pause(1, 40);
  std::string folder = game.Path().string();
  for (int round = 0; round < 25; ++round) {
    char* argv[] = {const_cast<char*>(CRASH_WRITER), folder.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, CRASH_WRITER, nullptr, nullptr, argv, environ), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended on its own";
    ExpectWhole(game.ReadDescriptor("Crash"), round);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace zelmora::store
