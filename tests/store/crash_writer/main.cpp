// Runs one flow that rewrites or copies files, for ever, until it is killed:
//   crash_writer MODE GAME_FOLDER MARK_FILE [PACKAGE_A PACKAGE_B]
// MODE: store, save, saveas, delete, planets, wizard, deliver, pictures. The step it is in goes to the first
// bytes of MARK_FILE (mapped, so the value survives the kill).
#include "adventure/grid_wizard.h"
#include "editor/planet_order.h"
#include "installer/delivery.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "store/system_flows.h"
#include "tests/store/crash_writer/kill_points.h"
#include "tests/store/crash_writer/text_pictures.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/model_pictures.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>

namespace {

using namespace zelmora;
using crash::KillPoint;

std::atomic<int>* mark = nullptr;
void Mark(KillPoint point) { mark->store(point, std::memory_order_relaxed); }

// Says Yes, No to the save questions (Yes/No/Cancel), and hands out queued names.
class Answers : public platform::Prompter {
 public:
  platform::Answer Message(const std::string&, platform::Buttons buttons, platform::Icon, const std::string&,
                           int) override {
    if (buttons == platform::Buttons::YesNoCancel) return platform::Answer::No;
    if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
    return buttons == platform::Buttons::OkCancel ? platform::Answer::Ok : platform::Answer::Yes;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    if (names.empty()) return std::nullopt;
    std::string n = names.front();
    names.pop_front();
    return n;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    if (files.empty()) return std::nullopt;
    std::string f = files.front();
    files.pop_front();
    return f;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  std::deque<std::string> names;
  std::deque<std::string> files;
};

struct Session {
  explicit Session(const char* folder) : store(folder) {}
  store::DescriptorStore store;
  store::SolarSystemRecord record;
  Answers answers;
  store::NoSystemPictures pictures;
  store::flows::SystemContext ctx{store, record, answers, pictures};

