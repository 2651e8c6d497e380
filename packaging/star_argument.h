#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelmora::packaging {

// The game reads exactly this many characters after "/star:".
inline constexpr std::size_t kStarArgumentWidth = 21;

// The system name as the game looks it up, before padding and inversion: a leading number of the
// name travels as one character code, other names get code 254 in front (Windows-1252 bytes).
std::string StarArgumentText(std::string_view systemName);

// StarArgumentText padded with spaces to 21 characters, each byte k replaced by 255 - k. Nothing
// when the text is longer than the game reads.
std::optional<std::string> EncodeStarArgument(std::string_view systemName);

}  // namespace zelmora::packaging
