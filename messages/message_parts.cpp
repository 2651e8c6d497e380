#include "messages/message_parts.h"

#include "messages/script_keys.h"
#include "messages/special_actions.h"
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

std::vector<std::string> StarPieces(std::string_view text) {
  std::vector<std::string> pieces;
  auto at = text.find('*');
  while (at != std::string_view::npos) {
    auto next = text.find('*', at + 1);
    pieces.emplace_back(text.substr(at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1));
    at = next;
  }
  return pieces;
}

MessageParts ParseMessage(std::string_view value) {
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
  parts.Text = std::string(CutBefore(CutBefore(body, '*'), '^'));
  if (parts.Text == store::kNoMessage) parts.Text.clear();

  // Every "*" code runs to the next "*": what precedes the first one is the text with its
  // upgrade codes.
  for (auto& piece : StarPieces(body)) {
    if (!piece.empty() && (piece[0] == 'M' || piece[0] == 'R')) {
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

std::string ComposeMessage(const MessageParts& parts, const std::vector<std::string>& actions, ItemKind kind,
                           std::string_view ownGroup) {
  std::string v = parts.Text;
  if (parts.Display == DisplayKind::Box) {
    v = "$" + std::string(kBoxTitle) + "$" + v;
  } else if (parts.Display == DisplayKind::Custom) {
    // A "$" inside the title would end it early and push the rest of it into the text.
    std::string title = parts.Title;
    std::erase(title, '$');
    v = "$" + title + "$" + v;
  }

  std::string timing;
  if (parts.WaitSeconds >= 1 && parts.WaitSeconds <= 9) timing += "%W" + std::to_string(parts.WaitSeconds);
  if (parts.ChanceTenths >= 0 && parts.ChanceTenths <= 9) timing += "%0" + std::to_string(parts.ChanceTenths);
  v = timing + v;

  for (const auto& action : actions) {
    if (action.empty()) continue;
    if (action[0] == '%') {
      v = ActionCode(action) + FlagValue(action) + v;
    } else if (action[0] == '^') {
      v += ActionCode(action);
    }
  }

  if (parts.AnswerGroup && *parts.AnswerGroup != ShownName(KeyName(ownGroup))) {
    v += kind == ItemKind::Message ? "*R" : "*M";
    v += KeyName(*parts.AnswerGroup);
  }

  for (const auto& action : actions) {
    if (!action.empty() && action[0] == '*') v += ActionCode(action) + FreeValue(action) + FlagValue(action);
  }
  return v;
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
