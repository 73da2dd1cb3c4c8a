#include "objects/special/chart_painter.h"

#include <algorithm>
#include <cmath>

#include "platform/font_engine.h"
#include "platform/rounding.h"

namespace quarlo {

TColor Darker(TColor c, double factor) {
  TColor rgb = ColorToRGB(c);
  return RGBColor(static_cast<int>(GetRValue(rgb) * factor), static_cast<int>(GetGValue(rgb) * factor),
                  static_cast<int>(GetBValue(rgb) * factor));
}

TColor Lighter(TColor c, double factor) {
  TColor rgb = ColorToRGB(c);
  auto up = [factor](int v) { return static_cast<int>(v + (255 - v) * factor); };
  return RGBColor(up(GetRValue(rgb)), up(GetGValue(rgb)), up(GetBValue(rgb)));
}

ChartPainter::ChartPainter(Canvas& canvas, const CanvasRect& device, double width, double height)
    : canvas_(canvas),
      device_(device),
      sx_(width > 0 ? device.Width() / width : 1),
      sy_(height > 0 ? device.Height() / height : 1) {}

CanvasPoint ChartPainter::Device(double x, double y) const {
  return {device_.left + RoundHalfEven(x * sx_), device_.top + RoundHalfEven(y * sy_)};
}

CanvasRect ChartPainter::Device(const ChartRectF& r) const {
  CanvasPoint a = Device(r.left, r.top), b = Device(r.right, r.bottom);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int ChartPainter::PenWidth(double width) const { return std::max(1, RoundHalfEven(width * std::min(sx_, sy_))); }

void ChartPainter::FillRect(const ChartRectF& r, TColor fill) {
  if (fill == clTransparent) return;
  canvas_.SetBrush(CanvasBrush::SolidColor(fill));
  canvas_.FillRect(Device(r));
}

void ChartPainter::Rect(const ChartRectF& r, TColor fill, TColor outline) {
  CanvasRect d = Device(r);
  if (fill != clTransparent) {
    canvas_.SetBrush(CanvasBrush::SolidColor(fill));
    canvas_.FillRect(d);
  }
  if (outline != clTransparent) {
    canvas_.SetPen(CanvasPen::Solid(outline, 1));
    canvas_.SetBrush(CanvasBrush::Clear());
    canvas_.Rectangle(d.left, d.top, d.right + 1, d.bottom + 1);
  }
}

void ChartPainter::Polygon(std::span<const ChartPointF> points, TColor fill, TColor outline) {
  if (points.size() < 2) return;
  std::vector<CanvasPoint> pts;
  pts.reserve(points.size());
  for (const ChartPointF& p : points) pts.push_back(Device(p.x, p.y));
  CanvasPen pen = CanvasPen::Solid(outline == clTransparent ? clBlack : outline, 1);
  if (outline == clTransparent) pen.style = CanvasPen::Style::Clear;
  canvas_.SetPen(pen);
  canvas_.SetBrush(fill == clTransparent ? CanvasBrush::Clear() : CanvasBrush::SolidColor(fill));
  canvas_.Polygon(pts);
}

void ChartPainter::Ellipse(const ChartRectF& r, TColor fill, TColor outline) {
  CanvasRect d = Device(r);
  CanvasPen pen = CanvasPen::Solid(outline == clTransparent ? clBlack : outline, 1);
  if (outline == clTransparent) pen.style = CanvasPen::Style::Clear;
  canvas_.SetPen(pen);
  canvas_.SetBrush(fill == clTransparent ? CanvasBrush::Clear() : CanvasBrush::SolidColor(fill));
  canvas_.Ellipse(d.left, d.top, d.right + 1, d.bottom + 1);
}

void ChartPainter::Line(ChartPointF a, ChartPointF b, TColor color, double width) {
  ChartPointF pts[] = {a, b};
  Polyline(pts, color, width);
}

void ChartPainter::Polyline(std::span<const ChartPointF> points, TColor color, double width) {
  if (points.size() < 2 || color == clTransparent) return;
  std::vector<CanvasPoint> pts;
  pts.reserve(points.size() + 1);
  for (const ChartPointF& p : points) pts.push_back(Device(p.x, p.y));
  CanvasPen pen = CanvasPen::Solid(color, PenWidth(width));
  if (pen.width > 1) {
    pen.geometric = true;
    pen.cap = CanvasPen::Cap::Round;
  } else {
    // A cosmetic pen leaves out the last pixel: draw it too.
    CanvasPoint last = pts.back(), before = pts[pts.size() - 2];
    pts.push_back({last.x + (last.x > before.x ? 1 : last.x < before.x ? -1 : 0),
                   last.y + (last.y > before.y ? 1 : last.y < before.y ? -1 : 0)});
  }
  canvas_.SetPen(pen);
  canvas_.Polyline(pts);
}

CanvasFont ChartPainter::DeviceFont(const ChartFont& font, int angle) const {
  CanvasFont f;
  f.name = font.name;
  f.height = -std::max(1, RoundHalfEven(font.em * sy_));
  f.style = font.style;
  f.color = font.color;
  f.escapement = angle * 10;
  return f;
}

void ChartPainter::Text(double x, double y, std::u16string_view text, const ChartFont& font, int angle) {
  if (text.empty()) return;
  canvas_.SetFont(DeviceFont(font, angle));
  CanvasPoint p = Device(x, y);
  canvas_.TextOut(p.x, p.y, text);
}

double ChartPainter::TextWidth(std::u16string_view text, const ChartFont& font) const {
  if (text.empty()) return 0;
  std::vector<double> advances(text.size());
  GetFontEngine().Advances(FontKey{font.name, font.style}, font.em, text, advances);
  double sum = 0;
  for (double a : advances) sum += a;
  return sum;
}

double ChartPainter::LineHeight(const ChartFont& font) const {
  return GetFontEngine().Metrics(FontKey{font.name, font.style}).Cell() * font.em;
}

void ChartPainter::ClipTo(const ChartRectF& r) {
  canvas_.SaveClip();
  CanvasRect d = Device(r);
  canvas_.IntersectClipRect({d.left, d.top, d.right + 1, d.bottom + 1});
}

void ChartPainter::RestoreClip() { canvas_.RestoreClip(); }

}  // namespace quarlo
