#include "check/coverage.h"

#include "check/room_graph.h"
#include "check/script_index.h"
#include "messages/planet_script.h"
#include "simulator/play_session.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::check {

CoverageCounter::Outcome CoverageCounter::Add(const simulator::TestRecording& recording,
                                              const std::filesystem::path& gameFolder) {
  PlanetPlayed& planet = played_[Planet{gameFolder, recording.start.system, recording.start.planet}];
  ++planet.recordings;
  const auto replay = simulator::ReplayRecording(
      recording, gameFolder, [&planet](const std::string& key) { planet.keys.insert(platform::ToUpper1252(key)); });
  Outcome outcome;
  outcome.understood = replay.understood;
  if (const auto difference = simulator::FirstDifference(recording.transcript, replay.transcript)) {
    outcome.departsAt = difference->line;
  }
  return outcome;
}

bool PlanetPlayed::WasPlayed(const std::string& key) const { return keys.count(platform::ToUpper1252(key)) > 0; }

namespace {

void Count(CoveragePart& part, const std::string& key, bool played) {
  ++part.present;
  if (played) ++part.played;
  else part.neverPlayed.push_back(key);
}

// Every item a counted list holds, once per key as the reader finds keys, in the script's order.
template <typename Visit>
void ForEachItem(ScriptIndex& index, Visit visit) {
  std::set<std::string> seen;
  for (const ItemListInfo* list : index.CountedLists()) {
    for (int n : list->present) {
      if (seen.insert(platform::ToUpper1252(list->Key(n))).second) visit(*list, n);
    }
  }
}

// A room is entered when one of its messages is shown or one of its doors is taken (a beam-down
// message may set its doors without showing its description).
template <typename Visit>
void ForEachRoom(ScriptIndex& index, const PlanetPlayed& played, Visit visit) {
  for (const Room& room : BuildRoomGraph(index).rooms) {
    bool entered = false;
    for (const ItemListInfo* list : {&index.MessagesOf(room.name), &index.ResponsesOf(room.name)}) {
      for (int n : list->present) entered = entered || played.WasPlayed(list->Key(n));
    }
    visit(room, entered);
  }
}

}  // namespace

std::vector<PlanetCoverage> CoverageCounter::Report() const {
  std::vector<PlanetCoverage> report;
  for (const auto& [where, played] : played_) {
    const auto& [folder, system, number] = where;
    PlanetCoverage c;
    c.gameFolder = folder;
    c.system = system;
    c.planet = number;
    c.recordings = played.recordings;
    // The script the replays read: the working copy while the editor has one open.
    store::DescriptorStore store(folder);
    c.workingCopy = platform::FileExists(store.DescriptorPath(system, store::kWorkingExtension));
    if (c.workingCopy) store.SetCurrentExtension(store::kWorkingExtension);
    store::SolarSystemRecord record;
    store.LoadSystem(system, record);
    c.name = store.GetPlanetName(record, number, record.StarName);
    const messages::PlanetScript script(store, record, number);
    ScriptIndex index(script);
    // A lambda may not capture a structured binding (C++20 allows it, older compilers do not).
    const PlanetPlayed& keys = played;
    ForEachItem(index, [&c, &keys](const ItemListInfo& list, int n) {
      const std::string key = list.Key(n);
      Count(list.list == ItemList::Responses ? c.responses : c.messages, key, keys.WasPlayed(key));
    });
    ForEachRoom(index, played, [&c](const Room& room, bool entered) { Count(c.rooms, room.name, entered); });
    report.push_back(std::move(c));
  }
  return report;
}

std::vector<std::filesystem::path> RecordingFiles(const std::vector<std::filesystem::path>& folders) {
  std::vector<std::filesystem::path> files;
  for (const auto& folder : folders) {
    std::error_code ec;
    std::vector<std::filesystem::path> here;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->path().extension() == ".txt" && platform::FileExists(it->path())) here.push_back(it->path());
    }
    std::sort(here.begin(), here.end());
    files.insert(files.end(), here.begin(), here.end());
  }
  return files;
}

namespace {

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  const bool same = std::filesystem::equivalent(a, b, ec);
  return !ec && same;
}

}  // namespace

PlanetPlayed PlayedByRecordings(const std::vector<std::filesystem::path>& files,
                                const std::filesystem::path& gameFolder, const std::string& system, int planet) {
  PlanetPlayed played;
  const std::string wanted = platform::ToUpper1252(system);
  for (const auto& file : files) {
    std::string error;
    const auto recording = simulator::LoadRecording(file, error);
    if (!recording || recording->start.planet != planet || platform::ToUpper1252(recording->start.system) != wanted ||
        !SameFolder(recording->gameFolder, gameFolder)) {
      continue;
    }
    ++played.recordings;
    simulator::ReplayRecording(*recording, gameFolder,
                               [&played](const std::string& key) { played.keys.insert(platform::ToUpper1252(key)); });
  }
  return played;
}

std::vector<Finding> UntestedFindings(const messages::PlanetScript& script, const PlanetPlayed& played) {
  std::vector<Finding> notes;
  if (played.recordings == 0) return notes;
  const std::string tests =
      played.recordings == 1 ? "the recorded test" : "any of the " + std::to_string(played.recordings) + " recorded tests";
  ScriptIndex index(script);
  const auto note = [&script](FindingKind kind) {
    Finding f;
    f.severity = Severity::Note;
    f.kind = kind;
    f.system = script.Record().Name;
    f.planet = script.Planet();
    return f;
  };
  ForEachItem(index, [&](const ItemListInfo& list, int n) {
    const std::string key = list.Key(n);
    if (played.WasPlayed(key)) return;
    Finding f = note(FindingKind::Untested);
    f.group = list.group;
    f.list = list.list;
    f.item = n;
    f.key = key;
    f.message = std::string(list.list == ItemList::Responses ? "Never sent" : "Never shown") + " by " + tests + ".";
    f.fix = "Record a test that plays it, or start one here with Test from Here.";
    notes.push_back(std::move(f));
  });
  ForEachRoom(index, played, [&](const Room& room, bool entered) {
    if (entered) return;
    Finding f = note(FindingKind::Untested);
    f.room = room.name;
    f.message = "Never entered by " + tests + ".";
    notes.push_back(std::move(f));
  });
  return notes;
}

}  // namespace zelmora::check
