#pragma once

#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "store/system_record.h"

#include <string>
#include <string_view>

namespace zelmora::simulator {

// Reads one key of a planet's script; "ERR" when the key is absent.
class PlanetScriptReader {
 public:
  virtual ~PlanetScriptReader() = default;
  virtual std::string ReadPlanetKey(int planet, std::string_view key) const = 0;
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
  std::string PlanetName(int planet) const override {
    return store_.GetPlanetName(record_, planet, record_.StarName);
  }

 private:
  store::DescriptorStore& store_;
  const store::SolarSystemRecord& record_;
};

}  // namespace zelmora::simulator
