#include "editor/star_picture_widget.h"

#include "editor/stock_star_pictures.h"

#include <QPixmap>

namespace zelmora::editor {

namespace {

// 255 twips square before a picture is loaded.
constexpr int kEmptySide = 17;

QImage Strip() {
  auto pixels = StockStarStrip();
  QImage strip(kStarCell * kStarTypes, kStarCell, QImage::Format_RGB32);
  for (int y = 0; y < kStarCell; ++y) {
    for (int x = 0; x < kStarCell * kStarTypes; ++x) {
      strip.setPixel(x, y, pixels[static_cast<std::size_t>(y * kStarCell * kStarTypes + x)]);
    }
  }
  return strip;
}

QString PathText(const fs::path& file) { return QString::fromStdString(file.string()); }

}  // namespace

StarPictureWidget::StarPictureWidget(QWidget* parent, std::function<int()> starType, std::function<void()> redraw)
    : QLabel(parent), starType_(std::move(starType)), redraw_(std::move(redraw)) {
  setObjectName(QStringLiteral("picStar"));
  setMouseTracking(true);
  resize(kEmptySide, kEmptySide);
}

QImage StarPictureWidget::StockPicture(int starType) const {
  int cell = std::clamp(starType, 0, kStarTypes - 1);
  // Drawn when a star is first shown, not while the program starts.
  if (clpStars_.isNull()) clpStars_ = Strip();
  return clpStars_.copy(cell * kStarCell, 0, kStarCell, kStarCell);
}

void StarPictureWidget::Show(const QImage& image) {
  image_ = image;
  if (image.isNull()) {
    clear();
    resize(kEmptySide, kEmptySide);
    return;
  }
  setPixmap(QPixmap::fromImage(image));
  resize(image.size());
}

void StarPictureWidget::ShowStock(int starType) {
  Show(StockPicture(starType));
  custom_ = false;
}

bool StarPictureWidget::ShowCustom(const fs::path& file) {
  QImage image(PathText(file));
  if (image.isNull()) return false;
  Show(image);
  custom_ = true;
  return true;
}

void StarPictureWidget::Clear() {
  Show(QImage());
  custom_ = false;
}

void StarPictureWidget::BackupPicture() { starBackup_ = image_; }

void StarPictureWidget::RestoreBackup(bool custom) {
  Show(starBackup_);
  custom_ = custom;
  redraw_();
}

void StarPictureWidget::ShowStockPicture() {
  ShowStock(starType_());
  redraw_();
}

bool StarPictureWidget::SavePicture(const fs::path& file) {
  return !image_.isNull() && image_.save(PathText(file), "BMP");
}

std::optional<StarPictureHost::Size> StarPictureWidget::LoadPicture(const fs::path& file) {
  QImage image(PathText(file));
  if (image.isNull()) return std::nullopt;
  Show(image);
  return Size{image.width(), image.height()};
}

void StarPictureWidget::MarkCustom() {
  custom_ = true;
  redraw_();
}

}  // namespace zelmora::editor
