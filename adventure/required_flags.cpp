#include "adventure/required_flags.h"

namespace zelmora::adventure {

void RequiredFlagRow::Load(const std::string& stored, const FlagChooser& choose) {
  option_ = NeedOption::Unselected;
  flag_ = stored.size() > 2 ? stored.substr(2) : std::string();
  value_ = stored;
  label_.clear();
  const std::string head = stored.substr(0, 2);
  // The rebuilt value of Set and Clear equals the stored one; another form keeps its stored value.
  if (head == "%F") Select(NeedOption::Set, choose);
  else if (head == "%f") Select(NeedOption::Clear, choose);
  else if (stored.empty()) Select(NeedOption::None, choose);
}

void RequiredFlagRow::Select(NeedOption option, const FlagChooser& choose) {
  if ((option == NeedOption::Set || option == NeedOption::Clear) && flag_.empty()) {
    if (!choose) return;
    flag_ = choose("A");
    if (flag_.empty()) return;
  }
  option_ = option;
  switch (option) {
    case NeedOption::Set:
      label_ = flag_;
      value_ = "%F" + flag_;
      break;
    case NeedOption::Clear:
      label_ = "Not " + flag_;
      value_ = "%f" + flag_;
      break;
    case NeedOption::None:
      label_.clear();
      value_.clear();
      break;
    case NeedOption::Unselected: break;
  }
}

void RequiredFlagRow::Choose(const FlagChooser& choose) {
  flag_ = choose(flag_.empty() ? std::string("A") : flag_);
  if (option_ == NeedOption::None) Select(NeedOption::Set, choose);
}

void RequiredFlags::Load(const messages::PlanetScript& script, const FlagChooser& choose) {
  rows[0].Load(script.BeamFlag(), choose);
  rows[1].Load(script.SearchFlag(), choose);
  rows[2].Load(script.TriFlag(), choose);
}

void RequiredFlags::Save(messages::PlanetScript& script) const {
  script.SetBeamFlag(rows[0].Value());
  script.SetSearchFlag(rows[1].Value());
  script.SetTriFlag(rows[2].Value());
}

}  // namespace zelmora::adventure
