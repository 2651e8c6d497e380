#include "simulator/test_options.h"

#include "messages/flags.h"
#include "store/descriptor_store.h"

#include <algorithm>
#include <cstdio>

namespace zelmora::simulator {

TestOptions::TestOptions(ShipState& ship) : ship_(ship) {
  ship_.PlayerRank = "Captain";
  ship_.PlayerName = "<Player>";
  for (auto& line : flagNameLines_) line = std::string(messages::kUnusedFlag);
}

void TestOptions::LoadFlagNames(const PlanetScriptReader& script) {
  auto lines = messages::FlagLines([&](const std::string& key) { return script.ReadPlanetKey(planet, key); });
  std::copy(lines.begin(), lines.end(), flagNameLines_.begin());
  // Flags listed for another planet take this planet's names.
  for (auto& entry : flagList_) entry.name = FlagListName(entry.flag);
}

std::string TestOptions::FlagListName(int flag) const {
  if (flag == kTreatyFlag) return "Have Treaty";
  int entry = flag > kTreatyFlag ? flag - 1 : flag;
  if (entry < 0 || entry >= 36) return {};
  return flagNameLines_[static_cast<std::size_t>(entry)];
}

bool TestOptions::FlagLabelOn(int flag) const {
  return flag >= 0 && flag < kFlagNumbers && flagLabels_[static_cast<std::size_t>(flag)];
}

void TestOptions::SetFlagLabel(int flag, bool on) {
  if (flag < 0 || flag >= kFlagNumbers || FlagLabelOn(flag) == on) return;
  flagLabels_[static_cast<std::size_t>(flag)] = on;
  if (listener_) listener_->FlagLabelChanged(flag, on);
  if (on) AddFlag(flag);
  else RemoveFlag(flag);
}

void TestOptions::AddFlag(int flag) {
  FlagListEntry entry{FlagListName(flag), flag};
  flagList_.push_back(entry);
  if (listener_) listener_->FlagAdded(entry);
}

void TestOptions::RemoveFlag(int flag) {
  auto it = std::find_if(flagList_.begin(), flagList_.end(), [&](const auto& e) { return e.flag == flag; });
  if (it == flagList_.end()) return;
  FlagListEntry entry = *it;
  flagList_.erase(it);
  if (listener_) listener_->FlagRemoved(entry);
}

void TestOptions::ToggleFlagLabel(int flag) { SetFlagLabel(flag, !FlagLabelOn(flag)); }

void TestOptions::ClearFlags() {
  for (int i = 0; i < kFlagNumbers; ++i) SetFlagLabel(i, false);
}

void TestOptions::ClearListedFlag(int row, store::PlanetRecord& planetRecord) {
  if (row < 0 || row >= static_cast<int>(flagList_.size())) return;
  const int flag = flagList_[static_cast<std::size_t>(row)].flag;
  store::SetFlagBit(planetRecord, flag, false);
  if (FlagLabelOn(flag)) SetFlagLabel(flag, false);
  else RemoveFlag(flag);
}

void TestOptions::SetUpgrades(bool ticked, ShipRules& rules) {
  upgrades = ticked;
  if (!ticked) rules.ResetUpgradeLevels();
}

void TestOptions::PressUpgrade(int label, ShipRules& rules) {
  if (!upgrades || label < 0 || label >= kUpgradeKinds) return;
  const int kind = label + 1;
  auto& level = ship_.UpgradeLevels[static_cast<std::size_t>(kind)];
  if (level >= kMaxUpgradeLevel) level = 0;
  rules.AddUpgrade(kUpgradeCodes[static_cast<std::size_t>(kind)]);
}

std::string TestOptions::LastVisitCaption() const {
  if (lastVisit == 0) return "Never";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f days ago", lastVisit / 10.0);
  return buffer;
}

void TestOptions::Begin(store::PlanetRecord& planetRecord, platform::Random& random) {
  planetRecord.FlagBits = 0;
  for (int i = 0; i < kFlagNumbers; ++i) {
    if (FlagLabelOn(i)) store::SetFlagBit(planetRecord, i, true);
  }
  ship_.RetrofitCounters.fill(0);
  ship_.BadGuyOption = badGuy;
  ship_.UpgradesOption = upgrades;
  planetRecord.StateValue = lastVisit * 10;
  random.SeedFromClock();
}

void TestOptions::SetRetrofitCaption(const std::string& caption) {
  if (caption == retrofitCaption_) return;
  retrofitCaption_ = caption;
  if (listener_) listener_->RetrofitCaptionChanged(caption);
}

void TestOptions::RefreshStatus(const store::PlanetRecord& planetRecord) {
  for (int i = 0; i < kFlagNumbers; ++i) SetFlagLabel(i, store::TestFlagBit(planetRecord, i));
  std::string caption = "Retrofits: ";
  for (int k = 1; k <= 5; ++k) caption += std::to_string(ship_.RetrofitCounters[static_cast<std::size_t>(k)]);
  caption += " ";
  if (caption != retrofitCaption_) {
    retrofitCaption_ = caption;
    if (listener_) listener_->RetrofitCaptionChanged(caption);
  }
}

}  // namespace zelmora::simulator
