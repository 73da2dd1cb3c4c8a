#include "platform/qt/qpainter_canvas.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainterPath>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/font_engine.h"
#include "platform/qt/qt_font_engine.h"

namespace quarlo {

namespace {

bool IsStyled(const CanvasPen& pen) { return !pen.geometric && !StyledPenPattern(pen.style).empty(); }

// The styled pattern of `pen` in units of a stroke `width` wide, as Qt takes it.
QList<qreal> DashPattern(const CanvasPen& pen, int width) {
  const double unit = pen.unit > 0 ? pen.unit : 1.0;
  QList<qreal> dashes;
  for (int step : StyledPenPattern(pen.style)) dashes << step * unit / std::max(1, width);
  return dashes;
}

// Pixels covered by a band of width w around centre c: [c - w div 2, c + w - w div 2).
int BandLo(int c, int w) { return c - w / 2; }
int BandHi(int c, int w) { return c + w - w / 2; }

// The hatch pixels of `area` (device coordinates) in `color`, the rest transparent.
QImage HatchImage(const CanvasBrush& brush, const QColor& color, const CanvasRect& area) {
  QImage image(std::max(1, area.Width()), std::max(1, area.Height()), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const QRgb ink = color.rgba();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (HatchCovers(brush.style, area.left + x, area.top + y, brush.unit)) line[x] = ink;
  }
  return image;
}

// The pattern repeats every 8 units; a whole number of pixels makes one tile of it.
int HatchTilePixels(double unit) {
  const double period = 8 * HatchUnit(unit);
  const double whole = std::round(period);
  return whole >= 1 && whole <= 4096 && std::abs(period - whole) < 1e-9 ? static_cast<int>(whole) : 0;
}

bool IsHatch(const CanvasBrush& brush) {
  return brush.style != CanvasBrush::Style::Solid && brush.style != CanvasBrush::Style::Clear &&
         brush.color != clTransparent;
}

// Multiples of `period` from the first at or above `lo` to the last at or below `hi`.
template <typename Each>
void Multiples(double lo, double hi, double period, Each each) {
  const long long first = static_cast<long long>(std::ceil(lo / period));
  const long long last = static_cast<long long>(std::floor(hi / period));
  for (long long k = first; k <= last; ++k) each(static_cast<double>(k) * period);
}

// Paper and PDF have no transparent pattern brush that every printer driver and
// converter can take (a masked tile becomes a soft mask some of them reject), so a
// hatch there is its own opaque lines, in the places HatchCovers gives them, clipped to
// the filled area.
void StrokeHatch(QPainter& painter, const QPainterPath& area, const CanvasBrush& brush) {
  if (!IsHatch(brush) || area.isEmpty()) return;
  QRectF box = area.boundingRect();
  // A recording device (a picture) grows with what is drawn and has no size to keep to.
  if (const QPaintDevice* device = painter.device(); device && device->width() > 0 && device->height() > 0) {
    bool invertible = false;
    const QTransform toLogical = painter.worldTransform().inverted(&invertible);
    if (invertible) box &= toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
  }
  if (painter.hasClipping()) box &= painter.clipBoundingRect();
  if (box.isEmpty()) return;
  const double unit = HatchUnit(brush.unit);
  const double period = 8 * unit, t = HatchLineWidth(unit);
  const double x0 = std::floor(box.left()) - t - 1, y0 = std::floor(box.top()) - t - 1;
  const double x1 = std::ceil(box.right()) + t + 1, y1 = std::ceil(box.bottom()) + t + 1;
  const auto style = brush.style;
  const bool rows = style == CanvasBrush::Style::Horizontal || style == CanvasBrush::Style::Cross;
  const bool columns = style == CanvasBrush::Style::Vertical || style == CanvasBrush::Style::Cross;
  const bool forward = style == CanvasBrush::Style::FDiagonal || style == CanvasBrush::Style::DiagCross;
  const bool backward = style == CanvasBrush::Style::BDiagonal || style == CanvasBrush::Style::DiagCross;
  const QColor color = ToQColor(brush.color);

  painter.save();
  painter.setClipPath(area, Qt::IntersectClip);
  // Row and column lines cover whole pixels, t of them about the centre of their
  // pattern pixel (at half a unit past each multiple of the period).
  auto band = [t](double centre) { return std::ceil(centre - t / 2.0 - 0.5); };
  QPainterPath bars;
  if (rows) Multiples(y0, y1, period, [&](double y) { bars.addRect(QRectF(x0, band(y + unit / 2), x1 - x0, t)); });
  if (columns) Multiples(x0, x1, period, [&](double x) { bars.addRect(QRectF(band(x + unit / 2), y0, t, y1 - y0)); });
  if (!bars.isEmpty()) {
    bars.setFillRule(Qt::WindingFill);
    painter.fillPath(bars, color);
  }
  // Diagonals: x - y or x + y a multiple of the period, through pixel centres.
  QList<QLineF> lines;
  if (forward)
    Multiples(x0 - y1, x1 - y0, period, [&](double d) { lines << QLineF(y0 + d, y0, y1 + d, y1); });
  if (backward)
    Multiples(x0 + y0, x1 + y1, period, [&](double sum) { lines << QLineF(sum - y0, y0, sum - y1, y1); });
  if (!lines.isEmpty()) {
    QPen pen(color, t);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawLines(lines);
  }
  painter.restore();
}

// Draws the pixels of `image` for which `shown` holds, opaque, without any mask or
// alpha in the output: the image goes out without its alpha channel, clipped to the
// outline of the shown pixels.
template <typename Shown>
void DrawShownPixels(QPainter& painter, const QRect& dest, const QImage& image, Shown shown) {
  QList<QRect> runs;  // one band per row, left to right, as QRegion::setRects wants
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width();) {
      if (!shown(line[x])) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.width() && shown(line[x])) ++x;
      runs << QRect(start, y, x - start, 1);
    }
  }
  if (runs.isEmpty()) return;
  QRegion region;
  region.setRects(runs.constData(), static_cast<int>(runs.size()));
  QPainterPath outline;
  outline.addRegion(region);
  const QTransform toDest(static_cast<double>(dest.width()) / image.width(), 0, 0,
                          static_cast<double>(dest.height()) / image.height(), dest.left(), dest.top());
  painter.save();
  painter.setClipPath(toDest.map(outline), Qt::IntersectClip);
  painter.drawImage(dest, image.convertToFormat(QImage::Format_RGB32));
  painter.restore();
}

