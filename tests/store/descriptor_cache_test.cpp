#include "store/descriptor_cache.h"
#include "store/descriptor_store.h"
#include "store/profile_file.h"

#include "tests/support/temp_game_folder.h"
#include "ui/platform/file_rules.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zelmora::store {
namespace {

namespace fs = std::filesystem;
using testing::CrLf;
using testing::TempGameFolder;

// Overwrites the file's bytes in place (same inode) until its status change time has moved, so the
// change is one that only the identity can reveal.
void RewriteInPlace(const fs::path& file, const std::string& bytes) {
  const auto before = platform::IdentityOf(file);
  for (int attempt = 0; attempt < 10000; ++attempt) {
    std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (platform::IdentityOf(file)->changedNs != before->changedNs) return;
  }
  FAIL() << "the status change time never moved";
}

// As if the file had been seen long after its last change.
std::int64_t Later() { return platform::NowNs() + 3600'000'000'000; }

TEST(DescriptorCache, SettledFileIsReadOnceUntilItChanges) {
  TempGameFolder game;
  const fs::path file = game.WriteDescriptor("Vega", "[1]\r\nMessage1=Alpha\r\n");
  DescriptorCache cache(Later);
  const auto first = cache.Read(file);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Bytes(), "[1]\r\nMessage1=Alpha\r\n");
  EXPECT_EQ(cache.Read(file), first);
  EXPECT_EQ(cache.FileReads(), 1);

  // Same size, written in place, modification time put back into the same second.
  const auto time = fs::last_write_time(file);
  RewriteInPlace(file, "[1]\r\nMessage1=Omega\r\n");
  fs::last_write_time(file, time + std::chrono::nanoseconds(1));
  EXPECT_EQ(cache.Read(file)->Bytes(), "[1]\r\nMessage1=Omega\r\n");

  // Same size through a rename, with the very same modification time: a new inode.
  const auto again = fs::last_write_time(file);
  ASSERT_TRUE(platform::AtomicReplace(file, "[1]\r\nMessage1=Gamma\r\n"));
  fs::last_write_time(file, again);
  EXPECT_EQ(cache.Read(file)->Bytes(), "[1]\r\nMessage1=Gamma\r\n");
  EXPECT_EQ(cache.FileReads(), 3);
}

TEST(DescriptorCache, RecentlyChangedFileIsComparedWithItsBytes) {
  TempGameFolder game;
  const fs::path file = game.WriteDescriptor("Vega", "[1]\r\nMessage1=Alpha\r\n");
  DescriptorCache cache;
  const auto first = cache.Read(file);
  // Within the file system's clock tick a write in place may keep every part of the identity.
  const auto time = fs::last_write_time(file);
  const std::string omega = "[1]\r\nMessage1=Omega\r\n";
  std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out)
      .write(omega.data(), static_cast<std::streamsize>(omega.size()));
  fs::last_write_time(file, time);
  const auto second = cache.Read(file);
  EXPECT_EQ(second->Bytes(), omega);
  // Bytes found unchanged keep their content, and with it the content's index.
  EXPECT_EQ(cache.Read(file), second);
}

TEST(DescriptorCache, FileSeenJustAfterItsChangeIsReadAgainUntilItHasSettled) {
  TempGameFolder game;
  const fs::path file = game.WriteDescriptor("Vega", "[1]\r\nMessage1=Alpha\r\n");
  const std::int64_t changed = platform::IdentityOf(file)->changedNs;
  std::int64_t now = changed + 1'000;
  DescriptorCache cache([&] { return now; });
  cache.Read(file);
  cache.Read(file);
  EXPECT_EQ(cache.FileReads(), 2);  // a second write in the same clock tick would look the same
  now = changed + 2 * DescriptorCache::kSettleNs;
  cache.Read(file);
  cache.Read(file);
  EXPECT_EQ(cache.FileReads(), 3);
}

TEST(DescriptorCache, MissingOrRemovedFileHasNoContent) {
  TempGameFolder game;
  DescriptorCache cache(Later);
  EXPECT_FALSE(cache.Read(game.Descriptors() / "None.zmd"));
  const fs::path file = game.WriteDescriptor("Vega", "[1]\r\n");
  ASSERT_TRUE(cache.Read(file));
  fs::remove(file);
  EXPECT_FALSE(cache.Read(file));
}

