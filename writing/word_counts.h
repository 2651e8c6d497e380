#pragma once

#include "messages/planet_script.h"
#include "writing/script_texts.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::writing {

// How much prose a part of the script holds, and how close its longest values come to what the
// game can show.
struct TextCounts {
  int words = 0;       // a placeholder counts as one word: it stands for a name
  int characters = 0;  // of the texts and titles, placeholders included
  int messages = 0;
  int responses = 0;
  int infos = 0;
  std::string longestKey;  // the longest stored value (the reader gives back 254 characters)
  std::size_t longestLength = 0;
  std::string widestKey;  // the widest response text, when widths are measured
  int widestTwips = 0;
  int overLength = 0;  // values read back cut
  int overWidth = 0;   // response texts wider than the chooser shows

  void Add(const TextCounts& other);
};

struct GroupCounts {
  std::string group;  // as the message editor shows it; empty for the information text
  TextCounts counts;
};

struct PlanetCounts {
  std::string system;
  int planet = 0;
  TextCounts total;
  std::vector<GroupCounts> groups;  // in the order their first value was met
};

// The width of a response text in twips; widths are not measured without it.
using MeasureTwips = std::function<int(std::string_view text)>;

// The words and characters of one value's prose.
TextCounts CountValue(const TextValue& value, const MeasureTwips& measure = {});
PlanetCounts CountPlanet(const messages::PlanetScript& script, const MeasureTwips& measure = {});

}  // namespace zelmora::writing