// Wraps the canvas image pixels without copying.
QImage WrapImage(const CanvasImage& image) {
  return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                image.width * 4, QImage::Format_ARGB32);
}

// The outline of a figure runs through the centres of its first and last pixels;
// without a pen the filled area ends one pixel short on the right and bottom.
QRectF FigureRect(int left, int top, int right, int bottom, bool pen) {
  if (pen) return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
  return QRectF(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1));
}

char32_t CodePointAt(std::u16string_view text, std::size_t i, bool* pair) {
  char32_t ch = text[i];
  *pair = false;
  if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    *pair = true;
    return 0x10000 + ((ch - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return ch;
}

}  // namespace

QColor ToQColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QPainterCanvas::QPainterCanvas(QPainter& painter, CanvasKind kind, int dpiX, int dpiY)
    : painter_(&painter), kind_(kind) {
  Init(dpiX, dpiY);
}

QPainterCanvas::QPainterCanvas(QImage& image, int dpiX, int dpiY, CanvasKind kind)
    : ownPainter_(std::make_unique<QPainter>(&image)), painter_(ownPainter_.get()), kind_(kind) {
  Init(dpiX, dpiY);
}

QPainterCanvas::~QPainterCanvas() {
  if (ownPainter_) ownPainter_->end();
  else if (painter_->isActive()) painter_->restore();  // the caller's painter gets its state back
}

void QPainterCanvas::Init(int dpiX, int dpiY) {
  if (!ownPainter_) painter_->save();
  QPaintDevice* device = painter_->device();
  dpiX_ = dpiX > 0 ? dpiX : (device ? device->logicalDpiX() : 96);
  dpiY_ = dpiY > 0 ? dpiY : (device ? device->logicalDpiY() : 96);
  if (dpiX_ <= 0) dpiX_ = 96;
  if (dpiY_ <= 0) dpiY_ = 96;
  bounds_ = device ? CanvasRect{0, 0, device->width(), device->height()} : CanvasRect{};
  raster_ = !device || device->devType() == QInternal::Image || device->devType() == QInternal::Pixmap ||
            device->devType() == QInternal::Widget;
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (painter_->hasClipping()) initialClip_ = painter_->clipRegion();
}

void QPainterCanvas::ClipChanged() {
  if (HasClip()) {
    const CanvasRect c = ClipBox();
    QRegion region(QRect(c.left, c.top, std::max(0, c.Width()), std::max(0, c.Height())));
    if (initialClip_) region &= *initialClip_;
    painter_->setClipRegion(region);
  } else if (initialClip_) {
    painter_->setClipRegion(*initialClip_);
  } else {
    painter_->setClipping(false);
  }
}

void QPainterCanvas::BeginOp(bool useMode) {
  painter_->setCompositionMode(useMode && Mode() == RasterMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                                    : QPainter::CompositionMode_SourceOver);
}

bool QPainterCanvas::PenVisible() const {
  return Pen().style != CanvasPen::Style::Clear && Pen().color != clTransparent;
}

void QPainterCanvas::Span(int left, int top, int right, int bottom, const QColor& color) {
  if (right <= left || bottom <= top) return;
  painter_->fillRect(QRect(left, top, right - left, bottom - top), color);
}

void QPainterCanvas::Disc(double cx, double cy, int w, const QColor& color) {
  // Pixel centres within w/2 of (cx, cy), row by row.
  const double r = w / 2.0;
  const int y0 = static_cast<int>(std::floor(cy - r)), y1 = static_cast<int>(std::ceil(cy + r));
  for (int y = y0; y <= y1; ++y) {
    const double dy = y - cy;
    const double span2 = r * r - dy * dy;
    if (span2 <= 0) continue;
    const double half = std::sqrt(span2);
    const int l = static_cast<int>(std::floor(cx - half)) + 1, rr = static_cast<int>(std::ceil(cx + half)) - 1;
    Span(l, y, rr + 1, y + 1, color);
  }
}

void QPainterCanvas::DrawSegment(CanvasPoint from, CanvasPoint to) { Segment(from, to, false); }

void QPainterCanvas::Polyline(std::span<const CanvasPoint> points) {
  for (std::size_t i = 1; i < points.size(); ++i) Segment(points[i - 1], points[i], false);
  if (!points.empty()) MoveTo(points.back().x, points.back().y);
}

void QPainterCanvas::Segment(CanvasPoint from, CanvasPoint to, bool lastPixel) {
  if (!PenVisible()) return;
  BeginOp(true);
  if (IsStyled(Pen()))
    StyledSegment(from, to, lastPixel);
  else if (!Pen().geometric && Pen().width <= 1)
    CosmeticSegment(from, to, lastPixel);
  else
    WideSegment(from, to);
}

void QPainterCanvas::StyledSegment(CanvasPoint from, CanvasPoint to, bool lastPixel) {
  // A width beyond any device is a broken document, not a request for millions of lines.
  const int w = std::clamp(Pen().width, 1, 1 << 16);
  if (!raster_) {
    StrokeStyledSegment(from, to, w);
    return;
  }
  const bool acrossY = std::llabs(static_cast<long long>(to.x) - from.x) > std::llabs(static_cast<long long>(to.y) - from.y);
  const CanvasRect clip = ClipBox();
  for (int i = -(w / 2); i <= w / 2 - (w % 2 == 0 ? 1 : 0); ++i) {
    const CanvasPoint a = acrossY ? CanvasPoint{from.x, from.y + i} : CanvasPoint{from.x + i, from.y};
    const CanvasPoint b = acrossY ? CanvasPoint{to.x, to.y + i} : CanvasPoint{to.x + i, to.y};
    // Lines wholly beside the clip are skipped (the band of a wide pen can be long).
    const int lo = acrossY ? std::min(a.y, b.y) : std::min(a.x, b.x), hi = acrossY ? std::max(a.y, b.y) : std::max(a.x, b.x);
    if (hi < (acrossY ? clip.top : clip.left) - 1 || lo > (acrossY ? clip.bottom : clip.right)) continue;
    CosmeticSegment(a, b, lastPixel);
  }
}

void QPainterCanvas::StrokeStyledSegment(CanvasPoint from, CanvasPoint to, int w) {
  // The stroke runs along the middle of the band the raster lines cover, from the first
  // pixel edge the line covers to the edge before its end point.
  const bool acrossY = std::llabs(static_cast<long long>(to.x) - from.x) > std::llabs(static_cast<long long>(to.y) - from.y);
  const double band = (w % 2 == 0) ? 0.0 : 0.5;
  // Going backwards the pixels from..to+1 lie between the edges from+1 and to+1.
  const int back = acrossY ? (to.x < from.x) : (to.y < from.y);
  const QPointF p0 = acrossY ? QPointF(from.x + back, from.y + band) : QPointF(from.x + band, from.y + back);
  const QPointF p1 = acrossY ? QPointF(to.x + back, to.y + band) : QPointF(to.x + band, to.y + back);
  if (p0 == p1) return;
  const CanvasPen& pen = Pen();
  QPen stroke(ToQColor(pen.color), w);
  stroke.setCapStyle(Qt::FlatCap);
  stroke.setJoinStyle(Qt::MiterJoin);
  if (Brush().style == CanvasBrush::Style::Solid && Brush().color != clTransparent) {
    QPen gaps = stroke;
    gaps.setColor(ToQColor(Brush().color));
    painter_->setPen(gaps);
    painter_->drawLine(p0, p1);
  }
  stroke.setDashPattern(DashPattern(pen, w));
  painter_->setPen(stroke);
  painter_->drawLine(p0, p1);
}

void QPainterCanvas::CosmeticSegment(CanvasPoint from, CanvasPoint to, bool lastPixel) {
  const QColor on = ToQColor(Pen().color);
  const bool gapsPainted = Brush().style == CanvasBrush::Style::Solid && Brush().color != clTransparent;
  const QColor off = gapsPainted ? ToQColor(Brush().color) : QColor();
  const std::span<const int> pattern = StyledPenPattern(Pen().style);
  const double unit = Pen().unit;
  const CanvasRect clip = ClipBox();

  int x = from.x, y = from.y;
  const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
  const int sx = to.x >= from.x ? 1 : -1, sy = to.y >= from.y ? 1 : -1;
  const bool xMajor = dx >= dy;
  long long steps = (xMajor ? dx : dy) + (lastPixel ? 1 : 0);

  if (pattern.empty() && (dx == 0 || dy == 0)) {
    if (steps <= 0) return;
    if (dy == 0) {
      const long long x2 = from.x + sx * (steps - 1);
      Span(static_cast<int>(std::min<long long>(from.x, x2)), y, static_cast<int>(std::max<long long>(from.x, x2) + 1),
           y + 1, on);
    } else {
      const long long y2 = from.y + sy * (steps - 1);
      Span(x, static_cast<int>(std::min<long long>(from.y, y2)), x + 1,
           static_cast<int>(std::max<long long>(from.y, y2) + 1), on);
    }
    return;
  }

  if (!raster_ && pattern.empty()) {
    // On paper and PDF a slanted line stays a line rather than a staircase of spans.
    painter_->setPen(QPen(on, 0));
    painter_->drawLine(QLineF(from.x + 0.5, from.y + 0.5, to.x + 0.5, to.y + 0.5));
    return;
  }
  // Bresenham, merging pixels of one row (or column) and one pattern state into runs.
  int runX = 0, runY = 0, runLen = 0;
  bool runOn = true;
  auto flush = [&] {
    if (runLen == 0) return;
    if (runOn || gapsPainted) {
      const QColor& c = runOn ? on : off;
      if (xMajor) {
        const int l = sx > 0 ? runX : runX - runLen + 1;
        Span(l, runY, l + runLen, runY + 1, c);
      } else {
        const int t = sy > 0 ? runY : runY - runLen + 1;
        Span(runX, t, runX + 1, t + runLen, c);
      }
    }
    runLen = 0;
  };
  int err = xMajor ? dx / 2 : dy / 2;
  for (long long i = 0; i < steps; ++i) {
    const bool state = StyledPenOn(pattern, i, unit);
    const bool visible = x >= clip.left - 1 && x <= clip.right && y >= clip.top - 1 && y <= clip.bottom;
    if (visible) {
      const bool extends = runLen > 0 && state == runOn &&
                           (xMajor ? (y == runY && x == runX + sx * runLen) : (x == runX && y == runY + sy * runLen));
      if (!extends) {
        flush();
        runX = x;
        runY = y;
        runOn = state;
      }
      ++runLen;
    } else {
      flush();
    }
    if (xMajor) {
      x += sx;
      err -= dy;
      if (err < 0) {
        y += sy;
        err += dx;
      }
    } else {
      y += sy;
      err -= dx;
      if (err < 0) {
        x += sx;
        err += dy;
      }
    }
  }
  flush();
}

void QPainterCanvas::WideSegment(CanvasPoint from, CanvasPoint to) {
  const CanvasPen& pen = Pen();
  const int w = std::max(1, pen.width);
  const QColor color = ToQColor(pen.color);
  const CanvasPen::Cap cap = pen.geometric ? pen.cap : CanvasPen::Cap::Round;
  const bool horizontal = from.y == to.y, vertical = from.x == to.x;

  if (!horizontal && !vertical) {
    QPen qp(color, w);
    qp.setCapStyle(cap == CanvasPen::Cap::Square ? Qt::SquareCap
                   : cap == CanvasPen::Cap::Flat ? Qt::FlatCap
                                                 : Qt::RoundCap);
    qp.setJoinStyle(Qt::RoundJoin);
    if (pen.geometric && pen.dashes.size() >= 2) {
      QList<qreal> dashes;
      for (int d : pen.dashes) dashes << std::max(0.0, d / static_cast<double>(w));
      qp.setDashPattern(dashes);
    }
    painter_->setPen(qp);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawLine(QLineF(from.x + 0.5, from.y + 0.5, to.x + 0.5, to.y + 0.5));
    return;
  }

  // Along the major axis from `a` to `b` (either order); the minor band is fixed.
  const int c = horizontal ? from.y : from.x;
  const int a = horizontal ? from.x : from.y;
  const int b = horizontal ? to.x : to.y;
  const int dir = b >= a ? 1 : -1;
  const long long length = std::llabs(static_cast<long long>(b) - a);
  auto piece = [&](long long s0, long long s1) {  // dash from s0 to s1 along the segment
    const long long p0 = a + dir * s0, p1 = a + dir * s1;
    long long lo = std::min(p0, p1), hi = std::max(p0, p1);
    long long first = lo, last = hi;  // pixels, inclusive
    switch (cap) {
      case CanvasPen::Cap::Square: first = lo - w / 2; last = hi + (w - w / 2) - 1; break;
      case CanvasPen::Cap::Flat: first = lo; last = hi - 1; break;
      case CanvasPen::Cap::Round: first = lo; last = hi; break;
    }
    const CanvasRect clip = ClipBox();
    const long long cl = (horizontal ? clip.left : clip.top) - w, ch = (horizontal ? clip.right : clip.bottom) + w;
    first = std::max(first, cl);
    last = std::min(last, ch);
    if (cap == CanvasPen::Cap::Round) {
      // Half discs at both ends; an even width centres between two pixel rows.
      const double off = (w % 2 == 0) ? -0.5 : 0.0;
      for (long long p : {lo, hi}) {
        if (p < cl || p > ch) continue;
        if (horizontal) Disc(static_cast<double>(p) + off, c + off, w, color);
        else Disc(c + off, static_cast<double>(p) + off, w, color);
      }
      if (lo == hi) return;
    }
    if (last < first) return;
    if (horizontal)
      Span(static_cast<int>(first), BandLo(c, w), static_cast<int>(last + 1), BandHi(c, w), color);
    else
      Span(BandLo(c, w), static_cast<int>(first), BandHi(c, w), static_cast<int>(last + 1), color);
  };

  long long period = 0;
  if (pen.geometric)
    for (std::size_t i = 0; i + 1 < pen.dashes.size(); i += 2) period += std::max(0, pen.dashes[i]) + std::max(0, pen.dashes[i + 1]);
  if (period <= 0) {
    piece(0, length);
    return;
  }
  // Dashes far outside the clip are skipped by starting at the first visible period.
  const CanvasRect clip = ClipBox();
  const long long visLo = (horizontal ? clip.left : clip.top) - w, visHi = (horizontal ? clip.right : clip.bottom) + w;
  long long sFirst = 0, sLast = length;
  {
    const long long e0 = dir > 0 ? visLo - a : a - visHi, e1 = dir > 0 ? visHi - a : a - visLo;
    sFirst = std::max(0LL, e0);
    sLast = std::min(length, e1);
  }
  if (sLast < sFirst) return;
  long long s = (sFirst / period) * period;
  while (s <= sLast) {
    for (std::size_t i = 0; i + 1 < pen.dashes.size() && s <= sLast; i += 2) {
      const long long dash = std::max(0, pen.dashes[i]);
      piece(s, std::min(s + dash, length));
      s += dash + std::max(0, pen.dashes[i + 1]);
    }
  }
}

namespace {

CanvasRect PointsArea(std::span<const CanvasPoint> points) {
  CanvasRect r;
  for (const CanvasPoint& p : points) r = r.United({p.x, p.y, p.x + 1, p.y + 1});
  return r;
}

}  // namespace

void QPainterCanvas::FillBrush(const CanvasRect& rect) {
  if (rect.IsEmpty()) return;
  const CanvasBrush& brush = Brush();
  if (brush.style == CanvasBrush::Style::Clear || brush.color == clTransparent) return;
  const QRect r(rect.left, rect.top, rect.Width(), rect.Height());
  if (brush.style == CanvasBrush::Style::Solid) {
    painter_->fillRect(r, ToQColor(brush.color));
    return;
  }
  if (!raster_) {
    QPainterPath area;
    area.addRect(r);
    StrokeHatch(*painter_, area, brush);
    return;
  }
  SelectBrush(rect);
  painter_->fillRect(r, painter_->brush());
}

void QPainterCanvas::FillRect(const CanvasRect& rect) {
  BeginOp(false);
  FillBrush(rect);
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  BeginOp(true);
  if (!PenVisible()) {
    FillBrush({left, top, right - 1, bottom - 1});
    return;
  }
  const int w = std::max(1, Pen().width);
  const int r1 = right - 1, b1 = bottom - 1;  // outline centres
  FillBrush({left + (w - w / 2), top + (w - w / 2), r1 - w / 2, b1 - w / 2});
  BeginOp(true);
  const int ol = BandLo(left, w), or_ = BandHi(r1, w), ot = BandLo(top, w), ob = BandHi(b1, w);
  if (IsStyled(Pen())) {
    if (w == 1) {
      StyledSegment({left, top}, {r1, top}, false);
      StyledSegment({r1, top}, {r1, b1}, false);
      StyledSegment({r1, b1}, {left, b1}, false);
      StyledSegment({left, b1}, {left, top}, false);
      if (r1 == left && b1 == top) Span(left, top, left + 1, top + 1, ToQColor(Pen().color));
      return;
    }
    // Wider bands: top and bottom run the full outer width, the sides between them, so
    // the corners are covered once; each side starts its pattern at its first corner.
    StyledSegment({ol, top}, {or_, top}, false);
    StyledSegment({or_ - 1, b1}, {ol - 1, b1}, false);
    if (BandHi(top, w) < BandLo(b1, w)) {
      StyledSegment({r1, BandHi(top, w)}, {r1, BandLo(b1, w)}, false);
      StyledSegment({left, BandLo(b1, w) - 1}, {left, BandHi(top, w) - 1}, false);
    }
    return;
  }
  const QColor color = ToQColor(Pen().color);
  if (BandHi(top, w) >= BandLo(b1, w) || BandHi(left, w) >= BandLo(r1, w)) {
    Span(ol, ot, or_, ob, color);  // the bands meet: one solid block
    return;
  }
  Span(ol, ot, or_, BandHi(top, w), color);
  Span(ol, BandLo(b1, w), or_, ob, color);
  Span(ol, BandHi(top, w), BandHi(left, w), BandLo(b1, w), color);
  Span(BandLo(r1, w), BandHi(top, w), or_, BandLo(b1, w), color);
}

QPen QPainterCanvas::VectorPen() const {
  if (!PenVisible()) return QPen(Qt::NoPen);
  const int w = std::max(1, Pen().width);
  QPen qp(ToQColor(Pen().color), w);
  if (IsStyled(Pen())) {
    qp.setDashPattern(DashPattern(Pen(), w));
    qp.setCapStyle(Qt::FlatCap);
  } else if (Pen().width <= 1 && !Pen().geometric) {
    qp.setWidth(0);  // cosmetic
  }
  qp.setJoinStyle(Qt::MiterJoin);
  return qp;
}

void QPainterCanvas::SelectBrush(const CanvasRect& area) {
  painter_->setBrushOrigin(0, 0);
  const CanvasBrush& brush = Brush();
  if (brush.style == CanvasBrush::Style::Clear || brush.color == clTransparent) {
    painter_->setBrush(Qt::NoBrush);
  } else if (brush.style == CanvasBrush::Style::Solid) {
    painter_->setBrush(ToQColor(brush.color));
  } else if (!raster_) {
    painter_->setBrush(Qt::NoBrush);  // StrokeHatch draws it
  } else if (const int tile = HatchTilePixels(brush.unit)) {
    painter_->setBrush(QBrush(HatchImage(brush, ToQColor(brush.color), {0, 0, tile, tile})));
  } else {
    // A period of no whole number of pixels does not tile: one image covers what can
    // be seen of the figure.
    const CanvasRect part = area.Intersected(ClipBox());
    painter_->setBrushOrigin(part.left, part.top);
    painter_->setBrush(QBrush(HatchImage(brush, ToQColor(brush.color), part)));
  }
}

void QPainterCanvas::Polygon(std::span<const CanvasPoint> points) {
  if (points.size() < 2) return;
  BeginOp(true);
  QPolygonF poly;
  for (const CanvasPoint& p : points) poly << QPointF(p.x + 0.5, p.y + 0.5);
  SelectBrush(PointsArea(points));
  painter_->setPen(Qt::NoPen);
  painter_->drawPolygon(poly, Qt::OddEvenFill);
  if (!raster_) {
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    area.addPolygon(poly);
    area.closeSubpath();
    StrokeHatch(*painter_, area, Brush());
  }
  if (!PenVisible()) return;
  const CanvasPoint saved = PenPosition();
  for (std::size_t i = 0; i < points.size(); ++i) Segment(points[i], points[(i + 1) % points.size()], false);
  MoveTo(saved.x, saved.y);
}

void QPainterCanvas::PolyPolygon(std::span<const CanvasPoint> points, std::span<const int> counts, bool winding) {
  QPainterPath path;
  path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
  std::vector<std::pair<std::size_t, std::size_t>> figures;  // start, count
  std::size_t at = 0;
  for (int count : counts) {
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, count)), points.size() - at);
    if (n >= 2) {
      QPolygonF poly;
      for (std::size_t i = at; i < at + n; ++i) poly << QPointF(points[i].x + 0.5, points[i].y + 0.5);
      path.addPolygon(poly);
      path.closeSubpath();
      figures.emplace_back(at, n);
    }
    at += n;
  }
  if (figures.empty()) return;
  BeginOp(true);
  SelectBrush(PointsArea(points));
  painter_->setPen(Qt::NoPen);
  painter_->fillPath(path, painter_->brush());
  if (!raster_) StrokeHatch(*painter_, path, Brush());
  if (!PenVisible()) return;
  const CanvasPoint saved = PenPosition();
  for (const auto& [start, n] : figures)
    for (std::size_t i = 0; i < n; ++i) Segment(points[start + i], points[start + (i + 1) % n], false);
  MoveTo(saved.x, saved.y);
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  BeginOp(true);
  SelectBrush({left, top, right, bottom});
  painter_->setPen(VectorPen());
  const QRectF r = FigureRect(left, top, right, bottom, PenVisible());
  if (!raster_ && IsHatch(Brush())) {
    QPainterPath area;
    area.addEllipse(r);
    StrokeHatch(*painter_, area, Brush());
  }
  painter_->drawEllipse(r);
}

void QPainterCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  BeginOp(true);
  SelectBrush({left, top, right, bottom});
  painter_->setPen(VectorPen());
  const QRectF r = FigureRect(left, top, right, bottom, PenVisible());
  const double rx = std::clamp(cornerWidth / 2.0, 0.0, r.width() / 2), ry = std::clamp(cornerHeight / 2.0, 0.0, r.height() / 2);
  if (!raster_ && IsHatch(Brush())) {
    QPainterPath area;
    area.addRoundedRect(r, rx, ry);
    StrokeHatch(*painter_, area, Brush());
  }
  painter_->drawRoundedRect(r, rx, ry);
}

void QPainterCanvas::TextOut(int x, int y, std::u16string_view text, std::span<const int> advances,
                             const CanvasRect* clip, unsigned flags) {
  if (text.empty() || Font().color == clTransparent) return;
  BeginOp(false);
  const CanvasFont& font = Font();
  const FontKey key{font.name, font.style};
  FontEngine& engine = GetFontEngine();
  const FontMetricsPerEm metrics = engine.Metrics(key);
  const int em = FontEmPixels(font.height, metrics.Cell());
  if (em <= 0 || em > 100000) return;

  // Advances: the caller's, or the same whole-pixel ones MeasureText reports.
  std::vector<int> own;
  if (advances.size() < text.size()) {
    own.assign(text.size(), 0);
    std::vector<int> ext(text.size());
    MeasureText(text, ext);
    for (std::size_t i = 0; i < text.size(); ++i) own[i] = ext[i] - (i ? ext[i - 1] : 0);
    for (std::size_t i = 0; i < advances.size(); ++i) own[i] = advances[i];
    advances = own;
  }

  painter_->save();
  if (clip && (flags & kTextClipped)) painter_->setClipRect(QRect(clip->left, clip->top, clip->Width(), clip->Height()), Qt::IntersectClip);
  painter_->translate(x, y);
  if (font.escapement % 3600 != 0) painter_->rotate(-font.escapement / 10.0);
  const QColor color = ToQColor(font.color);
  // Screen text is read at its own pixel size, so its glyphs take the desktop's hinting
  // on a whole-pixel baseline; printers, PDF and images keep the unhinted outlines.
  const bool hinted = Kind() == CanvasKind::Screen && raster_ && font.escapement % 3600 == 0;
  const double ascent = hinted ? std::round(metrics.ascent * em) : metrics.ascent * em;
  long long total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) total += advances[i];

  auto* qtEngine = dynamic_cast<QtFontEngine*>(&engine);
  if (qtEngine) {
    auto lock = qtEngine->Lock();
    // One glyph run per stretch of characters drawn by the same face.
    const QtFontEngine::ResolvedFont* resolved = nullptr;
    int runFace = -1;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    auto flushRun = [&] {
      if (runFace < 0 || glyphs.isEmpty() || !resolved) return;
      QGlyphRun run;
      run.setRawFont(qtEngine->SizedFace(*resolved, runFace, em, hinted));
      run.setGlyphIndexes(glyphs);
      run.setPositions(positions);
      painter_->setPen(color);
      const bool synthItalic = resolved->synthItalic[static_cast<std::size_t>(runFace)];
      if (synthItalic) {
        painter_->save();
        painter_->translate(0, ascent);
        painter_->shear(-0.2, 0);
        painter_->translate(0, -ascent);
      }
      painter_->drawGlyphRun(QPointF(0, 0), run);
      if (resolved->synthBold[static_cast<std::size_t>(runFace)])
        painter_->drawGlyphRun(QPointF(std::max(1.0, em / 24.0), 0), run);
      if (synthItalic) painter_->restore();
      glyphs.clear();
      positions.clear();
    };
    long long pen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      bool pair = false;
      const char32_t ch = CodePointAt(text, i, &pair);
      const QtFontEngine::Glyph g = qtEngine->GlyphFor(key, ch, &resolved);
      if (g.index != 0 && ch != U' ' && ch != 0xA0) {
        if (g.face != runFace) {
          flushRun();
          runFace = g.face;
        }
        glyphs << g.index;
        positions << QPointF(static_cast<double>(pen), ascent);
      }
      pen += advances[i];
      if (pair && i + 1 < text.size()) pen += advances[++i];
    }
    flushRun();
  } else {
    QFont qf(QString::fromStdString(font.name));
    qf.setPixelSize(em);
    qf.setBold(font.style & kFontBold);
    qf.setItalic(font.style & kFontItalic);
    painter_->setFont(qf);
    painter_->setPen(color);
    long long pen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      painter_->drawText(QPointF(static_cast<double>(pen), ascent), QString(QChar(text[i])));
      pen += advances[i];
    }
  }
  if (font.style & (kFontUnderline | kFontStrikeOut)) {
    const int thick = std::max(1, static_cast<int>(std::lrint(metrics.lineThickness * em)));
    if (font.style & kFontUnderline) {
      const int uy = static_cast<int>(std::lrint(ascent + metrics.underlinePosition * em));
      painter_->fillRect(QRectF(0, uy, static_cast<double>(total), thick), color);
    }
    if (font.style & kFontStrikeOut) {
      const int sy = static_cast<int>(std::lrint(ascent - metrics.ascent * em * 0.3));
      painter_->fillRect(QRectF(0, sy, static_cast<double>(total), thick), color);
    }
  }
  painter_->restore();
}

