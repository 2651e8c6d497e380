// The one-line syntax of a message or response. Any stored value: opening it in the item pane and
// saving it keeps its text and settles within two saves (prefix codes aside, which each save
// writes in the composer's order). Parts built as the pane builds them: compose then parse gives
// them back when the text holds no "*" or "^" and every action comes from the catalogue.
#include "fuzz/fuzz_support.h"
#include "messages/message_parts.h"
#include "messages/typed_text.h"
#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

using namespace zelmora;
using namespace zelmora::messages;

namespace {

const SpecialActionList& Catalogue() {
  static const SpecialActionList catalogue = LoadSpecialActions(ZELMORA_SOURCE_DIR "/demo");
  return catalogue;
}

std::string Resave(std::string_view value, ItemKind kind, std::string_view group) {
  const MessageParts parts = ParseMessage(value, Catalogue());
  return ComposeMessage(parts, AttachedActions(parts, Catalogue()), kind, group);
}

// A stored upgrade code cut short ("^" just before a "*") is read with the blanks the reader pads
// it with, so it takes two saves to reach its full three characters; from then on nothing moves.
// A group name the answer code can carry: no "*", no blanks at its ends, and not one the reader
// would take for a repair condition.
bool UsableGroup(std::string_view name) {
  return name.find('*') == std::string_view::npos && name == platform::TrimBlanks(name) &&
         !IsRepairCondition("*R" + std::string(KeyName(name)), Catalogue());
}

// A value that ends in a cut-short prefix code ("%%1%x", nothing but codes) is left out: written in
// the composer's order the short code shifts the three-character frame of the others.
void SaveIsStable(std::string_view value, ItemKind kind, std::string_view group) {
  (void)MessageDisplayText(value);
  const MessageParts read = ParseMessage(value, Catalogue());
  for (const auto& code : read.PrefixCodes) {
    if (code.size() != 3) return;
  }
  // An answer group the editor would refuse: a message's answer to it plays as a repair condition.
  if (read.AnswerGroup && AnswerPlaysAsCondition(*read.AnswerGroup)) return;
  if (!UsableGroup(group)) return;
  const std::string once = Resave(value, kind, group);
  const std::string twice = Resave(once, kind, group);
  const std::string third = Resave(twice, kind, group);
  MessageParts a = ParseMessage(twice, Catalogue());
  MessageParts b = ParseMessage(third, Catalogue());
  std::reverse(b.PrefixCodes.begin(), b.PrefixCodes.end());
  FUZZ_CHECK(a == b);
  FUZZ_CHECK(Resave(third, kind, group) == twice);
  FUZZ_CHECK(ParseMessage(once, Catalogue()).Text == a.Text);
}

bool UsableText(std::string_view text) {
  return text.find_first_of("*^") == std::string_view::npos && text == platform::TrimSpaces(text) && text != "ERR";
}

// A catalogue line with a value of the kind its default has.
std::string FilledLine(const std::string& line, fuzz::FuzzInput& in) {
  std::string filled = line;
  if (HasFreeValue(line)) {
    std::string value;
    if (FreeValue(line).starts_with("S")) {
      value = "S" + std::to_string(in.Byte() % 9);
    } else {
      for (int n = in.Byte() % 4; n > 0; --n) value.push_back(static_cast<char>('0' + in.Byte() % 10));
    }
    filled = WithFreeValue(filled, value);
  }
  if (HasFlagValue(line)) {
    static constexpr std::string_view flags = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    filled = WithFlagValue(filled, std::string(1, flags[static_cast<std::size_t>(in.Byte()) % flags.size()]));
  }
  return filled;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string own(in.Line());
  const std::string text(in.Line());
  const std::string title(in.Line());
  const std::string answer(in.Line());
  const std::string choiceLine(in.Line());
  const std::string value(in.Rest());
  fuzz::FuzzInput choices(reinterpret_cast<const std::uint8_t*>(choiceLine.data()), choiceLine.size());
  const ItemKind kind = choices.Byte() % 2 ? ItemKind::Response : ItemKind::Message;

  SaveIsStable(value, kind, own);
  if (!UsableGroup(own) || !UsableGroup(answer) || !UsableText(text)) return 0;

  MessageParts parts;
  parts.Text = text;
  parts.WaitSeconds = choices.Byte() % 10;
  parts.ChanceTenths = choices.Byte() % 11;
  parts.Display = static_cast<DisplayKind>(choices.Byte() % 3);
  if (parts.Display == DisplayKind::Custom) parts.Title = title;
  if (choices.Byte() % 2) parts.AnswerGroup = answer.empty() ? std::string(kInitGroup) : answer;

  // Actions from the catalogue, each with a value of its kind.
  std::vector<std::string> actions;
  std::vector<std::string> prefixes, upgrades, answerLike, others;
  const std::string_view answerCode = kind == ItemKind::Message ? "*R" : "*M";
  for (int n = choices.Byte() % 6; n > 0 && !Catalogue().empty(); --n) {
    const SpecialAction& entry = Catalogue()[static_cast<std::size_t>(choices.Byte() * 7 + choices.Byte()) %
                                             Catalogue().size()];
    if (entry.IsHeading()) continue;
    std::string line = FilledLine(entry.Line, choices);
    std::string code = StoredCode(line);
    if (line[0] == '%') {
      if (code.size() != 3 || code.starts_with("%0") || code.starts_with("%W")) continue;
      prefixes.insert(prefixes.begin(), code);
    } else if (line[0] == '^') {
      upgrades.push_back(code);
    } else if (line[0] == '*') {
      (code.starts_with(answerCode) ? answerLike : others).push_back(code);
    } else {
      continue;
    }
    actions.push_back(line);
  }

  const std::string composed = ComposeMessage(parts, actions, kind, own);
  const MessageParts back = ParseMessage(composed, Catalogue());
  FUZZ_CHECK(back.Text == parts.Text);
  FUZZ_CHECK(MessageDisplayText(composed) == parts.Text);
  FUZZ_CHECK(back.WaitSeconds == parts.WaitSeconds);
  FUZZ_CHECK(back.ChanceTenths == parts.ChanceTenths);
  std::string expectedTitle = parts.Title;
  std::erase(expectedTitle, '$');
  DisplayKind expectedDisplay =
      parts.Display == DisplayKind::Custom && expectedTitle == kBoxTitle ? DisplayKind::Box : parts.Display;
  // A standard text that starts like a code is kept behind the standard title written out.
  if (parts.Display == DisplayKind::Standard && StartsLikeCode(parts.Text)) {
    expectedDisplay = DisplayKind::Custom;
    expectedTitle = std::string(kStandardTitle);
  }
  FUZZ_CHECK(back.Display == expectedDisplay);
  if (expectedDisplay == DisplayKind::Custom) FUZZ_CHECK(back.Title == expectedTitle);
  FUZZ_CHECK(back.PrefixCodes == prefixes);
  FUZZ_CHECK(back.UpgradeCodes == upgrades);

  std::vector<std::string> codes = answerLike;
  codes.insert(codes.end(), others.begin(), others.end());
  const std::string ownShown = ShownName(KeyName(own));
  std::optional<std::string> expectedAnswer;
  if (parts.AnswerGroup && ShownName(KeyName(*parts.AnswerGroup)) != ownShown) {
    expectedAnswer = ShownName(KeyName(*parts.AnswerGroup));
  } else if (!answerLike.empty()) {
    expectedAnswer = ownShown;
  }
  // Codes that start like the answer code and are no repair condition are answer codes when read.
  std::vector<std::string> readAsActions;
  for (const auto& c : codes) {
    if (c.starts_with("*M") || (c.starts_with("*R") && !IsRepairCondition(c, Catalogue()))) {
      return 0;  // the catalogue lists no such action; nothing to compare
    }
    readAsActions.push_back(c);
  }
  FUZZ_CHECK(back.ActionCodes == readAsActions);
  FUZZ_CHECK(back.AnswerGroup == expectedAnswer);
  return 0;
}
