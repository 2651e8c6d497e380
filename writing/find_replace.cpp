#include "writing/find_replace.h"

#include "writing/script_texts.h"

#include <algorithm>

namespace zelmora::writing {

namespace {

std::string Place(const TextValue& v) { return v.system + "/" + std::to_string(v.planet) + "/" + v.key; }

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

FindReplace::FindReplace(FindReplaceContext context, FindReplaceView& view) : c_(std::move(context)), view_(view) {
  SetPlanet(0);
}

bool FindReplace::Writable(const TextValue& value) const {
  return c_.store.IsWorkingCopyOpen() && !c_.record.Name.empty() && value.system == c_.record.Name;
}

void FindReplace::SetPlanet(int planet) {
  const bool open = c_.store.IsWorkingCopyOpen() && !c_.record.Name.empty();
  planet_ = open ? planet : 0;
  screen_.planetScope = planet_ > 0;
  screen_.systemScope = open;
  screen_.scope = planet_ > 0 ? SearchScope::Planet : open ? SearchScope::System : SearchScope::GameFolder;
  Publish();
}

void FindReplace::SetScope(SearchScope scope) {
  if (scope == SearchScope::Planet && !screen_.planetScope) return;
  if (scope == SearchScope::System && !screen_.systemScope) return;
  screen_.scope = scope;
  Publish();
}

void FindReplace::SetPattern(std::string pattern) { pattern_ = std::move(pattern); }
void FindReplace::SetReplacement(std::string replacement) {
  if (replacement == replacement_) return;
  replacement_ = std::move(replacement);
  if (rows_.empty()) return;
  // What each hit becomes follows the replacement as it is typed.
  const std::optional<int> keep = screen_.selected;
  Find();
  if (keep && *keep < static_cast<int>(rows_.size())) Select(keep);
}

void FindReplace::SetOptions(bool regex, bool matchCase, bool wholeWord) {
  regex_ = regex;
  matchCase_ = matchCase;
  wholeWord_ = wholeWord;
}

std::vector<TextValue> FindReplace::ValuesInScope() const {
  std::vector<TextValue> values;
  auto take = [&](messages::PlanetScript& script) {
    for (TextValue& v : PlanetTexts(script)) values.push_back(std::move(v));
  };
  switch (screen_.scope) {
    case SearchScope::Planet:
      ForEachPlanet(c_.store, c_.record, planet_, take);
      break;
    case SearchScope::System:
      ForEachPlanet(c_.store, c_.record, 0, take);
      break;
    case SearchScope::GameFolder: {
      OpenSystem open;
      if (screen_.systemScope) open = {&c_.store, &c_.record};
      ForEachSystem(
          c_.store.GameFolder(), true,
          [&](store::DescriptorStore& store, const store::SolarSystemRecord& record) {
            ForEachPlanet(store, record, 0, take);
          },
          open);
      break;
    }
  }
  return values;
}

ValueChange FindReplace::ChangeFor(const Row& row) const {
  ValueChange change = PlanChange(row.value, {row.hit}, &c_.catalogue);
  if (!change.refused && !Writable(row.value)) {
    change.refused = "It is in another system: open that system to replace there.";
  }
  return change;
}

void FindReplace::Find() {
  rows_.clear();
  screen_.selected.reset();
  std::string error;
  matcher_ = Matcher::Make({pattern_, regex_, matchCase_, wholeWord_}, &error);
  if (!matcher_) {
    screen_.lines.clear();
    screen_.status = error;
    Preview();
    Publish();
    return;
  }
  std::size_t values = 0;
  for (const TextValue& value : ValuesInScope()) {
    const std::vector<Hit> hits = FindHits(value, *matcher_, replacement_, &c_.catalogue);
    if (!hits.empty()) ++values;
    for (const Hit& h : hits) rows_.push_back({value, h});
  }
  screen_.lines.clear();
  for (const Row& row : rows_) {
    HitLine line;
    line.system = row.value.system;
    line.planet = std::to_string(row.value.planet);
    line.group = row.value.group;
    line.key = row.value.key;
    line.found = HitContext(row.value, row.hit.span);
    const ValueChange change = ChangeFor(row);
    if (change.refused) {
      line.becomes = "refused: " + *change.refused;
    } else {
      TextValue after = row.value;
      after.value = change.after;
      line.becomes = HitContext(after, {row.hit.span.start, row.hit.replacement.size()});
    }
    screen_.lines.push_back(std::move(line));
  }
  screen_.status = rows_.empty() ? "Nothing found."
                                 : Plural(rows_.size(), "hit", "hits") + " in " + Plural(values, "value", "values") + ".";
  Preview();
  Publish();
}

void FindReplace::Select(std::optional<int> row) {
  if (row && (*row < 0 || *row >= static_cast<int>(rows_.size()))) row.reset();
  screen_.selected = row;
  Preview();
  Publish();
}

void FindReplace::Open(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || !c_.open) return;
  Select(row);
  c_.open(rows_[static_cast<std::size_t>(row)].value);
}

void FindReplace::Preview() {
  screen_.before.clear();
  screen_.after.clear();
  screen_.problem.clear();
  screen_.replace = false;
  screen_.replaceAll = std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return Writable(r.value); });
  if (!screen_.selected) return;
  const Row& row = rows_[static_cast<std::size_t>(*screen_.selected)];
  const ValueChange change = ChangeFor(row);
  screen_.before = row.value.value;
  screen_.after = change.after;
  screen_.problem = change.refused.value_or("");
  screen_.replace = !change.refused;
}

