#pragma once
// The geometry of a line's arrow head: the base point on the line at the arrow's
// length from the tip, and the two wings across the line at the base.

#include "platform/canvas.h"

namespace quarlo {

struct ArrowSpec {
  double width = 5;    // half the head's width, device pixels
  double length = 20;  // along the line, device pixels
};

struct ArrowHead {
  CanvasPoint tip, wing1, wing2;
  double baseX = 0, baseY = 0;  // before rounding
};

// Arrow from (x1, y1) with its tip at (x2, y2); points rounded half to even.
ArrowHead ComputeArrowHead(double x1, double y1, double x2, double y2, const ArrowSpec& spec);

}  // namespace quarlo
