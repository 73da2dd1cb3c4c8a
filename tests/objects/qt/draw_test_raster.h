#pragma once
// Painting objects onto real images and reading pixels back as characters, so that a
// test can state the pixel figure it expects row by row.

#include <QImage>
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo::drawtest {

// A white image of w x h with whatever `paint` draws on its canvas.
inline QImage Paint(int w, int h, const std::function<void(Canvas&)>& paint, CanvasKind kind = CanvasKind::Image) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainterCanvas canvas(img, 96, 96, kind);
    paint(canvas);
  }
  return img;
}

// '.' white, '#' black, 'r' red, 'y' yellow, 'b' blue, 'g' grey (silver), '?' other.
inline char PixelChar(const QImage& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return ' ';
  const QRgb p = img.pixel(x, y) & 0xFFFFFF;
  switch (p) {
    case 0xFFFFFF: return '.';
    case 0x000000: return '#';
    case 0xFF0000: return 'r';
    case 0xFFFF00: return 'y';
    case 0x0000FF: return 'b';
    case 0xC0C0C0: return 'g';
    default: return '?';
  }
}

inline std::string Row(const QImage& img, int y, int x0, int x1) {
  std::string s;
  for (int x = x0; x <= x1; ++x) s += PixelChar(img, x, y);
  return s;
}

inline std::string Column(const QImage& img, int x, int y0, int y1) {
  std::string s;
  for (int y = y0; y <= y1; ++y) s += PixelChar(img, x, y);
  return s;
}

// Rows y0..y1 of columns x0..x1, joined by '\n' (readable in a failure message).
inline std::string Block(const QImage& img, int x0, int y0, int x1, int y1) {
  std::string s;
  for (int y = y0; y <= y1; ++y) s += Row(img, y, x0, x1) + "\n";
  return s;
}

inline int Count(const QImage& img, char c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += PixelChar(img, x, y) == c;
  return n;
}

}  // namespace quarlo::drawtest
