// The message editor's costs against a real descriptor in a temporary game folder: opening its lists
// on a planet holding a 10 x 10 adventure grid, saving one item, and discovering the groups of a
// hand-edited descriptor whose counts claim 32,767 items. Each figure is printed against its target.
#include "adventure/grid_wizard.h"
#include "bench/bench_support.h"
#include "messages/group_discovery.h"
#include "messages/message_editor.h"
#include "messages/message_parts.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "simulator/interpreter.h"
#include "simulator/ship_rules.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/number_asker.h"
#include "ui/platform/prompter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

using namespace zelmora::bench;

namespace fs = std::filesystem;
using zelmora::messages::PlanetScript;
using zelmora::store::DescriptorStore;
using zelmora::store::SolarSystemRecord;
using Clock = std::chrono::steady_clock;

// ---- what the message editor shows when it opens

// The window as far as the editor's model sees it: everything shown is dropped.
struct NoWindow : zelmora::messages::MessageEditorView {
  void ShowFrame(const zelmora::messages::FrameState&) override {}
  void ShowGroupBox(const zelmora::messages::ComboState&) override {}
  void ShowAnswerBox(const zelmora::messages::ComboState&) override {}
  void ShowListLines(const std::vector<std::string>& lines) override { shownLines = lines.size(); }
  void ShowListSelection(std::optional<int>) override {}
  void ShowButtons(const zelmora::messages::ButtonState&) override {}
  void ShowText(const std::string&) override {}
  void ShowPane(const zelmora::messages::PaneState&) override {}
  void ShowActions(const zelmora::messages::ActionListState&) override {}
  void ShowLength(const zelmora::messages::LengthState&) override {}
  void ShowInfoPreview(const std::string&) override {}
  void ShowCustom(bool) override {}
  void FocusTextAtEnd() override {}
  void FocusTitle() override {}
  void SetBusy(bool) override {}
  void HideWindow() override {}
  std::size_t shownLines = 0;
};

struct EditorLists {
  std::size_t groups = 0;
  std::size_t initLines = 0;
};

// The message editor opened on planet 1: it discovers the groups and shows the INIT list.
EditorLists OpenEditorLists(PlanetScript& script, zelmora::platform::Prompter& prompter) {
  static const zelmora::messages::SpecialActionList catalogue = zelmora::messages::ParseSpecialActions(
      "%F - Requires flag set [A]\r\n%f - Requires flag clear [A]\r\n*SF - Set flag [A]\r\n");
  NoWindow window;
  zelmora::messages::MessageEditor editor(script, catalogue, prompter, window);
  editor.Open(1, true);
  return {editor.Registry().size(), window.shownLines};
}

// ---- figures against targets

// ---- game folders

// An open system (its working copy) with planet 1's script, as the editor has it.
struct OpenSystem {
  OpenSystem(const GameFolder& folder, const std::string& name) : store(folder.root), script(store, record, 1) {
    store.LoadSystem(name, record);
    store.OpenWorkingCopy(name, none);
  }
  NoQuestions none;
  DescriptorStore store;
  SolarSystemRecord record;
  PlanetScript script;
};

// Planet 1 with a few INIT messages and a 10 x 10 adventure grid written by the wizard.
void WriteGridGame(const GameFolder& f) {
  std::string bytes = kHeader;
  bytes += "[1]\r\nMessages=6\r\nResponses=2\r\n";
  for (int i = 1; i <= 6; ++i) {
    bytes += "Message" + std::to_string(i) + "=%W2$BOX$Greetings, %RK. This is message " + std::to_string(i) +
             " of the planet.*R" + (i % 2 ? "Trade" : "") + "\r\n";
  }
  bytes += "Response1=We come in peace.*MTrade\r\nResponse2=Farewell.*M\r\n";
  zelmora::platform::AtomicReplace(f.Descriptor("Grid"), bytes);
  DescriptorStore store(f.root);
  SolarSystemRecord record;
  store.LoadSystem("Grid", record);
  PlanetScript script(store, record, 1);
  zelmora::adventure::GridChoices choices;
  choices.sizeX = choices.sizeY = "10";
  zelmora::store::DescriptorBatch batch(store, record.Name);
  zelmora::adventure::FinishGrid(choices, script);
}

const GameFolder& GridGame() {
  static const GameFolder folder("grid");
  static const bool written = (WriteGridGame(folder), true);
  (void)written;
  return folder;
}

// ---- (a) opening the editor

void BM_OpenEditorOn10x10Grid(benchmark::State& state) {
  OpenSystem open(GridGame(), "Grid");
  std::size_t groups = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    EditorLists lists = OpenEditorLists(open.script, open.none);
    groups = lists.groups;
    benchmark::DoNotOptimize(lists);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  state.counters["groups"] = static_cast<double>(groups);
  Record(1, {"open: groups and INIT list, 10 x 10 grid", ms, "ms", 100});
}

// The same right after an item was saved, as when the editor reloads after the wizard: nothing
// read before the write can be used.
void BM_OpenEditorAfterWrite(benchmark::State& state) {
  OpenSystem open(GridGame(), "Grid");
  const std::string key = zelmora::messages::MessageKey("Area0101", 1);
  int n = 0;
  double seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    open.script.PutMessage(key, "This is Area 1, 1 (" + std::to_string(n++ % 10) + ")");
    state.ResumeTiming();
    const auto t0 = Clock::now();
    EditorLists lists = OpenEditorLists(open.script, open.none);
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    benchmark::DoNotOptimize(lists);
  }
  Record(2, {"open right after a save, 10 x 10 grid", seconds / static_cast<double>(state.iterations()) * 1e3,
             "ms", 100});
}

