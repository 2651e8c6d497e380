#include "messages/group_discovery.h"

#include "messages/script_keys.h"
#include "messages/special_actions.h"

#include <algorithm>

namespace zelmora::messages {

namespace {

enum class Kind { Message, Response };

// The text after the first `code` up to the next "*", or `own` when the value has no such code.
// A repair condition ("*RS1") only looks like an answer code.
std::string TargetOf(const std::string& value, std::string_view code, const std::string& own) {
  for (auto at = value.find(code); at != std::string::npos; at = value.find(code, at + 1)) {
    auto start = at + code.size();
    auto end = value.find('*', start);
    const auto length = end == std::string::npos ? std::string::npos : end - at;
    if (IsRepairCondition(std::string_view(value).substr(at, length))) continue;
    return value.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  return own;
}

// One group being expanded: its messages, then its responses, then its companions.
struct Frame {
  std::string key;  // the name exactly as it appears in keys (empty for INIT)
  int stage = 0;
  std::size_t index = 0;
  int messageCount = 0;
  int responseCount = 0;
  std::vector<int> items;  // the present items of the stage's kind
};

class Walk {
 public:
  explicit Walk(const PlanetScript& script, std::vector<GroupEntry> groups = {})
      : script_(script), groups_(std::move(groups)) {}

  void Root(const std::string& name, Kind kind) {
    Visit(name, kind);
    while (!stack_.empty()) Step();
  }

  std::vector<GroupEntry> Take() { return std::move(groups_); }

 private:
  void Visit(const std::string& name, Kind kind) {
    const std::string shown = ShownName(name);
    auto found = std::find_if(groups_.begin(), groups_.end(), [&](const GroupEntry& g) { return g.Name == shown; });
    if (found == groups_.end()) {
      groups_.push_back(GroupEntry{shown, false, false});
      found = groups_.end() - 1;
      Frame frame;
      frame.key = name;
      frame.messageCount = script_.MessageCount(name);
      frame.responseCount = script_.ResponseCount(name);
      frame.items = script_.PresentItems(MessageKeyPrefix(name), frame.messageCount);
      stack_.push_back(std::move(frame));
    }
    (kind == Kind::Message ? found->IsMessageGroup : found->IsResponseGroup) = true;
  }

  // Advances the innermost group by one visit; a visit that expands a group pushes its frame.
  void Step() {
    Frame& f = stack_.back();
    const std::string key = f.key;
    switch (f.stage) {
      case 0:
      case 1: {
        const bool messages = f.stage == 0;
        if (f.index < f.items.size()) {
          const int i = f.items[f.index++];
          if (messages) {
            Visit(TargetOf(script_.Message(key, i), "*R", key), Kind::Response);
          } else {
            Visit(TargetOf(script_.Response(key, i), "*M", key), Kind::Message);
          }
          return;
        }
        // Only present items are read: an absent one reads "ERR", which has no answer code, so all of
        // them together only mark the group itself once.
        const int count = messages ? f.messageCount : f.responseCount;
        const bool anyAbsent = f.items.size() < static_cast<std::size_t>(count);
        f.index = 0;
        if (messages) {
          f.stage = 1;
          f.items = script_.PresentItems(ResponseKeyPrefix(key), f.responseCount);
        } else {
          f.stage = 2;
          f.items.clear();
        }
        if (anyAbsent) Visit(key, messages ? Kind::Response : Kind::Message);
        return;
      }
      case 2:
        f.stage = 3;
        if (const auto ignore = IgnoreGroupName(key); script_.MessageCount(ignore) > 0) Visit(ignore, Kind::Message);
        return;
      default:
        stack_.pop_back();
        if (const auto phaser = PhaserGroupName(key); script_.MessageCount(phaser) > 0) Visit(phaser, Kind::Message);
        return;
    }
  }

  const PlanetScript& script_;
  std::vector<GroupEntry> groups_;
  std::vector<Frame> stack_;
};

}  // namespace

std::vector<GroupEntry> DiscoverGroups(const PlanetScript& script) {
  // One read of the file for the whole walk.
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  Walk walk(script);
  walk.Root("", Kind::Message);
  for (auto name : {kBackGroup, kReturnedGroup, kBeamGroup, kPhaserGroup}) walk.Root(std::string(name), Kind::Message);
  walk.Root(std::string(kHailGroup), Kind::Response);
  return walk.Take();
}

void DiscoverFrom(const PlanetScript& script, std::vector<GroupEntry>& registry, std::string_view group,
                  bool asResponse) {
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  Walk walk(script, std::move(registry));
  walk.Root(std::string(KeyName(group)), asResponse ? Kind::Response : Kind::Message);
  registry = walk.Take();
}

}  // namespace zelmora::messages
