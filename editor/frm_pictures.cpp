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


QPushButton* Button(QWidget* parent, const char* name, const char* caption, int top) {
  auto* button = Make<QPushButton>(parent, name, caption);
  button->setAutoDefault(false);
  PlaceTwips(button, kButtonLeft, top, kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

frmPictures::frmPictures(PlanetPictures& model, const QtPlanetImages& images, QWidget* parent,
                         AnimationPlayerLoader loadPlayer)
    : QDialog(parent), model_(model), images_(images), loadPlayer_(std::move(loadPlayer)) {
  if (!loadPlayer_) {
    loadPlayer_ = [](QWidget* area) { return qt::LoadAnimationPlayer(area, qt::AnimationModuleFolders()); };
  }
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

  // The player inside comes with the first animation: making one loads the media libraries.
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

QString frmPictures::AnimationError() const {
  if (playing_.empty()) return {};
  return player_ ? player_->Error() : loadError_;
}

void frmPictures::Play(const fs::path& file) {
  AVI->show();
  AVI->raise();
  if (playing_ == file) return;
  playing_ = file;
  // Loaded on first use, and asked for once: most systems have no animations at all.
  if (!playerAsked_) {
    playerAsked_ = true;
    auto loaded = loadPlayer_(AVI);
    player_ = std::move(loaded.player);
    if (!player_) {
      loadError_ = loaded.error.isEmpty()
                       ? QString::fromLatin1(qt::kNoAnimationPlayer) + QStringLiteral("no player was made")
                       : loaded.error;
    }
    // Without a player the frame stays empty; its tip says why.
    AVI->setToolTip(loadError_);
  }
  // What the player cannot play leaves it empty.
  if (player_) player_->Play(QString::fromStdString(file.string()));
}

void frmPictures::StopPlaying() {
  AVI->hide();
  if (playing_.empty()) return;
  playing_.clear();
  if (player_) player_->Stop();
}

}  // namespace zelmora::editor
