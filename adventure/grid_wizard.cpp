#include "adventure/grid_wizard.h"

#include "adventure/grid_names.h"
#include "adventure/room_model.h"
#include "messages/script_keys.h"
#include "ui/platform/text_rules.h"

namespace zelmora::adventure {

using messages::MessageKey;
using messages::ResponseKey;

namespace {

bool CorrectSize(std::string& size) {
  const double value = platform::LeadingNumber(size);
  if (value < kMinGridSize) {
    size = std::to_string(kMinGridSize);
    return false;
  }
  if (value > kMaxGridSize) {
    size = std::to_string(kMaxGridSize);
    return false;
  }
  return true;
}

}  // namespace

bool ValidateGrid(GridChoices& choices) {
  const bool xOk = CorrectSize(choices.sizeX);
  const bool yOk = CorrectSize(choices.sizeY);
  return xOk && yOk;
}

void FinishGrid(const GridChoices& choices, messages::PlanetScript& script) {
  const auto& record = script.Record();
  script.Store().SetPlanetFlag(record, "Messages", script.Planet(), record.PlanetCount, true);

  const int width = platform::ToInt32(choices.sizeX);
  const int height = platform::ToInt32(choices.sizeY);
  std::array<std::string, kSlotCount> actionText;
  for (int i = 0; i < kSlotCount; ++i) {
    if (i <= kSlotWest) actionText[i] = std::string("Go ") + kSlotCaptions[i] + " and report back.";
  }
  actionText[kSlotBeam] = script.BeamFlag() + kSlotCaptions[kSlotBeam];
  actionText[kSlotSearch] = script.SearchFlag() + kSlotCaptions[kSlotSearch];
  actionText[kSlotTri] = script.TriFlag() + kSlotCaptions[kSlotTri];

  for (int x = 1; x <= width; ++x) {
    for (int y = 1; y <= height; ++y) {
      const std::string room = AreaName(x, y, width, height);
      const std::array<std::string, kSlotCount> destination = {
          y > 1 ? AreaName(x, y - 1, width, height) : std::string(),
          x < width ? AreaName(x + 1, y, width, height) : std::string(),
          y < height ? AreaName(x, y + 1, width, height) : std::string(),
          x > 1 ? AreaName(x - 1, y, width, height) : std::string(),
          "BeamUp",
          room + "Search",
          room + "Tri"};
      script.SetMessageCount(room, 1);
      script.PutMessage(MessageKey(room, 1), "This is Area " + std::to_string(x) + ", " + std::to_string(y));
      int k = 0;
      for (int i = 0; i < kSlotCount; ++i) {
        if (!choices.chosen[i] || (i <= kSlotWest && destination[i].empty())) continue;
        ++k;
        script.PutMessage(ResponseKey(room, k), actionText[i] + "*M" + destination[i]);
      }
      script.SetResponseCount(room, k);
      if (choices.chosen[kSlotSearch]) {
        script.SetMessageCount(room + "Search", 1);
        script.PutMessage(MessageKey(room + "Search", 1), "We found nothing of interest, %RK.*R" + room);
      }
      if (choices.chosen[kSlotTri]) {
        script.SetMessageCount(room + "Tri", 1);
        script.PutMessage(MessageKey(room + "Tri", 1),
                          "We have a [type] reading bearing [number] degrees.*R" + room);
      }
    }
  }
  script.SetMessageCount("Beam", 1);
  script.PutMessage(MessageKey("Beam", 1), "We beamed down to Area 1, 1*R" + AreaName(1, 1, width, height));
  if (choices.chosen[kSlotBeam]) {
    script.SetMessageCount("BeamUp", 1);
    script.PutMessage(MessageKey("BeamUp", 1), "Beam up sucessful.*RNone");
  }
}

}  // namespace zelmora::adventure
