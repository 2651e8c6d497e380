// A kept test, any bytes: what reads as a recording names a system that stays among the game
// folder's descriptors, writes out and reads back the same, and plays against the demo game.
#include "fuzz/fuzz_support.h"
#include "simulator/play_session.h"
#include "simulator/test_recording.h"

using namespace zelmora;
using namespace zelmora::simulator;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto read = ParseRecording(bytes, error);
  if (!read) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(read->start.planet >= 1 && read->start.planet <= 10);
  FUZZ_CHECK(read->start.system.find_first_of("/\\") == std::string::npos);
  FUZZ_CHECK(read->start.system.find("..") == std::string::npos);

  const auto again = ParseRecording(RecordingText(*read), error);
  FUZZ_CHECK(again);
  FUZZ_CHECK(again->gameFolder == read->gameFolder);
  FUZZ_CHECK(again->start.system == read->start.system);
  FUZZ_CHECK(again->start.planet == read->start.planet);
  FUZZ_CHECK(again->start.seed == read->start.seed);
  FUZZ_CHECK(again->start.flags == read->start.flags);
  FUZZ_CHECK(again->start.lastVisitTenths == read->start.lastVisitTenths);
  FUZZ_CHECK(again->start.from.has_value() == read->start.from.has_value());
  FUZZ_CHECK(again->lines == read->lines);

  // Played against the demo whatever game it names; a long one only costs time.
  if (read->lines.size() <= 64) {
    int played = 0;
    ReplayRecording(*read, std::filesystem::path(ZELMORA_SOURCE_DIR) / "demo",
                    [&played](const std::string&) { ++played; });
  }
  return 0;
}