const std::string kVega = CrLf({"[General]", "PlanetPics = NN", "Messages = YY", "", ";SolarSystem",
                                ";\"Vega                \",2,2", ";400,2,0,0,1,0", ";430,3,1,0,13,0", "[2]",
                                "Message1=Hello", "Messages=1"});

class StoreCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { game.WriteDescriptor("Vega", kVega); }
  std::string Read(std::string_view key) { return store.ReadKey("Vega", "2", key, "Not Used"); }
  TempGameFolder game;
  DescriptorStore store{game.Path()};
};

TEST_F(StoreCacheTest, ChangesByAnotherWriterAreSeen) {
  EXPECT_EQ(Read("Message1"), "Hello");
  // Another process with its own store (zmd, a second editor).
  DescriptorStore other(game.Path());
  other.WriteKey("Vega", "2", "Message1", "Howdy");
  EXPECT_EQ(Read("Message1"), "Howdy");
  // A plain rewrite of the file of the same size.
  game.WriteDescriptor("Vega", kVega);
  EXPECT_EQ(Read("Message1"), "Hello");
  // A removed file reads the default, not what was seen before.
  fs::remove(game.Descriptors() / "Vega.zmd");
  EXPECT_EQ(Read("Message1"), "Not Used");
  EXPECT_TRUE(store.KeyNumbers("Vega", "2", "Message").empty());
}

TEST_F(StoreCacheTest, OwnWritesAreSeenAtOnce) {
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Read("Message1"), "Hello");  // past the point where the index is built
  store.WriteKey("Vega", "2", "Message1", "Changed");
  EXPECT_EQ(Read("Message1"), "Changed");
  store.WriteKey("Vega", "2", "Message7", "Seven");
  EXPECT_EQ(store.KeyNumbers("Vega", "2", "Message"), (std::vector<int>{1, 7}));
  store.DeleteKey("Vega", "2", "Message1");
  EXPECT_EQ(Read("Message1"), "Not Used");
  EXPECT_EQ(store.KeyNumbers("Vega", "2", "message"), (std::vector<int>{7}));
  EXPECT_NE(game.ReadDescriptor("Vega").find("Message7=Seven"), std::string::npos);
}

TEST_F(StoreCacheTest, ReadsInABatchSeePendingBytesAndTheFileWaits) {
  {
    DescriptorBatch batch(store, "Vega");
    store.WriteKey("Vega", "2", "Message2", "Pending");
    EXPECT_EQ(Read("Message2"), "Pending");
    EXPECT_EQ(store.KeyNumbers("Vega", "2", "Message"), (std::vector<int>{1, 2}));
    EXPECT_EQ(game.ReadDescriptor("Vega"), kVega);
    store.DeleteKey("Vega", "2", "Message1");
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Read("Message1"), "Not Used");
  }
  EXPECT_EQ(Read("Message2"), "Pending");
  EXPECT_EQ(Read("Message1"), "Not Used");
  EXPECT_NE(game.ReadDescriptor("Vega").find("Message2=Pending"), std::string::npos);
}

TEST_F(StoreCacheTest, RepeatedReadsAnswerAsTheReaderDoes) {
  const std::string bytes =
      kVega + CrLf({"[2]", "Message9=second section", "[Names]", "1 = \"Quoted\"", "2=" + std::string(300, 'L'),
                    "3=" + std::string("cut\0here", 8), "3=duplicate", "S=  'x'  "});
  game.WriteDescriptor("Vega", bytes);
  const std::vector<std::pair<std::string, std::string>> probes = {
      {"2", "Message1"}, {"2", "message9"}, {"names", "1"}, {"NAMES", "2"}, {"Names", "3"}, {"Names", "s"},
      {"Names", "4"},    {"None", "1"}};
  for (int round = 0; round < 12; ++round) {
    for (const auto& [section, key] : probes) {
      std::string expected = ReadProfileValue(bytes, section, key, "Not Used");
      expected.resize(std::min(expected.size(), expected.find('\0')));
      ASSERT_EQ(store.ReadKey("Vega", section, key, "Not Used"), expected) << section << "/" << key << " " << round;
    }
  }
}

}  // namespace
}  // namespace zelmora::store
