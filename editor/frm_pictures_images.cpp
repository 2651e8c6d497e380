#include "editor/frm_pictures_images.h"

#include <QPainter>
#include <QSaveFile>

#include <algorithm>

namespace zelmora::editor {

namespace {

QString PathText(const fs::path& file) { return QString::fromStdString(file.string()); }

bool BlackAllOver(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0x00FFFFFFu) != 0) return false;
    }
  }
  return true;
}

const QImage kNone;

}  // namespace

QtPlanetImages::QtPlanetImages(QSize cell) : cell_(cell) {}

const QImage& QtPlanetImages::Picture(int index) const {
  return Valid(index) ? images_[static_cast<std::size_t>(index)] : kNone;
}

void QtPlanetImages::Resize(int count) { images_.resize(static_cast<std::size_t>(std::max(0, count))); }

bool QtPlanetImages::HasPicture(int index) const { return Valid(index) && !Picture(index).isNull(); }

void QtPlanetImages::Clear(int index) {
  if (Valid(index)) images_[static_cast<std::size_t>(index)] = QImage();
}

void QtPlanetImages::Swap(int a, int b) {
  if (Valid(a) && Valid(b)) std::swap(images_[static_cast<std::size_t>(a)], images_[static_cast<std::size_t>(b)]);
}

void QtPlanetImages::DrawInCell(QPainter& painter, int index, const QRect& cell) const {
  const QImage& picture = Picture(index);
  if (picture.isNull()) return;
  // Centred in its own cell; what is larger than the cell is cut, never drawn over a neighbour.
  painter.setClipRect(cell);
  painter.drawImage(cell.center() + QPoint(1, 1) - QPoint(picture.width() / 2, picture.height() / 2), picture);
}

bool QtPlanetImages::ReadsBackEmpty(int index) const {
  if (!HasPicture(index)) return false;
  // Drawn as the strip draws it: transparent parts and parts beyond the cell count as space.
  QImage cell(cell_, QImage::Format_RGB32);
  cell.fill(Qt::black);
  {
    QPainter painter(&cell);
    DrawInCell(painter, index, QRect(QPoint(0, 0), cell_));
  }
  return BlackAllOver(cell);
}

bool QtPlanetImages::LoadStrip(const fs::path& file, int cells) {
  images_.assign(static_cast<std::size_t>(std::max(0, cells)), QImage());
  QImage strip(PathText(file));
  if (strip.isNull()) return false;
  if (cells <= 0) return true;
  strip = strip.convertToFormat(QImage::Format_RGB32);
  const int width = strip.width() / cells;
  if (width <= 0) return false;
  for (int i = 0; i < cells; ++i) {
    QImage cell = strip.copy(i * width, 0, width, strip.height());
    if (!BlackAllOver(cell)) images_[static_cast<std::size_t>(i)] = cell;
  }
  return true;
}

bool QtPlanetImages::SaveStrip(const fs::path& file) const {
  if (images_.empty()) return false;
  QImage strip(cell_.width() * Count(), cell_.height(), QImage::Format_RGB32);
  strip.fill(Qt::black);
  {
    QPainter painter(&strip);
    for (int i = 0; i < Count(); ++i) DrawInCell(painter, i, QRect(i * cell_.width(), 0, cell_.width(), cell_.height()));
  }
  QSaveFile out(PathText(file));
  if (!out.open(QIODevice::WriteOnly)) return false;
  if (!strip.save(&out, "BMP")) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

bool QtPlanetImages::LoadPicture(int index, const fs::path& file) {
  if (!Valid(index)) return false;
  QImage picture(PathText(file));
  if (picture.isNull()) return false;
  images_[static_cast<std::size_t>(index)] = picture;
  return true;
}

bool QtPlanetImages::SavePicture(int index, const fs::path& file) const {
  const QImage& picture = Picture(index);
  return !picture.isNull() && picture.save(PathText(file), "BMP");
}

}  // namespace zelmora::editor
