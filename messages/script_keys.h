#pragma once

#include <array>
#include <string>
#include <string_view>

// The keys of a planet's section. Groups are named as the user sees them: "INIT" is the group
// whose name is empty in the file.
namespace zelmora::messages {

inline constexpr std::string_view kInitGroup = "INIT";
inline constexpr std::string_view kBeamGroup = "Beam";
inline constexpr std::string_view kBackGroup = "Back";
inline constexpr std::string_view kReturnedGroup = "Returned";
inline constexpr std::string_view kHailGroup = "Hail";
inline constexpr std::string_view kPhaserGroup = "Phaser";
inline constexpr std::string_view kIgnoreGroup = "Ignore";

inline constexpr std::string_view kInfoKey = "Info";

// What play puts in place of these inside a text (found in any case).
inline constexpr std::array<std::string_view, 5> kPlaceholders = {"%NM", "%RK", "%AN", "%KL", "%BG"};
inline constexpr std::string_view kBeamFlagKey = "BeamFlag";
inline constexpr std::string_view kSearchFlagKey = "SearchFlag";
inline constexpr std::string_view kTriFlagKey = "TriFlag";

// The name as it appears inside keys: empty for INIT, the name itself otherwise.
std::string_view KeyName(std::string_view group);
// The name as shown: INIT for the empty name.
std::string ShownName(std::string_view keyName);

std::string MessageCountKey(std::string_view group);
std::string MessageKey(std::string_view group, int i);
std::string ResponseCountKey(std::string_view group);
std::string ResponseKey(std::string_view group, int i);
// The item keys without their number: item i is the prefix & i.
std::string MessageKeyPrefix(std::string_view group);
std::string ResponseKeyPrefix(std::string_view group);

// The companion message groups of a message group (shown names: "Ignore" and "Phaser" for INIT).
std::string IgnoreGroupName(std::string_view group);
std::string PhaserGroupName(std::string_view group);

// flag & "Flag", the key of a flag's description.
std::string FlagDescriptionKey(char flag);

}  // namespace zelmora::messages
