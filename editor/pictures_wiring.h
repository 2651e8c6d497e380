#pragma once

#include "editor/lazy_window.h"
#include "editor/wiring_context.h"

#include <functional>
#include <memory>

class QTemporaryDir;

namespace zelmora::editor {

class PlanetPictures;
class QtPlanetImages;
class frmPictures;

// The open system's planet pictures and the "Planet Pictures" window over them. The pictures are
// there from the start (opening, saving and the planet commands keep them in step); the window, and
// with it anything of the media backend, is built the first time it is opened.
class PicturesWiring {
 public:
  // `changed` is told when the window changed a picture or a custom-picture switch.
  PicturesWiring(WiringContext context, std::function<void()> changed);
  ~PicturesWiring();

  PlanetPictures& Model() { return *model_; }
  // The window on planet `planet`, modally.
  void Run(int planet);
  // The window, built on first use (tests drive it too).
  frmPictures& Window();
  frmPictures* WindowIfBuilt() const { return window_.IfBuilt(); }

 private:
  std::unique_ptr<QTemporaryDir> scratch_;
  std::unique_ptr<QtPlanetImages> images_;
  std::unique_ptr<PlanetPictures> model_;
  // After the pictures it shows, so that it goes first.
  LazyWindow<frmPictures> window_;
};

}  // namespace zelmora::editor
