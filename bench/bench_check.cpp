// The script checker's costs against real descriptors in a temporary game folder: the whole check of
// a planet holding a 10 x 10 adventure grid with locks (its search over play exhaustive), the map of
// that grid, and the check of a hand-edited descriptor whose counts claim 32,767 items. Each figure
// is printed against its target.
#include "adventure/grid_wizard.h"
#include "bench/bench_support.h"
#include "adventure/room_model.h"
#include "check/adventure_map.h"
#include "check/checker.h"
#include "check/graphviz.h"
#include "check/script_graph.h"
#include "check/script_graph_dot.h"
#include "check/script_map.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/prompter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace zelmora::bench;

namespace fs = std::filesystem;
using zelmora::messages::PlanetScript;
using zelmora::store::DescriptorStore;
using zelmora::store::SolarSystemRecord;
using Clock = std::chrono::steady_clock;

// ---- figures against targets

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// ---- game folders

constexpr const char* kCatalogue =
    "%F - Requires flag set [A]\r\n%f - Requires flag clear [A]\r\n*SF - Set flag [A]\r\n*CF - Clear flag [A]\r\n";

// The locks of the grid: a door of a room, the flag that opens it, and the room whose search finds
// the key. Ten locks on ten flags, so play can be in any of 1,024 combinations of found keys.
struct Lock {
  const char* room;
  int response;
  char flag;
  const char* keyRoom;
};
constexpr Lock kLocks[] = {{"Area0303", 1, 'A', "Area0909"}, {"Area0505", 2, 'B', "Area0101"},
                           {"Area0707", 1, 'C', "Area0210"}, {"Area0208", 2, 'D', "Area1002"},
                           {"Area0906", 1, 'E', "Area0404"}, {"Area0410", 2, 'F', "Area0606"},
                           {"Area0202", 1, 'G', "Area0808"}, {"Area0808", 2, 'H', "Area0303"},
                           {"Area0404", 1, 'I', "Area0707"}, {"Area0606", 2, 'J', "Area0505"}};

// Planet 1 holding the wizard's 10 x 10 grid with the ten locks, written as the room editor does.
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
  Record(1, {"check: 10 x 10 grid with 10 locks on 10 flags, exhaustive", ms, "ms", 1000});
  Record(2, {"  states of play searched", static_cast<double>(search.states), "states", 0});
  Record(3, {"  the search of play alone, last run", search.milliseconds, "ms", 0});
  Record(4, {"  memory the search held", static_cast<double>(search.bytes) / 1e6, "MB", 100});
  Record(5, {"  peak memory of the whole benchmark process", PeakMegabytes(), "MB", 0});
}

// A hub whose sixteen answers each toggle a flag of their own, each tested by a message: every one
// of 65,536 combinations is reachable.
void WriteHub(const GameFolder& f) {
  std::string section = "[1]\r\nMessages=17\r\nMessage1=The hub hums.\r\nResponses=16\r\n";
  for (int k = 0; k < 16; ++k) {
    const char letter = static_cast<char>('A' + k);
    section += "Message" + std::to_string(k + 2) + "=%F" + letter + "Lamp " + letter + " glows.\r\n";
    section += "Response" + std::to_string(k + 1) + "=Switch " + letter + ".*TF" + letter + "\r\n";
  }
  zelmora::platform::AtomicReplace(f.Descriptor("Hub"), std::string(kHeader) + section);
}