void QPainterCanvas::DrawImage(const CanvasRect& dest, const CanvasImage& image, ImageStretch stretch) {
  if (image.IsEmpty() || dest.IsEmpty()) return;
  BeginOp(false);
  painter_->save();
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, stretch == ImageStretch::Smooth);
  const QRect target(dest.left, dest.top, dest.Width(), dest.Height());
  const QImage wrapped = WrapImage(image);
  auto hasAlpha = [&image] {
    return std::any_of(image.pixels.begin(), image.pixels.begin() + static_cast<std::ptrdiff_t>(image.Size()),
                       [](std::uint32_t p) { return (p >> 24) != 0xFF; });
  };
  if (!raster_ && hasAlpha())
    DrawShownPixels(*painter_, target, wrapped, [](std::uint32_t p) { return (p >> 24) >= 0x80; });
  else
    painter_->drawImage(target, wrapped);
  painter_->restore();
}

void QPainterCanvas::DrawImageTransparent(const CanvasRect& dest, const CanvasImage& image, TColor transparent,
                                          ImageStretch stretch) {
  if (image.IsEmpty() || dest.IsEmpty()) return;
  const TColor rgb = ColorToRGB(transparent);
  const std::uint32_t key = 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) |
                            (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) | static_cast<std::uint32_t>(GetBValue(rgb));
  if (!raster_) {
    BeginOp(false);
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, stretch == ImageStretch::Smooth);
    DrawShownPixels(*painter_, QRect(dest.left, dest.top, dest.Width(), dest.Height()), WrapImage(image),
                    [key](std::uint32_t p) { return (p | 0xFF000000u) != key && (p >> 24) >= 0x80; });
    painter_->restore();
    return;
  }
  QImage masked = WrapImage(image).copy();
  for (int y = 0; y < masked.height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x)
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
  }
  BeginOp(false);
  painter_->save();
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, stretch == ImageStretch::Smooth);
  painter_->drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), masked);
  painter_->restore();
}

}  // namespace quarlo
