#pragma once

#include <QPixmap>

#include <array>

namespace zelmora::installer {

inline constexpr int kAnimationFrames = 6;

// The search animation: a probe circling a planet and sweeping it with its beam, one sixth of
// the orbit a frame.
std::array<QPixmap, kAnimationFrames> DrawAnimationFrames(int size);

}  // namespace zelmora::installer
