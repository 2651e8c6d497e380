#include "check/issues_list.h"

#include <algorithm>

namespace zelmora::check {

namespace {

std::string Counted(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string WhereText(const Finding& f) {
  if (!f.room.empty()) return "Room " + f.room;
  if (f.list != ItemList::None && !f.group.empty()) {
    std::string where = std::string(f.list == ItemList::Messages ? "Message Level: " : "Response Level: ") + f.group;
    if (f.item > 0) where += ", item " + std::to_string(f.item);
    return where;
  }
  if (!f.key.empty()) return f.key;
  if (!f.group.empty()) return "Group " + f.group;
  return "Planet";
}

void IssuesList::Refresh(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                         const CheckOptions& options) {
  report_ = CheckPlanet(script, catalogue, options);
  Build();
}

void IssuesList::AddNotes(std::vector<Finding> notes) {
  for (auto& f : notes) report_.findings.push_back(std::move(f));
  Build();
}

void IssuesList::Build() {
  std::vector<Finding> findings = report_.findings;
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return static_cast<int>(a.severity) < static_cast<int>(b.severity); });
  rows_.clear();
  for (auto& f : findings) {
    rows_.push_back(IssueRow{SeverityName(f.severity), WhereText(f), f.message, f.fix, f});
  }
  const int errors = report_.Count(Severity::Error);
  const int warnings = report_.Count(Severity::Warning);
  const int notes = report_.Count(Severity::Note);
  if (rows_.empty()) {
    summary_ = "No issues found.";
  } else {
    summary_ = Counted(errors, "error", "errors") + ", " + Counted(warnings, "warning", "warnings") + " and " +
               Counted(notes, "note", "notes") + ".";
  }
  for (const auto& search : report_.searches) {
    if (!search.complete) {
      summary_ += " The search of play stopped early (" + search.stoppedBy + "): what it did not reach is not listed.";
    }
  }
}

}  // namespace zelmora::check
