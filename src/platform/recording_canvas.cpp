#include "platform/recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quarlo {

RecordingCanvas::RecordingCanvas(CanvasRect device, int dpiX, int dpiY, CanvasKind reportedKind)
    : device_(device), dpiX_(dpiX), dpiY_(dpiY), kind_(reportedKind) {}

std::vector<const CanvasRecord*> RecordingCanvas::RecordsOf(CanvasRecord::Op op) const {
  std::vector<const CanvasRecord*> out;
  for (const CanvasRecord& r : records_)
    if (r.op == op) out.push_back(&r);
  return out;
}

CanvasRecord& RecordingCanvas::Add(CanvasRecord::Op op) {
  CanvasRecord& r = records_.emplace_back();
  r.op = op;
  r.pen = Pen();
  r.brush = Brush();
  r.font = Font();
  r.mode = Mode();
  return r;
}

CanvasRect RecordingCanvas::PointsBounds(std::span<const CanvasPoint> points) const {
  if (points.empty()) return {};
  const int w = std::max(1, Pen().width);
  const int lo = w / 2 + (Pen().geometric ? w / 2 : 0);
  const int hi = w - w / 2 + (Pen().geometric ? w / 2 : 0);
  CanvasRect b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const CanvasPoint& p : points) {
    b.left = std::min(b.left, p.x);
    b.top = std::min(b.top, p.y);
    b.right = std::max(b.right, p.x);
    b.bottom = std::max(b.bottom, p.y);
  }
  return {b.left - lo, b.top - lo, b.right + hi, b.bottom + hi};
}

void RecordingCanvas::DrawSegment(CanvasPoint from, CanvasPoint to) {
  CanvasRecord& r = Add(CanvasRecord::Op::Line);
  r.points = {from, to};
  r.bounds = PointsBounds(r.points);
}

void RecordingCanvas::Polyline(std::span<const CanvasPoint> points) {
  CanvasRecord& r = Add(CanvasRecord::Op::Polyline);
  r.points.assign(points.begin(), points.end());
  r.bounds = PointsBounds(points);
}

void RecordingCanvas::Polygon(std::span<const CanvasPoint> points) {
  CanvasRecord& r = Add(CanvasRecord::Op::Polygon);
  r.points.assign(points.begin(), points.end());
  r.bounds = PointsBounds(points);
}

void RecordingCanvas::PolyPolygon(std::span<const CanvasPoint> points, std::span<const int> counts, bool winding) {
  CanvasRecord& r = Add(CanvasRecord::Op::PolyPolygon);
  std::size_t total = 0;
  for (int count : counts) {
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, count)), points.size() - total);
    r.counts.push_back(static_cast<int>(n));
    total += n;
  }
  r.points.assign(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(total));
  r.winding = winding;
  r.bounds = PointsBounds(r.points);
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  CanvasRecord& r = Add(CanvasRecord::Op::Rectangle);
  r.rect = {left, top, right, bottom};
  const int grow = std::max(1, Pen().width) / 2;
  r.bounds = {left - grow, top - grow, right + grow, bottom + grow};
}

void RecordingCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  CanvasRecord& r = Add(CanvasRecord::Op::RoundRect);
  r.rect = {left, top, right, bottom};
  r.corner = {cornerWidth, cornerHeight};
  const int grow = std::max(1, Pen().width) / 2;
  r.bounds = {left - grow, top - grow, right + grow, bottom + grow};
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  CanvasRecord& r = Add(CanvasRecord::Op::Ellipse);
  r.rect = {left, top, right, bottom};
  const int grow = std::max(1, Pen().width) / 2;
  r.bounds = {left - grow, top - grow, right + grow, bottom + grow};
}

void RecordingCanvas::FillRect(const CanvasRect& rect) {
  CanvasRecord& r = Add(CanvasRecord::Op::FillRect);
  r.rect = rect;
  r.bounds = rect;
}

void RecordingCanvas::TextOut(int x, int y, std::u16string_view text, std::span<const int> advances,
                              const CanvasRect* clip, unsigned flags) {
  CanvasRecord& r = Add(CanvasRecord::Op::Text);
  r.points = {{x, y}};
  r.text.assign(text);
  r.advances.assign(advances.begin(), advances.end());
  r.flags = flags;
  if (clip) {
    r.hasTextClip = true;
    r.textClip = *clip;
  }
  r.bounds = TextBounds(*this, x, y, text, advances);
}

void RecordingCanvas::DrawImage(const CanvasRect& dest, const CanvasImage& image, ImageStretch stretch) {
  CanvasRecord& r = Add(CanvasRecord::Op::Image);
  r.rect = dest;
  r.bounds = dest;
  r.imageWidth = image.width;
  r.imageHeight = image.height;
  r.stretch = stretch;
}

void RecordingCanvas::DrawImageTransparent(const CanvasRect& dest, const CanvasImage& image, TColor transparent,
                                           ImageStretch stretch) {
  CanvasRecord& r = Add(CanvasRecord::Op::ImageTransparent);
  r.rect = dest;
  r.bounds = dest;
  r.imageWidth = image.width;
  r.imageHeight = image.height;
  r.transparent = transparent;
  r.stretch = stretch;
}

void RecordingCanvas::ClipChanged() {
  CanvasRecord& r = Add(CanvasRecord::Op::Clip);
  r.rect = ClipBox();
  r.bounds = r.rect;
}

CanvasRect TextBounds(Canvas& canvas, int x, int y, std::u16string_view text, std::span<const int> advances) {
  long long width = 0;
  if (advances.empty()) {
    width = canvas.MeasureText(text, {});
  } else {
    for (std::size_t i = 0; i < text.size() && i < advances.size(); ++i) width += advances[i];
  }
  const int height = canvas.TextMetrics().height;
  const double angle = canvas.Font().escapement / 10.0 * std::numbers::pi / 180.0;
  if (canvas.Font().escapement % 3600 == 0) {
    const long long l = std::min<long long>(x, x + width), r = std::max<long long>(x, x + width);
    return {static_cast<int>(l), y, static_cast<int>(r), y + height};
  }
  // Corners of the text cell rotated about (x, y); y grows downwards.
  const double c = std::cos(angle), s = std::sin(angle);
  const double w = static_cast<double>(width), h = height;
  const double xs[4] = {0, w * c, w * c + h * s, h * s};
  const double ys[4] = {0, -w * s, -w * s + h * c, h * c};
  const double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
  const double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
  // The tolerance keeps sine and cosine noise at right angles from adding a pixel.
  constexpr double eps = 1e-9;
  // Absurd fonts give texts wider than int; their bounds stop at a billion pixels.
  const auto at = [](int base, double offset) {
    return static_cast<int>(std::clamp(static_cast<double>(base) + offset, -1e9, 1e9));
  };
  return {at(x, std::floor(minX + eps)), at(y, std::floor(minY + eps)), at(x, std::ceil(maxX - eps)),
          at(y, std::ceil(maxY - eps))};
}

}  // namespace quarlo
