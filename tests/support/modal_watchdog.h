#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace zelmora::testing {

// A modal window that nobody answers would hold its test until ctest gives up. This one closes such
// a window after a few seconds and fails the running test with what the window said, so the run
// goes on to the next test.
class ModalWatchdog : public QObject {
 public:
  static constexpr int kPatienceMs = 3000;
  static constexpr int kTickMs = 200;

  explicit ModalWatchdog(QObject* parent) : QObject(parent) {
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Check);
    timer_.start();
  }

  // What a window shows: its title and its text ("title: text").
  static std::string Describe(QWidget* w) {
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      text = box->text();
    } else if (auto* input = qobject_cast<QInputDialog*>(w)) {
      text = input->labelText();
    } else {
      for (auto* label : w->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) {
          text = label->text();
          break;
        }
      }
    }
    return "\"" + w->windowTitle().toStdString() + "\": \"" + text.toStdString() + "\"";
  }

 private:
  void Check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != watched_) {
      watched_ = modal;
      ticks_ = 0;
      since_.start();
      return;
    }
    // Counted in ticks as well: a test busy for seconds inside the window (a slow machine) does not
    // spin the event loop, so its window is not one left waiting.
    if (!modal || ++ticks_ * kTickMs < kPatienceMs || since_.elapsed() < kPatienceMs) return;
    ADD_FAILURE() << "a modal window was left open for " << kPatienceMs / 1000 << " s: " << Describe(modal);
    watched_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->done(QDialog::Rejected);  // not reject(): a dialog may turn that down
    } else {
      modal->close();
    }
  }

  QPointer<QWidget> watched_;
  int ticks_ = 0;
  QElapsedTimer since_;
  QTimer timer_;
};

// Starts the watchdog once per application.
inline void WatchModals(QApplication& app) {
  static const char* const kWatched = "zelmoraModalWatchdog";
  if (app.property(kWatched).toBool()) return;
  app.setProperty(kWatched, true);
  new ModalWatchdog(&app);
}

}  // namespace zelmora::testing
