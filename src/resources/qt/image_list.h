#pragma once
// A list of equal-sized toolbar images with transparency, built from decoded cells:
// every pixel of a cell's transparent colour becomes fully transparent.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <vector>

#include "resources/bitmap_strip.h"

class QPainter;

namespace quarlo {

class ImageList {
 public:
  ImageList() = default;
  explicit ImageList(const std::vector<ImageCell>& cells);

  int Count() const { return static_cast<int>(images_.size()); }
  QSize CellSize() const { return images_.empty() ? QSize() : images_.front().size(); }

  // Empty image / pixmap / icon for an index outside the list.
  QImage Image(int index) const;
  QPixmap Pixmap(int index) const;
  QIcon Icon(int index) const;
  // Draws image index with its top-left corner at (x, y); disabled images are greyed.
  void Draw(QPainter& painter, int x, int y, int index, bool enabled = true) const;
  // All images side by side, as one strip with transparency.
  QImage Strip() const;

 private:
  std::vector<QImage> images_;
};

// One decoded cell as an ARGB image, its transparent colour cleared to alpha 0.
QImage CellToImage(const ImageCell& cell);

}  // namespace quarlo
