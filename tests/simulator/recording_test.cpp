#include "simulator/play_session.h"
#include "simulator/recorded_test.h"
#include "simulator/seeded_random.h"
#include "simulator/window_placement.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

namespace zelmora::simulator {
namespace {

using platform::Answer;

// The demo's Great Red, played as the windows play it: a button is a command, a box or dialog the
// windows' own, the timer ticks come from the test.
struct WindowsPlay {
  explicit WindowsPlay(std::uint64_t seed = 42) {
    store.LoadSystem("Kestrel Verge", record);
    prompter.AcceptOkBoxes();
    for (int k = 1; k <= kUpgradeKinds; ++k) ship.UpgradeLevels[static_cast<std::size_t>(k)] = 1;
    options.planet = 3;
    options.LoadFlagNames(script);
    this->seed = seed;
  }
  RecordedTest& Start() {
    test = std::make_unique<RecordedTest>(TestSession::World{record, store.GetTables(), script, ship, random},
                                          options, RecordedTest::Windows{view, nullptr, prompter, numbers});
    test->Begin("Kestrel Verge", seed);
    test->Enter();
    return *test;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) test->MessageTick();
  }
  // Writes one key of planet 3 into the descriptor, as an edit of the script does.
  void Edit(const std::string& key, const std::string& value) { store.WriteKey(record.Name, "3", key, value); }

  testing::DemoGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  StoreScriptReader script{store, record};
  ShipState ship;
  SeededRandom random;
  // Runs `during` while each box is open, as the timers fire while it is up.
  struct TickingPrompter : testing::ScriptedPrompter {
    std::function<void()> during;
    platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                             const std::string& title, int defaultButton) override {
      if (during) during();
      return ScriptedPrompter::Message(text, buttons, icon, title, defaultButton);
    }
  } prompter;
  fakes::ScriptedNumbers numbers;
  fakes::RecordingView view;
  TestOptions options{ship};
  std::uint64_t seed;
  std::unique_ptr<RecordedTest> test;
};

std::size_t LineOf(const std::string& transcript, const std::string& line) {
  std::istringstream s(transcript);
  std::size_t n = 0;
  for (std::string l; std::getline(s, l);) {
    ++n;
    if (l == line) return n;
  }
  return 0;
}

