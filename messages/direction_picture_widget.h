#pragma once

#include "messages/message_editor_view.h"

#include <QWidget>

namespace zelmora::messages {

// picDirection: a planet and a radio wave travelling from it (messages) or towards it
// (responses), or a blinking "?" for the information text. Each tick advances the phase 0..5.
class DirectionPicture : public QWidget {
  Q_OBJECT

 public:
  explicit DirectionPicture(QWidget* parent = nullptr);

  void SetDirection(Direction direction);
  Direction GetDirection() const { return direction_; }
  void Tick();
  int Phase() const { return phase_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Direction direction_ = Direction::Message;
  int phase_ = 0;
};

}  // namespace zelmora::messages
