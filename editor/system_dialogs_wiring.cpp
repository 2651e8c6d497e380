#include "editor/system_dialogs_wiring.h"

#include "editor/frm_new_ss.h"
#include "editor/frm_order.h"

namespace zelmora::editor {

SystemDialogsWiring::SystemDialogsWiring(WiringContext context, frmPlanet::SwitchEditor pictures,
                                         frmPlanet::SwitchEditor messages)
    : newSS_([&prompter = context.prompter, parent = &context.parent] {
        return std::make_unique<frmNewSS>(prompter, parent);
      }),
      order_([parent = &context.parent] { return std::make_unique<frmOrder>(parent); }),
      planet_([&store = context.store, parent = &context.parent, pictures = std::move(pictures),
               messages = std::move(messages)] {
        auto planet = std::make_unique<frmPlanet>(store.GetTables(), parent);
        planet->SetPictureEditor(pictures);
        planet->SetMessageEditor(messages);
        return planet;
      }) {}

SystemDialogsWiring::~SystemDialogsWiring() = default;

frmNewSS& SystemDialogsWiring::NewSystem() { return *newSS_; }

frmOrder& SystemDialogsWiring::Order() { return *order_; }

}  // namespace zelmora::editor
