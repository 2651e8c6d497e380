#pragma once

#include "editor/frm_pictures_images.h"
#include "editor/planet_pictures.h"
#include "tests/support/model_pictures.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <filesystem>
#include <string>

namespace zelmora::testing {

// A picture file of one colour.
inline std::filesystem::path WritePicture(const std::filesystem::path& file, QColor colour, QSize size = {40, 30}) {
  std::filesystem::create_directories(file.parent_path());
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  image.save(QString::fromStdString(file.string()));
  return file;
}

// A round planet lit from the upper left, on black space.
inline std::filesystem::path WritePlanetPicture(const std::filesystem::path& file, int side = 120) {
  std::filesystem::create_directories(file.parent_path());
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient light(side * 0.35, side * 0.35, side * 0.6);
  light.setColorAt(0, QColor(0x9C, 0xD3, 0xF5));
  light.setColorAt(0.6, QColor(0x2E, 0x6E, 0xB8));
  light.setColorAt(1, QColor(0x0B, 0x1E, 0x3C));
  painter.setBrush(light);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(side * 0.08, side * 0.08, side * 0.84, side * 0.84));
  painter.end();
  image.save(QString::fromStdString(file.string()));
  return file;
}

// The colour at the middle of planet i's picture (index i - 1), or nothing when it has none.
inline std::optional<QColor> MiddleColour(const editor::QtPlanetImages& images, int planet) {
  const QImage& picture = images.Picture(planet - 1);
  if (picture.isNull()) return std::nullopt;
  return QColor(picture.pixel(picture.width() / 2, picture.height() / 2));
}

}  // namespace zelmora::testing
