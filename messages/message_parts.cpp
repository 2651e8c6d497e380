#include "messages/message_parts.h"

#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "messages/typed_text.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::messages {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view CutBefore(std::string_view text, char c) {
  auto at = text.find(c);
  return at == std::string_view::npos ? text : text.substr(0, at);
}

}  // namespace

std::string_view WithoutPrefixCodes(std::string_view value) {
  while (!value.empty() && value[0] == '%') value.remove_prefix(std::min<std::size_t>(3, value.size()));
  return value;
}

// The game shows a title that is never closed as text under the standard title; so does this.
std::optional<std::string> TakeDisplayMarker(std::string_view& rest) {
  if (rest.empty() || rest[0] != '$') return std::nullopt;
  auto close = rest.find('$', 1);
  if (close == std::string_view::npos) {
    rest.remove_prefix(1);
    return std::nullopt;
  }
  std::string title(rest.substr(1, close - 1));
  rest.remove_prefix(close + 1);
  return title;
}

std::vector<Span> StarPieceSpans(std::string_view text) {
  std::vector<Span> spans;
  auto at = text.find('*');
  while (at != std::string_view::npos) {
    auto next = text.find('*', at + 1);
    spans.push_back({at + 1, (next == std::string_view::npos ? text.size() : next) - at - 1});
    at = next;
  }
  return spans;
}

std::vector<std::string> StarPieces(std::string_view text) {
  std::vector<std::string> pieces;
  for (const Span& s : StarPieceSpans(text)) pieces.emplace_back(text.substr(s.start, s.length));
  return pieces;
}