void FindReplace::Write(std::vector<ValueChange> changes, const std::string& step) {
  int written = 0;
  if (!changes.empty()) written = ApplyChanges(c_.store, c_.record, changes, step);
  std::size_t refused = 0;
  for (const ValueChange& change : changes) refused += change.refused ? 1 : 0;
  if (written > 0 && c_.written) c_.written();
  const std::optional<int> keep = screen_.selected;
  Find();
  if (keep && !rows_.empty()) Select(std::min(*keep, static_cast<int>(rows_.size()) - 1));
  std::string status = "Replaced " + Plural(static_cast<std::size_t>(written), "value", "values") + ".";
  if (refused > 0) status += " " + Plural(refused, "value was", "values were") + " refused and left as they were.";
  screen_.status = status + " " + screen_.status;
  Publish();
}

void FindReplace::ReplaceSelected() {
  if (!screen_.selected || !screen_.replace) return;
  ValueChange change = ChangeFor(rows_[static_cast<std::size_t>(*screen_.selected)]);
  Write({std::move(change)}, "Replace \"" + pattern_ + "\" with \"" + replacement_ + "\"");
}

void FindReplace::ReplaceAll() {
  if (!screen_.replaceAll) return;
  // One change per value, holding every hit of the value.
  std::vector<ValueChange> changes;
  std::map<std::string, std::size_t> byPlace;
  std::vector<std::vector<Hit>> hits;
  std::vector<const TextValue*> values;
  for (const Row& row : rows_) {
    if (!Writable(row.value)) continue;
    auto [it, added] = byPlace.emplace(Place(row.value), values.size());
    if (added) {
      values.push_back(&row.value);
      hits.emplace_back();
    }
    hits[it->second].push_back(row.hit);
  }
  for (std::size_t i = 0; i < values.size(); ++i) changes.push_back(PlanChange(*values[i], hits[i], &c_.catalogue));
  Write(std::move(changes), "Replace All \"" + pattern_ + "\" with \"" + replacement_ + "\"");
}

void FindReplace::Publish() {
  const bool all = !published_;
  published_ = true;
  if (all || screen_.lines != shown_.lines) view_.ShowHits(screen_.lines);
  if (all || screen_.selected != shown_.selected) view_.ShowSelection(screen_.selected);
  if (all || screen_.before != shown_.before || screen_.after != shown_.after || screen_.problem != shown_.problem) {
    view_.ShowPreview(screen_.before, screen_.after, screen_.problem);
  }
  if (all || screen_.status != shown_.status) view_.ShowStatus(screen_.status);
  if (all || screen_.planetScope != shown_.planetScope || screen_.systemScope != shown_.systemScope ||
      screen_.scope != shown_.scope) {
    view_.ShowScopes(screen_.planetScope, screen_.systemScope, screen_.scope);
  }
  if (all || screen_.replace != shown_.replace || screen_.replaceAll != shown_.replaceAll) {
    view_.ShowCommands(screen_.replace, screen_.replaceAll);
  }
  shown_ = screen_;
}

}  // namespace zelmora::writing
