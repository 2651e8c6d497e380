#pragma once

#include <string>

namespace zelmora::platform {

// Asks for a number within [minimum, maximum] in steps of `scale` (the number dialog). Returns
// minimum - 1 when the user cancels.
class NumberAsker {
 public:
  virtual ~NumberAsker() = default;
  virtual float AskNumber(const std::string& message, const std::string& title, const std::string& unit,
                          float defaultValue, float minimum, float maximum, float scale) = 0;
};

}  // namespace zelmora::platform
