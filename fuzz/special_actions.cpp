// The special-action catalogue SPECIAL.LST, any bytes, with any stored value: every attached line
// the item pane shows writes its code back byte for byte, known or not.
#include "fuzz/fuzz_support.h"
#include "messages/message_parts.h"
#include "messages/special_actions.h"

using namespace zelmora;
using namespace zelmora::messages;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string value(in.Line());
  const SpecialActionList catalogue = ParseSpecialActions(in.Rest());
  for (const auto& entry : catalogue) {
    FUZZ_CHECK(!entry.Line.empty());
    FUZZ_CHECK(entry.Line.find_first_of("\r\n") == std::string::npos);
    if (!entry.IsHeading()) FUZZ_CHECK(entry.Line.starts_with(entry.Code + std::string(kCodeSeparator)));
    (void)FindSpecialAction(entry.Line, catalogue);
  }

  const MessageParts parts = ParseMessage(value, catalogue);
  const auto lines = AttachedActions(parts, catalogue);
  std::vector<std::string> codes;
  for (const auto* list : {&parts.PrefixCodes, &parts.ActionCodes, &parts.UpgradeCodes}) {
    codes.insert(codes.end(), list->begin(), list->end());
  }
  FUZZ_CHECK(lines.size() == codes.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    FUZZ_CHECK(StoredCode(lines[i]) == codes[i]);
    if (IsUnknownCodeLine(lines[i])) {
      FUZZ_CHECK(UnknownCode(lines[i]) == codes[i]);
      FUZZ_CHECK(!HasFreeValue(lines[i]) && !HasFlagValue(lines[i]));
    }
  }
  const std::string unknown = UnknownCodeLine(value);
  FUZZ_CHECK(IsUnknownCodeLine(unknown) && UnknownCode(unknown) == value && StoredCode(unknown) == value);
  return 0;
}