TEST(RecordedTest, ButtonsTicksAndAnswersBecomeASessionThatReplaysExactly) {
  WindowsPlay play;
  play.options.SetFlagLabel(kTreatyFlag, true);
  play.ship.ShieldEnergy = -40;  // left by an earlier test of the run
  auto& test = play.Start();
  play.Ticks(1);
  EXPECT_EQ(play.view.events.back(), "status Response Level: Hail");
  play.view.choices = {1};
  test.Command("hail");
  play.Ticks(3);
  test.StatusTick();
  play.prompter.Answer(Answer::Yes);
  test.Command("phaser");
  play.Ticks(2);
  test.Command("exit");
  EXPECT_TRUE(test.Ended());
  test.Command("hail");  // the panel has gone
  play.Ticks(1);

  const TestRecording r = test.Recording(play.game.Path());
  EXPECT_EQ(r.lines, (std::vector<std::string>{"tick", "hail", "1", "tick 3", "phaser", "yes", "tick 2", "exit"}));
  EXPECT_EQ(r.start.seed, 42u);
  EXPECT_EQ(r.start.flags, std::vector<int>{kTreatyFlag});
  ASSERT_TRUE(r.start.ship);
  EXPECT_EQ(r.start.ship->ShieldEnergy, -40);
  EXPECT_EQ(r.transcript.rfind("test: Kestrel Verge, planet 3 (Great Red), seed 42\nflag set: Have Treaty\n", 0), 0u)
      << r.transcript;
  EXPECT_NE(r.transcript.find("> hail\ncommand Hail: disabled\nresponses: 1. We are here to study the storm.\n"
                              "           3. Stand aside or be fired upon.\n> 1\n"),
            std::string::npos)
      << r.transcript;
  EXPECT_NE(r.transcript.find("> phaser\nquestion: Are you sure you wish to fire phasers this planet? [yes/no]\n> yes\n"),
            std::string::npos);

  const Replay replay = ReplayRecording(r, play.game.Path());
  EXPECT_TRUE(replay.understood);
  EXPECT_FALSE(replay.workingCopy);
  EXPECT_EQ(replay.transcript, r.transcript);
  EXPECT_FALSE(FirstDifference(r.transcript, replay.transcript));

  // After an edit the first changed line is reported, and the saved recording reads back whole.
  play.Edit("Message1", "$Great Red Watch$Who goes there?*RHail");
  const auto difference = FirstDifference(r.transcript, ReplayRecording(r, play.game.Path()).transcript);
  ASSERT_TRUE(difference);
  EXPECT_EQ(difference->line,
            static_cast<int>(LineOf(r.transcript, "text: Unknown vessel, you orbit a storm older than your species, "
                                                  "Captain.")));
  EXPECT_EQ(difference->replayed, "text: Who goes there?");
  std::string error;
  const auto read = ParseRecording(RecordingText(r), error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(RecordingText(*read), RecordingText(r));
  EXPECT_EQ(read->transcript, r.transcript);
}

// Threatens the Watch (a random system is damaged) and waits for its answer.
void Threaten(WindowsPlay& play) {
  RecordedTest& test = play.Start();
  play.Ticks(1);
  play.view.choices = {3};
  test.Command("hail");
  play.Ticks(2);
}

void FirePhasers(WindowsPlay& play) {
  play.prompter.Answer(Answer::Yes);
  play.test->Command("phaser");
  play.Ticks(2);
}

TEST(RecordedTest, StepBackGivesTheTestWithoutItsLastCommand) {
  WindowsPlay stepped, fresh;
  Threaten(stepped);
  EXPECT_TRUE(stepped.test->CanStepBack());
  FirePhasers(stepped);
  ASSERT_NE(stepped.ship.ShieldEnergy, -40);  // the phasers' answer hit the shields again
  const std::size_t boxes = stepped.prompter.Calls().size();
  ASSERT_TRUE(stepped.test->StepBack());
  EXPECT_EQ(stepped.prompter.Calls().size(), boxes);  // played again out of sight

  Threaten(fresh);
  const auto same = [&](const char* when) {
    const TestRecording a = stepped.test->Recording(stepped.game.Path());
    const TestRecording b = fresh.test->Recording(fresh.game.Path());
    EXPECT_EQ(a.lines, b.lines) << when;
    EXPECT_EQ(a.transcript, b.transcript) << when;
    EXPECT_EQ(stepped.ship.ShieldEnergy, fresh.ship.ShieldEnergy) << when;
    EXPECT_EQ(stepped.ship.SystemDamage, fresh.ship.SystemDamage) << when;
    EXPECT_EQ(stepped.record.Planet(3).FlagBits, fresh.record.Planet(3).FlagBits) << when;
    const PanelDisplay& x = stepped.test->Session().Panel().Display();
    const PanelDisplay& y = fresh.test->Session().Panel().Display();
    EXPECT_EQ(x.Text(), y.Text()) << when;
    EXPECT_EQ(x.Visible(), y.Visible()) << when;
    EXPECT_EQ(x.Clock(), y.Clock()) << when;
    EXPECT_EQ(x.Enabled(PanelCommand::Hail), y.Enabled(PanelCommand::Hail)) << when;
  };
  same("after the step back");
  // The generator stands where it stood: the same command goes on the same way.
  FirePhasers(stepped);
  FirePhasers(fresh);
  same("after firing again");

  // Back to the start, where there is nothing left to take back.
  EXPECT_TRUE(stepped.test->StepBack());
  EXPECT_TRUE(stepped.test->StepBack());
  EXPECT_FALSE(stepped.test->CanStepBack());
  EXPECT_FALSE(stepped.test->StepBack());
  EXPECT_EQ(stepped.test->Recording({}).lines, std::vector<std::string>{"tick"});
  EXPECT_EQ(stepped.ship.ShieldEnergy, 0);
  EXPECT_FALSE(stepped.options.FlagLabelOn(0));  // flag A, set by the threat, is off again
}

TEST(RecordedTest, TicksWhileTheClocksOwnBoxIsOpenAreSkippedAndAnswersInTheNumberDialogAreKept) {
  WindowsPlay play(7);
  // The box of the Watch's threat opens during a tick; the timers keep firing while it is up.
  auto& ticking = play.prompter;
  auto& test = *(play.test = std::make_unique<RecordedTest>(
                     TestSession::World{play.record, play.store.GetTables(), play.script, play.ship, play.random},
                     play.options, RecordedTest::Windows{play.view, nullptr, ticking, play.numbers}));
  // The planet gives energy, and an earlier test left the ship room for it.
  auto a = store::PlanetAttributes::Decode(play.record.Planet(3).Attributes);
  a.Energy = 2;
  play.record.Planet(3).Attributes = a.Encode();
  play.store.WriteSystemRecord(play.record);
  play.ship.MaxEnergy = 1000;
  test.Begin("Kestrel Verge", 7);
  test.Enter();
  play.Ticks(1);
  play.view.choices = {3};
  test.Command("hail");
  int fired = 0;
  ticking.during = [&] {
    ++fired;
    test.MessageTick();
    test.StatusTick();
    test.Command("beam");
  };
  play.Ticks(1);
  ticking.during = nullptr;
  EXPECT_GE(fired, 1);
  play.numbers.answers = {2.5f};
  test.Command("energy");
  EXPECT_EQ(play.ship.Energy, 833);
  play.numbers.answers = {-1.0f};  // the dialog's cancel
  test.Command("energy");
  test.Command("leave");
  const TestRecording r = test.Recording(play.game.Path());
  EXPECT_EQ(r.lines,
            (std::vector<std::string>{"tick", "hail", "3", "tick", "energy", "2.5", "energy", "cancel", "leave"}));
  EXPECT_EQ(ReplayRecording(r, play.game.Path()).transcript, r.transcript);
}

// The clock goes on while the response chooser, the number dialog or a question is open, and the
// ticks are kept where they came, so that the replay shows the same.
TEST(RecordedTest, TheClockTicksOnWhileACommandWaitsForAnAnswer) {
  WindowsPlay play(11);
  // The planet gives energy, and an earlier test left the ship room for it.
  auto a = store::PlanetAttributes::Decode(play.record.Planet(3).Attributes);
  a.Energy = 2;
  play.record.Planet(3).Attributes = a.Encode();
  play.store.WriteSystemRecord(play.record);
  play.ship.MaxEnergy = 1000;
  play.Edit("Message1", "%W3$Great Red Watch$Unknown vessel, you orbit a storm.*RHail");
  play.Edit("MessagesResearch", "1");
  play.Edit("Beam2", "$BOX$The landing party is turned back by lightning.");
  auto& test = play.Start();
  const auto textShown = [&](const std::string& text) {
    return std::find(play.view.events.begin(), play.view.events.end(), "text " + text) != play.view.events.end();
  };

  play.Ticks(1);  // the greeting is chosen; it waits three seconds
  EXPECT_FALSE(textShown("Unknown vessel, you orbit a storm."));
  play.view.choices = {1};
  play.view.whileChoosing = [&] {
    play.Ticks(3);
    EXPECT_TRUE(textShown("Unknown vessel, you orbit a storm.")) << "the greeting falls due in the chooser";
  };
  test.Command("hail");
  play.view.whileChoosing = nullptr;

  play.Ticks(1);  // a research message is chosen; it waits two seconds
  const std::size_t before = play.view.events.size();
  play.numbers.answers = {2.5f};
  play.numbers.whileAsking = [&] { play.Ticks(2); };
  test.Command("energy");
  play.numbers.whileAsking = nullptr;
  EXPECT_TRUE(std::any_of(play.view.events.begin() + static_cast<std::ptrdiff_t>(before), play.view.events.end(),
                          [](const std::string& e) { return e == "panel shown"; }))
      << "the research message falls due in the number dialog";

  // A box of a command holds the ticks until it is closed; they are played when the command is over.
  test.Command("ignore");
  play.prompter.during = [&] {
    const std::size_t shownBefore = play.view.events.size();
    play.Ticks(2);
    EXPECT_EQ(play.view.events.size(), shownBefore);
  };
  test.Command("beam");
  play.prompter.during = nullptr;
  test.Command("leave");

  const TestRecording r = test.Recording(play.game.Path());
  EXPECT_EQ(r.lines, (std::vector<std::string>{"tick", "hail", "tick 3", "1", "tick", "energy", "tick 2", "2.5",
                                               "ignore", "beam", "tick 2", "leave"}));
  const Replay replay = ReplayRecording(r, play.game.Path());
  EXPECT_TRUE(replay.understood);
  EXPECT_EQ(replay.transcript, r.transcript);
  EXPECT_FALSE(FirstDifference(r.transcript, replay.transcript));

  // At the terminal a tick line is taken while a command waits for its answer.
  testing::DemoGameFolder game;
  store::DescriptorStore(game.Path()).WriteKey("Kestrel Verge", "3", "Message1", "%W3Hello.*RHail");
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = 5;
  std::istringstream in("tick\nhail\ntick 3\n3\nleave\n");
  std::ostringstream out;
  EXPECT_EQ(RunPlaySession(settings, in, out), 0) << out.str();
  EXPECT_NE(out.str().find("> hail\ncommand Hail: disabled\nresponses: 1. We are here to study the storm.\n"
                           "           3. Stand aside or be fired upon.\n> tick 3\n"),
            std::string::npos)
      << out.str();
  EXPECT_LT(out.str().find("text: Hello."), out.str().find("> 3\n")) << out.str();
}

TEST(RecordedTest, TerminalRecordingFixesAClockSeedAndKeepsEveryLine) {
  testing::DemoGameFolder game;
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.flags = {kTreatyFlag, 0};
  std::istringstream in("# a comment\ntick\nhail\nmaybe\n3\ntick 2\nfly\n\nleave\n");
  std::ostringstream out;
  TestRecording r;
  EXPECT_EQ(RunPlaySession(settings, in, out, &r), 1);  // "fly" is no command
  ASSERT_TRUE(r.start.seed);
  EXPECT_EQ(out.str(), r.transcript);
  EXPECT_EQ(out.str().rfind("test: Kestrel Verge, planet 3 (Great Red), seed " + std::to_string(*r.start.seed) +
                                "\nflag set: A - Threatened the Watch\nflag set: Have Treaty\n",
                            0),
            0u)
      << out.str();
  EXPECT_EQ(r.lines, (std::vector<std::string>{"# a comment", "tick", "hail", "maybe", "3", "tick 2", "fly", "leave"}));
  EXPECT_EQ(r.start.flags, (std::vector<int>{0, kTreatyFlag}));
  const Replay replay = ReplayRecording(r, game.Path());
  EXPECT_FALSE(replay.understood);
  EXPECT_EQ(replay.transcript, r.transcript);
}

TEST(RecordedTest, ReplayPrefersTheWorkingCopyTheEditorHasOpen) {
  WindowsPlay play;
  auto& test = play.Start();
  play.Ticks(1);
  test.Command("leave");
  const auto r = test.Recording(play.game.Path());
  std::string edited = play.game.ReadDescriptor("Kestrel Verge");
  const auto at = edited.find("Unknown vessel");
  ASSERT_NE(at, std::string::npos);
  edited.replace(at, 14, "Strange vessel");
  play.game.WriteDescriptor("Kestrel Verge", edited, ".edt");
  const Replay replay = ReplayRecording(r, play.game.Path());
  EXPECT_TRUE(replay.workingCopy);
  ASSERT_TRUE(FirstDifference(r.transcript, replay.transcript));
  EXPECT_NE(replay.transcript.find("Strange vessel"), std::string::npos);
}

TEST(Recording, FileFormatKeepsEveryPartAndRefusesWhatIsNotARecording) {
  TestRecording r;
  r.gameFolder = "/games/quarvel";
  r.start.system = "H\xF6vda";  // code page text
  r.start.planet = 10;
  r.start.seed = 18446744073709551615u;
  r.start.flags = {0, 7, 8, 36};
  r.start.lastVisitTenths = 15;
  r.start.upgrades = false;
  r.start.badGuy = true;
  ShipState ship;
  ship.Energy = 70000;
  ship.MaxEnergy = 1000;
  ship.ShieldEnergy = -40;
  ship.PhotonTorpedoes = 12;
  ship.TorpedoBay = 20;
  ship.PoSupply = 3;
  ship.UpgradeLevels = {0, 1, 2, 3, 4, 5};
  ship.SystemDamage = {0, 0.1f, 8, 0, 0, 251, 0, 0, 6.5f};
  r.start.ship = ship;
  r.lines = {"tick 3", "hail", "2", "# not a command: kept as typed"};
  r.transcript = "test: x\ntext: first\n      indented\n\n> hail\n";
  const std::string text = RecordingText(r);
  EXPECT_NE(text.find("system: H\xC3\xB6vda\n"), std::string::npos);  // UTF-8 in the file
  EXPECT_NE(text.find("flags: A,Treaty,H,9\nlast visit: 1.5\nupgrades: off\nbadguy: on\n"), std::string::npos);
  std::string error;
  auto read = ParseRecording(text, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->gameFolder, r.gameFolder);
  EXPECT_EQ(read->start.system, r.start.system);
  EXPECT_EQ(read->start.planet, 10);
  EXPECT_EQ(read->start.seed, r.start.seed);
  EXPECT_EQ(read->start.flags, r.start.flags);
  EXPECT_EQ(read->start.lastVisitTenths, 15);
  EXPECT_FALSE(read->start.upgrades);
  EXPECT_TRUE(read->start.badGuy);
  ASSERT_TRUE(read->start.ship);
  EXPECT_EQ(read->start.ship->Energy, 70000);
  EXPECT_EQ(read->start.ship->ShieldEnergy, -40);
  EXPECT_EQ(read->start.ship->UpgradeLevels, ship.UpgradeLevels);
  EXPECT_EQ(read->start.ship->SystemDamage, ship.SystemDamage);
  EXPECT_EQ(read->lines, r.lines);
  EXPECT_EQ(read->transcript, r.transcript);
  // Written on Windows, read here.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_TRUE(ParseRecording(crlf, error));
  EXPECT_EQ(ParseRecording(crlf, error)->transcript, r.transcript);

  // Without a ship the replay starts from a fresh one.
  r.start.ship.reset();
  EXPECT_FALSE(ParseRecording(RecordingText(r), error)->start.ship);

  const auto refused = [&](const std::string& bad) {
    error.clear();
    EXPECT_FALSE(ParseRecording(bad, error)) << bad;
    return error;
  };
  EXPECT_NE(refused("tick\nhail\n").find("not a recording"), std::string::npos);
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 11\n"), "line 3: cannot read the planet \"11\"");
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\ncolour: red\n"), "line 4: unknown entry \"colour\"");
  EXPECT_EQ(refused("zmd play recording\nplanet: 1\n"), "the recording names no system");
  // A system name is a descriptor's file name: none that leads elsewhere is read.
  EXPECT_EQ(refused("zmd play recording\nsystem: ../../home/x\nplanet: 1\n"),
            "line 2: the system \"../../home/x\" cannot name a descriptor: The name may not contain \"..\".");
  EXPECT_NE(refused("zmd play recording\nsystem: /etc/passwd\nplanet: 1\n").find("may not contain \"/\""),
            std::string::npos);
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\nflags: A,AB\n"), "line 4: cannot read the flags \"A,AB\"");
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\ndamage: 1 2 3\n"),
            "line 4: cannot read the damage \"1 2 3\"");
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\ncommands:\ntick\n"),
            "line 5: the lines of a section are indented by two blanks");
  // Values the ship cannot hold.
  for (const char* levels : {"99 1 1 1 1", "1 1 -5 1 1", "1 1 1 1 6"}) {
    EXPECT_EQ(refused(std::string("zmd play recording\nsystem: A\nplanet: 1\nupgrade levels: ") + levels + "\n"),
              std::string("line 4: the upgrade levels \"") + levels + "\" must lie from 0 to 5");
  }
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\ndamage: 0 0 0 0 -1 0 0 0 0\n"),
            "line 4: the damage \"0 0 0 0 -1 0 0 0 0\" must be finite and not below 0");
  EXPECT_EQ(refused("zmd play recording\nsystem: A\nplanet: 1\nship: 0 40000 0 0 0 0\n"),
            "line 4: the ship \"0 40000 0 0 0 0\" must lie from -32768 to 32767");

  // Cut off: without its transcript, or within a line, it is read as far as it is whole.
  EXPECT_FALSE(ParseRecording(text, error)->truncated);
  const auto cut = ParseRecording(text.substr(0, text.size() - 3), error);
  ASSERT_TRUE(cut);
  EXPECT_TRUE(cut->truncated);
  EXPECT_EQ(cut->transcript, "test: x\ntext: first\n      indented\n\n");
  const auto noTranscript = ParseRecording(text.substr(0, text.find("transcript:")), error);
  ASSERT_TRUE(noTranscript);
  EXPECT_TRUE(noTranscript->truncated);
  EXPECT_EQ(noTranscript->lines, r.lines);
}

