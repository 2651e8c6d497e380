#pragma once

#include "tests/support/test_application.h"

#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace zelmora::testing {

// Saves what the window shows to <screenshots>/<form>.png.
inline void SaveScreenshot(QWidget& window, const char* form) {
  window.show();
  QApplication::processEvents();
  QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
  QString file = QStringLiteral(ZELMORA_SCREENSHOT_DIR "/") + QLatin1String(form) + QStringLiteral(".png");
  EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
  window.hide();
}

// Runs `act` once the event loop of a modal dialog is running.
template <typename F>
void WhenModal(F act) {
  QTimer::singleShot(0, [act]() mutable { act(); });
}

}  // namespace zelmora::testing
