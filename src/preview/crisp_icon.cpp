#include "preview/crisp_icon.h"

#include <QPixmap>

namespace quarlo {

QImage DoublePixelArt(const QImage& source) {
  if (source.isNull()) return QImage();
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  QImage out(w * 2, h * 2, QImage::Format_ARGB32);
  auto at = [&](int x, int y) {
    x = x < 0 ? 0 : (x >= w ? w - 1 : x);
    y = y < 0 ? 0 : (y >= h ? h - 1 : y);
    return image.pixel(x, y);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb p = at(x, y);
      const QRgb up = at(x, y - 1), right = at(x + 1, y), left = at(x - 1, y), down = at(x, y + 1);
      out.setPixel(2 * x, 2 * y, left == up && left != down && up != right ? up : p);
      out.setPixel(2 * x + 1, 2 * y, up == right && up != left && right != down ? right : p);
      out.setPixel(2 * x, 2 * y + 1, down == left && down != right && left != up ? left : p);
      out.setPixel(2 * x + 1, 2 * y + 1, right == down && right != up && down != left ? down : p);
    }
  }
  return out;
}

QIcon CrispIcon(const QImage& cell) {
  QIcon icon;
  if (cell.isNull()) return icon;
  icon.addPixmap(QPixmap::fromImage(cell));
  icon.addPixmap(QPixmap::fromImage(DoublePixelArt(cell)));
  return icon;
}

}  // namespace quarlo
