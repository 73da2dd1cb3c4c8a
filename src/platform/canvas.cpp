#include "platform/canvas.h"

#include <algorithm>
#include <array>
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

namespace {

// Whether `v` lies within a line of thickness `t` centred on a multiple of `period`.
bool OnLine(double v, double period, int t) {
  double r = std::fmod(v + t / 2.0, period);
  if (r < 0) r += period;
  return r < t;
}

}  // namespace

int HatchLineWidth(double unit) { return std::max(1, static_cast<int>(std::lrint(unit))); }

double HatchUnit(double unit) {
  if (!(unit > 0)) return 1;
  // Below a quarter, lines a pixel thick two pixels apart would run into one solid area.
  return std::max(unit, 0.25);
}

bool HatchCovers(CanvasBrush::Style style, int x, int y, double unit) {
  unit = HatchUnit(unit);
  // Line k of a pattern pixel row sits at the centre of that row, (8k + 0.5) units from
  // the origin; a diagonal passes through the centres of the pattern pixels it covers.
  const double period = 8 * unit;
  const int t = HatchLineWidth(unit);
  const double cx = x + 0.5, cy = y + 0.5;
  const bool horizontal = OnLine(cy - 0.5 * unit, period, t);
  const bool vertical = OnLine(cx - 0.5 * unit, period, t);
  const bool fdiagonal = OnLine(cx - cy, period, t);       // top-left to bottom-right
  const bool bdiagonal = OnLine(cx + cy, period, t);         // bottom-left to top-right
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

std::span<const int> StyledPenPattern(CanvasPen::Style style) {
  static constexpr std::array<int, 2> kDash{18, 6};
  static constexpr std::array<int, 2> kDot{3, 3};
  static constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
  static constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case CanvasPen::Style::Dash: return kDash;
    case CanvasPen::Style::Dot: return kDot;
    case CanvasPen::Style::DashDot: return kDashDot;
    case CanvasPen::Style::DashDotDot: return kDashDotDot;
    default: return {};
  }
}

bool StyledPenOn(std::span<const int> pattern, long long position, double unit) {
  long long period = 0;
  for (int p : pattern) period += p;
  if (period <= 0) return true;
  if (!(unit > 0)) unit = 1;
  double phase = std::fmod((static_cast<double>(position) + 0.5) / unit, static_cast<double>(period));
  if (phase < 0) phase += static_cast<double>(period);
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (phase < pattern[k]) return k % 2 == 0;
    phase -= pattern[k];
  }
  return true;
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
