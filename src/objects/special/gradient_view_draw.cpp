// The six gradient styles over the device rectangle of the current Draw. Band edges use
// MulDiv so that the bands tile the rectangle without gaps or overlaps at every size.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "objects/special/gradient_view.h"
#include "platform/canvas.h"

namespace quarlo {

namespace {

struct GradientArea {
  int x = 0, y = 0, w = 0, h = 0;
};

void Fill(Canvas& canvas, TColor color, int left, int top, int right, int bottom) {
  canvas.SetBrush(CanvasBrush::SolidColor(color));
  canvas.FillRect({left, top, right, bottom});
}

// On paper and PDF each band runs on to the far end (or the middle) and the next band
// is painted over it: a viewer that smooths the edges of abutting fills would show the
// paper through the seam between two bands, never through overlapping ones.
bool OverlapBands(const Canvas& c) { return c.IsPrinter(); }

void PaintHorizontal(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const bool overlap = OverlapBands(c);
  for (int i = 0; i <= 255; ++i) {
    Fill(c, GradientStepColor(from, to, i, 255), a.x + MulDiv(i, a.w, 256), a.y,
         overlap ? a.x + a.w : a.x + MulDiv(i + 1, a.w, 256), a.y + a.h);
  }
}

void PaintVertical(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const bool overlap = OverlapBands(c);
  for (int i = 0; i <= 255; ++i) {
    Fill(c, GradientStepColor(from, to, i, 255), a.x, a.y + MulDiv(i, a.h, 256), a.x + a.w,
         overlap ? a.y + a.h : a.y + MulDiv(i + 1, a.h, 256));
  }
}

// Steps i of 0..half whose band (the row or column at `start` + i, or its mirror from
// `start` + `size` backwards) meets [visibleFrom, visibleTo): a tall object paints only
// the rows that can be seen, not one fill per row of its whole height.
std::vector<std::pair<int, int>> VisibleSteps(int start, int size, int half, int visibleFrom, int visibleTo) {
  auto clampRange = [half](long long lo, long long hi) {
    return std::pair<int, int>(static_cast<int>(std::clamp<long long>(lo, 0, half + 1LL)),
                               static_cast<int>(std::clamp<long long>(hi, 0, half + 1LL)));
  };
  // Row start + i is visible for i in [from - start, to - start); its mirror, the row
  // start + size - i - 1, for i in [start + size - to, start + size - from).
  auto direct = clampRange(static_cast<long long>(visibleFrom) - start, static_cast<long long>(visibleTo) - start);
  auto mirror = clampRange(static_cast<long long>(start) + size - visibleTo,
                           static_cast<long long>(start) + size - visibleFrom);
  std::vector<std::pair<int, int>> ranges;
  if (direct.first < direct.second) ranges.push_back(direct);
  if (mirror.first < mirror.second) {
    if (!ranges.empty() && mirror.first <= ranges[0].second && mirror.second >= ranges[0].first) {
      ranges[0] = {std::min(ranges[0].first, mirror.first), std::max(ranges[0].second, mirror.second)};
    } else {
      ranges.push_back(mirror);
    }
  }
  std::sort(ranges.begin(), ranges.end());
  return ranges;
}

// Step i paints row (or column) i from each edge; on paper it paints everything from
// there to the mirrored row, which the later steps cover again.
void PaintVertCenter(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const int h = a.h / 2;
  if (h == 0) return Fill(c, to, a.x, a.y, a.x + a.w, a.y + a.h);  // one row: edge and middle at once
  const CanvasRect visible = c.ClipBox();
  const bool overlap = OverlapBands(c);
  for (auto [first, last] : VisibleSteps(a.y, a.h, h, visible.top, visible.bottom)) {
    for (int i = first; i < last; ++i) {
      const TColor color = GradientStepColor(from, to, i, h);
      if (overlap) {
        Fill(c, color, a.x, a.y + i, a.x + a.w, a.y + a.h - i);
        continue;
      }
      Fill(c, color, a.x, a.y + MulDiv(i, h, h), a.x + a.w, a.y + MulDiv(i + 1, h, h));
      Fill(c, color, a.x, a.y + a.h - MulDiv(i + 1, h, h), a.x + a.w, a.y + a.h - MulDiv(i, h, h));
    }
  }
}

void PaintHorizCenter(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const int h = a.w / 2;
  if (h == 0) return Fill(c, to, a.x, a.y, a.x + a.w, a.y + a.h);
  const CanvasRect visible = c.ClipBox();
  const bool overlap = OverlapBands(c);
  for (auto [first, last] : VisibleSteps(a.x, a.w, h, visible.left, visible.right)) {
    for (int i = first; i < last; ++i) {
      const TColor color = GradientStepColor(from, to, i, h);
      if (overlap) {
        Fill(c, color, a.x + i, a.y, a.x + a.w - i, a.y + a.h);
        continue;
      }
      Fill(c, color, a.x + MulDiv(i, h, h), a.y, a.x + MulDiv(i + 1, h, h), a.y + a.h);
      Fill(c, color, a.x + a.w - MulDiv(i + 1, h, h), a.y, a.x + a.w - MulDiv(i, h, h), a.y + a.h);
    }
  }
}

// Nested rectangles, the first the whole area, each moved in by the same whole number
// of pixels on opposite sides: every pixel is painted, the rings stay symmetric and no
// seam opens at the right or bottom (edges stepped before filling and cut toward zero
// left the outermost ring out, more of it the larger the zoom).
void PaintRectangle(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const double dx = a.w / 2.0 / 255, dy = a.h / 2.0 / 255;
  for (int i = 0; i <= 255; ++i) {
    const int inX = static_cast<int>(std::floor(i * dx)), inY = static_cast<int>(std::floor(i * dy));
    if (2 * inX >= a.w || 2 * inY >= a.h) break;
    Fill(c, GradientStepColor(from, to, i, 255), a.x + inX, a.y + inY, a.x + a.w - inX, a.y + a.h - inY);
  }
}

// A bitmap of more pixels than this is drawn at a lower resolution and stretched.
constexpr long long kMaxEllipticPixels = 4096LL * 4096;

std::uint32_t ImagePixel(TColor c) {
  const std::uint32_t v = static_cast<std::uint32_t>(c);
  return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

// The 156 shrinking ellipses, painted into a bitmap covering the visible part of the
// area. Each bitmap pixel takes the colour of the last ellipse whose filled area holds
// its centre (a pen-less ellipse in (l, t, r, b) fills the figure from l to r - 1 and
// t to b - 1, measured on pixel edges).
void PaintElliptic(Canvas& c, const GradientArea& a, TColor from, TColor to) {
  const CanvasRect area{a.x, a.y, a.x + a.w, a.y + a.h};
  const CanvasRect part = area.Intersected(c.ClipBox());
  if (part.IsEmpty()) return;

  struct Ellipse {
    double cx, cy, rx, ry;
    std::uint32_t pixel;
  };
  std::vector<Ellipse> ellipses;
  const double W = a.w, H = a.h;
  double left = -W / 4, right = W + W / 4, top = -H / 4, bottom = H + H / 4;
  const double dx = (W / 4 + W / 2) / 155, dy = (H / 4 + H / 2) / 155;
  for (int i = 0; i <= 155; ++i) {
    left += dx;
    right -= dx;
    top += dy;
    bottom -= dy;
    const double l = std::trunc(left), t = std::trunc(top), r = std::trunc(right), b = std::trunc(bottom);
    const double ew = r - l - 1, eh = b - t - 1;
    if (ew <= 0 || eh <= 0) continue;
    ellipses.push_back({l + ew / 2, t + eh / 2, ew / 2, eh / 2, ImagePixel(GradientStepColor(from, to, i, 155))});
  }

  // Bitmap pixels, possibly fewer than device pixels for a huge visible part.
  const long long devicePixels = static_cast<long long>(part.Width()) * part.Height();
  const double shrink = devicePixels > kMaxEllipticPixels
                            ? std::sqrt(static_cast<double>(devicePixels) / kMaxEllipticPixels)
                            : 1.0;
  CanvasImage image;
  image.width = std::max(1, static_cast<int>(part.Width() / shrink));
  image.height = std::max(1, static_cast<int>(part.Height() / shrink));
  image.pixels.assign(image.Size(), ImagePixel(GradientStepColor(from, to, 0, 155)));
  const double stepX = static_cast<double>(part.Width()) / image.width;
  const double stepY = static_cast<double>(part.Height()) / image.height;

  std::vector<int> owner(static_cast<size_t>(image.width));
  for (int qy = 0; qy < image.height; ++qy) {
    // Centre of the row in bitmap-of-the-area coordinates.
    const double y = part.top - a.y + (qy + 0.5) * stepY;
    std::fill(owner.begin(), owner.end(), -1);
    // Innermost first: each pixel keeps the first (last painted) ellipse that holds it.
    int paintedFrom = 0, paintedTo = 0;  // a run of pixels known to be owned
    for (int e = static_cast<int>(ellipses.size()) - 1; e >= 0; --e) {
      const Ellipse& el = ellipses[static_cast<size_t>(e)];
      const double v = (y - el.cy) / el.ry;
      if (v * v > 1) continue;
      const double half = el.rx * std::sqrt(1 - v * v);
      // Pixel qx has its centre at part.left - a.x + (qx + 0.5) * stepX.
      const double offset = part.left - a.x;
      const int lo = std::max(0, static_cast<int>(std::ceil((el.cx - half - offset) / stepX - 0.5)));
      const int hi = std::min(image.width, static_cast<int>(std::floor((el.cx + half - offset) / stepX - 0.5)) + 1);
      if (lo >= hi) continue;
      std::uint32_t* row = &image.pixels[static_cast<size_t>(qy) * image.width];
      const bool haveRun = paintedFrom < paintedTo;
      for (int qx = lo; qx < hi; ++qx) {
        if (haveRun && qx >= paintedFrom && qx < paintedTo) {
          qx = paintedTo - 1;
          continue;
        }
        if (owner[qx] < 0) {
          owner[qx] = e;
          row[qx] = el.pixel;
        }
      }
      if (!haveRun) {
        paintedFrom = lo;
        paintedTo = hi;
      } else if (lo <= paintedTo && hi >= paintedFrom) {
        paintedFrom = std::min(paintedFrom, lo);
        paintedTo = std::max(paintedTo, hi);
      }
    }
  }
  c.DrawImage(part, image, ImageStretch::Plain);
}

}  // namespace

void TfrxGradientView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                            double offsetY) {
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  const GradientArea area{DeviceLeft(), DeviceTop(), DeviceWidth(), DeviceHeight()};
  if (area.w > 0 && area.h > 0) {
    CanvasStateSaver saver(canvas);
    switch (style_) {
      case gsHorizontal:
        PaintHorizontal(canvas, area, beginColor_, endColor_);
        break;
      case gsVertical:
        PaintVertical(canvas, area, beginColor_, endColor_);
        break;
      case gsElliptic:
        PaintElliptic(canvas, area, beginColor_, endColor_);
        break;
      case gsRectangle:
        PaintRectangle(canvas, area, beginColor_, endColor_);
        break;
      case gsVertCenter:
        PaintVertCenter(canvas, area, beginColor_, endColor_);
        break;
      case gsHorizCenter:
        PaintHorizCenter(canvas, area, beginColor_, endColor_);
        break;
    }
  }
  PaintFrame();
}

}  // namespace quarlo
