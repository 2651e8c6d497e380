#include "editor/pictures_wiring.h"

#include "editor/frm_pictures.h"
#include "editor/frm_pictures_images.h"
#include "editor/planet_pictures.h"
#include "ui/platform/program_search.h"

#include <QDir>
#include <QTemporaryDir>

namespace zelmora::editor {

PicturesWiring::PicturesWiring(WiringContext context, std::function<void()> changed)
    : scratch_(std::make_unique<QTemporaryDir>()),
      images_(std::make_unique<QtPlanetImages>()),
      model_(std::make_unique<PlanetPictures>(
          context.store, context.record, *images_,
          PictureServices{context.prompter, context.settings, context.runner,
                          (scratch_->isValid() ? scratch_->path() : QDir::tempPath()).toStdString(),
                          platform::ProgramSearchPath()})),
      window_([this, parent = &context.parent] { return std::make_unique<frmPictures>(*model_, *images_, parent); }) {
  model_->SetChanged(std::move(changed));
}

PicturesWiring::~PicturesWiring() = default;

void PicturesWiring::Run(int planet) { window_->Run(planet); }

frmPictures& PicturesWiring::Window() { return *window_; }

}  // namespace zelmora::editor
