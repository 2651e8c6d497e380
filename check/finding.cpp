#include "check/finding.h"

#include "ui/platform/text_rules.h"

#include <algorithm>
#include <tuple>

namespace zelmora::check {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: break;
  }
  return "note";
}

bool ParseSeverity(std::string_view text, Severity& severity) {
  for (Severity s : {Severity::Error, Severity::Warning, Severity::Note}) {
    if (platform::EqualsNoCase(text, SeverityName(s))) {
      severity = s;
      return true;
    }
  }
  return false;
}

const char* KindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::ValueTooLong: return "value-too-long";
    case FindingKind::ResponseTooWide: return "response-too-wide";
    case FindingKind::ItemsBeyondCount: return "items-beyond-count";
    case FindingKind::CountAboveItems: return "count-above-items";
    case FindingKind::UnknownCode: return "unknown-code";
    case FindingKind::SupplySyntax: return "supply-syntax";
    case FindingKind::WaitNotFirst: return "wait-not-first";
    case FindingKind::InvalidFlag: return "invalid-flag";
    case FindingKind::MissingMessages: return "missing-messages";
    case FindingKind::MissingResponses: return "missing-responses";
    case FindingKind::AnswerReadAsCondition: return "answer-read-as-condition";
    case FindingKind::UnreachedGroup: return "unreached-group";
    case FindingKind::FlagNeverTested: return "flag-never-tested";
    case FindingKind::FlagNeverSet: return "flag-never-set";
    case FindingKind::FlagUndescribed: return "flag-undescribed";
    case FindingKind::DoorToMissingRoom: return "door-to-missing-room";
    case FindingKind::OneWayDoor: return "one-way-door";
    case FindingKind::LockNeverOpens: return "lock-never-opens";
    case FindingKind::StuckRoom: return "stuck-room";
    case FindingKind::MessageNeverSent: return "message-never-sent";
    case FindingKind::ResponseNeverOffered: return "response-never-offered";
    case FindingKind::GroupNeverPlayed: return "group-never-played";
    case FindingKind::RoomNeverEntered: return "room-never-entered";
    case FindingKind::SearchIncomplete: return "search-incomplete";
    case FindingKind::ScriptNotUsed: return "script-not-used";
    case FindingKind::NoCatalogue: return "no-catalogue";
    case FindingKind::Spelling: return "spelling";
    case FindingKind::Untested: return "untested";
  }
  return "";
}

const char* ListName(ItemList list) {
  switch (list) {
    case ItemList::Messages: return "messages";
    case ItemList::Responses: return "responses";
    case ItemList::None: break;
  }
  return "";
}

int CountOf(const std::vector<Finding>& findings, Severity severity) {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

void SortFindings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.system, a.planet, a.severity) < std::tie(b.system, b.planet, b.severity);
  });
}

}  // namespace zelmora::check
