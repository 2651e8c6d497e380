#pragma once

#include "ui/platform/prompter.h"

#include <optional>
#include <string>
#include <vector>

namespace zelmora::adventure {

inline constexpr const char* kSelectActionToLock = "Please select an action to lock.";
inline constexpr const char* kEnterLockedMessage = "Please enter a message for the locked action.";

// What the lock dialog holds: the actions offered (text and response number), the selected one and
// the message for when it is locked.
class LockForm {
 public:
  struct Item {
    std::string text;
    int id = 0;
  };

  void Clear();
  void AddItem(const std::string& text, int id);
  void Select(std::optional<int> index);
  void SetDescription(const std::string& text) { description_ = text; }

  const std::vector<Item>& Items() const { return items_; }
  std::optional<int> Selected() const { return selected_; }
  // The selected action's response number, -1 when none is selected.
  int SelectedID() const;
  const std::string& Description() const { return description_; }

  // OK: refuses a missing action or message with its message box and answers false (the dialog
  // stays); true when the dialog may hide.
  bool Accept(platform::Prompter& prompter) const;
  // Cancel and the close box: nothing is chosen.
  void Cancel() { Clear(); }

 private:
  std::vector<Item> items_;
  std::optional<int> selected_;
  std::string description_;
};

}  // namespace zelmora::adventure
