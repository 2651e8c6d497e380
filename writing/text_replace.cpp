#include "writing/text_replace.h"

namespace zelmora::writing {

ValueChange PlanChange(const TextValue& value, std::vector<Hit> hits, const messages::SpecialActionList* catalogue) {
  ValueChange change;
  change.where = value;
  std::vector<PartEdit> edits;
  for (const Hit& h : hits) edits.push_back({h.span, h.replacement});
  change.hits = std::move(hits);
  Rewrite rewrite = RewriteProse(value.value, edits, value.kind, catalogue);
  change.after = std::move(rewrite.value);
  change.refused = std::move(rewrite.problem);
  return change;
}

std::vector<ValueChange> PlanReplace(const messages::PlanetScript& script, const Matcher& matcher,
                                     std::string_view replacement, const messages::SpecialActionList* catalogue) {
  std::vector<ValueChange> changes;
  for (const TextValue& value : PlanetTexts(script)) {
    std::vector<Hit> hits = FindHits(value, matcher, replacement, catalogue);
    if (hits.empty()) continue;
    ValueChange change = PlanChange(value, std::move(hits), catalogue);
    if (change.after == value.value) continue;  // replaced by itself
    changes.push_back(std::move(change));
  }
  return changes;
}

int WriteChanges(messages::PlanetScript& script, std::vector<ValueChange>& changes) {
  int written = 0;
  for (ValueChange& change : changes) {
    if (change.refused) continue;
    if (change.where.system != script.Record().Name || change.where.planet != script.Planet()) continue;
    if (script.GetMessage(change.where.key) != change.where.value) {
      change.refused = "The value has changed since it was searched; search again.";
      continue;
    }
    script.PutMessage(change.where.key, change.after);
    ++written;
  }
  return written;
}

int ApplyChanges(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                 std::vector<ValueChange>& changes, std::string_view step) {
  int written = 0;
  store::EditAction action(store, step);
  store::DescriptorBatch batch(store, record.Name);
  for (int planet = 1; planet <= record.PlanetCount; ++planet) {
    messages::PlanetScript script(store, record, planet);
    written += WriteChanges(script, changes);
  }
  return written;
}

}  // namespace zelmora::writing
