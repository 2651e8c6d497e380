#pragma once

#include <QAbstractSlider>
#include <QComboBox>
#include <QString>
#include <QWidget>

#include <string>
#include <type_traits>

namespace zelmora::qt {

// A control of a form, named as its member so tests can find it; `caption` for controls with text.
template <typename W>
W* Make(QWidget* parent, const char* name, const char* caption = nullptr) {
  auto* w = new W(parent);
  w->setObjectName(QLatin1String(name));
  if constexpr (requires { w->setText(QString()); }) {
    if (caption) w->setText(QLatin1String(caption));
  }
  // A scroll bar that sets a value is a control like any other: Tab reaches it, the keys move it.
  if constexpr (std::is_base_of_v<QAbstractSlider, W>) w->setFocusPolicy(Qt::StrongFocus);
  return w;
}

// A drop-down list opens at most `rows` entries tall and scrolls beyond. Styles that open a list
// of choices over the whole screen ignore the limit unless told not to.
inline constexpr int kDropDownRows = 20;
inline void LimitDropDown(QComboBox* box, int rows = kDropDownRows) {
  box->setMaxVisibleItems(rows);
  box->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

// The objectName of element `index` of a control array: name + "_" + index.
inline std::string IndexedName(const char* name, int index) { return std::string(name) + "_" + std::to_string(index); }

// While one lives, a window's own changes to its controls are in progress: the signals they raise
// are not the user's. The window's handlers check the counter.
class Updating {
 public:
  explicit Updating(int& depth) : depth_(depth) { ++depth_; }
  ~Updating() { --depth_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;

 private:
  int& depth_;
};

}  // namespace zelmora::qt
