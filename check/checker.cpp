#include "check/checker.h"

#include "check/planet_checker.h"
#include "messages/script_keys.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

namespace zelmora::check {

void CheckReport::Append(CheckReport&& other) {
  findings.insert(findings.end(), std::make_move_iterator(other.findings.begin()),
                  std::make_move_iterator(other.findings.end()));
  searches.insert(searches.end(), other.searches.begin(), other.searches.end());
}

PlanetChecker::PlanetChecker(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                             const CheckOptions& options)
    : script_(script), catalogue_(catalogue), options_(options), index_(script) {
  for (const ItemListInfo* list : index_.CountedLists()) {
    for (int n : list->present) {
      std::string key = list->Key(n);
      std::string value = index_.Value(key);
      items_.push_back({list, n, std::move(key), std::move(value)});
    }
  }
}

Finding& PlanetChecker::Add(Severity severity, FindingKind kind, const std::string& key, std::string message,
                            std::string fix) {
  Finding f;
  f.severity = severity;
  f.kind = kind;
  f.system = script_.Record().Name;
  f.planet = script_.Planet();
  f.key = key;
  if (auto place = index_.Locate(key)) {
    f.group = place->group;
    f.list = place->list;
    f.item = place->item;
  }
  f.message = std::move(message);
  f.fix = std::move(fix);
  report_.findings.push_back(std::move(f));
  return report_.findings.back();
}

Finding& PlanetChecker::AddForList(Severity severity, FindingKind kind, const ItemListInfo& list, std::string message,
                                   std::string fix) {
  Finding& f = Add(severity, kind, list.countKey, std::move(message), std::move(fix));
  f.group = list.group;
  f.list = list.group.empty() ? ItemList::None : list.list;
  return f;
}

CheckReport PlanetChecker::Run() {
  if (items_.empty() && index_.Entries().empty()) return std::move(report_);
  if (catalogue_.empty()) {
    Add(Severity::Note, FindingKind::NoCatalogue, "", "SPECIAL.LST was not found: codes were not checked against it",
        "put SPECIAL.LST in the game folder");
  }
  const auto& record = script_.Record();
  if (!items_.empty() && script_.Store().GetPlanetFlag(record, "Messages", script_.Planet()) != 1) {
    Add(Severity::Note, FindingKind::ScriptNotUsed, "",
        "custom messages are off for this planet: the game does not play this script",
        "tick \"Use Custom Messages\" in the message editor");
  }
  flags_ = ScanFlags(index_);
  rooms_ = BuildRoomGraph(index_);
  for (const Room& room : rooms_.rooms) {
    for (const Door& door : room.doors) doorKeys_.insert(platform::ToUpper1252(door.key));
  }
  SearchPlay();
  CheckValues();
  CheckCounts();
  CheckItems();
  CheckFlags();
  CheckRooms();
  CheckReach();
  return std::move(report_);
}

CheckReport CheckPlanet(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                        const CheckOptions& options) {
  // One reading of the file for every check.
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  return PlanetChecker(script, catalogue, options).Run();
}

CheckReport CheckSystem(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                        const messages::SpecialActionList& catalogue, const CheckOptions& options) {
  CheckReport report;
  store::DescriptorBatch batch(store, record.Name);
  for (int planet = 1; planet <= record.PlanetCount; ++planet) {
    if (!store.SectionExists(record.Name, std::to_string(planet))) continue;
    report.Append(CheckPlanet(messages::PlanetScript(store, record, planet), catalogue, options));
  }
  return report;
}

CheckReport CheckGameFolder(const std::filesystem::path& gameFolder, const CheckOptions& options) {
  store::DescriptorStore store(gameFolder);
  store.RefreshSystemNames();
  const std::vector<std::string> names = store.SystemNames();
  const messages::SpecialActionList catalogue = messages::LoadSpecialActions(gameFolder);
  CheckReport report;
  for (const std::string& name : names) {
    const bool working =
        options.readWorkingCopies && platform::FileExists(store.DescriptorPath(name, store::kWorkingExtension));
    store.SetCurrentExtension(working ? store::kWorkingExtension : store::kSavedExtension);
    store::SolarSystemRecord record;
    store.LoadSystem(name, record);
    report.Append(CheckSystem(store, record, catalogue, options));
  }
  return report;
}

}  // namespace zelmora::check
