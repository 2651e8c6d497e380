#pragma once
// Stand-in until the catalogue-aware reading lands; removed then.
#include "messages/message_parts.h"
#include "messages/special_actions.h"

namespace zelmora::messages {
MessageParts ParseMessage(std::string_view value, const SpecialActionList& catalogue);
std::vector<std::string> AttachedActions(const MessageParts& parts, const SpecialActionList& catalogue);
bool IsUnknownCodeLine(std::string_view line);
}  // namespace zelmora::messages
