#pragma once

#include "simulator/ship_state.h"

#include <string>
#include <string_view>

// The rules of play as far as the script's text decides them: what a prefix condition depends on,
// what a star piece does and what it asks of the ship. The interpreter evaluates them against one
// ship and planet; the script checker follows them over every outcome the ship could give.
namespace zelmora::simulator {

// What decides a prefix condition (the two characters after "%").
struct ConditionRule {
  enum Kind {
    Never,         // "00", or an upper-case flag test on a character that is no flag letter
    Always,        // codes without a rule (the wait, direction markers, 60..99, ...)
    Chance,        // value = tenths (1..9)
    Ship,          // value = the code's number: upgrades, damage, the test options
    PlanetEnergy,  // value = the code's number (20..25)
    FlagSet,       // value = flag number 0..36
    FlagClear,
  };
  Kind kind = Always;
  int value = 0;
};
ConditionRule ClassifyCondition(std::string_view code);

// Whether a condition of kind Ship holds for the ship (code 10..19, 26..30, 47..59).
bool ShipConditionHolds(int code, const ShipState& ship);
// Whether a condition of kind PlanetEnergy holds for the planet's Energy code 0..3.
bool PlanetEnergyHolds(int code, int energy);

// What one star piece does when it is applied; the first rule that matches, as the game reads it.
struct ActionRule {
  enum Kind {
    Nothing,
    MessageLevel,   // text = the next message group
    ResponseLevel,  // text = the next response group
    Allowance,      // number = days
    ShieldsHit,     // number = units
    Damage,         // number = system
    Destroy,        // number = system
    Retrofit,       // number = counter
    RepairAll,
    RepairOne,   // number = system
    ReplaceOne,  // number = system
    SetFlag,     // number = flag number
    ClearFlag,
    ToggleFlag,
    NoFlag,  // "SF", "CF" or "TF" with a character that is no flag letter: does nothing
    FormTreaty,
    BreakTreaty,
    Supply,             // sign, text = code, number = amount
    SupplySyntaxError,  // a sign without a code letter
  };
  Kind kind = Nothing;
  std::string text;
  int number = 0;
  int sign = 0;
};
ActionRule ClassifyAction(std::string_view piece);

// What a star piece asks of the ship before its message may be sent.
struct PieceRequirement {
  enum Kind { None, SystemDamaged, SystemDestroyed, Supply };
  Kind kind = None;
  int number = 0;    // system, or the amount of a supply
  std::string code;  // supply code
};
PieceRequirement RequirementOf(std::string_view piece);

// The leading decimal number of a text, cut to a whole number.
int NumberAfter(std::string_view rest);

}  // namespace zelmora::simulator
