#include "messages/script_keys.h"

namespace zelmora::messages {

std::string_view KeyName(std::string_view group) { return group == kInitGroup ? std::string_view() : group; }

std::string ShownName(std::string_view keyName) {
  return keyName.empty() ? std::string(kInitGroup) : std::string(keyName);
}

std::string MessageCountKey(std::string_view group) {
  if (group == kBeamGroup) return "BeamMessages";
  return "Messages" + std::string(KeyName(group));
}

std::string MessageKeyPrefix(std::string_view group) {
  if (group == kBeamGroup) return "Beam";
  return "Message" + std::string(KeyName(group));
}

std::string MessageKey(std::string_view group, int i) { return MessageKeyPrefix(group) + std::to_string(i); }

std::string ResponseCountKey(std::string_view group) { return "Responses" + std::string(KeyName(group)); }

std::string ResponseKeyPrefix(std::string_view group) { return "Response" + std::string(KeyName(group)); }

std::string ResponseKey(std::string_view group, int i) { return ResponseKeyPrefix(group) + std::to_string(i); }

std::string IgnoreGroupName(std::string_view group) { return "Ignore" + std::string(KeyName(group)); }

std::string PhaserGroupName(std::string_view group) { return std::string(KeyName(group)) + "Phaser"; }

std::string FlagDescriptionKey(char flag) { return std::string(1, flag) + "Flag"; }

}  // namespace zelmora::messages
