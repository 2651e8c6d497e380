#pragma once

#include <QColor>
#include <QWidget>

#include <functional>
#include <vector>

namespace zelmora::check {

// The key beside a map: a row for each mark, a sample drawn with the map's own painting beside
// what it means.
class MapLegend : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    const char* text;
    std::function<void(QPainter&, const QRectF& sample, const QFont& font)> sample;
  };
  // Where each row's sample and text go; behind a sample `paper` is filled when it is valid.
  struct Geometry {
    int row = 20;
    int sampleLeft = 2;
    int sampleInset = 2;  // above and below the sample within its row
    int sampleWidth = 58;
    int textLeft = 68;
    QColor paper;
  };

  MapLegend(std::vector<Entry> entries, Geometry geometry, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Entry> entries_;
  Geometry geometry_;
};

}  // namespace zelmora::check