TEST(RecordedTest, CheckingAReplayStopsAtTheFirstDifference) {
  testing::DemoGameFolder game;
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = 5;
  std::string input = "tick\nhail\n1\n";
  for (int i = 0; i < 400; ++i) input += "tick\nstatus\n";
  std::istringstream in(input);
  std::ostringstream out;
  TestRecording r;
  RunPlaySession(settings, in, out, &r);
  EXPECT_FALSE(CheckReplay(r, game.Path()).difference);

  // A changed line early on: the rest of the recording is not played.
  TestRecording changed = r;
  const auto at = changed.transcript.find("Unknown vessel");
  ASSERT_NE(at, std::string::npos);
  changed.transcript.replace(at, 7, "Strange");
  const auto check = CheckReplay(changed, game.Path());
  ASSERT_TRUE(check.difference);
  EXPECT_EQ(check.agreed, check.difference->line - 1);
  EXPECT_NE(check.difference->replayed->find("Unknown vessel"), std::string::npos);

  // A transcript that ends early ends the replay at the next line.
  TestRecording shorter = r;
  shorter.transcript = r.transcript.substr(0, r.transcript.find('\n', r.transcript.size() / 3) + 1);
  const auto ended = CheckReplay(shorter, game.Path());
  ASSERT_TRUE(ended.difference);
  EXPECT_FALSE(ended.difference->recorded);
  EXPECT_TRUE(ended.difference->replayed);
}

