// The animation player on Qt Multimedia, built as a module the editor loads when it first shows an
// animation (ui/qt/animation_player_loader.h).
#include "ui/qt/animation_player.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QUrl>
#include <QVideoWidget>

namespace zelmora::qt {
namespace {

// GStreamer without its plugins takes the whole program down when a player is made, and needs yet
// more plugins for the old codecs of AVI films; the FFmpeg backend decodes them itself. A backend
// the user chose stays chosen.
void PreferFfmpegBackend() {
  if (qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) return;
  const QString plugin =
      QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia/libffmpegmediaplugin.so");
  if (QFileInfo::exists(plugin)) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

class MultimediaAnimationPlayer final : public AnimationPlayer {
 public:
  explicit MultimediaAnimationPlayer(QWidget* area) {
    PreferFfmpegBackend();  // before the first video widget, which picks the backend
    video_ = new QVideoWidget(area);
    video_->setObjectName(QStringLiteral("AVIVideo"));
    video_->setGeometry(area->rect());
    video_->show();
    player_.setVideoOutput(video_.data());
    player_.setLoops(QMediaPlayer::Infinite);
  }

  ~MultimediaAnimationPlayer() override {
    player_.stop();
    player_.setVideoOutput(nullptr);
    delete video_.data();  // unless its area went first
  }

  void Play(const QString& file) override {
    player_.setSource(QUrl::fromLocalFile(file));
    player_.play();
  }

  void Stop() override {
    player_.stop();
    player_.setSource(QUrl());
  }

  bool IsPlaying() const override {
    if (player_.playbackState() != QMediaPlayer::PlayingState || player_.error() != QMediaPlayer::NoError) {
      return false;
    }
    const auto status = player_.mediaStatus();
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
           status == QMediaPlayer::BufferedMedia;
  }

  QString Error() const override {
    if (player_.error() != QMediaPlayer::NoError) {
      const QString said = player_.errorString();
      return said.isEmpty() ? QStringLiteral("The animation cannot be played.") : said;
    }
    if (player_.mediaStatus() == QMediaPlayer::InvalidMedia) return QStringLiteral("The animation cannot be read.");
    return {};
  }

 private:
  QPointer<QVideoWidget> video_;
  QMediaPlayer player_;
};

}  // namespace
}  // namespace zelmora::qt

extern "C" Q_DECL_EXPORT zelmora::qt::AnimationPlayer* zelmora_make_animation_player_v1(QWidget* area) {
  return new zelmora::qt::MultimediaAnimationPlayer(area);
}
