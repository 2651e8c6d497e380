#pragma once

#include "editor/star_picture_flow.h"

#include <QImage>
#include <QLabel>

#include <functional>

namespace zelmora::editor {

// The star picture (picStar) inside the system view: the stock picture of the star's type from the
// picture strip (clpStars), or a custom 16 x 16 picture of the system, with its backup (StarBackup)
// while the picture is being edited. It keeps its top left corner and takes the picture's size.
class StarPictureWidget : public QLabel, public StarPictureHost {
 public:
  // `starType` tells the type whose stock picture to show; `redraw` repaints the view.
  StarPictureWidget(QWidget* parent, std::function<int()> starType, std::function<void()> redraw);

  void ShowStock(int starType);
  // Loads a custom picture of the system; false (and nothing shown changed) when unreadable.
  bool ShowCustom(const fs::path& file);
  void Clear();
  bool HasPicture() const { return !image_.isNull(); }
  const QImage& Picture() const { return image_; }
  // The cell of one star type in the strip.
  QImage StockPicture(int starType) const;

  bool HasCustomPicture() const override { return custom_; }
  void BackupPicture() override;
  void RestoreBackup(bool custom) override;
  void ShowStockPicture() override;
  bool SavePicture(const fs::path& file) override;
  std::optional<Size> LoadPicture(const fs::path& file) override;
  void MarkCustom() override;

 private:
  void Show(const QImage& image);

  std::function<int()> starType_;
  std::function<void()> redraw_;
  mutable QImage clpStars_;
  QImage image_;
  QImage starBackup_;
  bool custom_ = false;
};

}  // namespace zelmora::editor
