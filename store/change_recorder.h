#pragma once

#include "store/descriptor_cache.h"

#include <memory>
#include <string_view>

namespace zelmora::store {

// Hears every change of the open system's working copy, before the file is replaced, and the
// working copy's comings and goings; the undo history sits behind it.
class ChangeRecorder {
 public:
  virtual ~ChangeRecorder() = default;
  // The working copy of `system` is about to hold `after` instead of `before` (null when it could
  // not be read). Called before the write, so what records it is never behind the file.
  virtual void Replacing(std::string_view system, const std::shared_ptr<const DescriptorContent>& before,
                         const std::shared_ptr<const DescriptorContent>& after) = 0;
  // The outermost named action begins or ends: what is written in between is one step. A merging
  // action (typing) joins the step before it when that one has the same name.
  // The open system's unsaved planet pictures are about to change (see PicturesState).
  virtual void PicturesReplacing(std::string_view /*system*/, std::string_view /*before*/, std::string_view /*after*/) {}
  virtual void ActionBegins(std::string_view name, bool merge) = 0;
  virtual void ActionEnds() = 0;
  virtual void WorkingCopyOpened(std::string_view system) = 0;
  // Before the working copy is committed (save) or dropped.
  virtual void WorkingCopyClosing(std::string_view system, bool save) = 0;
  virtual void SystemRenamed(std::string_view from, std::string_view to) = 0;
  virtual void SystemDeleted(std::string_view system) = 0;
};

}  // namespace zelmora::store
