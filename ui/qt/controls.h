#pragma once

#include <QString>
#include <QWidget>

namespace zelmora::qt {

// A control of a form, named as its member so tests can find it; `caption` for controls with text.
template <typename W>
W* Make(QWidget* parent, const char* name, const char* caption = nullptr) {
  auto* w = new W(parent);
  w->setObjectName(QLatin1String(name));
  if constexpr (requires { w->setText(QString()); }) {
    if (caption) w->setText(QLatin1String(caption));
  }
  return w;
}

}  // namespace zelmora::qt
