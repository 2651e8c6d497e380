// Rewrites one descriptor for ever, in every way the store rewrites files, until it is killed.
#include "store/descriptor_store.h"

#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  zelmora::store::DescriptorStore store(argv[1]);
  store.RefreshSystemNames();
  zelmora::store::SolarSystemRecord record;
  record.Name = "Crash";
  store.ReadSystemRecord(record);
  for (unsigned round = 0;; ++round) {
    int planets = 3 + static_cast<int>(round % 8);
    while (record.PlanetCount < planets) store.AppendPlanet(record);
    while (record.PlanetCount > planets) store.RemoveLastPlanet(record);
    store.WriteSystemRecord(record);
    for (int k = 1; k <= 20; ++k) {
      std::string value(static_cast<std::size_t>((round * 37 + static_cast<unsigned>(k) * 101) % 400), 'a' + k % 26);
      store.WriteKey("Crash", std::to_string(1 + k % 3), "Message" + std::to_string(k), value);
    }
    store.DeleteKey("Crash", "2", "Message5");
    store.SetPlanetName(record, 1 + static_cast<int>(round % 3), "Name " + std::to_string(round));
    store.SwapPlanets(record, 1, 2);
  }
}
