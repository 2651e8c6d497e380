#include "installer/animation_frames.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace zelmora::installer {

namespace {

void DrawFrame(QPainter& p, int size, int frame) {
  const double s = size;
  const QPointF centre(s / 2, s / 2);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRectF(0, 0, s, s), QColor(8, 10, 32));

  // A few fixed stars; they twinkle by taking turns.
  const QPointF stars[] = {{0.12, 0.18}, {0.82, 0.10}, {0.90, 0.72}, {0.20, 0.86}, {0.55, 0.06}, {0.06, 0.55}};
  for (int i = 0; i < 6; ++i) {
    int level = (i + frame) % 3 == 0 ? 255 : 150;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(level, level, level));
    double r = (i + frame) % 3 == 0 ? s * 0.022 : s * 0.014;
    p.drawEllipse(QPointF(stars[i].x() * s, stars[i].y() * s), r, r);
  }

  const double orbitX = s * 0.40, orbitY = s * 0.17;
  const double angle = frame * std::numbers::pi / 3.0;
  const QPointF probe(centre.x() + orbitX * std::cos(angle), centre.y() + orbitY * std::sin(angle));
  const bool behind = std::sin(angle) < -0.01;  // on the far half of the orbit

  auto drawProbe = [&] {
    // The beam from the probe to the planet's face.
    QPainterPath beam;
    beam.moveTo(probe);
    QPointF toCentre = centre - probe;
    QPointF across(-toCentre.y() * 0.35, toCentre.x() * 0.35);
    beam.lineTo(centre + across * 0.6);
    beam.lineTo(centre - across * 0.6);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 120, 90));
    p.drawPath(beam);
    p.setBrush(QColor(235, 235, 245));
    p.setPen(QPen(QColor(120, 120, 150), s / 64));
    p.drawEllipse(probe, s * 0.055, s * 0.055);
    p.setPen(QPen(QColor(200, 200, 220), s / 48));
    p.drawLine(probe - QPointF(s * 0.09, 0), probe + QPointF(s * 0.09, 0));
  };

  auto orbit = [&](int startDeg, int spanDeg) {
    p.setPen(QPen(QColor(110, 130, 200, 160), s / 64, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - orbitX, centre.y() - orbitY, 2 * orbitX, 2 * orbitY), startDeg * 16, spanDeg * 16);
  };

  orbit(0, 180);  // far half, behind the planet
  if (behind) drawProbe();

  QRadialGradient shade(centre - QPointF(s * 0.08, s * 0.08), s * 0.30);
  shade.setColorAt(0.0, QColor(150, 220, 255));
  shade.setColorAt(0.6, QColor(40, 120, 190));
  shade.setColorAt(1.0, QColor(10, 40, 90));
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawEllipse(centre, s * 0.24, s * 0.24);
  // A continent that turns with the frames.
  p.setBrush(QColor(70, 160, 90, 200));
  double shift = ((frame % 6) - 2.5) * s * 0.03;
  p.drawEllipse(QPointF(centre.x() + shift, centre.y() - s * 0.04), s * 0.08, s * 0.05);

  orbit(180, 180);  // near half, in front
  if (!behind) drawProbe();
}

}  // namespace

std::array<QPixmap, kAnimationFrames> DrawAnimationFrames(int size) {
  std::array<QPixmap, kAnimationFrames> frames;
  for (int i = 0; i < kAnimationFrames; ++i) {
    QPixmap pixmap(size, size);
    QPainter painter(&pixmap);
    DrawFrame(painter, size, i);
    frames[i] = pixmap;
  }
  return frames;
}

}  // namespace zelmora::installer
