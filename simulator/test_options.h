#pragma once

#include "simulator/planet_script_reader.h"
#include "simulator/ship_rules.h"
#include "simulator/ship_state.h"
#include "simulator/start_point.h"
#include "store/system_record.h"
#include "ui/platform/random.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

struct FlagListEntry {
  std::string name;
  int flag = 0;
  bool operator==(const FlagListEntry&) const = default;
};

// What a window of the test options shows; told of every change.
class TestOptionsListener {
 public:
  virtual ~TestOptionsListener() = default;
  virtual void FlagLabelChanged(int flag, bool on) = 0;
  virtual void FlagAdded(const FlagListEntry& entry) = 0;
  virtual void FlagRemoved(const FlagListEntry& entry) = 0;
  virtual void RetrofitCaptionChanged(const std::string& caption) = 0;
};

// The test options of one planet: starting flags, last visit, the two switches, and the live
// flag list and retrofit counters while its test runs.
class TestOptions {
 public:
  // Sets the player's rank and name on the ship, as loading the options does.
  explicit TestOptions(ShipState& ship);

  void SetListener(TestOptionsListener* listener) { listener_ = listener; }
  TestOptionsListener* Listener() const { return listener_; }

  int planet = 0;          // the planet to test, 1..10
  bool upgrades = true;    // "Upgrades"
  bool badGuy = false;     // "BadGuy"
  int lastVisit = 0;       // tenths of a day, 0..50
  // Where the test goes on from after orbit entry; nothing: the visit decides, as always.
  std::optional<StartPoint> from;

  // The flag chooser's 36 lines ("A - Unused" ...) for the planet.
  void LoadFlagNames(const PlanetScriptReader& script);
  const std::array<std::string, 36>& FlagNameLines() const { return flagNameLines_; }
  // The list name of a flag number 0..36; flag 7 is the treaty.
  std::string FlagListName(int flag) const;

  bool FlagLabelOn(int flag) const;
  void SetFlagLabel(int flag, bool on);  // with AddFlag/RemoveFlag, as a click does
  void AddFlag(int flag);
  void RemoveFlag(int flag);
  const std::vector<FlagListEntry>& FlagList() const { return flagList_; }
  // A click on flag label i turns it on or off.
  void ToggleFlagLabel(int flag);
  // "Clear Flags": every label that is on turns off.
  void ClearFlags();
  // A double click on entry `row` of the list: the flag is cleared on the planet and its label
  // turns off, so that the next Begin does not set it again.
  void ClearListedFlag(int row, store::PlanetRecord& planetRecord);

  // "Upgrades" clicked: unticking puts all five upgrade levels back to 1.
  void SetUpgrades(bool ticked, ShipRules& rules);
  // Upgrade label 0..4 (EN, SH, PT, SN, TB) pressed while "Upgrades" is ticked: the level cycles
  // 1, 2, 3, 4, 5, 1, ...
  void PressUpgrade(int label, ShipRules& rules);

  std::string LastVisitCaption() const;
  const std::string& RetrofitCaption() const { return retrofitCaption_; }
  // The retrofit label as it stood before (a test played again from its start).
  void SetRetrofitCaption(const std::string& caption);

  // Begin: the planet's flags from the labels, retrofit counters cleared, the switches copied to
  // the ship, the last visit written to the planet, the generator seeded.
  void Begin(store::PlanetRecord& planetRecord, platform::Random& random);

  // The status refresh: labels and list follow the planet's flags, the retrofit label the ship.
  void RefreshStatus(const store::PlanetRecord& planetRecord);

 private:
  ShipState& ship_;
  TestOptionsListener* listener_ = nullptr;
  std::array<std::string, 36> flagNameLines_;
  std::array<bool, kFlagNumbers> flagLabels_{};
  std::vector<FlagListEntry> flagList_;
  std::string retrofitCaption_ = "Retrofits: 00000 ";
};

}  // namespace zelmora::simulator
