// The script checker's costs against real descriptors in a temporary game folder: the whole check of
// a planet holding a 10 x 10 adventure grid with locks (its search over play exhaustive), the map of
// that grid, and the check of a hand-edited descriptor whose counts claim 32,767 items. Each figure
// is printed against its target.
#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "check/adventure_map.h"
#include "check/checker.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/prompter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zelmora::messages::PlanetScript;
using zelmora::store::DescriptorStore;
using zelmora::store::SolarSystemRecord;
using Clock = std::chrono::steady_clock;

// ---- figures against targets

struct Figure {
  std::string what;
  double value = 0;
  std::string unit;
  double target = 0;
};

std::map<int, Figure>& Figures() {
  static std::map<int, Figure> figures;
  return figures;
}

void Record(int order, Figure figure) { Figures()[order] = std::move(figure); }

void PrintFigures() {
  std::printf("\n%-58s %12s   %s\n", "figure", "measured", "target");
  for (const auto& [order, f] : Figures()) {
    if (f.target <= 0) {
      std::printf("%-58s %9.2f %-6s   (reference)\n", f.what.c_str(), f.value, f.unit.c_str());
      continue;
    }
    const bool met = f.value <= f.target;
    std::printf("%-58s %9.2f %-6s   at most %g %s: %s\n", f.what.c_str(), f.value, f.unit.c_str(), f.target,
                f.unit.c_str(), met ? "met" : "MISSED");
  }
}

// ---- game folders

constexpr const char* kHeader =
    "[General]\r\nPlanetPics = NN\r\nMessages = YN\r\n\r\n;SolarSystem\r\n;\"Bench               \",0,2\r\n"
    ";520,4,0,0,1,420\r\n;674,3,2,43523,13,465\r\n";

constexpr const char* kCatalogue =
    "%F - Requires flag set [A]\r\n%f - Requires flag clear [A]\r\n*SF - Set flag [A]\r\n*CF - Clear flag [A]\r\n";

