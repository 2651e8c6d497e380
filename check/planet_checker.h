#pragma once

#include "check/checker.h"
#include "check/flag_uses.h"
#include "check/room_graph.h"
#include "check/script_index.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zelmora::check {

// The checks of one planet, sharing one reading of its section. Each family of checks lives in a
// file of its own: values and counts, codes and links, flags, rooms, and play.
class PlanetChecker {
 public:
  PlanetChecker(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                const CheckOptions& options);
  CheckReport Run();

 private:
  // One item within its count.
  struct Item {
    const ItemListInfo* list;
    int number;
    std::string key;
    std::string value;  // as the reader gives it
  };

  Finding& Add(Severity severity, FindingKind kind, const std::string& key, std::string message,
               std::string fix = {});
  // The same, pointing at a list as a whole.
  Finding& AddForList(Severity severity, FindingKind kind, const ItemListInfo& list, std::string message,
                      std::string fix = {});

  // value_checks.cpp
  void CheckValues();
  void CheckCounts();
  // item_checks.cpp
  void CheckItems();
  void CheckCodes(const Item& item);
  void CheckPieces(const Item& item);
  void CheckAnswers(const Item& item);
  // flag_checks.cpp
  void CheckFlags();
  // room_checks.cpp
  void CheckRooms();
  // reach_checks.cpp
  std::string AlienName() const;
  void SearchPlay();
  void CheckReach();
  void CheckStuckInPlay(PlayModel& model, const Exploration& play);

  const messages::PlanetScript& script_;
  const messages::SpecialActionList& catalogue_;
  const CheckOptions& options_;
  ScriptIndex index_;
  std::vector<Item> items_;
  FlagUses flags_;
  RoomGraph rooms_;
  std::set<std::string> doorKeys_;     // upper-cased keys of the rooms' actions
  std::set<std::string> reportedKeys_; // upper-cased keys that play findings need not repeat
  std::set<std::string> staticallyStuck_;
  std::unique_ptr<PlayModel> model_;
  Exploration play_;
  CheckReport report_;
};

}  // namespace zelmora::check
