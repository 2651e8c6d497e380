#include "writing/word_counts.h"

#include "messages/message_parts.h"

#include <algorithm>

namespace zelmora::writing {

void TextCounts::Add(const TextCounts& other) {
  words += other.words;
  characters += other.characters;
  messages += other.messages;
  responses += other.responses;
  infos += other.infos;
  if (other.longestLength > longestLength) {
    longestLength = other.longestLength;
    longestKey = other.longestKey;
  }
  if (other.widestTwips > widestTwips) {
    widestTwips = other.widestTwips;
    widestKey = other.widestKey;
  }
  overLength += other.overLength;
  overWidth += other.overWidth;
}

TextCounts CountValue(const TextValue& value, const MeasureTwips& measure) {
  TextCounts c;
  switch (value.kind) {
    case ValueKind::Message: c.messages = 1; break;
    case ValueKind::Response: c.responses = 1; break;
    case ValueKind::Info: c.infos = 1; break;
  }
  const std::string_view v = value.value;
  std::string shown;  // the response text as the chooser shows it, placeholders as typed
  for (const ValuePart& part : SplitValue(v, value.kind)) {
    const std::string_view piece = v.substr(part.span.start, part.span.length);
    if (part.role == PartRole::Placeholder) {
      ++c.words;
      c.characters += static_cast<int>(piece.size());
    } else if (IsProse(part.role)) {
      c.words += static_cast<int>(Words(piece).size());
      c.characters += static_cast<int>(piece.size());
    }
    if (part.role == PartRole::Text || part.role == PartRole::Placeholder) shown += piece;
  }
  c.longestKey = value.key;
  c.longestLength = v.size();
  c.overLength = messages::ExceedsLengthLimit(v) ? 1 : 0;
  if (measure && value.kind == ValueKind::Response) {
    c.widestKey = value.key;
    c.widestTwips = measure(shown);
    c.overWidth = messages::ExceedsResponseWidth(shown, measure) ? 1 : 0;
  }
  return c;
}

PlanetCounts CountPlanet(const messages::PlanetScript& script, const MeasureTwips& measure) {
  PlanetCounts planet;
  planet.system = script.Record().Name;
  planet.planet = script.Planet();
  for (const TextValue& value : PlanetTexts(script)) {
    const TextCounts c = CountValue(value, measure);
    planet.total.Add(c);
    auto group = std::find_if(planet.groups.begin(), planet.groups.end(),
                              [&](const GroupCounts& g) { return g.group == value.group; });
    if (group == planet.groups.end()) group = planet.groups.insert(planet.groups.end(), {value.group, {}});
    group->counts.Add(c);
  }
  return planet;
}

}  // namespace zelmora::writing
