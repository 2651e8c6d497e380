#pragma once

#include "check/script_graph.h"
#include "check/script_map_sheet.h"

#include <string>
#include <vector>

namespace zelmora::check {

// How a line uses the flag chosen in the flag list.
enum class FlagUse : char { None, Tests, Changes, Both };

// What the script map lights up over its drawing.
struct MapMarks {
  int selected = -1;             // the graph node chosen
  std::vector<bool> pathLines;   // per line: on a path from where play starts to the chosen node
  std::vector<bool> pathBoxes;   // per box: on such a path
  std::string flag;              // the flag chosen, or empty
  std::vector<FlagUse> flagLines;  // per line
  bool operator==(const MapMarks&) const = default;
};

// A flag of the script as its list shows it.
struct FlagRow {
  std::string flag;  // "A", "treaty"
  std::string text;  // "A  Door key found"
  bool operator==(const FlagRow&) const = default;
};

// What the script map window shows; the model calls each only when what it shows changes.
class ScriptMapView {
 public:
  virtual ~ScriptMapView() = default;
  // A new drawing: boxes or lines, their places, or what they say changed.
  virtual void ShowSheet(const ScriptSheet& sheet, const ScriptGraph& graph) = 0;
  virtual void ShowMarks(const MapMarks& marks) = 0;
  virtual void ShowFlags(const std::vector<FlagRow>& flags) = 0;
  virtual void ShowSummary(const std::string& summary) = 0;
  // Brings box `box` to the middle of the view.
  virtual void CentreOn(int box) = 0;
};

}  // namespace zelmora::check