// ---- (b) saving one item against the floor of one file rewrite

void BM_SaveOneItem(benchmark::State& state) {
  OpenSystem open(GridGame(), "Grid");
  const fs::path file = open.store.DescriptorPath("Grid");
  const fs::path scratch = open.store.DescriptorFolder() / "Grid.tmp";
  NoWindow window;
  zelmora::messages::MessageEditor editor(open.script, {}, open.none, window);
  editor.Open(1, true);
  editor.SelectLine(2);
  double saveSeconds = 0, floorSeconds = 0;
  int n = 0;
  for (auto _ : state) {
    // An edit of INIT's third message saved from the pane, as the author's Save does.
    state.PauseTiming();
    editor.Edit();
    editor.TypeText("Greetings, %RK. This is message 3 of the planet (" + std::to_string(n++ % 10) + ").");
    state.ResumeTiming();
    const auto t0 = Clock::now();
    editor.Save();
    const auto t1 = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    saveSeconds += std::chrono::duration<double>(t1 - t0).count();

    state.PauseTiming();
    std::string bytes;
    zelmora::platform::ReadWholeFile(file, bytes);
    const auto f0 = Clock::now();
    zelmora::platform::AtomicReplace(file, bytes, scratch);
    floorSeconds += std::chrono::duration<double>(Clock::now() - f0).count();
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  const double ratio = floorSeconds > 0 ? saveSeconds / floorSeconds : 0;
  state.counters["floor_us"] = floorSeconds / iterations * 1e6;
  state.counters["ratio"] = ratio;
  Record(3, {"save one item from the pane / one AtomicReplace of the file", ratio, "x", 3});
  Record(4, {"  one AtomicReplace of the same file", floorSeconds / iterations * 1e3, "ms", 0});
}

// ---- (c) the hostile counts

void BM_DiscoverGroupsHostile(benchmark::State& state) {
  OpenSystem open(HostileGame(), "Hostile");
  std::size_t groups = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    auto list = zelmora::messages::DiscoverGroups(open.script);
    groups = list.size();
    benchmark::DoNotOptimize(list);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  state.counters["groups"] = static_cast<double>(groups);
  Record(5, {"DiscoverGroups, counts of 32,767 (40 groups, 100 KB)", ms, "ms", 1000});
}

// The whole opening on the same descriptor (its INIT list claims 32,767 lines).
void BM_OpenEditorHostile(benchmark::State& state) {
  OpenSystem open(HostileGame(), "Hostile");
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(OpenEditorLists(open.script, open.none));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(6, {"open: groups and INIT list, counts of 32,767", ms, "ms", 1000});
}

// ---- (d) the simulator's clock on the same counts

class FixedRandom : public zelmora::platform::Random {
 public:
  double Next() override { return value_ = value_ * 0.75 + 0.2 > 1 ? 0.1 : value_ * 0.75 + 0.2; }
  void SeedFromClock() override {}
  void Seed(std::uint64_t) override {}

 private:
  double value_ = 0.3;
};

class NoNumbers : public zelmora::platform::NumberAsker {
 public:
  float AskNumber(const std::string&, const std::string&, const std::string&, float, float minimum, float,
                  float) override {
    return minimum - 1;
  }
};

class NullDisplay : public zelmora::simulator::ControlPanelView {
 public:
  void SetOrbitBanner(const std::string&, bool) override {}
  void SetMessageTitle(const std::string&) override {}
  void SetMessageText(const std::string&) override {}
  void SetMessageVisible(bool) override {}
  void SetCommandEnabled(zelmora::simulator::PanelCommand, bool) override {}
  void SetStatusCaption(const std::string&) override {}
  void SetMessageClock(bool) override {}
  std::optional<int> ChooseResponse(const std::vector<zelmora::simulator::ResponseOption>&) override {
    return std::nullopt;
  }
  void FocusIdle() override {}
  void ClosePanel() override {}
};

void BM_ChooseMessageHostile(benchmark::State& state) {
  OpenSystem open(HostileGame(), "Hostile");
  zelmora::simulator::StoreScriptReader reader(open.store, open.record);
  FixedRandom random;
  NoQuestions prompter;
  zelmora::simulator::ShipState ship;
  NoNumbers numbers;
  zelmora::simulator::ShipRules rules(ship, random, prompter, numbers, {0, 0.5, 0.3, 0.1});
  zelmora::simulator::SimulatorServices services{open.record, open.store.GetTables(), reader, random, prompter, rules};
  zelmora::simulator::ConversationState conversation;
  conversation.planet = 1;
  NullDisplay view;
  zelmora::simulator::PanelDisplay display(view);
  zelmora::simulator::Interpreter interpreter(services, conversation, display);
  const auto start = Clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(interpreter.ChooseMessage("MessageG7", 32767));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(7, {"simulator: choosing a message, count of 32,767", ms, "ms", 100});
}

}  // namespace

BENCHMARK(BM_OpenEditorOn10x10Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditorAfterWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOneItem)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_DiscoverGroupsHostile)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenEditorHostile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseMessageHostile)->Unit(benchmark::kMillisecond);