class NoQuestions : public zelmora::platform::Prompter {
 public:
  zelmora::platform::Answer Message(const std::string&, zelmora::platform::Buttons, zelmora::platform::Icon,
                                    const std::string&, int) override {
    return zelmora::platform::Answer::No;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

struct GameFolder {
  explicit GameFolder(const std::string& stem) {
    root = fs::temp_directory_path() / ("zelmora-bench-" + stem + "-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "ZMDescriptor");
    fs::create_directories(root / "PICTURES");
  }
  ~GameFolder() { fs::remove_all(root); }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  fs::path Descriptor(const std::string& name) const { return root / "ZMDescriptor" / (name + ".zmd"); }
  fs::path root;
};

// The locks of the grid: a door of a room, the flag that opens it, and the room whose search finds
// the key. Six locks, so play can be in any of 64 combinations of found keys.
struct Lock {
  const char* room;
  int response;
  char flag;
  const char* keyRoom;
};
constexpr Lock kLocks[] = {{"Area0303", 1, 'A', "Area0909"}, {"Area0505", 2, 'B', "Area0101"},
                           {"Area0707", 1, 'C', "Area0210"}, {"Area0208", 2, 'D', "Area1002"},
                           {"Area0906", 1, 'E', "Area0404"}, {"Area0410", 2, 'F', "Area0606"}};

// Planet 1 holding the wizard's 10 x 10 grid with the six locks, written as the room editor does.
void WriteLockedGrid(const GameFolder& f) {
  zelmora::platform::AtomicReplace(f.Descriptor("Grid"), std::string(kHeader) + "[1]\r\n");
  DescriptorStore store(f.root);
  SolarSystemRecord record;
  store.LoadSystem("Grid", record);
  PlanetScript script(store, record, 1);
  zelmora::store::DescriptorBatch batch(store, record.Name);
  zelmora::adventure::GridChoices choices;
  choices.sizeX = choices.sizeY = "10";
  zelmora::adventure::FinishGrid(choices, script);
  NoQuestions none;
  zelmora::adventure::RoomModel room(script);
  for (const Lock& lock : kLocks) {
    room.LoadRoom(lock.room, none);
    room.LockAction(lock.response, lock.flag, "The way is barred.");
    const std::string search = std::string(lock.keyRoom) + "Search";
    script.PutMessage(zelmora::messages::MessageKey(search, 1),
                      std::string("You found a key, %RK.*SF") + lock.flag + "*R" + lock.keyRoom);
    script.PutMessage(std::string(1, lock.flag) + "Flag", std::string("Key to ") + lock.room);
  }
}

const GameFolder& LockedGrid() {
  static const GameFolder folder("check-grid");
  static const bool written = (WriteLockedGrid(folder), true);
  (void)written;
  return folder;
}

// Planet 1 whose counts claim 32,767 items in every group while each holds a handful: 40 groups
// chained by their answer codes.
std::string HostileDescriptor() {
  std::string s = kHeader;
  s += "[1]\r\nMessages=32767\r\nResponses=32767\r\n";
  const std::string filler = " The readings are unclear, the sensors are failing, Captain.";
  for (int g = 1; g <= 40; ++g) {
    s += "Message" + std::to_string(g) + "=Signal " + std::to_string(g) + filler + "*RG" + std::to_string(g) + "\r\n";
  }
  for (int g = 1; g <= 40; ++g) {
    const std::string name = "G" + std::to_string(g);
    const std::string next = "G" + std::to_string(g % 40 + 1);
    s += "Messages" + name + "=32767\r\nResponses" + name + "=32767\r\n";
    for (int i = 1; i <= 10; ++i) {
      s += "Message" + name + std::to_string(i) + "=%W1Message " + std::to_string(i) + filler + "*R" + name + "\r\n";
    }
    for (int i = 1; i <= 8; ++i) {
      s += "Response" + name + std::to_string(i) + "=Answer " + std::to_string(i) + filler + "*M" + next + "\r\n";
    }
  }
  return s;
}

const GameFolder& HostileGame() {
  static const GameFolder folder("check-hostile");
  static const bool written =
      static_cast<bool>(zelmora::platform::AtomicReplace(folder.Descriptor("Hostile"), HostileDescriptor()));
  (void)written;
  return folder;
}

struct OpenPlanet {
  OpenPlanet(const GameFolder& folder, const std::string& name) : store(folder.root), script(store, record, 1) {
    store.LoadSystem(name, record);
  }
  DescriptorStore store;
  SolarSystemRecord record;
  PlanetScript script;
};

const zelmora::messages::SpecialActionList& Catalogue() {
  static const auto catalogue = zelmora::messages::ParseSpecialActions(kCatalogue);
  return catalogue;
}

// ---- the check of the locked grid

void BM_CheckLockedGrid(benchmark::State& state) {
  OpenPlanet open(LockedGrid(), "Grid");
  zelmora::check::CheckReport report;
  const auto start = Clock::now();
  for (auto _ : state) {
    report = zelmora::check::CheckPlanet(open.script, Catalogue());
    benchmark::DoNotOptimize(report);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  const auto& search = report.searches.at(0);
  state.counters["states"] = static_cast<double>(search.states);
  state.counters["findings"] = static_cast<double>(report.findings.size());
  if (!search.complete) state.SkipWithError("the search stopped early");
  Record(1, {"check: 10 x 10 grid with 6 locks, exhaustive search", ms, "ms", 1000});
  Record(2, {"  states of play searched", static_cast<double>(search.states), "states", 0});
  Record(3, {"  the search of play alone, last run", search.milliseconds, "ms", 0});
}

void BM_MapLockedGrid(benchmark::State& state) {
  OpenPlanet open(LockedGrid(), "Grid");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(zelmora::check::BuildAdventureMap(open.script));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(4, {"adventure map: 10 x 10 grid with 6 locks", ms, "ms", 100});
}

void BM_CheckHostile(benchmark::State& state) {
  OpenPlanet open(HostileGame(), "Hostile");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(zelmora::check::CheckPlanet(open.script, Catalogue()));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(5, {"check: counts of 32,767 (40 groups)", ms, "ms", 1000});
}

}  // namespace

BENCHMARK(BM_CheckLockedGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapLockedGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckHostile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintFigures();
  return 0;
}
