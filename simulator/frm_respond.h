#pragma once

#include "simulator/control_panel_view.h"

#include <QDialog>

#include <optional>
#include <vector>

class QKeyEvent;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace zelmora::simulator {

// Choose a Message: the responses the player may send, one option each, stacked below an invisible
// template whatever their numbers. Created once and only ever hidden.
class frmRespond : public QDialog {
  Q_OBJECT

 public:
  explicit frmRespond(QWidget* parent = nullptr);

  // Offers the options and runs modally: the chosen response number, or nothing.
  std::optional<int> Choose(const std::vector<ResponseOption>& options);
  // Offers the options without showing the dialog (AddResponseOption for each).
  void Offer(const std::vector<ResponseOption>& options);
  // The offered options, by response number (null when not offered).
  QRadioButton* Option(int index) const;
  const std::optional<int>& Tag() const { return tag_; }

  QRadioButton* Response_0;  // the template
  QPushButton* cmdSend;
  QPushButton* cmdClose;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void AddResponseOption(const ResponseOption& option);
  // Removes the created options; the buttons and the dialog shrink back to the template's size.
  void RemoveOptions();
  void Send();

  std::vector<std::pair<int, QRadioButton*>> options_;
  std::optional<int> tag_;
};

}  // namespace zelmora::simulator
