#pragma once

#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "store/system_record.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::simulator {

// Reads one key of a planet's script; "ERR" when the key is absent.
class PlanetScriptReader {
 public:
  virtual ~PlanetScriptReader() = default;
  virtual std::string ReadPlanetKey(int planet, std::string_view key) const = 0;
  // The numbers 1..count whose keys `prefix` & number may be present, ascending; the others read
  // "ERR". A reader that cannot tell lists them all.
  virtual std::vector<int> PresentItems(int planet, std::string_view prefix, int count) const {
    (void)planet;
    (void)prefix;
    std::vector<int> all(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(all.begin(), all.end(), 1);
    return all;
  }
  // The planet's display name (its own, or the star's name and numeral).
  virtual std::string PlanetName(int planet) const = 0;
};

// The open system's working copy, read whether or not the planet's custom-messages switch is on.
class StoreScriptReader : public PlanetScriptReader {
 public:
  StoreScriptReader(store::DescriptorStore& store, const store::SolarSystemRecord& record)
      : store_(store), record_(record) {}
  std::string ReadPlanetKey(int planet, std::string_view key) const override {
    return messages::PlanetScript(store_, record_, planet).GetMessage(key);
  }
  std::vector<int> PresentItems(int planet, std::string_view prefix, int count) const override {
    return messages::PlanetScript(store_, record_, planet).PresentItems(prefix, count);
  }
  std::string PlanetName(int planet) const override {
    return store_.GetPlanetName(record_, planet, record_.StarName);
  }

 private:
  store::DescriptorStore& store_;
  const store::SolarSystemRecord& record_;
};

}  // namespace zelmora::simulator
