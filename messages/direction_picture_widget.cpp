#include "messages/direction_picture_widget.h"

#include "ui/qt/palette.h"

#include <QPainter>

namespace zelmora::messages {

DirectionPicture::DirectionPicture(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picDirection"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DirectionPicture::SetDirection(Direction direction) {
  direction_ = direction;
  phase_ = 0;
  update();
}

void DirectionPicture::Tick() {
  phase_ = (phase_ + 1) % 6;
  update();
}

void DirectionPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), qt::PaletteColour(0));
  const int h = height();
  const int w = width();
  if (direction_ == Direction::Information) {
    if (phase_ % 2 == 0) {
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(h * 2 / 3);
      p.setFont(font);
      p.setPen(qt::PaletteColour(14));
      p.drawText(rect(), Qt::AlignCenter, QStringLiteral("?"));
    }
    return;
  }
  // The planet sits on the left; the ship's end of the wave is the right.
  const int planetRadius = h / 4;
  const QPointF planet(planetRadius + 3, h / 2.0);
  p.setPen(Qt::NoPen);
  p.setBrush(qt::PaletteColour(2));
  p.drawEllipse(planet, planetRadius, planetRadius);

  const bool fromPlanet = direction_ == Direction::Message;
  const QPointF source = fromPlanet ? QPointF(planet.x() + planetRadius, planet.y()) : QPointF(w - 3, planet.y());
  const int radius = 4 * phase_ + 3;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(qt::PaletteColour(fromPlanet ? 11 : 14), 2));
  const QRectF box(source.x() - radius, source.y() - radius, 2.0 * radius, 2.0 * radius);
  // Qt angles are in sixteenths of a degree, counter-clockwise from three o'clock.
  const int start = fromPlanet ? -50 * 16 : 130 * 16;
  p.drawArc(box, start, 100 * 16);
}

}  // namespace zelmora::messages
