#include "store/system_flows.h"

#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::store::flows {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

AddResult AddPlanet(SystemContext& ctx) {
  auto& r = ctx.record;
  // The new planet's flags and the block that counts it reach the file in one rewrite.
  DescriptorBatch batch(ctx.store, r.Name);
  int count = r.PlanetCount;
  if (count > 0 && r.Planet(count).Orbit >= 1970) r.Planet(count).Orbit = 1970;
  // Make room at the outer edge by pushing inner orbits in; a full spread adds nothing this time.
  // The spread orbits are written: they are what the next Add works from.
  for (int k = count - 1; k >= 1; --k) {
    if (r.Planet(k).Orbit <= r.Planet(k + 1).Orbit) break;
    r.Planet(k).Orbit = static_cast<std::int16_t>(r.Planet(k + 1).Orbit - 30);
    if (k == 1) {
      ctx.store.WriteSystemRecord(r);
      return AddResult::OrbitsSpread;
    }
  }
  ctx.store.AppendPlanet(r);
  if (r.PlanetCount == count) {
    ctx.prompter.Message("This system has the maximum number of planets.", Buttons::Ok, Icon::None);
    return AddResult::Full;
  }
  ctx.pictures.AddSlot();
  ctx.store.WriteSystemRecord(r);
  return AddResult::Added;
}

void ExchangePlanets(SystemContext& ctx, int a, int b) {
  ctx.store.SwapPlanets(ctx.record, a, b);
  ctx.pictures.SwapPictures(a, b);
}

AddResult InsertPlanet(SystemContext& ctx, int h) {
  DescriptorBatch batch(ctx.store, ctx.record.Name);
  AddResult added = AddPlanet(ctx);
  // Without a new planet the exchanges would only shuffle the existing ones.
  if (added != AddResult::Added) return added;
  for (int k = ctx.record.PlanetCount; k >= h + 2; --k) ExchangePlanets(ctx, k, k - 1);
  ctx.store.WriteSystemRecord(ctx.record);
  return added;
}

void DeletePlanet(SystemContext& ctx, int h) {
  auto& r = ctx.record;
  if (h < 1 || h > r.PlanetCount) return;
  DescriptorBatch batch(ctx.store, r.Name);
  for (int k = h + 1; k <= r.PlanetCount; ++k) ExchangePlanets(ctx, k - 1, k);
  if (r.PlanetCount > 1) ctx.pictures.RemoveLastSlot();
  else ctx.pictures.ClearOnlyPicture();
  ctx.store.RemoveLastPlanet(r);
  ctx.store.WriteSystemRecord(r);
}

bool ClearPlanets(SystemContext& ctx) {
  if (ctx.prompter.Message("Are you sure you want to clear all planets, their messages, and pictures?",
                           Buttons::YesNo, Icon::Exclamation, "Confirmation") != Answer::Yes) {
    return false;
  }
  auto& r = ctx.record;
  DescriptorBatch batch(ctx.store, r.Name);
  for (int i = 1; i <= r.PlanetCount; ++i) {
    r.Planet(i).Class = 1;
    r.Planet(i).Size = 3;
    ctx.store.DeletePlanetSection(r, i);
    ctx.store.SetPlanetName(r, i, "");
  }
  return true;
}

std::optional<std::string> SystemNameProblem(const DescriptorStore& store, std::string_view name) {
  return platform::FileNameProblem(name, store.DescriptorFolder(),
                                   {kSavedExtension, kWorkingExtension, kWorkingPicturesExtension, kScratchExtension, "Sun.bmp",
                                    "10.avi"});
}

