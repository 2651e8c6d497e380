#include "adventure/room_text.h"

#include "messages/special_actions.h"
#include "store/descriptor_store.h"

namespace zelmora::adventure {

RoomText SplitValue(std::string_view value) {
  RoomText parts;
  if (value == store::kNoMessage) return parts;
  std::size_t pos = 0;
  while (pos < value.size() && value[pos] == '%') pos += 3;
  pos = std::min(pos, value.size());
  parts.prefix = std::string(value.substr(0, pos));
  const std::size_t star = value.find('*', pos);
  if (star == std::string_view::npos) {
    parts.text = std::string(value.substr(pos));
  } else {
    parts.text = std::string(value.substr(pos, star - pos));
    parts.tail = std::string(value.substr(star));
  }
  return parts;
}

namespace {

// Start and end of the first "*" + code + name part; npos when absent. A repair condition ("*RS1")
// only looks like an answer code.
std::pair<std::size_t, std::size_t> AnswerSpan(std::string_view tail, char code) {
  const char marker[] = {'*', code, '\0'};
  for (std::size_t start = tail.find(marker); start != std::string_view::npos; start = tail.find(marker, start + 1)) {
    std::size_t end = tail.find('*', start + 2);
    if (end == std::string_view::npos) end = tail.size();
    if (!messages::IsRepairCondition(tail.substr(start, end - start))) return {start, end};
  }
  return {std::string_view::npos, std::string_view::npos};
}

}  // namespace

std::string AnswerName(std::string_view tail, char code) {
  const auto [start, end] = AnswerSpan(tail, code);
  if (start == std::string_view::npos) return {};
  return std::string(tail.substr(start + 2, end - start - 2));
}

bool HasAnswerCode(std::string_view tail, char code) {
  return AnswerSpan(tail, code).first != std::string_view::npos;
}

std::string TailWithoutAnswer(std::string_view tail, char code) {
  const auto [start, end] = AnswerSpan(tail, code);
  if (start == std::string_view::npos) return std::string(tail);
  return std::string(tail.substr(0, start)) + std::string(tail.substr(end));
}

std::string TailWithDestination(std::string_view tail, std::string_view destination) {
  const auto [start, end] = AnswerSpan(tail, 'M');
  if (start == std::string_view::npos) return std::string(tail) + "*M" + std::string(destination);
  return std::string(tail.substr(0, start + 2)) + std::string(destination) +
         std::string(tail.substr(end));
}

std::string DirectionMarker(std::string_view prefix) {
  for (std::size_t pos = 0; pos + 1 < prefix.size(); pos += 3) {
    if (prefix.substr(pos, 2) == "%G") return std::string(prefix.substr(pos, 3));
  }
  return {};
}

std::string PrefixWithMarker(std::string_view prefix, std::string_view marker) {
  std::string rest(prefix);
  for (std::size_t pos = 0; pos + 1 < rest.size(); pos += 3) {
    if (rest.compare(pos, 2, "%G") == 0) {
      rest.erase(pos, 3);
      break;
    }
  }
  return std::string(marker) + rest;
}

std::size_t TextBudget(const RoomText& parts) {
  const std::size_t used = parts.prefix.size() + parts.tail.size();
  return used >= kMaxStoredValue ? 0 : kMaxStoredValue - used;
}

std::string FitText(const RoomText& parts, std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), TextBudget(parts))));
}

}  // namespace zelmora::adventure
