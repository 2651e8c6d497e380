#pragma once

#include "check/explorer.h"
#include "check/finding.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "store/system_record.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

struct CheckOptions {
  // The width of a response text in twips in the dialog font; widths are not checked without it.
  std::function<int(std::string_view text)> measureTwips;
  SearchLimits limits;
  // CheckGameFolder: read a system's working copy where the editor has one open.
  bool readWorkingCopies = false;
};

// How far the search of play went on one planet.
struct SearchSummary {
  std::string system;
  int planet = 0;
  bool complete = false;
  std::size_t states = 0;
  std::size_t configurations = 0;  // the states told apart without the flags
  double milliseconds = 0;
  std::size_t bytes = 0;  // what the search held at its largest
  std::string stoppedBy;  // "states" or "time" when it stopped early
};

struct CheckReport {
  std::vector<Finding> findings;  // in the order found: per planet, the item checks, then rooms, then play
  std::vector<SearchSummary> searches;

  void Append(CheckReport&& other);
  int Count(Severity severity) const { return CountOf(findings, severity); }
};

// One planet's script as the open system holds it (the working copy while one is open), read in
// one pass of the file. What a window shows for the planet that the message editor has open.
CheckReport CheckPlanet(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                        const CheckOptions& options = {});

// Every planet of a system that has a section of its own.
CheckReport CheckSystem(store::DescriptorStore& store, const store::SolarSystemRecord& record,
                        const messages::SpecialActionList& catalogue, const CheckOptions& options = {});

// Every system of a game folder's descriptor folder, with the folder's SPECIAL.LST.
CheckReport CheckGameFolder(const std::filesystem::path& gameFolder, const CheckOptions& options = {});

}  // namespace zelmora::check
