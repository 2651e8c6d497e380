#include "editor/frm_pictures.h"

#include "editor/frm_pictures_images.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>

#ifdef ZELMORA_MULTIMEDIA
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMediaPlayer>
#include <QVideoWidget>
#endif

namespace zelmora::editor {

using qt::Make;
using qt::PlaceTwips;

using qt::Updating;

namespace {

constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 120;
// The cell's drawing area and the frame's border.
constexpr int kFrameSide = qt::PixelsToTwips(kPictureCellPixels + 2);
constexpr int kButtonLeft = 2760;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;


#ifdef ZELMORA_MULTIMEDIA
// GStreamer without its plugins takes the whole program down when a player is made, and needs yet
// more plugins for the old codecs of AVI films; the FFmpeg backend decodes them itself. A backend
// the user chose stays chosen.
void PreferFfmpegBackend() {
  if (qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) return;
  const QString plugin =
      QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia/libffmpegmediaplugin.so");
  if (QFileInfo::exists(plugin)) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}
#endif

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int top) {
  auto* button = Make<QPushButton>(parent, name, caption);
  button->setAutoDefault(false);
  PlaceTwips(button, kButtonLeft, top, kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

frmPictures::frmPictures(PlanetPictures& model, const QtPlanetImages& images, QWidget* parent)
    : QDialog(parent), model_(model), images_(images) {
  qt::SetUpFixedDialog(this, "frmPictures", 4215, 3705);
  setWindowTitle(QStringLiteral("Planet Pictures"));

  picPlanet = Make<QLabel>(this, "picPlanet");
  picPlanet->setFrameStyle(QFrame::Box | QFrame::Plain);
  picPlanet->setAlignment(Qt::AlignCenter);
  picPlanet->setAutoFillBackground(true);
  QPalette space = picPlanet->palette();
  space.setColor(QPalette::Window, Qt::black);
  space.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
  picPlanet->setPalette(space);
  PlaceTwips(picPlanet, kFrameLeft, kFrameTop, kFrameSide, kFrameSide);

  // The video widget inside comes with the first animation: making one loads the media backend.
  AVI = Make<QFrame>(this, "AVI");
  AVI->setAutoFillBackground(true);
  AVI->setPalette(space);
  PlaceTwips(AVI, kFrameLeft, kFrameTop, kFrameSide, kFrameSide);
  AVI->hide();

  lblNoPic = Make<QLabel>(picPlanet, "lblNoPic", kNoPictureAssigned);
  lblNoPic->setAlignment(Qt::AlignCenter);
  lblNoPic->setPalette(space);
  lblNoPic->setGeometry(picPlanet->contentsRect());

  lblNameText = Make<QLabel>(this, "lblNameText", "Name");
  PlaceTwips(lblNameText, kFrameLeft, 2670, 510, 195);
  lblName = Make<QLabel>(this, "lblName");
  PlaceTwips(lblName, 660, 2670, 1890, 195);
  QFont bold = lblName->font();
  bold.setBold(true);
  lblName->setFont(bold);

  hsbPlanet = Make<QScrollBar>(this, "hsbPlanet");
  hsbPlanet->setOrientation(Qt::Horizontal);
  hsbPlanet->setRange(1, 1);
  hsbPlanet->setPageStep(1);
  PlaceTwips(hsbPlanet, kFrameLeft, 2925, kFrameSide, 255);

  chkCustom = Make<QCheckBox>(this, "chkCustom", "Use Custom Picture");
  PlaceTwips(chkCustom, kFrameLeft, 3285, kFrameSide, 255);

  cmdNew = Button(this, "cmdNew", "&New", 120);
  cmdEdit = Button(this, "cmdEdit", "&Edit", 585);
  cmdRemove = Button(this, "cmdRemove", "&Remove", 1050);
  cmdRemAll = Button(this, "cmdRemAll", "Remove &All", 1515);
  cmdClose = Button(this, "cmdClose", "&Close", 3165);

  connect(hsbPlanet, &QScrollBar::valueChanged, this, [this](int planet) {
    if (!updating_) model_.ShowPlanet(planet);
  });
  connect(chkCustom, &QCheckBox::clicked, this, [this](bool checked) { model_.SetCustom(checked); });
  connect(cmdNew, &QPushButton::clicked, this, [this] { model_.New(); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { model_.Edit(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { model_.Remove(); });
  connect(cmdRemAll, &QPushButton::clicked, this, [this] { model_.RemoveAll(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { model_.Close(); });
}

frmPictures::~frmPictures() { model_.SetView(nullptr); }

void frmPictures::Prepare(int planet) {
  model_.SetView(this);
  model_.Open(planet);
  model_.Refresh();
}

void frmPictures::Run(int planet) {
  Prepare(planet);
  exec();
  StopPlaying();
}

void frmPictures::reject() { model_.Close(); }

void frmPictures::HideWindow() {
  StopPlaying();
  QDialog::reject();
}

void frmPictures::ShowScreen(const PicturesScreen& screen) {
  Updating guard(updating_);
  hsbPlanet->setMaximum(screen.planets);
  hsbPlanet->setValue(screen.planet);
  lblName->setText(qt::FromCp1252(screen.name));
  const int index = screen.planet - 1;
  if (screen.shown == PictureShown::Picture) {
    picPlanet->setPixmap(QPixmap::fromImage(images_.Picture(index)));
  } else {
    picPlanet->clear();
  }
  lblNoPic->setVisible(screen.shown == PictureShown::NoPicture);
  if (screen.shown == PictureShown::Animation) {
    Play(screen.animation);
  } else {
    StopPlaying();
  }
  chkCustom->setChecked(screen.custom);
  cmdNew->setEnabled(screen.newEnabled);
  cmdEdit->setEnabled(screen.editEnabled);
  cmdRemove->setEnabled(screen.removeEnabled);
  cmdRemAll->setEnabled(screen.removeAllEnabled);
}

bool frmPictures::Playing() const { return !playing_.empty(); }

void frmPictures::Play(const fs::path& file) {
  AVI->show();
  AVI->raise();
  if (playing_ == file) return;
  playing_ = file;
#ifdef ZELMORA_MULTIMEDIA
  // Made on first use: most systems have no animations at all.
  if (!player_) {
    PreferFfmpegBackend();  // before the first video widget, which picks the backend
    auto* video = new QVideoWidget(AVI);
    video->setObjectName(QStringLiteral("AVIVideo"));
    video->setGeometry(AVI->rect());
    video->show();
    player_ = new QMediaPlayer(this);
    player_->setVideoOutput(video);
    player_->setLoops(QMediaPlayer::Infinite);
  }
  // What the player cannot play leaves it empty.
  player_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  player_->play();
#endif
}

void frmPictures::StopPlaying() {
  AVI->hide();
  if (playing_.empty()) return;
  playing_.clear();
#ifdef ZELMORA_MULTIMEDIA
  if (player_) {
    player_->stop();
    player_->setSource(QUrl());
  }
#endif
}

}  // namespace zelmora::editor
