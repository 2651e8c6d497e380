#include "messages/typed_text.h"

namespace zelmora::messages {

namespace {

std::string Quoted(char c) { return "\"" + std::string(1, c) + "\""; }

// What a character does to the script when it is read back.
const char* Reason(char c) {
  switch (c) {
    case '=': return "it ends the name of a key in the file";
    case '*': return "it starts a code when the script is read";
    case '^': return "it starts an upgrade code when the script is read";
    case '$': return "it ends the title when the script is read";
  }
  return "";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool StartsLikeCode(std::string_view text) { return !text.empty() && (text[0] == '%' || text[0] == '$'); }

std::optional<std::string> KeyNameProblem(std::string_view name, bool typing) {
  for (char c : name) {
    if (c == '=' || c == '*' || c == '^') {
      return "A name cannot contain " + Quoted(c) + ": " + Reason(c) + ".";
    }
  }
  if (!name.empty() && (IsBlank(name.front()) || (!typing && IsBlank(name.back())))) {
    return std::string("A name cannot begin or end with a blank: the file's reader drops it.");
  }
  return std::nullopt;
}

std::optional<std::string> TextProblem(std::string_view text, TextUse use) {
  const std::string_view stops = use == TextUse::Title      ? "*^$"
                                 : use == TextUse::RoomText ? "*"
                                 : use == TextUse::Info     ? ""
                                                            : "*^";
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
      return std::string(use == TextUse::Title ? "A title" : "A text") +
             " cannot hold a line break or another control character: the file keeps each value on one line.";
    }
    if (stops.find(c) != std::string_view::npos) {
      return std::string(use == TextUse::Title ? "A title" : "A text") + " cannot contain " + Quoted(c) + ": " +
             Reason(c) + ".";
    }
  }
  // A room text follows the prefix codes directly; a response has no title to shield it.
  const bool opens = use == TextUse::RoomText ? !text.empty() && text[0] == '%'
                                              : use == TextUse::ResponseText && StartsLikeCode(text);
  if (opens) {
    return "A " + std::string(use == TextUse::RoomText ? "text" : "response") + " cannot begin with " +
           Quoted(text[0]) + ": " +
           (text[0] == '%' ? "it would be read as a condition code." : "it would be read as the start of a title.");
  }
  return std::nullopt;
}

}  // namespace zelmora::messages