void BM_CheckToggleHub(benchmark::State& state) {
  static const GameFolder folder("check-hub");
  static const bool written = (WriteHub(folder), true);
  (void)written;
  OpenPlanet open(folder, "Hub");
  zelmora::check::CheckReport report;
  const auto start = Clock::now();
  for (auto _ : state) {
    report = zelmora::check::CheckPlanet(open.script, Catalogue());
    benchmark::DoNotOptimize(report);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  const auto& search = report.searches.at(0);
  if (!search.complete) state.SkipWithError("the search stopped early");
  Record(6, {"check: 16 toggled flags on one hub, exhaustive", ms, "ms", 0});
  Record(7, {"  states of play searched", static_cast<double>(search.states), "states", 0});
}

void BM_MapLockedGrid(benchmark::State& state) {
  OpenPlanet open(LockedGrid(), "Grid");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(zelmora::check::BuildAdventureMap(open.script));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(8, {"adventure map: 10 x 10 grid with 10 locks", ms, "ms", 100});
}

void BM_CheckHostile(benchmark::State& state) {
  OpenPlanet open(HostileGame(), "Hostile");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(zelmora::check::CheckPlanet(open.script, Catalogue()));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(9, {"check: counts of 32,767 (40 groups)", ms, "ms", 1000});
}

// A cycle of 5,000 groups, each claiming 32,767 messages and responses: a finding per list, each
// placed in the editor, and the search over every group.
void WriteCycle(const GameFolder& f) {
  std::string section = "[1]\r\nMessages=1\r\nMessage1=Start.*RG0\r\n";
  constexpr int kGroups = 5000;
  for (int g = 0; g < kGroups; ++g) {
    const std::string name = "G" + std::to_string(g), next = "G" + std::to_string((g + 1) % kGroups);
    section += "Messages" + name + "=32767\r\nMessage" + name + "1=In " + name + ".\r\nResponses" + name +
               "=32767\r\nResponse" + name + "1=On.*M" + next + "\r\n";
  }
  zelmora::platform::AtomicReplace(f.Descriptor("Cycle"), std::string(kHeader) + section);
}

void BM_CheckCycle(benchmark::State& state) {
  static const GameFolder folder("check-cycle");
  static const bool written = (WriteCycle(folder), true);
  (void)written;
  OpenPlanet open(folder, "Cycle");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(zelmora::check::CheckPlanet(open.script, Catalogue()));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(10, {"check: a cycle of 5,000 groups with counts of 32,767", ms, "ms", 5000});
}

// ---- the script map of the locked grid: its rooms, searches and tricorder groups (about 300)

// The window's map: a view that draws nothing, the fonts measured from a table.
struct NoView : zelmora::check::ScriptMapView {
  void ShowSheet(const zelmora::check::ScriptSheet&, const zelmora::check::ScriptGraph&) override {}
  void ShowMarks(const zelmora::check::MapMarks&) override {}
  void ShowFlags(const std::vector<zelmora::check::FlagRow>&) override {}
  void ShowSummary(const std::string&) override {}
  void CentreOn(int) override {}
};

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// The processor time of this thread: what the work costs on a machine nobody else is using. The
// wall clock is printed beside it, as a busy machine stretches it.
double CpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Opening the map: the check, the graph, and Graphviz's layout of the boxes and lines.
void BM_ScriptMapLockedGrid(benchmark::State& state) {
  OpenPlanet open(LockedGrid(), "Grid");
  std::size_t nodes = 0, boxes = 0, lines = 0;
  double layoutMs = 0;
  const auto start = Clock::now();
  const double cpu = CpuMilliseconds();
  for (auto _ : state) {
    NoView view;
    zelmora::check::ScriptMap map(view, zelmora::check::ApproximateMetrics());
    auto graph = zelmora::check::MapScript(open.script, Catalogue());
    nodes = graph.nodes.size();
    const auto begin = Clock::now();
    if (!map.Show(std::move(graph))) state.SkipWithError(map.LayoutError().c_str());
    layoutMs += Milliseconds(begin);
    boxes = map.Sheet().boxes.size();
    lines = map.Sheet().lines.size();
  }
  const double n = static_cast<double>(state.iterations());
  Record(11, {"script map: check, graph and layout of the grid (CPU)", (CpuMilliseconds() - cpu) / n, "ms", 200});
  Record(12, {"  the same by the wall clock", Milliseconds(start) / n, "ms", 0});
  Record(13, {"  sheet and Graphviz's layout alone (wall clock)", layoutMs / n, "ms", 0});
  Record(14, {"  groups on the map", static_cast<double>(nodes), "nodes", 0});
  Record(15, {"  boxes drawn", static_cast<double>(boxes), "boxes", 0});
  Record(16, {"  lines drawn", static_cast<double>(lines), "lines", 0});
}

// After an edit the window draws the map again from the findings it has (the checker runs behind).
// A changed text keeps the layout; a new link asks Graphviz again.
void Redraw(benchmark::State& state, bool newLink, int order, const char* what) {
  OpenPlanet open(LockedGrid(), "Grid");
  const auto findings = zelmora::check::CheckPlanet(open.script, Catalogue()).findings;
  NoView view;
  zelmora::check::ScriptMap map(view, zelmora::check::ApproximateMetrics());
  map.Show(zelmora::check::BuildScriptGraph(open.script, findings));
  const std::string key = "MessageArea05051";
  const std::string original = open.script.GetMessage(key);
  int n = 0, laidOut = 0;
  const auto start = Clock::now();
  const double cpu = CpuMilliseconds();
  for (auto _ : state) {
    ++n;
    // The new link goes to a far room and back, so that every edit changes the drawing.
    const std::string value = newLink ? original + (n % 2 ? "*RArea1010" : "") : "Edited " + std::to_string(n) + ". " + original;
    open.script.PutMessage(key, value);
    map.Show(zelmora::check::BuildScriptGraph(open.script, findings));
    laidOut += map.LaidOut() ? 1 : 0;
  }
  open.script.PutMessage(key, original);
  const double iterations = static_cast<double>(state.iterations());
  Record(order, {std::string(what) + " (CPU)", (CpuMilliseconds() - cpu) / iterations, "ms", 50});
  Record(order + 1, {"  the same by the wall clock", Milliseconds(start) / iterations, "ms", 0});
  if (newLink && laidOut != n) state.SkipWithError("an edit adding a link kept the old layout");
  if (!newLink && laidOut != 0) state.SkipWithError("an edit of a text laid the map out again");
}

void BM_ScriptMapRedraw(benchmark::State& state) {
  Redraw(state, false, 17, "script map: redraw after a one-item edit of a text");
}

void BM_ScriptMapRedrawNewLink(benchmark::State& state) {
  Redraw(state, true, 19, "script map: redraw after an edit adding a link");
}

}  // namespace

BENCHMARK(BM_ScriptMapLockedGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptMapRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptMapRedrawNewLink)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckLockedGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckToggleHub)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapLockedGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckHostile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckCycle)->Unit(benchmark::kMillisecond)->Iterations(1);
