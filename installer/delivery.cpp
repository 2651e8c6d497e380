#include "installer/delivery.h"

#include "installer/installer_texts.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/folder_index.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

namespace zelmora::installer {

namespace {

// True when `path` is `folder` or lies below it, compared part by part after resolving "." and
// ".." in the text (never by string prefix: /games/q2 is not inside /games/q).
bool Inside(const fs::path& path, const fs::path& folder) {
  fs::path p = path.lexically_normal();
  fs::path f = folder.lexically_normal();
  auto pi = p.begin();
  for (auto fi = f.begin(); fi != f.end(); ++fi) {
    if (fi->empty()) continue;  // the empty last part of a folder ending in a separator
    if (pi == p.end() || *pi != *fi) return false;
    ++pi;
  }
  return true;
}

// True when a part of `target` below `folder` (the target included) is a symbolic link: a link
// inside the game folder may lead anywhere, and the copy would follow it.
bool LinkOnTheWay(const fs::path& target, const fs::path& folder) {
  const fs::path relative = target.lexically_normal().lexically_relative(folder.lexically_normal());
  fs::path walk = folder;
  for (const auto& part : relative) {
    if (part.empty() || part == ".") continue;
    walk /= part;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(walk, ec))) return true;
  }
  return false;
}

constexpr const char* kThroughLink = "a link inside the game folder is on its way";
constexpr const char* kLinkInPackage = "it is a link in the package";
constexpr const char* kNotAFile = "it is not a regular file in the package";

// A listed file of the package. The list holds code-page names, as every file of the game does,
// and the disk the UTF-8 form of each; a list written with UTF-8 names is still understood, and
// its files keep those names.
struct ListedFile {
  std::optional<fs::path> path;
  bool codePage = true;
  const char* refused = nullptr;  // why the file found is not delivered
};

ListedFile FindListed(const platform::FolderIndex& package, const std::string& name) {
  ListedFile listed;
  fs::path path = package.ResolveCodePage(name);
  std::optional<fs::path> raw;
  if (!platform::FileExists(path) && !platform::IsLink(path)) {
    raw = package.Find(name);
    if (!raw) return listed;
    path = *raw;
    listed.codePage = false;
  }
  // A link would copy whatever file of the packer's or this machine it leads to.
  if (platform::IsLink(path)) listed.refused = kLinkInPackage;
  else if (!platform::FileExists(path)) listed.refused = kNotAFile;
  listed.path = path;
  return listed;
}

// The folders of the game folder as they are looked into, each listed once.
class Folders {
 public:
  const platform::FolderIndex& Of(const fs::path& folder) {
    auto it = indexes_.find(folder.string());
    if (it == indexes_.end()) it = indexes_.emplace(folder.string(), platform::FolderIndex(folder)).first;
    return it->second;
  }

 private:
  std::unordered_map<std::string, platform::FolderIndex> indexes_;
};

// A file of a target folder, matched without regard to case.
fs::path Resolve(const platform::FolderIndex& folder, const fs::path& path, const std::string& name, bool codePage) {
  if (codePage) return folder.ResolveCodePage(name);
  return folder.Find(name).value_or(path / name);
}

// Names are shown as the list's own text, code-page bytes.
std::string ShownName(const fs::path& path) {
  const std::string name = path.filename().string();
  return platform::Utf8ToCp1252Exact(name).value_or(name);
}

}  // namespace

bool SameFolder(const std::string& from, const std::string& to) {
  if (platform::WithTrailingSeparator(from) == platform::WithTrailingSeparator(to)) return true;
  std::error_code ec;
  return fs::equivalent(from, to, ec) && !ec;
}

std::optional<SetupList> ReadSetupList(const fs::path& packageFolder, std::string* refusal) {
  auto path = platform::FindNoCase(packageFolder, kSetupList);
  if (!path && platform::IsLink(packageFolder / kSetupList)) path = packageFolder / kSetupList;
  if (!path) return std::nullopt;
  std::string bytes;
  const platform::ReadRefusal refused = platform::ReadRegularFile(*path, bytes, kMaxSetupListBytes);
  if (refused == platform::ReadRefusal::None) return ParseSetupList(bytes);
  if (refusal && refused != platform::ReadRefusal::Unreadable) {
    *refusal = std::string(kSetupList) + " " + platform::RefusalText(refused);
    if (refused == platform::ReadRefusal::TooLarge) {
      *refusal += " (more than " + std::to_string(kMaxSetupListBytes >> 20) + " MB)";
    }
  }
  return std::nullopt;
}

