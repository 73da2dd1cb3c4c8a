#include "resources/qt/image_list.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QApplication>

namespace quarlo {

QImage CellToImage(const ImageCell& cell) {
  QImage image(cell.Image.Width, cell.Image.Height, QImage::Format_ARGB32);
  for (int y = 0; y < cell.Image.Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < cell.Image.Width; ++x) {
      const uint32_t rgb = cell.Image.At(x, y);
      line[x] = rgb == cell.TransparentColor ? qRgba(0, 0, 0, 0) : (0xFF000000u | rgb);
    }
  }
  return image;
}

ImageList::ImageList(const std::vector<ImageCell>& cells) {
  images_.reserve(cells.size());
  for (const ImageCell& cell : cells) images_.push_back(CellToImage(cell));
}

QImage ImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return {};
  return images_[static_cast<size_t>(index)];
}

QPixmap ImageList::Pixmap(int index) const { return QPixmap::fromImage(Image(index)); }

QIcon ImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return QIcon(Pixmap(index));
}

void ImageList::Draw(QPainter& painter, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  QPixmap pixmap = Pixmap(index);
  if (!enabled && qApp != nullptr) {
    QStyleOption option;
    pixmap = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
  }
  painter.drawPixmap(x, y, pixmap);
}

QImage ImageList::Strip() const {
  const QSize cell = CellSize();
  QImage strip(cell.width() * Count(), cell.height(), QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (int i = 0; i < Count(); ++i) painter.drawImage(i * cell.width(), 0, images_[static_cast<size_t>(i)]);
  return strip;
}

}  // namespace quarlo
