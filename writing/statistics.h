#pragma once

#include "store/descriptor_store.h"
#include "store/system_record.h"
#include "writing/word_counts.h"

#include <string>
#include <vector>

namespace zelmora::writing {

// One line of the statistics: a system (depth 0), one of its planets (1) or a group of a planet (2).
struct StatisticsRow {
  int depth = 0;
  std::string name;
  TextCounts counts;
};

// The open system, or with `gameFolder` every system of the game folder (the open one through the
// editor's store), each with its planets and their groups, in order.
std::vector<StatisticsRow> StatisticsRows(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                                          bool gameFolder, const MeasureTwips& measure = {});

}  // namespace zelmora::writing