TEST(Recording, FirstDifferenceNamesTheLineAndAnEndedTranscript) {
  EXPECT_FALSE(FirstDifference("a\nb\n", "a\nb\n"));
  auto d = FirstDifference("a\nb\nc\n", "a\nB\nc\n");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->line, 2);
  EXPECT_EQ(d->recorded, "b");
  EXPECT_EQ(d->replayed, "B");
  d = FirstDifference("a\nb\n", "a\n");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->line, 2);
  EXPECT_FALSE(d->replayed);
  EXPECT_EQ(FirstDifference("a\n", "a\nextra\n")->recorded, std::nullopt);
}

TEST(Recording, FilesAreNamedBySystemPlanetAndTime) {
  testing::TempGameFolder folder(false);
  const auto path = RecordingPath(folder.Path() / "tests", "H\xF6vda", 3, "20240501-143005-120");
  EXPECT_EQ(path.filename().string(), "H\xC3\xB6vda 3 20240501-143005-120.txt");
  TestRecording r;
  r.start.system = "H\xF6vda";
  r.start.planet = 3;
  ASSERT_TRUE(SaveRecording(r, path));  // the folder is made as needed
  std::string error;
  auto loaded = LoadRecording(path, error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(loaded->start.system, "H\xF6vda");
  EXPECT_FALSE(LoadRecording(folder.Path() / "missing.txt", error));
}

TEST(WindowPlacement, PanelAndOptionsAreCentredTogether) {
  const auto at = PlaceTestWindows({0, 0, 1920, 1080}, 424, 340, 430, 277);
  EXPECT_EQ(at.panel, (WindowPosition{748, 231}));
  EXPECT_EQ(at.options, (WindowPosition{745, 571}));
  // A screen too low for both keeps the panel's title bar on it.
  const auto low = PlaceTestWindows({0, 20, 800, 500}, 424, 340, 430, 277);
  EXPECT_EQ(low.panel.top, 20);
  EXPECT_EQ(low.options.top, 360);
  EXPECT_EQ(CentreOnScreen({100, 0, 800, 600}, 200, 100), (WindowPosition{400, 250}));
}

}  // namespace
}  // namespace zelmora::simulator
