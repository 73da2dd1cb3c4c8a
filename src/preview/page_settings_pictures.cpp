#include "preview/page_settings_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>

namespace quarlo {

QImage OrientationPicture(bool landscape) {
  const int w = landscape ? kOrientationPictureLong : kOrientationPictureShort;
  const int h = landscape ? kOrientationPictureShort : kOrientationPictureLong;
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const QRect sheet(1, 1, w - 3, h - 3);
  const int fold = 8;
  // Shadow, sheet with its top-right corner folded, then the fold.
  p.fillRect(sheet.translated(2, 2), QColor(0, 0, 0, 60));
  QPolygon outline;
  outline << sheet.topLeft() << QPoint(sheet.right() - fold, sheet.top()) << QPoint(sheet.right(), sheet.top() + fold)
          << sheet.bottomRight() << sheet.bottomLeft();
  p.setPen(QColor(80, 80, 80));
  p.setBrush(Qt::white);
  p.drawPolygon(outline);
  p.setBrush(QColor(225, 225, 225));
  p.drawPolygon(QPolygon{} << QPoint(sheet.right() - fold, sheet.top())
                           << QPoint(sheet.right() - fold, sheet.top() + fold)
                           << QPoint(sheet.right(), sheet.top() + fold));
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(26);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(30, 60, 140));
  p.setRenderHint(QPainter::TextAntialiasing);
  p.drawText(sheet.adjusted(0, fold / 2, 0, 0), Qt::AlignCenter, QStringLiteral("A"));
  return image;
}

}  // namespace quarlo