namespace {

std::string_view TrimmedSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view PlayedCodes(std::string_view value, ItemKind kind) {
  std::string_view rest = WithoutPrefixCodes(value);
  if (kind == ItemKind::Response) return rest;
  TakeDisplayMarker(rest);
  return TrimmedSpaces(rest);
}

TextSpans FindTextSpans(std::string_view value) {
  TextSpans spans;
  std::string_view rest = WithoutPrefixCodes(value);
  const std::size_t afterPrefix = value.size() - rest.size();
  if (auto title = TakeDisplayMarker(rest); title && *title != kBoxTitle) {
    spans.title = Span{afterPrefix + 1, title->size()};
  }
  const std::string_view body = TrimmedSpaces(rest);
  const std::size_t bodyStart = body.empty() ? value.size() : static_cast<std::size_t>(body.data() - value.data());
  const std::string_view text = CutBefore(CutBefore(body, '*'), '^');
  // The reader's word for an absent key is no text.
  spans.text = Span{bodyStart, text == store::kNoMessage ? 0 : text.size()};
  return spans;
}

namespace {

template <typename IsCondition>
MessageParts Parse(std::string_view value, IsCondition&& isRepairCondition) {
  MessageParts parts;
  std::string_view rest = value;
  while (!rest.empty() && rest[0] == '%') {
    std::string_view code = rest.substr(0, 3);
    rest.remove_prefix(code.size());
    if (code.size() == 3 && code[1] == '0' && IsDigit(code[2])) {
      parts.ChanceTenths = code[2] - '0';
    } else if (code.size() == 3 && code[1] == 'W' && IsDigit(code[2])) {
      parts.WaitSeconds = code[2] - '0';
    } else {
      parts.PrefixCodes.emplace_back(code);
    }
  }

  if (auto title = TakeDisplayMarker(rest)) {
    if (*title == kBoxTitle) {
      parts.Display = DisplayKind::Box;
    } else {
      parts.Display = DisplayKind::Custom;
      parts.Title = std::move(*title);
    }
  }

  const std::string body = platform::TrimSpaces(rest);
  const Span text = FindTextSpans(value).text;
  parts.Text = std::string(value.substr(text.start, text.length));

  // Every "*" code runs to the next "*": what precedes the first one is the text with its
  // upgrade codes.
  for (auto& piece : StarPieces(body)) {
    if (!piece.empty() && piece[0] == 'R' && isRepairCondition("*" + piece)) {
      parts.ActionCodes.push_back("*" + piece);
    } else if (!piece.empty() && (piece[0] == 'M' || piece[0] == 'R')) {
      parts.AnswerGroup = ShownName(std::string_view(piece).substr(1));
    } else {
      parts.ActionCodes.push_back("*" + piece);
    }
  }

  std::string copy(CutBefore(body, '*'));
  copy = " " + copy + " ";
  for (auto caret = copy.find('^'); caret != std::string::npos; caret = copy.find('^')) {
    parts.UpgradeCodes.push_back(copy.substr(caret, 3));
    copy.erase(caret, 3);
  }
  return parts;
}

}  // namespace

MessageParts ParseMessage(std::string_view value, const SpecialActionList& catalogue) {
  return Parse(value, [&](std::string_view code) { return IsRepairCondition(code, catalogue); });
}

MessageParts ParseMessage(std::string_view value) {
  return Parse(value, [](std::string_view code) { return IsRepairCondition(code); });
}

std::vector<std::string> AttachedActions(const MessageParts& parts, const SpecialActionList& catalogue) {
  std::vector<std::string> lines;
  for (const auto* codes : {&parts.PrefixCodes, &parts.ActionCodes, &parts.UpgradeCodes}) {
    for (const auto& code : *codes) {
      auto line = FindSpecialAction(code, catalogue);
      // A line that would write something else back (a value the entry has no bracket for, a
      // default standing in for a missing value) would change the item on saving.
      lines.push_back(line && StoredCode(*line) == code ? std::move(*line) : UnknownCodeLine(code));
    }
  }
  return lines;
}

std::string ComposeMessage(const MessageParts& parts, const std::vector<std::string>& actions, ItemKind kind,
                           std::string_view ownGroup) {
  std::string v = parts.Text;
  if (parts.Display == DisplayKind::Box) {
    v = "$" + std::string(kBoxTitle) + "$" + v;
  } else if (parts.Display == DisplayKind::Custom) {
    // The item pane refuses a "$" in a title; any other caller must not let it end the title early.
    std::string title = parts.Title;
    std::erase(title, '$');
    v = "$" + title + "$" + v;
  } else if (StartsLikeCode(v)) {
    // A text that starts like a code ("%NM greets you", "$5 a barrel") would be read as a condition
    // or a title. A blank in front does not survive the file's reader, which trims values; the
    // standard title written out shows the same and keeps the text.
    v = "$" + std::string(kStandardTitle) + "$" + v;
  }

  if (parts.ChanceTenths >= 0 && parts.ChanceTenths <= 9) v = "%0" + std::to_string(parts.ChanceTenths) + v;
  for (const auto& action : actions) {
    if (!action.empty() && action[0] == '%') v = StoredCode(action) + v;
  }
  // The game and the simulator's clock see a wait only in the first prefix code.
  if (parts.WaitSeconds >= 1 && parts.WaitSeconds <= 9) v = "%W" + std::to_string(parts.WaitSeconds) + v;

  for (const auto& action : actions) {
    if (!action.empty() && action[0] == '^') v += StoredCode(action);
  }

  // Every piece that starts like the answer code sets the answer in play, the last one winning:
  // such actions go first, and the answer code after them always says which group is meant.
  const std::string_view answer = kind == ItemKind::Message ? "*R" : "*M";
  auto setsAnswer = [&](const std::string& code) { return code.starts_with(answer); };
  bool answerTaken = false;
  for (const auto& action : actions) {
    if (action.empty() || action[0] != '*') continue;
    if (std::string code = StoredCode(action); setsAnswer(code)) {
      v += code;
      answerTaken = true;
    }
  }
  const std::string own = ShownName(KeyName(ownGroup));
  if (parts.AnswerGroup && *parts.AnswerGroup != own) {
    v += std::string(answer) + std::string(KeyName(*parts.AnswerGroup));
  } else if (answerTaken) {
    v += std::string(answer) + std::string(KeyName(own));
  }

  for (const auto& action : actions) {
    if (action.empty() || action[0] != '*') continue;
    if (std::string code = StoredCode(action); !setsAnswer(code)) v += code;
  }
  return v;
}

std::optional<std::string> ReadBackProblem(std::string_view composed, const MessageParts& parts,
                                           const std::vector<std::string>& actions, ItemKind kind,
                                           std::string_view ownGroup, const SpecialActionList& catalogue) {
  const MessageParts back = ParseMessage(composed, catalogue);
  std::vector<std::string> read = back.ActionCodes;
  const std::string_view answer = kind == ItemKind::Message ? "*R" : "*M";
  bool answerTaken = false;
  std::string shortCode;
  for (const auto& action : actions) {
    if (action.empty()) continue;
    const std::string code = StoredCode(action);
    if (action[0] == '%' && code.size() != 3) shortCode = code;
    if (action[0] != '*') continue;
    if (code.starts_with(answer)) answerTaken = true;
    auto found = std::find(read.begin(), read.end(), code);
    if (found == read.end()) {
      return "The action \"" + code + "\" would be read back as an answer code (a code beginning with \"*M\" or "
             "\"*R\" is one).  Change its value or delete it.";
    }
    read.erase(found);
  }
  const std::string own = ShownName(KeyName(ownGroup));
  std::optional<std::string> expected;
  if (parts.AnswerGroup && ShownName(KeyName(*parts.AnswerGroup)) != own) {
    expected = ShownName(KeyName(*parts.AnswerGroup));
  } else if (answerTaken) {
    expected = own;
  }
  if (back.AnswerGroup != expected) {
    std::string why = "The answer group would not be read back as chosen";
    if (!shortCode.empty()) why += ": the code \"" + shortCode + "\" is cut short and takes in what follows it";
    return why + ".  Delete " + (shortCode.empty() ? std::string("the codes in its way") : "that code") + " first.";
  }
  return std::nullopt;
}

bool AnswerPlaysAsCondition(std::string_view group) {
  const std::string_view name = KeyName(group);
  return name.starts_with("S") || name.starts_with("!S");
}

std::string MessageDisplayText(std::string_view value) {
  std::string_view rest = WithoutPrefixCodes(value);
  TakeDisplayMarker(rest);
  const std::string trimmed = platform::TrimSpaces(rest);
  return std::string(CutBefore(CutBefore(trimmed, '*'), '^'));
}

const char* DisplayKindName(DisplayKind display) {
  switch (display) {
    case DisplayKind::Box:
      return "Box";
    case DisplayKind::Custom:
      return "Custom";
    case DisplayKind::Standard:
      break;
  }
  return "Standard";
}

bool ExceedsLengthLimit(std::string_view value) { return value.size() > kMaxValueLength; }

}  // namespace zelmora::messages
