#pragma once

#include "editor/planet_pictures.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

namespace zelmora::editor {

// The side of a strip cell in pixels: the drawing area of the picture frame.
inline constexpr int kPictureCellPixels = 160;

// The planet pictures as images. A strip's background is black, the space around a planet; a
// cell that is black all over holds no picture.
class QtPlanetImages : public PlanetImages {
 public:
  explicit QtPlanetImages(QSize cell = QSize(kPictureCellPixels, kPictureCellPixels));

  // The picture of planet index + 1; a null image for none.
  const QImage& Picture(int index) const;
  QSize Cell() const { return cell_; }

  int Count() const override { return static_cast<int>(images_.size()); }
  void Resize(int count) override;
  bool HasPicture(int index) const override;
  bool ReadsBackEmpty(int index) const override;
  void Clear(int index) override;
  void Swap(int a, int b) override;
  bool LoadStrip(const fs::path& file, int cells) override;
  bool SaveStrip(const fs::path& file) const override;
  bool LoadPicture(int index, const fs::path& file) override;
  bool SavePicture(int index, const fs::path& file) const override;

 private:
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  // Picture `index` drawn centred into `cell` of `target`, cut to the cell.
  void DrawInCell(QPainter& painter, int index, const QRect& cell) const;

  std::vector<QImage> images_;
  QSize cell_;
};

}  // namespace zelmora::editor
