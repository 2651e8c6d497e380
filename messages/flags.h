#pragma once

#include "messages/planet_script.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The 36 flags of a planet: "A".."Z" are flags 0..25, "0".."9" flags 26..35.
namespace zelmora::messages {

inline constexpr int kFlagCount = 36;
inline constexpr std::string_view kUnusedFlag = "Unused";
inline constexpr std::string_view kDescribeFlagText =
    "Please enter a short description which describes how this flag is used.";

// The character of a flag index; '\0' outside 0..35.
char FlagChar(int index);
// The index of a flag character; -1 for any other character.
int FlagIndex(char flag);

// flag & " - " & description.
std::string FlagChooserLine(char flag, std::string_view description);
// The description part of a chooser line: the text after its first " - ".
std::string FlagLineDescription(std::string_view line);
// The 36 chooser lines in index order; a flag without a description is "Unused".
std::vector<std::string> LoadFlagLines(const PlanetScript& script);
// The same from any reader of the planet's keys that answers "ERR" for an absent key.
std::vector<std::string> FlagLines(const std::function<std::string(const std::string& key)>& readKey);

// A description the chooser accepts: neither empty nor "Unused".
bool IsFlagDescriptionAccepted(std::string_view description);
void SetFlagDescription(PlanetScript& script, char flag, std::string_view description);

// The chooser line that the flag chooser opens on for the current value: an empty value is "A";
// a character outside "A".."Z" counts by its digit value from 26 (so "0".."9" give 26..35 and
// anything else 26).
int FlagChooserIndex(std::string_view current);
// The flag that a chosen line index stands for.
std::string FlagOfChooserIndex(int index);

}  // namespace zelmora::messages
