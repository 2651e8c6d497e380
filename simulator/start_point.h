#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelmora::simulator {

// Where a test starts when the author picks the group instead of the visit: a message group that
// the clock plays first, or a response group whose responses are offered at once.
struct StartPoint {
  enum class Kind { Messages, Responses };
  std::string group;  // the shown name: "INIT" for the group with the empty name
  Kind kind = Kind::Messages;
  bool operator==(const StartPoint&) const = default;
};

// "message"/"messages" or "response"/"responses"; nothing for any other word.
std::optional<StartPoint::Kind> StartKindOf(std::string_view word);
// The word a recording keeps: "messages" or "responses".
const char* StartKindWord(StartPoint::Kind kind);
// "the messages of Research", "the responses of Hail".
std::string StartCaption(const StartPoint& from);
// The control panel's title: the usual one, or where the test started.
std::string ControlPanelCaption(const std::optional<StartPoint>& from);

}  // namespace zelmora::simulator
