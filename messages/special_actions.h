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

// Pieces of a catalogue line (or an attached action, which is a line with its value filled in).
std::string ActionCode(std::string_view line);
// The text between "(" and ")", and between "[" and "]"; empty when the line has none.
std::string FreeValue(std::string_view line);
std::string FlagValue(std::string_view line);
bool HasFreeValue(std::string_view line);
bool HasFlagValue(std::string_view line);
// A free value "S" & 0..8: chosen from the ship systems.
bool IsShipSystemValue(std::string_view value);
// The line with `value` written between its brackets; whatever followed the bracket is dropped.
std::string WithFreeValue(std::string_view line, std::string_view value);
std::string WithFlagValue(std::string_view line, std::string_view value);

}  // namespace zelmora::messages
