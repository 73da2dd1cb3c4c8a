#include "print/qt/print_dialog_pictures.h"

#include <algorithm>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace quarlo {

namespace {

const QColor kPaperEdge(96, 96, 96);
const QColor kPaper(255, 255, 255);
const QColor kPrintedLine(70, 110, 180);
const QColor kArrow(40, 40, 40);
const QColor kCut(200, 40, 40);

QImage BlankImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A sheet with its top-right corner folded over.
void DrawSheet(QPainter& p, const QRect& r) {
  const int fold = std::max(3, r.width() / 4);
  QPolygon outline;
  outline << r.topLeft() << QPoint(r.right() - fold, r.top()) << QPoint(r.right(), r.top() + fold)
          << r.bottomRight() << r.bottomLeft();
  p.setPen(kPaperEdge);
  p.setBrush(kPaper);
  p.drawPolygon(outline);
  p.drawPolyline(QPolygon{} << QPoint(r.right() - fold, r.top()) << QPoint(r.right() - fold, r.top() + fold)
                            << QPoint(r.right(), r.top() + fold));
}

// Printed lines inside a sheet, as many as fit.
void DrawPrintedLines(QPainter& p, const QRect& r) {
  p.setPen(kPrintedLine);
  for (int y = r.top() + 4; y <= r.bottom() - 3; y += 3) p.drawLine(r.left() + 3, y, r.right() - 3, y);
}

void DrawArrow(QPainter& p, int x1, int x2, int y) {
  p.setPen(QPen(kArrow, 1.5));
  p.drawLine(QPointF(x1, y + 0.5), QPointF(x2 - 3, y + 0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kArrow);
  p.drawPolygon(QPolygonF{} << QPointF(x2, y + 0.5) << QPointF(x2 - 5, y - 3) << QPointF(x2 - 5, y + 4));
}

void DrawNumberedSheet(QPainter& p, const QRect& r, int number) {
  DrawSheet(p, r);
  p.setPen(Qt::black);
  p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(number));
}

}  // namespace

QImage CollatePicture(bool collate) {
  QImage image = BlankImage(kCollatePictureWidth, kCollatePictureHeight);
  QPainter p(&image);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(10);
  p.setFont(font);
  constexpr int kW = 20, kH = 28, kStepX = 8, kStepY = 7;
  if (collate) {
    // Two copies, each a fanned set 1-2-3.
    for (int set = 0; set < 2; ++set) {
      const int x0 = 4 + set * 50;
      for (int k = 0; k < 3; ++k) DrawNumberedSheet(p, QRect(x0 + k * kStepX, 2 + k * kStepY, kW, kH), k + 1);
    }
  } else {
    // The copies of each page lie together.
    for (int page = 0; page < 3; ++page) {
      const int x0 = 2 + page * 32;
      for (int k = 0; k < 2; ++k) DrawNumberedSheet(p, QRect(x0 + k * kStepX, 6 + k * kStepY, kW, kH), page + 1);
    }
  }
  return image;
}

QImage PrintModePicture(TfrxPrintMode mode) {
  QImage image = BlankImage(kPrintModePictureWidth, kPrintModePictureHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int arrowY = kPrintModePictureHeight / 2;
  switch (mode) {
    case TfrxPrintMode::pmDefault: {
      const QRect page(4, 5, 16, 22), sheet(42, 5, 16, 22);
      DrawSheet(p, page);
      DrawPrintedLines(p, page);
      DrawArrow(p, 24, 38, arrowY);
      DrawSheet(p, sheet);
      DrawPrintedLines(p, sheet);
      break;
    }
    case TfrxPrintMode::pmSplit: {
      const QRect page(2, 1, 21, 29);
      DrawSheet(p, page);
      DrawPrintedLines(p, page);
      p.setPen(QPen(kCut, 1, Qt::DashLine));
      p.drawLine(page.left(), page.center().y(), page.right(), page.center().y());
      DrawArrow(p, 26, 38, arrowY);
      const QRect top(42, 2, 16, 13), bottom(42, 17, 16, 13);
      DrawSheet(p, top);
      DrawPrintedLines(p, top);
      DrawSheet(p, bottom);
      DrawPrintedLines(p, bottom);
      break;
    }
    case TfrxPrintMode::pmJoin: {
      const QRect a(2, 4, 10, 13), b(8, 14, 10, 13);
      DrawSheet(p, a);
      DrawPrintedLines(p, a);
      DrawSheet(p, b);
      DrawPrintedLines(p, b);
      DrawArrow(p, 22, 36, arrowY);
      const QRect sheet(40, 2, 21, 28);
      DrawSheet(p, sheet);
      for (const QRect& cell : {QRect(42, 7, 8, 10), QRect(51, 7, 8, 10), QRect(42, 18, 8, 10)}) {
        p.setPen(kPaperEdge);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
        DrawPrintedLines(p, cell.adjusted(-2, -2, 2, 0));
      }
      break;
    }
    case TfrxPrintMode::pmScale: {
      const QRect page(4, 9, 11, 15);
      DrawSheet(p, page);
      DrawPrintedLines(p, page);
      DrawArrow(p, 19, 34, arrowY);
      const QRect sheet(38, 1, 22, 30);
      DrawSheet(p, sheet);
      DrawPrintedLines(p, sheet);
      break;
    }
  }
  return image;
}

}  // namespace quarlo
