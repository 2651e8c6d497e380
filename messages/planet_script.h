#pragma once

#include "store/descriptor_store.h"
#include "store/system_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelmora::messages {

// One planet's script in the open system: the path of the message editor, the room model, the
// wizard and the simulator to the planet's section. Nothing is kept here; every read goes to the
// store, which answers with the working copy as it is on disk.
class PlanetScript {
 public:
  PlanetScript(store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet);

  int Planet() const { return planet_; }
  void SetPlanet(int planet) { planet_ = planet; }
  store::DescriptorStore& Store() const { return store_; }
  const store::SolarSystemRecord& Record() const { return record_; }
  // The planet's section name ("1".."10").
  std::string Section() const;

  // The value of a key whether or not the planet's custom-messages switch is on; "ERR" when the
  // key is absent.
  std::string GetMessage(std::string_view key) const;
  // Writes the value; an empty value removes the key.
  void PutMessage(std::string_view key, std::string_view value);

  // Requirement prefixes of the rooms' beam-up, search and tricorder actions: the stored value,
  // or empty when the key is absent. Setting an empty value removes the key.
  std::string BeamFlag() const;
  void SetBeamFlag(std::string_view value);
  std::string SearchFlag() const;
  void SetSearchFlag(std::string_view value);
  std::string TriFlag() const;
  void SetTriFlag(std::string_view value);

  // Counts read as numbers; an absent or non-numeric count is 0, as is a negative one.
  int MessageCount(std::string_view group) const;
  int ResponseCount(std::string_view group) const;
  void SetMessageCount(std::string_view group, int count);
  void SetResponseCount(std::string_view group, int count);
  // Item i of a group; "ERR" when absent.
  std::string Message(std::string_view group, int i) const;
  std::string Response(std::string_view group, int i) const;

  // The numbers 1..count whose keys `prefix` & number are present, ascending. Every other number
  // reads "ERR", so a walk over a count need only read these: a hand-edited count may claim
  // thousands of items that are not there.
  std::vector<int> PresentItems(std::string_view prefix, int count) const;
  // The values of items 1..count, "ERR" for the absent ones, as read one by one but from one
  // reading of the file.
  std::vector<std::string> Items(std::string_view prefix, int count) const;

  // The count stored under any key, as a number (0 when absent or not a number, never negative).
  int ReadCount(std::string_view key) const;

 private:
  std::string OptionalValue(std::string_view key) const;

  store::DescriptorStore& store_;
  const store::SolarSystemRecord& record_;
  int planet_;
};

// What PutMessage writes for a value so that every reader gets the value back.
std::string StoredValue(std::string_view value);

}  // namespace zelmora::messages
