#pragma once

#include "editor/frm_planet.h"
#include "editor/lazy_window.h"
#include "editor/wiring_context.h"

namespace zelmora::editor {

class frmNewSS;
class frmOrder;

// The system editor's own dialogs: the new-system chooser, the planet order and the planet
// properties, each built when first opened and refilled before each use.
class SystemDialogsWiring {
 public:
  // What the planet properties' Edit buttons open: the pictures and the messages of planet h.
  SystemDialogsWiring(WiringContext context, frmPlanet::SwitchEditor pictures, frmPlanet::SwitchEditor messages);
  ~SystemDialogsWiring();

  // The dialogs, built on first use.
  frmNewSS& NewSystem();
  frmOrder& Order();
  frmPlanet& Planet() { return *planet_; }

 private:
  LazyWindow<frmNewSS> newSS_;
  LazyWindow<frmOrder> order_;
  LazyWindow<frmPlanet> planet_;
};

}  // namespace zelmora::editor
