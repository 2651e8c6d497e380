#pragma once

#include <QString>

class QWidget;

namespace zelmora::qt {

// Plays an animation file over and over in the widget it was made for, filling it. What it cannot
// play leaves that widget empty; Error() says why.
class AnimationPlayer {
 public:
  virtual ~AnimationPlayer() = default;

  // Starts `file` from its beginning in place of whatever played before.
  virtual void Play(const QString& file) = 0;
  // Stops and lets go of the file.
  virtual void Stop() = 0;
  // Whether frames of the file are being shown: false before the file is read, after an error,
  // after Stop.
  virtual bool IsPlaying() const = 0;
  // Why the file is not playing; empty while there is no error.
  virtual QString Error() const = 0;
};

// The module's one entry point, by this name: a player drawing into `area`, owned by the caller.
// The number changes whenever this interface does, so that a stale module is not used.
inline constexpr char kAnimationPlayerEntry[] = "zelmora_make_animation_player_v1";
using MakeAnimationPlayer = AnimationPlayer* (*)(QWidget* area);

}  // namespace zelmora::qt