  // As the editor opens a system: the working copy (a backup left by a killed run is kept), then
  // the record read from it.
  void Open(const std::string& name) {
    store.OpenWorkingCopy(name, answers);
    record = {};
    store.LoadSystem(name, record);
  }
};

std::string Text(unsigned round, int k) {
  return std::string(static_cast<std::size_t>((round * 37 + static_cast<unsigned>(k) * 101) % 400), 'a' + k % 26);
}

void Store(const char* folder) {
  store::DescriptorStore store(folder);
  store.RefreshSystemNames();
  store::SolarSystemRecord record;
  record.Name = "Crash";
  store.ReadSystemRecord(record);
  Mark(crash::kRewrites);
  for (unsigned round = 0;; ++round) {
    int planets = 3 + static_cast<int>(round % 8);
    while (record.PlanetCount < planets) store.AppendPlanet(record);
    while (record.PlanetCount > planets) store.RemoveLastPlanet(record);
    store.WriteSystemRecord(record);
    for (int k = 1; k <= 20; ++k) store.WriteKey("Crash", std::to_string(1 + k % 3), "Message" + std::to_string(k), Text(round, k));
    store.DeleteKey("Crash", "2", "Message5");
    store.SetPlanetName(record, 1 + static_cast<int>(round % 3), "Name " + std::to_string(round));
    store.SwapPlanets(record, 1, 2);
  }
}

// Each round writes its number and a long message into the working copy, then saves.
void Save(const char* folder) {
  Session s(folder);
  s.Open("Crash");
  // Rounds go on from where the killed run left them.
  const auto first = static_cast<unsigned>(std::atoi(s.store.ReadKey("Crash", "General", "Round", "0").c_str()));
  for (unsigned round = first + 1;; ++round) {
    Mark(crash::kEdit);
    s.store.WriteKey("Crash", "General", "Round", std::to_string(round));
    s.store.WriteKey("Crash", "1", "Message1", Text(round, 1));
    Mark(crash::kSave);
    store::flows::SaveSystem(s.ctx);
  }
}

// Each round saves the open system under the next name, which then stays open.
void SaveAs(const char* folder) {
  Session s(folder);
  s.Open("Crash");
  for (unsigned round = 1;; ++round) {
    Mark(crash::kEdit);
    s.store.WriteKey(s.record.Name, "General", "Round", std::to_string(round));
    s.answers.names.push_back("Crash" + std::to_string(round % 4));
    Mark(crash::kSaveAs);
    s.store.RefreshSystemNames();
    std::vector<std::string> listed = s.store.ListSystems(store::kSavedExtension);
    store::flows::SaveSystemAs(s.ctx, listed);
  }
}

// Each round creates a system, opens it, and deletes it again.
void Delete(const char* folder) {
  Session s(folder);
  for (unsigned round = 1;; ++round) {
    const std::string name = "Gone" + std::to_string(round % 3);
    Mark(crash::kNewSystem);
    store::flows::NewSystem(s.ctx, name, true);
    s.Open(name);
    Mark(crash::kEdit);
    s.store.WriteKey(name, "General", "Round", std::to_string(round));
    Mark(crash::kDeleteSystem);
    store::flows::DeleteSystem(s.ctx, name);
  }
}

// Every new planet gets an identity: its StateValue, its name "P" & id and a key Id in its section,
// so the test can see that names, sections and the block moved together.
void NameNewPlanet(Session& s, int n, int id) {
  Mark(crash::kNamePlanet);
  store::DescriptorBatch batch(s.store, s.record.Name);
  s.record.Planet(n).StateValue = id;
  s.store.SetPlanetName(s.record, n, "P" + std::to_string(id));
  s.store.WriteKey(s.record.Name, std::to_string(n), "Id", std::to_string(id));
  s.store.WriteSystemRecord(s.record);
}

void Planets(const char* folder) {
  Session s(folder);
  s.Open("Crash");
  int id = 100;
  for (unsigned round = 0;; ++round) {
    const int count = s.record.PlanetCount;
    switch (round % 6) {
      case 0:
      case 1:
        Mark(crash::kAddPlanet);
        if (store::flows::AddPlanet(s.ctx) == store::flows::AddResult::Added) NameNewPlanet(s, s.record.PlanetCount, ++id);
        break;
      case 2:
        Mark(crash::kInsertPlanet);
        if (count > 0 && store::flows::InsertPlanet(s.ctx, 1 + static_cast<int>(round % count)) ==
                             store::flows::AddResult::Added) {
          NameNewPlanet(s, 2 + static_cast<int>(round % count), ++id);
        }
        break;
      case 3:
        Mark(crash::kDeletePlanet);
        if (count > 2) store::flows::DeletePlanet(s.ctx, 1 + static_cast<int>(round % count));
        break;
      case 4:
        Mark(crash::kReorder);
        if (count > 1) {
          std::vector<editor::PlanetExchange> moves;
          for (int k = 1; k < count; ++k) moves.push_back({k, k + 1});
          editor::ApplyPlanetExchanges(s.ctx, moves);
        }
        break;
      case 5:
        if (round % 24 == 23) {
          Mark(crash::kClearPlanets);
          store::flows::ClearPlanets(s.ctx);
        }
        break;
    }
    // Orbits far apart, so Add always finds room.
    for (int k = 1; k <= s.record.PlanetCount; ++k) s.record.Planet(k).Orbit = static_cast<std::int16_t>(200 + 150 * k);
  }
}

// Grids of changing size in one batch each, with the round's number written in the same batch.
void Wizard(const char* folder) {
  Session s(folder);
  s.Open("Crash");
  messages::PlanetScript script(s.store, s.record, 1);
  for (unsigned round = 1;; ++round) {
    adventure::GridChoices choices;
    choices.sizeX = std::to_string(2 + round % 9);
    choices.sizeY = std::to_string(2 + round % 7);
    Mark(crash::kWizard);
    store::DescriptorBatch batch(s.store, s.record.Name);
    adventure::FinishGrid(choices, script);
    s.store.WriteKey(s.record.Name, "General", "WizardRound", std::to_string(round));
  }
}

// Pictures given and removed on three planets as the Planet Pictures window does, saved every
// fourth round; each opening takes the backup a killed run left.
void Pictures(const char* folder) {
  store::DescriptorStore store(folder);
  store::SolarSystemRecord record;
  Answers answers;
  testing::MemorySettingsStore settings;
  testing::FakeProcessRunner runner;
  crash::TextPictures images;
  editor::PlanetPictures model(store, record, images, {answers, settings, runner, store.GameFolder(), ""});
  testing::ModelPictures pictures(model);
  store::flows::SystemContext ctx{store, record, answers, pictures};
  model.SetChanged([&] { store::flows::PicturesChanged(ctx); });
  store.OpenWorkingCopy("Crash", answers);
  store.LoadSystem("Crash", record);
  model.LoadSystemPictures();
  const std::string source = (store.GameFolder() / "picture.txt").string();
  // A round is slow (every write is flushed): each run starts at a round of its own, so that the
  // kills land in every step.
  for (unsigned round = 1 + std::random_device{}() % 12;; ++round) {
    platform::AtomicReplace(source, "picture of round " + std::to_string(round));
    answers.files.push_back(source);
    Mark(crash::kPictureNew);
    model.Open(1 + static_cast<int>(round % 3));
    model.New();
    if (round % 2 == 0) {
      Mark(crash::kPictureRemove);
      model.Open(1 + static_cast<int>((round / 2) % 3));
      model.Remove();
    }
    if (round % 3 == 0) {
      Mark(crash::kSave);
      store::flows::SaveSystem(ctx);
    }
  }
}

void Deliver(const char* game, const char* a, const char* b) {
  for (;;) {
    Mark(crash::kDeliverA);
    installer::Deliver(a, game);
    Mark(crash::kDeliverB);
    installer::Deliver(b, game);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  int fd = ::open(argv[3], O_RDWR);
  if (fd < 0) return 2;
  void* shared = ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (shared == MAP_FAILED) return 2;
  mark = static_cast<std::atomic<int>*>(shared);
  Mark(crash::kStarting);
  const std::string mode = argv[1];
  const char* folder = argv[2];
  if (mode == "store") Store(folder);
  if (mode == "save") Save(folder);
  if (mode == "saveas") SaveAs(folder);
  if (mode == "delete") Delete(folder);
  if (mode == "planets") Planets(folder);
  if (mode == "wizard") Wizard(folder);
  if (mode == "pictures") Pictures(folder);
  if (mode == "deliver" && argc >= 6) Deliver(folder, argv[4], argv[5]);
  return 2;
}
