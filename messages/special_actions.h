#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::messages {

// One line of the special-action catalogue SPECIAL.LST.
struct SpecialAction {
  std::string Line;       // the whole line, its display text
  std::string Code;       // text before " - "; empty for a heading
  bool IsPrefix = false;  // the line begins with "%" and contains " - "

  bool IsHeading() const { return Code.empty(); }
  bool operator==(const SpecialAction&) const = default;
};

using SpecialActionList = std::vector<SpecialAction>;

inline constexpr std::string_view kCodeSeparator = " - ";

// Every non-empty line in file order.
SpecialActionList ParseSpecialActions(std::string_view bytes);
// SPECIAL.LST of the game folder (found without regard to case); empty when it cannot be read.
SpecialActionList LoadSpecialActions(const std::filesystem::path& gameFolder);

// The display line of one stored code (a "*" code with its value, a prefix code or an upgrade
// code), or nothing when the catalogue does not list it. Later entries win.
std::optional<std::string> FindSpecialAction(std::string_view code, const SpecialActionList& catalogue);

// An attached code that the catalogue does not list. It is shown as the raw code with a marker and
// written back as it stood; the marker holds no brackets, and the helpers below never read a value
// out of such a line, whatever brackets the raw code itself contains.
inline constexpr std::string_view kUnknownCodeMarker = " - <not in SPECIAL.LST>";
std::string UnknownCodeLine(std::string_view code);
bool IsUnknownCodeLine(std::string_view line);
// The raw code of an unknown-code line, " - " and all.
std::string UnknownCode(std::string_view line);

// Pieces of a catalogue line (or an attached action, which is a line with its value filled in).
// The code of an unknown-code line is its raw code.
std::string ActionCode(std::string_view line);
// The text between "(" and ")", and between "[" and "]"; empty when the line has none.
std::string FreeValue(std::string_view line);
std::string FlagValue(std::string_view line);
bool HasFreeValue(std::string_view line);
bool HasFlagValue(std::string_view line);
// What an attached line writes into a stored value: a prefix line its code and flag value, an
// upgrade line its code, a "*" line its code, free value and flag value; an unknown-code line its
// raw code.
std::string StoredCode(std::string_view line);
// A free value "S" & 0..8: chosen from the ship systems.
bool IsShipSystemValue(std::string_view value);
// The line with `value` written between its brackets; whatever followed the bracket is dropped.
std::string WithFreeValue(std::string_view line, std::string_view value);
std::string WithFlagValue(std::string_view line, std::string_view value);

// A "*R" code that the catalogue lists as a repair condition ("*RS1", "*R!S1": the entry's value and
// the code's are ship-system numbers), which a reader must not take for an answer code.
bool IsRepairCondition(std::string_view code, const SpecialActionList& catalogue);
// The same without a catalogue: "*RS" or "*R!S" and one system digit 0..8, as the game's own
// catalogue lists them.
bool IsRepairCondition(std::string_view code);

}  // namespace zelmora::messages
