#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace zelmora::editor {

// A window built the first time it is asked for, so that starting the program builds none of the
// windows a session may never open. It owns the window; Drop destroys it and the next request
// builds a fresh one.
template <typename W>
class LazyWindow {
 public:
  using Factory = std::function<std::unique_ptr<W>()>;

  explicit LazyWindow(Factory make) : make_(std::move(make)) {}
  LazyWindow(const LazyWindow&) = delete;
  LazyWindow& operator=(const LazyWindow&) = delete;

  W& Get() {
    if (!window_) window_ = make_();
    return *window_;
  }
  W& operator*() { return Get(); }
  W* operator->() { return &Get(); }
  // The window when it has been built, or null.
  W* IfBuilt() const { return window_.get(); }
  void Drop() { window_.reset(); }

 private:
  Factory make_;
  std::unique_ptr<W> window_;
};

}  // namespace zelmora::editor
