#include "messages/flags.h"

#include "messages/script_keys.h"
#include "store/descriptor_store.h"

#include <algorithm>

namespace zelmora::messages {

char FlagChar(int index) {
  if (index >= 0 && index < 26) return static_cast<char>('A' + index);
  if (index >= 26 && index < kFlagCount) return static_cast<char>('0' + (index - 26));
  return '\0';
}

int FlagIndex(char flag) {
  if (flag >= 'A' && flag <= 'Z') return flag - 'A';
  if (flag >= '0' && flag <= '9') return 26 + (flag - '0');
  return -1;
}

std::string FlagChooserLine(char flag, std::string_view description) {
  return std::string(1, flag) + " - " + std::string(description);
}

std::string FlagLineDescription(std::string_view line) {
  auto at = line.find(" - ");
  return at == std::string_view::npos ? std::string() : std::string(line.substr(at + 3));
}

std::vector<std::string> FlagLines(const std::function<std::string(const std::string& key)>& readKey) {
  std::vector<std::string> lines;
  lines.reserve(kFlagCount);
  for (int i = 0; i < kFlagCount; ++i) {
    const char flag = FlagChar(i);
    std::string description = readKey(FlagDescriptionKey(flag));
    if (description == store::kNoMessage) description = kUnusedFlag;
    lines.push_back(FlagChooserLine(flag, description));
  }
  return lines;
}

std::vector<std::string> LoadFlagLines(const PlanetScript& script) {
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  return FlagLines([&](const std::string& key) { return script.GetMessage(key); });
}

bool IsFlagDescriptionAccepted(std::string_view description) {
  return !description.empty() && description != kUnusedFlag;
}

void SetFlagDescription(PlanetScript& script, char flag, std::string_view description) {
  store::EditAction action(script.Store(), "Describe flag " + std::string(1, flag));
  script.Store().WriteKey(script.Record().Name, script.Section(), FlagDescriptionKey(flag), description);
}

int FlagChooserIndex(std::string_view current) {
  if (current.empty()) return 0;
  const int index = FlagIndex(current[0]);
  return index >= 0 ? index : FlagIndex('0');
}

std::string FlagOfChooserIndex(int index) {
  index = std::clamp(index, 0, kFlagCount - 1);
  return std::string(1, FlagChar(index));
}

}  // namespace zelmora::messages
