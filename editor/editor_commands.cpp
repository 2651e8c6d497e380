#include "editor/editor_commands.h"

#include "editor/system_drawing.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::editor {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

const char* const kDefaultNameHint = ".  Enter \"default\" or \"none\" to use the default name.";

bool AsksForDefault(const std::string& answer) {
  return platform::EqualsNoCase(answer, "none") || platform::EqualsNoCase(answer, "default");
}

// A name the store would give back cut is refused before anything is written.
bool RefuseLongName(SystemContext& ctx, const std::string& answer) {
  if (store::NameFits(answer)) return false;
  ctx.prompter.Message(store::kNameTooLong, Buttons::Ok, Icon::Exclamation);
  return true;
}

}  // namespace

bool LeaveForSelection(SystemContext& ctx, bool samePicked, const std::string& newName) {
  if (ctx.store.IsModified(ctx.record)) {
    Answer a = samePicked
                   ? ctx.prompter.Message("This will revert to the last saved version of '" + ctx.record.Name + "'.",
                                          Buttons::OkCancel, Icon::Information)
                   : ctx.prompter.Message("Do you want to save the current system before loading '" + newName + "'?",
                                          Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) store::flows::StorePictures(ctx);
    ctx.store.CloseWorkingCopy(ctx.record, a == Answer::Yes);
  } else if (ctx.store.IsWorkingCopyOpen()) {
    ctx.store.CloseWorkingCopy(ctx.record, false);
  }
  return true;
}

bool RenamePlanet(SystemContext& ctx, int h) {
  auto& r = ctx.record;
  if (h < 1 || h > r.PlanetCount) return false;
  auto answer = ctx.prompter.Input("Please enter the name for " + platform::TrimSpaces(r.StarName) + " " +
                                       ctx.store.GetTables().Roman(h) + kDefaultNameHint,
                                   "Zelmora", ctx.store.GetPlanetName(r, h, r.StarName));
  if (!answer || RefuseLongName(ctx, *answer)) return false;
  store::EditAction action(ctx.store, "Name planet " + std::to_string(h));
  ctx.store.SetPlanetName(r, h, AsksForDefault(*answer) ? std::string() : *answer);
  return true;
}

bool DescribeStar(SystemContext& ctx) {
  auto& r = ctx.record;
  auto answer = ctx.prompter.Input("Please enter the description for " + platform::TrimSpaces(r.StarName) +
                                       kDefaultNameHint,
                                   "Zelmora", StarDisplayName(ctx.store, r));
  if (!answer || RefuseLongName(ctx, *answer)) return false;
  store::EditAction action(ctx.store, "Star description");
  store::DescriptorBatch batch(ctx.store, r.Name);
  ctx.store.SetPlanetName(r, 0, *answer);
  const auto& typeName = ctx.store.GetTables().StarTypeNames[static_cast<std::size_t>(std::clamp<int>(r.StarType, 0, 7))];
  if (AsksForDefault(*answer) || *answer == typeName) ctx.store.SetPlanetName(r, 0, "");
  return true;
}

void ChangePlanetClass(SystemContext& ctx, int h, int k) {
  if (h < 1 || h > ctx.record.PlanetCount || k < 0 || k > 14) return;
  store::SetPlanetClass(ctx.record.Planet(h), k);
  store::EditAction action(ctx.store, "Class of planet " + std::to_string(h));
  ctx.store.WriteSystemRecord(ctx.record);
}

void ChangeStarType(SystemContext& ctx, int k) {
  if (k < 0 || k > 7) return;
  ctx.record.StarType = static_cast<std::int16_t>(k);
  store::EditAction action(ctx.store, "Star type");
  ctx.store.WriteSystemRecord(ctx.record);
}

}  // namespace zelmora::editor
