#include "editor/star_picture_flow.h"

#include "packaging/launch_flows.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <sstream>
#include <vector>

namespace zelmora::editor {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

bool IsStarSize(const StarPictureHost::Size& size) {
  return size.width == kStarPicturePixels && size.height == kStarPicturePixels;
}

StarPictureResult RefuseSize(StarPictureHost& host, const StarPictureServices& s, bool wasCustom) {
  s.prompter.Message("The picture must be 16 x 16 pixels in size to\r\nbe used for a star picture.", Buttons::Ok,
                     Icon::None);
  host.RestoreBackup(wasCustom);
  return StarPictureResult::WrongSize;
}

StarPictureResult Paint(StarPictureHost& host, const StarPictureServices& s, bool wasCustom) {
  auto painted = packaging::EditInPaintProgram(s.settings, s.prompter, s.runner, s.scratchFile,
                                               [&host](const fs::path& file) { host.SavePicture(file); });
  if (painted == packaging::PaintResult::ProgramMissing) return StarPictureResult::MissingProgram;
  if (painted == packaging::PaintResult::Unchanged) return StarPictureResult::Unchanged;
  StarPictureResult result = StarPictureResult::Unchanged;
  if (auto size = host.LoadPicture(s.scratchFile); size && IsStarSize(*size)) {
    host.MarkCustom();
    result = StarPictureResult::Custom;
  } else if (size) {
    result = RefuseSize(host, s, wasCustom);
  }
  platform::RemoveFile(s.scratchFile);
  return result;
}

StarPictureResult Browse(StarPictureHost& host, const StarPictureServices& s, bool wasCustom) {
  auto file = s.prompter.ChooseOpenFile("Choose Picture", s.browseFolder.string(), ChooserFilter(kPictureFilter));
  if (!file) return StarPictureResult::Unchanged;
  auto size = host.LoadPicture(fs::path(*file));
  if (!size) return StarPictureResult::Unchanged;
  if (!IsStarSize(*size)) return RefuseSize(host, s, wasCustom);
  host.MarkCustom();
  return StarPictureResult::Custom;
}

}  // namespace

StarPictureResult EditStarPicture(StarPictureHost& host, const StarPictureServices& s) {
  host.BackupPicture();
  const bool wasCustom = host.HasCustomPicture();
  if (wasCustom) {
    Answer a = s.prompter.Message(
        "Do you want to edit the star picture?\r\nChoose 'No' to delete the current star picture.",
        Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return StarPictureResult::Unchanged;
    if (a == Answer::No) {
      host.ShowStockPicture();
      return StarPictureResult::Stock;
    }
    return Paint(host, s, wasCustom);
  }
  Answer a = s.prompter.Message(
      "Do you want to make a new star picture?\r\nChoose 'No' to browse to a saved star picture.",
      Buttons::YesNoCancel, Icon::Question);
  if (a == Answer::Cancel) return StarPictureResult::Unchanged;
  if (a == Answer::Yes) return Paint(host, s, wasCustom);
  return Browse(host, s, wasCustom);
}

std::string ChooserFilter(const std::string& pairs) {
  std::vector<std::string> parts;
  std::stringstream in(pairs);
  for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    std::stringstream list(parts[i + 1]);
    for (std::string p; std::getline(list, p, ';');) {
      if (p == "*.*") p = "*";
      std::string lower = platform::ToLower1252(p);
      patterns += (patterns.empty() ? "" : " ") + p;
      if (lower != p) patterns += " " + lower;
    }
    if (!out.empty()) out += ";;";
    out += parts[i] + " (" + patterns + ")";
  }
  return out;
}

}  // namespace zelmora::editor
