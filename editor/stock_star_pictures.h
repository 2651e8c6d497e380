#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The eight stock star pictures, one 16 x 16 cell per star type, drawn by the program itself.
namespace zelmora::editor {

inline constexpr int kStarCell = 16;
inline constexpr int kStarTypes = 8;

using StarPixels = std::array<std::uint32_t, kStarCell * kStarCell>;  // 0xAARRGGBB, rows top down

StarPixels StockStarPicture(int starType);

// All eight cells side by side (128 x 16), as the window's picture strip holds them.
std::vector<std::uint32_t> StockStarStrip();

}  // namespace zelmora::editor
