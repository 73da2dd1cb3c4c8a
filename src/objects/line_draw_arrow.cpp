#include "objects/line_draw_arrow.h"

#include <algorithm>
#include <cmath>

#include "objects/frame_painter.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

bool Between(double v, double a, double b) { return v >= std::min(a, b) && v <= std::max(a, b); }

}  // namespace

ArrowHead ComputeArrowHead(double x1, double y1, double x2, double y2, const ArrowSpec& spec) {
  const double w = spec.width, len = spec.length;
  double bx, by, w1x, w1y, w2x, w2y;
  if (std::abs(x2 - x1) > 8) {
    // The base is where the circle of radius len around the tip meets the line.
    const double k = (y2 - y1) / (x2 - x1);
    const double u = (x2 * y1 - y2 * x1) / (x2 - x1);
    const double a = k * k + 1;
    const double b = 2 * (k * (u - y2) - x2);
    const double c = x2 * x2 + y2 * y2 - len * len + u * u - 2 * u * y2;
    const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
    bx = (root - b) / (2 * a);
    if (!Between(bx, x1, x2)) bx = (-root - b) / (2 * a);
    by = u + k * bx;
    if (y1 == y2) {
      w1x = bx, w1y = by - w;
      w2x = bx, w2y = by + w;
    } else {
      const double t = std::atan(k);
      w1x = bx + w * std::sin(t), w1y = by - w * std::cos(t);
      w2x = bx - w * std::sin(t), w2y = by + w * std::cos(t);
    }
  } else {
    bx = x2;
    by = y2 - len;
    if (!Between(by, y1, y2)) by = y2 + len;
    w1x = bx - w, w1y = by;
    w2x = bx + w, w2y = by;
  }
  ArrowHead head;
  head.baseX = bx;
  head.baseY = by;
  head.tip = {RoundHalfEven(x2), RoundHalfEven(y2)};
  head.wing1 = {RoundHalfEven(w1x), RoundHalfEven(w1y)};
  head.wing2 = {RoundHalfEven(w2x), RoundHalfEven(w2y)};
  return head;
}

}  // namespace quarlo
