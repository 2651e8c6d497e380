#pragma once

#include "check/finding.h"
#include "simulator/test_recording.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace zelmora::messages {
class PlanetScript;
}  // namespace zelmora::messages

namespace zelmora::check {

// Items of one kind a planet's script holds, and which of them the recordings played.
struct CoveragePart {
  int present = 0;
  int played = 0;
  std::vector<std::string> neverPlayed;  // keys (rooms: names), in the script's order
};

// What a set of recordings plays of one planet: the messages shown, the responses sent and the
// rooms entered (once a message of its group has been shown or one of its responses sent).
struct PlanetCoverage {
  std::filesystem::path gameFolder;
  std::string system;  // code page
  int planet = 0;
  std::string name;    // the planet's display name
  int recordings = 0;
  bool workingCopy = false;  // counted against the editor's working copy
  CoveragePart messages;
  CoveragePart responses;
  CoveragePart rooms;
};

// What the recordings of one planet play against its script as it is now.
struct PlanetPlayed {
  int recordings = 0;
  std::set<std::string> keys;  // upper case: keys are found without regard to case
  bool WasPlayed(const std::string& key) const;
};

// Replays recordings against their game folders' current scripts and keeps, per planet, the keys
// of the items they played.
class CoverageCounter {
 public:
  // What one recording did when played again.
  struct Outcome {
    bool understood = true;
    // The first transcript line where the replay departs from the recording (the script has
    // changed since): its items are counted as the script plays them now.
    std::optional<int> departsAt;
  };
  Outcome Add(const simulator::TestRecording& recording, const std::filesystem::path& gameFolder);

  // Every planet a recording tested, by game folder, system and planet.
  std::vector<PlanetCoverage> Report() const;

 private:
  using Planet = std::tuple<std::filesystem::path, std::string, int>;
  std::map<Planet, PlanetPlayed> played_;
};

// The recordings (".txt" files that read as recordings) in `folders`, by name; a folder that is not
// there holds none.
std::vector<std::filesystem::path> RecordingFiles(const std::vector<std::filesystem::path>& folders);

// Replays those of `files` that test planet `planet` of `system` in `gameFolder` (the same folder,
// however its path is spelt) and keeps the keys they played.
PlanetPlayed PlayedByRecordings(const std::vector<std::filesystem::path>& files,
                                const std::filesystem::path& gameFolder, const std::string& system, int planet);

// A note for every message, response and room of the script the recordings never played, where
// the message editor shows it. None when there are no recordings: nothing can be said.
std::vector<Finding> UntestedFindings(const messages::PlanetScript& script, const PlanetPlayed& played);

}  // namespace zelmora::check
