// The animation player on Qt Multimedia, built as a module the editor loads when it first shows an
// animation (ui/qt/animation_player_loader.h).
#include "ui/qt/animation_player.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
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
    video_ = new QVideoWidget(area);
    video_->setObjectName(QStringLiteral("AVIVideo"));
    video_->setGeometry(area->rect());
    video_->show();
    player_.setVideoOutput(video_.data());
    // Over and over. The FFmpeg backend of Qt 6.4 ignores setLoops and stops at the end, and
    // restarting it from within this signal spins; once the signal is done it restarts cleanly.
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &player_, [this](QMediaPlayer::MediaStatus status) {
      if (status != QMediaPlayer::EndOfMedia) return;
      QTimer::singleShot(0, &player_, [this, source = player_.source()] {
        if (player_.source() != source || source.isEmpty()) return;
        player_.stop();
        player_.play();
      });
    });
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
    return player_.playbackState() == QMediaPlayer::PlayingState && Read() && Error().isEmpty();
  }

  QString Error() const override {
    if (player_.error() != QMediaPlayer::NoError) {
      const QString said = player_.errorString();
      return said.isEmpty() ? QStringLiteral("The animation cannot be played.") : said;
    }
    if (player_.mediaStatus() == QMediaPlayer::InvalidMedia) return QStringLiteral("The animation cannot be read.");
    // The FFmpeg backend reports neither a missing file nor one that is no film: it "plays"
    // nothing at all.
    if (Read() && !player_.hasVideo()) return QStringLiteral("The file holds no animation.");
    return {};
  }

 private:
  // Whether the file has been read far enough to know what it holds.
  bool Read() const {
    switch (player_.mediaStatus()) {
      case QMediaPlayer::LoadedMedia:
      case QMediaPlayer::BufferingMedia:
      case QMediaPlayer::BufferedMedia:
      case QMediaPlayer::EndOfMedia:
        return true;
      default:
        return false;
    }
  }

  QPointer<QVideoWidget> video_;
  QMediaPlayer player_;
};

}  // namespace
}  // namespace zelmora::qt

extern "C" Q_DECL_EXPORT zelmora::qt::AnimationPlayer* zelmora_make_animation_player_v1(QWidget* area) {
  zelmora::qt::PreferFfmpegBackend();  // before the first player, which picks the backend
  return new zelmora::qt::MultimediaAnimationPlayer(area);
}