namespace {

bool RefuseName(SystemContext& ctx, std::string_view name) {
  auto problem = SystemNameProblem(ctx.store, name);
  if (!problem) return false;
  ctx.prompter.Message("The name '" + std::string(name) + "' cannot be used for a system.  " + *problem,
                       Buttons::Ok, Icon::Exclamation);
  return true;
}

// Closes the open working copy, asking first when it holds changes; false on Cancel.
bool LeaveOpenSystem(SystemContext& ctx, const std::string& question) {
  if (ctx.store.IsModified(ctx.record)) {
    Answer a = ctx.prompter.Message(question, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    // Yes keeps the pictures too: they live in memory until a save writes them.
    if (a == Answer::Yes) StorePictures(ctx);
    ctx.store.CloseWorkingCopy(ctx.record, a == Answer::Yes);
  } else if (ctx.store.IsWorkingCopyOpen()) {
    ctx.store.CloseWorkingCopy(ctx.record, false);
  }
  return true;
}

}  // namespace

NewResult NewSystem(SystemContext& ctx, const std::string& name, bool custom) {
  if (name.empty()) return NewResult::Cancelled;
  if (RefuseName(ctx, name)) return NewResult::Refused;
  if (platform::FileExists(ctx.store.DescriptorPath(name, kSavedExtension)) &&
      ctx.prompter.Message("The system '" + name + "' already exists.  Do you want to replace it?", Buttons::YesNo,
                           Icon::Exclamation, "Zelmora", 2) != Answer::Yes) {
    return NewResult::Cancelled;
  }
  if (!LeaveOpenSystem(ctx, "Do you want to save the current system before loading '" + name + "'?")) {
    return NewResult::Cancelled;
  }
  if (custom) InitCustomSystem(ctx.record, name, name);
  else ctx.store.LoadCatalogueEntry(name, ctx.record);
  ctx.record.Name = name;
  platform::AtomicReplace(ctx.store.DescriptorPath(name, kSavedExtension), NewDescriptorText(ctx.record));
  return NewResult::Created;
}

void SaveSystem(SystemContext& ctx) {
  auto& r = ctx.record;
  ctx.store.WriteSystemRecord(r);
  StorePictures(ctx);
  ctx.store.CloseWorkingCopy(r, true);
  ctx.store.OpenWorkingCopy(r.Name, ctx.prompter);
}

void StorePictures(SystemContext& ctx) {
  const auto& name = ctx.record.Name;
  if (ctx.pictures.HasPicturesToStore()) {
    const fs::path strip = ctx.store.PicturePath(name + ".bmp");
    ctx.pictures.SavePictures(strip);
    // The old files go only once the new strip is whole: a kill in between keeps one of them.
    if (!ctx.pictures.HasPicturesToStore()) {
      for (const auto& old : ctx.store.MatchingPictures(name + ".*")) {
        if (old.filename() != strip.filename()) platform::RemoveFile(old);
      }
    }
  }
  if (ctx.pictures.HasCustomStarPicture()) ctx.pictures.SaveStarPicture(ctx.store.PicturePath(name + "Sun.bmp"));
  else ctx.store.RemovePictures(name + "Sun.*");
}

void PicturesChanged(SystemContext& ctx) { ctx.store.MarkModified(ctx.record); }

std::optional<std::string> SaveSystemAs(SystemContext& ctx, const std::vector<std::string>& listed) {
  for (;;) {
    auto answer = ctx.prompter.Input("Please enter the new name of this system.", "Zelmora", ctx.record.Name);
    if (!answer) return std::nullopt;
    if (RefuseName(ctx, *answer)) continue;
    if (std::find(listed.begin(), listed.end(), *answer) != listed.end() &&
        ctx.prompter.Message("This system aready exists.  Are you sure you want to overwrite?", Buttons::YesNo,
                             Icon::Exclamation) != Answer::Yes) {
      continue;
    }
    ctx.store.RenameSystem(ctx.record, *answer);
    SaveSystem(ctx);
    return answer;
  }
}

bool DeleteSystem(SystemContext& ctx, const std::string& name) {
  if (ctx.prompter.Message("Are you sure you want to delete " + name + "?", Buttons::YesNo, Icon::Exclamation,
                           "Zelmora", 2) != Answer::Yes) {
    return false;
  }
  if (ctx.store.IsWorkingCopyOpen()) ctx.store.CloseWorkingCopy(ctx.record, false);
  platform::RemoveFile(ctx.store.DescriptorPath(name, kSavedExtension));
  // Only this system's own pictures: "Sol*.*" would also take the pictures of "Solaris".
  ctx.store.RemovePictures(name + ".*");
  ctx.store.RemovePictures(name + "Sun.*");
  for (int k = 1; k <= kMaxPlanets; ++k) ctx.store.RemovePictures(name + std::to_string(k) + ".avi");
  return true;
}

bool ExitProgram(SystemContext& ctx) {
  return LeaveOpenSystem(ctx, "Do you want to save before exiting?");
}

}  // namespace zelmora::store::flows
