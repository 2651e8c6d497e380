#pragma once

#include "check/checker.h"

#include <string>
#include <vector>

namespace zelmora::check {

// One line of the issues list: where, how bad, what, and the finding to go to.
struct IssueRow {
  std::string severity;
  std::string where;
  std::string message;
  std::string fix;
  Finding finding;
  bool operator==(const IssueRow&) const = default;
};

// Where a finding points, as the message editor names it: "Message Level: Trade, item 2",
// "Response Level: Hail", "Room Area11", a key, or "Planet" for the script as a whole.
std::string WhereText(const Finding& finding);

// The issues of the planet the message editor has open, checked again on every Refresh.
class IssuesList {
 public:
  void Refresh(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
               const CheckOptions& options);
  // Notes asked for beside the checker's (spelling, untested items), listed after its own.
  void AddNotes(std::vector<Finding> notes);
  const std::vector<IssueRow>& Rows() const { return rows_; }
  // "2 errors, 1 warning and 3 notes." or "No issues found.", and a sentence when the search of
  // play stopped early.
  const std::string& Summary() const { return summary_; }

 private:
  void Build();

  CheckReport report_;
  std::vector<IssueRow> rows_;
  std::string summary_;
};

}  // namespace zelmora::check
