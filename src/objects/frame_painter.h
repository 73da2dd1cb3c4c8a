#pragma once
// The device-pixel drawing shared by views, lines and shapes: the fill and hatch of a
// view's rectangle, the frame sides in every style, the drop shadow, and the "thick
// line" (a band of parallel one-pixel segments drawn with the canvas pen).

#include "objects/frame.h"
#include "objects/view.h"
#include "platform/canvas.h"
#include "platform/rounding.h"

namespace quarlo {

// w parallel segments with the canvas pen, offset across the line's minor axis:
// w = 1 draws offset 0, w = 2 offsets -1 and 0, w = 3 offsets -1, 0, 1 (0 counts as 1).
void DrawThickLine(Canvas& canvas, int x, int y, int x1, int y1, int w);

// The thick line of a styled (dash, dot, ...) one-pixel canvas pen as one segment of a
// styled pen w wide: the same pixels, and one stroke with a dash pattern on paper.
void DrawStyledLine(Canvas& canvas, int x, int y, int x1, int y1, int w);

// What the frame drawing needs of its view, in device pixels.
struct FrameBox {
  int left = 0, top = 0, right = 0, bottom = 0;  // the view's device rectangle
  double scaleX = 1, scaleY = 1;
  TColor fill = clTransparent;  // the view's Color: dash gaps and double-frame middles
};

// Fill with `fill`, then the hatch of `brush` in `hatchColor` over it.
void PaintViewBackground(Canvas& canvas, const FrameBox& box, TBrushStyle brush, TColor hatchColor);
// Shadow, then the present sides in the order left, right, top, bottom.
void PaintViewFrame(Canvas& canvas, const FrameBox& box, const TfrxFrame& frame);

}  // namespace quarlo
