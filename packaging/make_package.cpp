#include "packaging/make_package.h"

#include "packaging/package_check.h"
#include "ui/platform/file_rules.h"

namespace zelmora::packaging {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

// Opens the working copy again when the command ends, on every path: a package folder that
// cannot be made must not leave the user editing nothing.
class ReopenWorkingCopy {
 public:
  ReopenWorkingCopy(store::flows::SystemContext& ctx, bool open) : ctx_(ctx), open_(open) {}
  ~ReopenWorkingCopy() {
    if (open_ && !ctx_.store.IsWorkingCopyOpen()) ctx_.store.OpenWorkingCopy(ctx_.record.Name, ctx_.prompter);
  }
  ReopenWorkingCopy(const ReopenWorkingCopy&) = delete;
  ReopenWorkingCopy& operator=(const ReopenWorkingCopy&) = delete;

 private:
  store::flows::SystemContext& ctx_;
  bool open_;
};

class Busy {
 public:
  explicit Busy(const std::function<void(bool)>& busy) : busy_(busy) {
    if (busy_) busy_(true);
  }
  ~Busy() {
    if (busy_) busy_(false);
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  const std::function<void(bool)>& busy_;
};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += "\r\n" + line;
  return text;
}

}  // namespace

std::string PackageLocationTitle(const std::string& systemName) {
  return "Please choose a location to make the package.  The package will be named '" + systemName + "'.";
}

std::string ReplaceFolderQuestion(const std::filesystem::path& folder) {
  return "Replace the folder '" + ShownFolder(folder) + "'?  Everything in it will be deleted.";
}

PackageReport MakePackage(store::flows::SystemContext& ctx, const PackageServices& services) {
  PackageReport report;
  const bool wasOpen = ctx.store.IsWorkingCopyOpen();
  if (ctx.store.IsModified(ctx.record)) {
    if (ctx.prompter.Message("This system will be saved before making a package.", Buttons::OkCancel,
                             Icon::Information, "Confirmation") != Answer::Ok) {
      return report;
    }
    // The pictures too: they are part of the package, and a save that left them behind would
    // count them as saved.
    store::flows::StorePictures(ctx);
    ctx.store.CloseWorkingCopy(ctx.record, true);
  } else if (wasOpen) {
    ctx.store.CloseWorkingCopy(ctx.record, false);
  }
  ReopenWorkingCopy reopen(ctx, wasOpen);

  const std::string name = ctx.record.Name;
  const auto files = PackageContents(ctx.store, name, services.programFolder);
  if (auto problems = PackageProblems(files); !problems.empty()) {
    ctx.prompter.Message("The package cannot be made:" + Lines(problems), Buttons::Ok, Icon::Exclamation);
    report.outcome = PackageOutcome::Refused;
    return report;
  }
  auto location = ctx.prompter.ChooseFolder(PackageLocationTitle(name), "");
  if (!location || location->empty()) return report;
  report.folder = PackageFolder(*location, name);
  // Old files left in the folder would be zipped and shipped with the new ones.
  ExistingFolder existing = ExistingFolder::Refuse;
  if (platform::FolderExists(report.folder) && !platform::IsLink(report.folder)) {
    if (ctx.prompter.Message(ReplaceFolderQuestion(report.folder), Buttons::YesNo, Icon::Question,
                             "Confirmation") != Answer::Yes) {
      return report;
    }
    existing = ExistingFolder::Replace;
  }

  const OutsideProgram zip = ZipProgram(services.settings, services.searchPath);
  BuildResult built;
  {
    Busy busy(services.busy);
    built = BuildPackage(files, report.folder, &zip, services.runner, existing);
  }
  if (!built.ok) {
    ctx.prompter.Message("The package could not be made.  " + built.problem, Buttons::Ok, Icon::Exclamation);
    report.outcome = PackageOutcome::Failed;
    return report;
  }
  if (!built.archiveProblem.empty()) ctx.prompter.Message(built.archiveProblem, Buttons::Ok, Icon::Exclamation);
  report.archived = built.archiveRun;
  report.outcome = PackageOutcome::Made;
  return report;
}

}  // namespace zelmora::packaging
