// The grid wizard's Finish on a 10 x 10 grid (about 1,100 keys): each key its own file rewrite, all
// of them in one descriptor batch, and the path the wizard window takes (its steps, then the
// caller's Finish). The window's path must stay within 50 ms.
#include "adventure/grid_wizard.h"
#include "adventure/wizard_model.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zelmora::adventure::FinishGrid;
using zelmora::adventure::GridChoices;

constexpr const char* kDescriptor =
    "[General]\r\nPlanetPics=NN\r\nMessages=NN\r\n\r\n;SolarSystem\r\n;\"Wizard              \",0,2\r\n"
    ";520,4,0,0,1,420\r\n;674,3,2,43523,13,465\r\n[2]\r\nMessages=1\r\nMessage1=Hello.\r\n";

struct Folder {
  Folder() {
    root = fs::temp_directory_path() / ("zelmora-bench-wizard-" + std::to_string(::getpid()));
    fs::create_directories(root / "ZMDescriptor");
  }
  ~Folder() { fs::remove_all(root); }
  void Reset() const { zelmora::platform::AtomicReplace(root / "ZMDescriptor" / "Wizard.zmd", kDescriptor); }
  fs::path root;
};

// The wizard window's view: nothing to show here.
struct NoView : zelmora::adventure::WizardView {
  void ShowStep(const zelmora::adventure::WizardStepState&) override {}
  void ShowSizes(const std::string&, const std::string&) override {}
  void ShowActions(const std::array<bool, 7>&) override {}
  void ShowAdvanced(bool) override {}
  void CloseWizard() override {}
};

// Never asked anything on the way to Finish.
struct NoPrompter : zelmora::platform::Prompter {
  zelmora::platform::Answer Message(const std::string&, zelmora::platform::Buttons, zelmora::platform::Icon,
                                    const std::string&, int) override {
    return zelmora::platform::Answer::No;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return {}; }
};

enum class Path { OneRewritePerKey, OneBatch, WizardWindow };

void RunFinish(benchmark::State& state, Path path) {
  static const Folder folder;
  GridChoices choices;
  choices.sizeX = choices.sizeY = "10";
  for (auto _ : state) {
    state.PauseTiming();
    folder.Reset();
    zelmora::store::DescriptorStore store(folder.root);
    zelmora::store::SolarSystemRecord record;
    store.LoadSystem("Wizard", record);
    zelmora::messages::PlanetScript script(store, record, 1);
    NoView view;
    NoPrompter prompter;
    zelmora::adventure::WizardModel wizard(prompter, view);
    zelmora::adventure::ScriptWizardCaller caller(script);
    wizard.SetCaller(caller);
    wizard.TypeSizeX("10");
    wizard.TypeSizeY("10");
    wizard.Next();
    wizard.Next();
    state.ResumeTiming();
    switch (path) {
      case Path::OneRewritePerKey: FinishGrid(choices, script); break;
      case Path::OneBatch: {
        zelmora::store::DescriptorBatch batch(store, record.Name);
        FinishGrid(choices, script);
        break;
      }
      case Path::WizardWindow: wizard.Next(); break;  // "&Finish"
    }
  }
}

void BM_Finish10x10OneRewritePerKey(benchmark::State& state) { RunFinish(state, Path::OneRewritePerKey); }
void BM_Finish10x10InOneBatch(benchmark::State& state) { RunFinish(state, Path::OneBatch); }
void BM_Finish10x10ThroughTheWizard(benchmark::State& state) { RunFinish(state, Path::WizardWindow); }

}  // namespace

BENCHMARK(BM_Finish10x10OneRewritePerKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Finish10x10InOneBatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Finish10x10ThroughTheWizard)->Unit(benchmark::kMillisecond);
