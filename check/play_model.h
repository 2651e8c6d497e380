#pragma once

#include "check/script_index.h"
#include "store/system_record.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <map>
#include <string>
#include <vector>

namespace zelmora::check {

using FlagBits = std::uint64_t;  // flag numbers 0..36, the treaty flag 7 among them

inline FlagBits FlagBit(int flag) { return FlagBits{1} << flag; }

// What choosing an item does to the conversation, in the order the game does it.
struct Effect {
  enum Kind : std::uint8_t {
    ResponseFromMessage,  // the responses offered next are the shown message's own group's
    MessageLevel,         // value = level
    ResponseLevel,        // value = level
    SetFlag,              // value = flag
    ClearFlag,
    ToggleFlag,
  };
  Kind kind;
  int value = 0;
};

// One message or response as play sees it: when it may be chosen (over the flags alone; chance and
// the ship's state may go either way) and what choosing it does.
struct PlayItem {
  int number = 0;  // 0 stands for every item a count claims and the file lacks: each plays "ERR"
  std::string key;
  bool never = false;    // a condition that cannot hold
  bool certain = true;   // no condition of chance or of the ship
  FlagBits needSet = 0;
  FlagBits needClear = 0;
  bool offered = true;   // a response with a text to offer
  bool box = false;      // a message shown in a box, which leaves the panel as it was
  bool wait = false;     // a message the clock shows some ticks after choosing it ("%W1".."%W9" first)
  std::vector<Effect> effects;

  bool Possible(FlagBits flags) const {
    return !never && (flags & needSet) == needSet && (flags & needClear) == 0;
  }
  bool Certain(FlagBits flags) const { return certain && Possible(flags); }
};

struct PlayList {
  const ItemListInfo* info = nullptr;
  int count = 0;
  std::vector<PlayItem> items;  // the present items, then the stand-in for the absent ones
};

// The flags that some condition of the script tests: the others cannot change what play does.
FlagBits TestedFlags(const ScriptIndex& index);

// The script compiled for play, level by level on first use. A level is a group's name as play
// spells it in keys (empty for INIT); levels are numbered as they are met.
class PlayModel {
 public:
  // Effects on flags outside `relevant` are left out. With `flagsUnknown`, conditions on flags
  // may go either way, as chance does.
  PlayModel(ScriptIndex& index, const store::PlanetRecord& planet, std::string alienName, FlagBits relevant,
            bool flagsUnknown = false);

  FlagBits Relevant() const { return relevant_; }
  // Whether the Beam command finds messages at some level.
  bool AnyBeam();

  int Level(const std::string& name);
  const std::string& LevelName(int level) const { return names_[static_cast<std::size_t>(level)]; }
  int LevelCount() const { return static_cast<int>(names_.size()); }

  const PlayList& Messages(int level);
  const PlayList& Responses(int level);
  const PlayList& Beam(int level);
  // What the clock shows for message n at a level it did not choose it at: the key as it stands,
  // within the count, above it or absent ("ERR", number 0), its conditions untested.
  const PlayItem& MessageAt(int level, int n);

 private:
  PlayList Compile(const ItemListInfo& info);
  PlayItem Message(int number, const std::string& key, const std::string& value);
  PlayItem Response(int number, const std::string& key, const std::string& value);
  void Conditions(std::string_view& rest, PlayItem& item) const;
  void Pieces(std::string_view text, PlayItem& item);

  ScriptIndex& index_;
  int energy_ = 0;
  std::string alienName_;
  FlagBits relevant_;
  bool flagsUnknown_ = false;
  std::map<std::pair<int, int>, std::unique_ptr<PlayItem>> at_;
  std::deque<std::string> names_;  // references stay valid as levels are added
  std::map<std::string, int> levels_;
  std::vector<std::unique_ptr<PlayList>> messages_, responses_, beams_;
};

}  // namespace zelmora::check
