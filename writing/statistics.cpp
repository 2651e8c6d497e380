#include "writing/statistics.h"

#include "writing/script_texts.h"

namespace zelmora::writing {

namespace {

void AddSystem(store::DescriptorStore& store, const store::SolarSystemRecord& record, const MeasureTwips& measure,
               std::vector<StatisticsRow>& rows) {
  const std::size_t systemRow = rows.size();
  rows.push_back({0, record.Name, {}});
  ForEachPlanet(store, record, 0, [&](messages::PlanetScript& script) {
    const PlanetCounts planet = CountPlanet(script, measure);
    rows[systemRow].counts.Add(planet.total);
    rows.push_back({1, std::to_string(planet.planet) + " " + store.GetPlanetName(record, planet.planet, record.StarName),
                    planet.total});
    for (const GroupCounts& g : planet.groups) rows.push_back({2, g.group.empty() ? "Info" : g.group, g.counts});
  });
}

}  // namespace

std::vector<StatisticsRow> StatisticsRows(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                                          bool gameFolder, const MeasureTwips& measure) {
  std::vector<StatisticsRow> rows;
  if (!gameFolder) {
    if (!record.Name.empty() && store.IsWorkingCopyOpen()) AddSystem(store, record, measure, rows);
    return rows;
  }
  OpenSystem open;
  if (!record.Name.empty() && store.IsWorkingCopyOpen()) open = {&store, &record};
  ForEachSystem(
      store.GameFolder(), true,
      [&](store::DescriptorStore& s, const store::SolarSystemRecord& r) { AddSystem(s, r, measure, rows); }, open);
  return rows;
}

}  // namespace zelmora::writing
