#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/font_engine.h"

namespace quarlo {

CanvasRect CanvasRect::Intersected(const CanvasRect& o) const {
  CanvasRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

CanvasRect CanvasRect::United(const CanvasRect& o) const {
  if (IsEmpty()) return o;
  if (o.IsEmpty()) return *this;
  return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

bool HatchCovers(CanvasBrush::Style style, int x, int y) {
  // Patterns repeat every 8 pixels from the device origin; & 7 keeps negative
  // coordinates on the same grid.
  const int px = x & 7;
  const int py = y & 7;
  const bool horizontal = py == 0;
  const bool vertical = px == 0;
  const bool fdiagonal = px == py;        // top-left to bottom-right
  const bool bdiagonal = px + py == 7;    // bottom-left to top-right
  switch (style) {
    case CanvasBrush::Style::Horizontal: return horizontal;
    case CanvasBrush::Style::Vertical: return vertical;
    case CanvasBrush::Style::FDiagonal: return fdiagonal;
    case CanvasBrush::Style::BDiagonal: return bdiagonal;
    case CanvasBrush::Style::Cross: return horizontal || vertical;
    case CanvasBrush::Style::DiagCross: return fdiagonal || bdiagonal;
    case CanvasBrush::Style::Solid: return true;
    case CanvasBrush::Style::Clear: return false;
  }
  return false;
}

int FontEmPixels(int height, double cellPerEm) {
  if (height < 0) return height == INT32_MIN ? INT32_MAX : -height;
  if (height == 0) return 16;
  if (!(cellPerEm > 0)) return height;
  return std::max(1, static_cast<int>(std::lrint(height / cellPerEm)));
}

int Canvas::FontHeightForPoints(double points) const {
  return -static_cast<int>(std::lrint(points * FontPixelsPerInch() / 72.0));
}

void Canvas::LineTo(int x, int y) {
  const CanvasPoint from = pos_;
  pos_ = {x, y};
  DrawSegment(from, pos_);
}

int Canvas::MeasureText(std::u16string_view text, std::span<int> extents) {
  FontEngine& engine = GetFontEngine();
  const FontKey key{font_.name, font_.style};
  // Beyond this no glyph fits on any device; it also keeps the sums below in range.
  const double em = std::min(FontEmPixels(font_.height, engine.Metrics(key).Cell()), 100000);
  thread_local std::vector<double> advances;  // reused: measuring runs once per text run
  advances.assign(text.size(), 0.0);
  engine.Advances(key, em, text, advances);
  long long total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Device fonts advance by whole pixels per character.
    total += std::lrint(advances[i]);
    if (i < extents.size()) extents[i] = static_cast<int>(std::min<long long>(total, INT32_MAX));
  }
  return static_cast<int>(std::min<long long>(total, INT32_MAX));
}

CanvasTextMetrics Canvas::TextMetrics() {
  const FontMetricsPerEm m = GetFontEngine().Metrics(FontKey{font_.name, font_.style});
  CanvasTextMetrics t;
  t.emHeight = FontEmPixels(font_.height, m.Cell());
  t.ascent = static_cast<int>(std::lrint(m.ascent * t.emHeight));
  t.descent = static_cast<int>(std::lrint(m.descent * t.emHeight));
  t.height = t.ascent + t.descent;
  return t;
}

void Canvas::IntersectClipRect(const CanvasRect& rect) {
  clip_ = ClipBox().Intersected(rect);
  hasClip_ = true;
  ClipChanged();
}

void Canvas::SaveClip() { savedClips_.push_back({hasClip_, clip_}); }

void Canvas::RestoreClip() {
  if (savedClips_.empty()) return;
  hasClip_ = savedClips_.back().hasClip;
  clip_ = savedClips_.back().clip;
  savedClips_.pop_back();
  ClipChanged();
}

void Canvas::PolyPolygon(std::span<const CanvasPoint> points, std::span<const int> counts, bool winding) {
  std::size_t at = 0;
  for (int count : counts) {
    if (count <= 0) continue;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), points.size() - at);
    if (n == 0) break;
    Polygon(points.subspan(at, n));
    at += n;
  }
}

CanvasRect Canvas::ClipBox() const { return hasClip_ ? clip_ : DeviceBounds(); }

}  // namespace quarlo