DeliveryPlan PlanDelivery(const fs::path& packageFolder, const fs::path& gameFolder, const SetupList& list) {
  DeliveryPlan plan;
  plan.gameFolder = gameFolder;
  if (!platform::FolderExists(gameFolder)) {
    // Target folders are created below the game folder, never the game folder itself.
    for (const auto& entry : list.entries) {
      plan.refused.push_back({entry.name, "the game folder does not exist", entry.line});
    }
    return plan;
  }
  for (int line : list.unreadableLines) {
    plan.refused.push_back({"line " + std::to_string(line) + " of " + kSetupList, "cannot be read", line});
  }
  const platform::FolderIndex package(packageFolder);
  Folders folders;
  std::unordered_map<std::string, std::size_t> planned;  // target: its copy
  for (const auto& entry : list.entries) {
    if (auto problem = EntryProblem(entry)) {
      plan.refused.push_back({entry.name, *problem, entry.line});
      continue;
    }
    auto source = FindListed(package, entry.name);
    fs::path folder = gameFolder;
    std::string shown;
    for (const auto& part : FolderParts(entry.folder)) {
      if (part == ".") continue;
      const std::string name = source.codePage ? platform::Cp1252ToUtf8(part) : part;
      folder = folders.Of(folder).Find(name).value_or(folder / name);
      shown += ShownName(folder) + "/";
    }
    fs::path target = Resolve(folders.Of(folder), folder, entry.name, source.codePage);
    if (!Inside(target, gameFolder)) {
      plan.refused.push_back({entry.name, "its folder is not inside the game folder", entry.line});
      continue;
    }
    if (LinkOnTheWay(target, gameFolder)) {
      plan.refused.push_back({entry.name, kThroughLink, entry.line});
      continue;
    }
    if (!source.path) {
      plan.refused.push_back({entry.name, "not found in the package", entry.line});
      continue;
    }
    if (source.refused) {
      plan.refused.push_back({entry.name, source.refused, entry.line});
      continue;
    }
    const fs::path& from = *source.path;
    // Listed again: copied once, with the file the later line names.
    if (auto again = planned.find(target.string()); again != planned.end()) {
      PlannedCopy& copy = plan.copies[again->second];
      copy.name = entry.name;
      copy.source = from;
      continue;
    }
    CopyKind kind = platform::FileExists(target) ? CopyKind::Replace : CopyKind::Add;
    planned.emplace(target.string(), plan.copies.size());
    plan.copies.push_back({entry.name, from, target, shown + ShownName(target), kind});
  }
  // Named in the order of the list.
  std::stable_sort(plan.refused.begin(), plan.refused.end(),
                   [](const NotInstalled& a, const NotInstalled& b) { return a.line < b.line; });
  return plan;
}

DeliveryResult CarryOut(const DeliveryPlan& plan) {
  DeliveryResult result;
  result.notInstalled = plan.refused;
  std::unordered_set<std::string> cleaned;
  for (const auto& copy : plan.copies) {
    // Checked again: a link may have appeared since the plan was made.
    if (!plan.gameFolder.empty() && LinkOnTheWay(copy.target, plan.gameFolder)) {
      result.notInstalled.push_back({copy.name, kThroughLink});
      continue;
    }
    if (platform::IsLink(copy.source)) {
      result.notInstalled.push_back({copy.name, kLinkInPackage});
      continue;
    }
    std::error_code ec;
    // An add-on may bring the first file of a folder the game does not have yet.
    const fs::path folder = copy.target.parent_path();
    fs::create_directories(folder, ec);
    if (ec || !platform::FolderExists(folder)) {
      result.notInstalled.push_back({copy.name, "its folder could not be created"});
      continue;
    }
    if (cleaned.insert(folder.string()).second) platform::RemoveScratchFiles(folder);
    if (!platform::CopyKeepingTime(copy.source, copy.target, true)) {
      result.notInstalled.push_back({copy.name, "could not be copied"});
      continue;
    }
    result.copied.push_back(copy);
  }
  return result;
}

DeliveryResult Deliver(const std::string& from, const std::string& to, bool dryRun) {
  DeliveryResult result;
  if (SameFolder(from, to)) {
    result.outcome = DeliveryOutcome::InvalidFolder;
    return result;
  }
  auto list = ReadSetupList(from, &result.listProblem);
  if (!list) {
    result.outcome = result.listProblem.empty() ? DeliveryOutcome::ListMissing : DeliveryOutcome::ListRefused;
    return result;
  }
  DeliveryPlan plan = PlanDelivery(from, to, *list);
  if (!dryRun) return CarryOut(plan);
  result.copied = plan.copies;
  result.notInstalled = plan.refused;
  return result;
}

std::string NotInstalledMessage(const std::vector<NotInstalled>& files) {
  std::string text = kSomeNotInstalled;
  for (const auto& f : files) text += "\n" + f.name + " (" + f.reason + ")";
  return text;
}

}  // namespace zelmora::installer
