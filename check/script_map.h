#pragma once

#include "check/script_map_view.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::check {

// Where a box of the map opens in the editors.
struct OpenTarget {
  enum class Kind { Messages, Responses, Room };
  Kind kind = Kind::Messages;
  std::string group;
  bool operator==(const OpenTarget&) const = default;
};

// The script map window's state: the graph of a planet laid out by Graphviz, the group chosen and
// the paths that lead to it, the flag whose links are lit, the search. A window forwards its
// events here and shows what the view is told.
class ScriptMap {
 public:
  ScriptMap(ScriptMapView& view, SheetMetrics metrics);

  // The flag's description for the flag list ("" when it has none).
  void SetFlagTexts(std::function<std::string(const std::string& flag)> describe) { describe_ = std::move(describe); }

  // Shows a graph of the planet. Graphviz lays it out again only when a box or a line changed, so
  // a changed text or finding leaves every box where it was; the chosen group and flag stay chosen
  // while the graph still has them. False when Graphviz refused the graph (see LayoutError).
  bool Show(ScriptGraph graph);
  // Whether the last Show called on Graphviz.
  bool LaidOut() const { return laidOut_; }
  const std::string& LayoutError() const { return error_; }
  // Said after the counts while the checker works on the script.
  void SetChecking(bool checking);

  // Chooses a group (a graph node), or none with -1.
  void Select(int node);
  // Chooses the next group whose name holds `text` in any case (a whole name first) and centres it;
  // false when no group's does.
  bool Find(const std::string& text);
  // Lights every link that tests or changes `flag`; none with "".
  void ChooseFlag(const std::string& flag);

  // What pointing at a group shows: its kind, counts, messages and responses with where they
  // lead, and findings.
  std::string Describe(int node) const;
  // What pointing at a line shows: each link it draws, where it comes from and goes, its flags.
  std::string DescribeLine(int line) const;
  // Where a group opens: as `kind` when given and possible, otherwise in the direction it is used.
  std::optional<OpenTarget> Target(int node, std::optional<OpenTarget::Kind> kind = std::nullopt) const;
  // Every way the group can be opened, the usual one first.
  std::vector<OpenTarget::Kind> Targets(int node) const;

  // The map as Graphviz draws it, in SVG; its texts measured by `measure` when given.
  std::string Svg(const std::string& title, std::string* error = nullptr, const DotTextMeasure& measure = {}) const;

  const ScriptGraph& Graph() const { return graph_; }
  const ScriptSheet& Sheet() const { return sheet_; }
  const MapMarks& Marks() const { return marks_; }
  const std::vector<FlagRow>& Flags() const { return flags_; }
  const std::string& Summary() const { return summary_; }
  int Selected() const { return marks_.selected; }
  // The box whose centre is nearest to `p`, or -1 on an empty sheet.
  int BoxNear(SheetPoint p) const;
  // The box showing the group of that name, or -1.
  int BoxNamed(const std::string& name) const;
  // Where play starts the most: of the boxes of groups that start play, the one whose lines reach
  // the most boxes; -1 when there is none.
  int StartBox() const;

 private:
  // Works out the marks and shows them when they changed, or always on a new drawing.
  void Mark(bool drawn);
  void Summarise();

  ScriptMapView& view_;
  SheetMetrics metrics_;
  std::function<std::string(const std::string&)> describe_;
  ScriptGraph graph_;
  ScriptSheet sheet_;
  std::string dot_;
  DotLayout layout_;
  bool laidOut_ = false;
  std::string error_;
  bool checking_ = false;
  MapMarks marks_;
  std::vector<FlagRow> flags_;
  std::string summary_;
};

}  // namespace zelmora::check
