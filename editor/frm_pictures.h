#pragma once

#include "editor/planet_pictures.h"
#include "ui/qt/animation_player_loader.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zelmora::editor {

class QtPlanetImages;

// Makes the animation player in the area given; the window asks once, at its first animation.
using AnimationPlayerLoader = std::function<qt::LoadedAnimationPlayer(QWidget* area)>;

// "Planet Pictures": the window over the planet pictures. It forwards its controls' events to the
// model and shows what the model says, painting the pictures the images hold.
class frmPictures : public QDialog, private PicturesView {
  Q_OBJECT

 public:
  // Without a loader the player module is looked for where the program's install puts it.
  frmPictures(PlanetPictures& model, const QtPlanetImages& images, QWidget* parent = nullptr,
              AnimationPlayerLoader loadPlayer = {});
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
  // Why no animation plays: no player could be loaded, or the player's error; empty otherwise.
  QString AnimationError() const;

 public:
  void reject() override;

 private:
  void ShowScreen(const PicturesScreen& screen) override;
  void HideWindow() override;
  void Play(const fs::path& file);
  void StopPlaying();

  PlanetPictures& model_;
  const QtPlanetImages& images_;
  AnimationPlayerLoader loadPlayer_;
  std::unique_ptr<qt::AnimationPlayer> player_;
  bool playerAsked_ = false;
  QString loadError_;  // why none came
  fs::path playing_;
  int updating_ = 0;
};

}  // namespace zelmora::editor
