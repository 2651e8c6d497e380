#include "ui/qt/animation_player_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace zelmora::qt {

namespace {

QString NoPlayer(const QString& reason) { return QString::fromLatin1(kNoAnimationPlayer) + reason; }

}  // namespace

QString AnimationModuleName() { return QStringLiteral(ZELMORA_ANIMATION_MODULE); }

QStringList AnimationModuleFolders(const QString& programFolder) {
  const QDir program(programFolder);
  return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(ZELMORA_MODULE_DIR_FROM_PROGRAMS)))};
}

QStringList AnimationModuleFolders() { return AnimationModuleFolders(QCoreApplication::applicationDirPath()); }

LoadedAnimationPlayer LoadAnimationPlayer(QWidget* area, const QStringList& folders) {
  const QString name = AnimationModuleName();
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(name);
    if (!QFileInfo(path).isFile()) continue;
    // Never unloaded (QLibrary's destructor leaves it): players made from it live on.
    QLibrary module(path);
    if (!module.load()) return {nullptr, NoPlayer(module.errorString())};
    auto make = reinterpret_cast<MakeAnimationPlayer>(module.resolve(kAnimationPlayerEntry));
    if (!make) return {nullptr, NoPlayer(QStringLiteral("%1 is not a player of this version").arg(path))};
    return {std::unique_ptr<AnimationPlayer>(make(area)), {}};
  }
  return {nullptr, NoPlayer(QStringLiteral("%1 is in none of %2").arg(name, folders.join(QStringLiteral(", "))))};
}

}  // namespace zelmora::qt
