#pragma once

#include "editor/planet_pictures.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QScrollBar;

namespace zelmora::editor {

class QtPlanetImages;

// "Planet Pictures": the window over the planet pictures. It forwards its controls' events to the
// model and shows what the model says, painting the pictures the images hold.
class frmPictures : public QDialog, private PicturesView {
  Q_OBJECT

 public:
  frmPictures(PlanetPictures& model, const QtPlanetImages& images, QWidget* parent = nullptr);
  ~frmPictures() override;

  // Shows planet `planet` and runs modally until Close.
  void Run(int planet);
  // Shows planet `planet` without running (tests drive the window themselves).
  void Prepare(int planet);

  // Controls, named as their objectName.
  QLabel* picPlanet;
  QWidget* AVI;
  QLabel* lblNoPic;
  QLabel* lblNameText;
  QLabel* lblName;
  QScrollBar* hsbPlanet;
  QCheckBox* chkCustom;
  QPushButton* cmdNew;
  QPushButton* cmdEdit;
  QPushButton* cmdRemove;
  QPushButton* cmdRemAll;
  QPushButton* cmdClose;

  // Whether the player has been handed an animation to play (it may still fail to play it).
  bool Playing() const;

 public:
  void reject() override;

 private:
  void ShowScreen(const PicturesScreen& screen) override;
  void HideWindow() override;
  void Play(const fs::path& file);
  void StopPlaying();

  PlanetPictures& model_;
  const QtPlanetImages& images_;
  QMediaPlayer* player_ = nullptr;
  fs::path playing_;
  int updating_ = 0;
};

}  // namespace zelmora::editor
