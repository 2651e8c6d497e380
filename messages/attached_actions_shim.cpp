#include "messages/attached_actions_shim.h"

namespace zelmora::messages {
MessageParts ParseMessage(std::string_view value, const SpecialActionList&) { return ParseMessage(value); }
std::vector<std::string> AttachedActions(const MessageParts& parts, const SpecialActionList& catalogue) {
  std::vector<std::string> lines;
  auto add = [&](const std::string& code) {
    if (auto line = FindSpecialAction(code, catalogue)) lines.push_back(*line);
  };
  for (auto& c : parts.PrefixCodes) add(c);
  for (auto& c : parts.ActionCodes) add(c);
  for (auto& c : parts.UpgradeCodes) add(c);
  return lines;
}
bool IsUnknownCodeLine(std::string_view) { return false; }
}  // namespace zelmora::messages
