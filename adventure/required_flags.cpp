#include "adventure/required_flags.h"

namespace zelmora::adventure {

void RequiredFlagRow::Load(const std::string& stored) {
  option_ = NeedOption::Unselected;
  flag_ = stored.size() > 2 ? stored[2] : '\0';
  value_ = stored;
  label_.clear();
  const std::string head = stored.substr(0, 2);
  // The rebuilt value of Set and Clear equals the stored one; another form keeps its stored value.
  if (head == "%F") Select(NeedOption::Set, {});
  else if (head == "%f") Select(NeedOption::Clear, {});
  else if (stored.empty()) Select(NeedOption::None, {});
}

void RequiredFlagRow::Select(NeedOption option, const FlagChooser& choose) {
  if ((option == NeedOption::Set || option == NeedOption::Clear) && flag_ == '\0') {
    if (!choose) return;
    flag_ = choose('A');
    if (flag_ == '\0') return;
  }
  option_ = option;
  const std::string code(1, flag_);
  switch (option) {
    case NeedOption::Set:
      label_ = code;
      value_ = "%F" + code;
      break;
    case NeedOption::Clear:
      label_ = "Not " + code;
      value_ = "%f" + code;
      break;
    case NeedOption::None:
      label_.clear();
      value_.clear();
      break;
    case NeedOption::Unselected: break;
  }
}

void RequiredFlagRow::Choose(const FlagChooser& choose) {
  flag_ = choose(flag_ == '\0' ? 'A' : flag_);
  if (option_ == NeedOption::None) Select(NeedOption::Set, choose);
}

void RequiredFlags::Load(const messages::PlanetScript& script) {
  rows[0].Load(script.BeamFlag());
  rows[1].Load(script.SearchFlag());
  rows[2].Load(script.TriFlag());
}

void RequiredFlags::Save(messages::PlanetScript& script) const {
  script.SetBeamFlag(rows[0].Value());
  script.SetSearchFlag(rows[1].Value());
  script.SetTriFlag(rows[2].Value());
}

}  // namespace zelmora::adventure
