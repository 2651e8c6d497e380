#include "check/coverage.h"

#include "check/room_graph.h"
#include "check/script_index.h"
#include "messages/planet_script.h"
#include "simulator/play_session.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

namespace zelmora::check {

CoverageCounter::Outcome CoverageCounter::Add(const simulator::TestRecording& recording,
                                              const std::filesystem::path& gameFolder) {
  Played& planet = played_[Planet{gameFolder, recording.start.system, recording.start.planet}];
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

namespace {

void Count(CoveragePart& part, const std::string& key, bool played) {
  ++part.present;
  if (played) ++part.played;
  else part.neverPlayed.push_back(key);
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
    const auto& keys = played.keys;
    const auto wasPlayed = [&keys](const std::string& key) { return keys.count(platform::ToUpper1252(key)) > 0; };
    std::set<std::string> counted;
    for (const ItemListInfo* list : index.CountedLists()) {
      CoveragePart& part = list->list == ItemList::Responses ? c.responses : c.messages;
      for (int n : list->present) {
        const std::string key = list->Key(n);
        if (counted.insert(platform::ToUpper1252(key)).second) Count(part, key, wasPlayed(key));
      }
    }
    // A room is entered when one of its messages is shown or one of its doors is taken (a beam-down
    // message may set its doors without showing its description).
    for (const Room& room : BuildRoomGraph(index).rooms) {
      bool entered = false;
      for (const ItemListInfo* list : {&index.MessagesOf(room.name), &index.ResponsesOf(room.name)}) {
        for (int n : list->present) entered = entered || wasPlayed(list->Key(n));
      }
      Count(c.rooms, room.name, entered);
    }
    report.push_back(std::move(c));
  }
  return report;
}

}  // namespace zelmora::check
