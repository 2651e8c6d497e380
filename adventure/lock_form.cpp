#include "adventure/lock_form.h"

#include "messages/typed_text.h"

namespace zelmora::adventure {

void LockForm::Clear() {
  items_.clear();
  selected_.reset();
  description_.clear();
}

void LockForm::AddItem(const std::string& text, int id) { items_.push_back({text, id}); }

void LockForm::Select(std::optional<int> index) {
  if (index && (*index < 0 || *index >= static_cast<int>(items_.size()))) index.reset();
  selected_ = index;
}

int LockForm::SelectedID() const {
  if (!selected_) return -1;
  return items_[static_cast<std::size_t>(*selected_)].id;
}

bool LockForm::Accept(platform::Prompter& prompter) const {
  if (!selected_) {
    prompter.Message(kSelectActionToLock, platform::Buttons::Ok, platform::Icon::None);
    return false;
  }
  if (description_.empty()) {
    prompter.Message(kEnterLockedMessage, platform::Buttons::Ok, platform::Icon::None);
    return false;
  }
  // The message is stored in front of the code that leads back to the room.
  if (const auto problem = messages::TextProblem(description_, messages::TextUse::RoomText)) {
    prompter.Refuse(*problem);
    return false;
  }
  return true;
}

}  // namespace zelmora::adventure
