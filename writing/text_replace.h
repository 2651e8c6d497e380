#pragma once

#include "messages/planet_script.h"
#include "writing/script_texts.h"
#include "writing/text_search.h"

#include <optional>
#include <string>
#include <vector>

namespace zelmora::writing {

// What replacing some hits does to one stored value.
struct ValueChange {
  TextValue where;  // its value is the one before
  std::vector<Hit> hits;
  std::string after;
  std::optional<std::string> refused;  // why nothing is written for it
};

// The change that replaces `hits` (found in `value` by FindHits) with their replacements.
ValueChange PlanChange(const TextValue& value, std::vector<Hit> hits,
                       const messages::SpecialActionList* catalogue = nullptr);

// Every change replacing all matches in a planet's prose; values without a match are left out.
std::vector<ValueChange> PlanReplace(const messages::PlanetScript& script, const Matcher& matcher,
                                     std::string_view replacement,
                                     const messages::SpecialActionList* catalogue = nullptr);

// Writes the changes of this planet that are not refused. A value that no longer holds what the
// change was planned on is refused now and left alone. The caller names the step of the history.
// Answers how many values were written.
int WriteChanges(messages::PlanetScript& script, std::vector<ValueChange>& changes);

// Writes the changes that belong to the system `record` (the open one, in the editor) as one step of
// the history named `step`, one batch of the descriptor. Answers how many values were written.
int ApplyChanges(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                 std::vector<ValueChange>& changes, std::string_view step);

}  // namespace zelmora::writing
