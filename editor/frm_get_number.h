#pragma once

#include "editor/number_entry.h"
#include "ui/platform/number_asker.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zelmora::editor {

// The number dialog: a number within a range, typed or moved with a scroll bar whose top is the
// maximum. It is the simulator's NumberAsker.
class frmGetNumber : public QDialog, public platform::NumberAsker {
  Q_OBJECT

 public:
  explicit frmGetNumber(QWidget* parent = nullptr);

  // Runs modally: the number after OK, minimum - 1 after Cancel.
  float GetNumber(const std::string& message, const std::string& title, const std::string& unit,
                  float defaultValue, float minimum, float maximum, float scale);
  float AskNumber(const std::string& message, const std::string& title, const std::string& unit, float defaultValue,
                  float minimum, float maximum, float scale) override {
    return GetNumber(message, title, unit, defaultValue, minimum, maximum, scale);
  }

  // Fills the dialog as GetNumber does, without showing it.
  void Load(const std::string& message, const std::string& title, const std::string& unit, float defaultValue,
            float minimum, float maximum, float scale);
  // What GetNumber answers when the dialog closes now with OK (accepted) or Cancel.
  float Result(bool accepted) const;
  float Shown() const { return shown_; }

  QLabel* lblMessage;
  QLineEdit* txtNumber;
  QScrollBar* vsbNumber;
  QLabel* lblUnit;
  QLabel* lblNumber;
  QLabel* ScaleFactor;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  void BarMoved(int value);
  void Typed(const QString& text);
  void FinishTyping();
  void Show(float number, bool updateText, bool updateBar);

  NumberBar bar_;
  float minimum_ = 0;
  float maximum_ = 0;
  float shown_ = 0;
  bool updating_ = false;
};

}  // namespace zelmora::editor
