#include "store/change_recorder.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::store {

fs::path DescriptorStore::SavedPictureStrip(std::string_view name) const {
  auto strips = MatchingPictures(std::string(name) + ".*");
  if (strips.empty()) return {};
  auto bitmap = std::find_if(strips.begin(), strips.end(),
                             [](const fs::path& p) { return platform::EqualsNoCase(p.extension().string(), ".bmp"); });
  return bitmap != strips.end() ? *bitmap : strips.front();
}

std::string DescriptorStore::PicturesState(std::string_view name) const {
  std::string bytes;
  if (IsWorkingCopyOpen() && platform::ReadWholeFile(WorkingPicturesPath(name), bytes)) return bytes;
  bytes.clear();
  const fs::path saved = SavedPictureStrip(name);
  if (!saved.empty() && !platform::ReadWholeFile(saved, bytes)) bytes.clear();
  return bytes;
}

bool DescriptorStore::KeepWorkingPictures(std::string_view name, std::string_view bytes) {
  if (!IsWorkingCopyOpen()) return false;
  if (recorder_) {
    const std::string before = PicturesState(name);
    if (before != bytes) recorder_->PicturesReplacing(name, before, bytes);
  }
  return RestorePicturesState(name, bytes);
}

bool DescriptorStore::RestorePicturesState(std::string_view name, std::string_view bytes) {
  if (!IsWorkingCopyOpen()) return false;
  const fs::path working = WorkingPicturesPath(name);
  std::string saved;
  const fs::path strip = SavedPictureStrip(name);
  if (!strip.empty() && !platform::ReadWholeFile(strip, saved)) saved.clear();
  if (bytes == saved) {
    platform::RemoveFile(working);
    return !platform::FileExists(working);
  }
  return static_cast<bool>(platform::AtomicReplace(working, bytes));
}

}  // namespace zelmora::store
