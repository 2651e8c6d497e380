#pragma once

#include "ui/qt/animation_player.h"

#include <QStringList>

#include <memory>

namespace zelmora::qt {

// The animation player comes from a module of its own, loaded the first time an animation is to
// play: the media libraries it needs would otherwise load, and slow, every start of the editor.

// Its file name (libzelmora_media_player.so).
QString AnimationModuleName();

// Where it is looked for, in order: beside the program (the build tree, a game folder) and in the
// private library folder of a system package, found from `programFolder`.
QStringList AnimationModuleFolders(const QString& programFolder);
// The same for the running program (needs a QCoreApplication).
QStringList AnimationModuleFolders();

// What every error of the loader begins with.
inline constexpr char kNoAnimationPlayer[] = "Animations cannot be played: ";

struct LoadedAnimationPlayer {
  std::unique_ptr<AnimationPlayer> player;
  QString error;  // without a player: kNoAnimationPlayer and the reason
};

// A player drawing into `area` from the first of `folders` that holds the module. A module missing
// from all of them, or one that cannot be loaded, gives no player and the reason.
LoadedAnimationPlayer LoadAnimationPlayer(QWidget* area, const QStringList& folders);

}  // namespace zelmora::qt
