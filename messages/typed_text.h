#pragma once

#include <optional>
#include <string>
#include <string_view>

// What an author types that the script stores: names that become parts of keys and codes, and
// texts that become parts of values. Every box, prompt and command that takes one asks here first.
namespace zelmora::messages {

// Why `name` cannot name a group, a room or a destination, or nothing when it can. A name ends up
// in keys ("Messages" & name) and after answer codes ("*M" & name).
// While a name is being typed into a box that stores it at once, a blank at its end may be the
// space before its next word and is let through.
std::optional<std::string> KeyNameProblem(std::string_view name, bool typing = false);

// Where a typed text is stored.
enum class TextUse {
  MessageText,   // the text of a message in the item pane: "*" and "^" end it
  ResponseText,  // the same for a response, which has no title to hide a leading "%" or "$" behind
  RoomText,      // a room's description, action, effect or locked text: "*" ends it, "^" codes stay in it
  Title,         // a message's custom title: "$" ends it
  Info,          // the planet's information text: plain text, no codes
};

// Why `text` would not read back as typed from where `use` stores it, or nothing when it would.
std::optional<std::string> TextProblem(std::string_view text, TextUse use);

// Whether a text would be read as a condition code or a display marker when it opens a value.
bool StartsLikeCode(std::string_view text);

}  // namespace zelmora::messages
