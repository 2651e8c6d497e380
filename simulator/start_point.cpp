#include "simulator/start_point.h"

namespace zelmora::simulator {

std::optional<StartPoint::Kind> StartKindOf(std::string_view word) {
  if (word == "message" || word == "messages") return StartPoint::Kind::Messages;
  if (word == "response" || word == "responses") return StartPoint::Kind::Responses;
  return std::nullopt;
}

const char* StartKindWord(StartPoint::Kind kind) {
  return kind == StartPoint::Kind::Responses ? "responses" : "messages";
}

std::string StartCaption(const StartPoint& from) {
  return std::string("the ") + StartKindWord(from.kind) + " of " + from.group;
}

std::string ControlPanelCaption(const std::optional<StartPoint>& from) {
  std::string caption = "Solar System Control Panel";
  if (from) caption += " - started at " + StartCaption(*from);
  return caption;
}

}  // namespace zelmora::simulator
