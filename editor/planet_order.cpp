#include "editor/planet_order.h"

namespace zelmora::editor {

std::optional<OrderMove> MoveUp(int selected, int count) {
  if (selected < 1 || selected >= count) return std::nullopt;
  return OrderMove{selected, selected - 1, {selected, selected + 1}};
}

std::optional<OrderMove> MoveDown(int selected, int count) {
  if (selected < 0 || selected > count - 2) return std::nullopt;
  return OrderMove{selected, selected + 1, {selected + 1, selected + 2}};
}

std::vector<std::string> ReorderListNames(const store::DescriptorStore& store, const store::SolarSystemRecord& record) {
  std::vector<std::string> names;
  for (int i = 1; i <= record.PlanetCount; ++i) {
    // A default name follows the star name; a stored one does not, whatever it holds.
    std::string name = store.GetPlanetName(record, i, "A");
    bool stored = name == store.GetPlanetName(record, i, "B");
    names.push_back(stored ? name : "Planet " + std::to_string(i));
  }
  return names;
}

void ApplyPlanetExchanges(store::flows::SystemContext& ctx, const std::vector<PlanetExchange>& exchanges) {
  store::EditAction action(ctx.store, "Set Order");
  store::DescriptorBatch batch(ctx.store, ctx.record.Name);
  for (const auto& e : exchanges) store::flows::ExchangePlanets(ctx, e.a, e.b);
  ctx.store.WriteSystemRecord(ctx.record);
}

}  // namespace zelmora::editor
