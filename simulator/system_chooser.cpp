#include "simulator/system_chooser.h"

namespace zelmora::simulator {

void SystemChooser::Open(int current) {
  opened_ = current;
  Select(current);
}

void SystemChooser::Select(int index) {
  if (index >= 0 && index < kSystemCount) {
    selected_ = index;
  } else {
    selected_.reset();
  }
}

void SystemChooser::Accept() { tag_ = selected_.value_or(kNoSystemChosen); }

int SystemChooser::Result(bool accepted) const { return accepted && tag_ ? *tag_ : opened_; }

}  // namespace zelmora::simulator
