#include "objects/frame_painter.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quarlo {

void DrawThickLine(Canvas& canvas, int x, int y, int x1, int y1, int w) {
  if (w <= 0) w = 1;
  // A width beyond any device is a broken document, not a request for millions of
  // segments.
  w = std::min(w, 1 << 16);
  const bool xMajor = std::abs(static_cast<long long>(x1) - x) > std::abs(static_cast<long long>(y1) - y);
  const int first = -(w / 2);
  const int last = w / 2 - (w % 2 == 0 ? 1 : 0);
  for (int i = first; i <= last; ++i) {
    if (xMajor) {
      canvas.MoveTo(x, y + i);
      canvas.LineTo(x1, y1 + i);
    } else {
      canvas.MoveTo(x + i, y);
      canvas.LineTo(x1 + i, y1);
    }
  }
}

void DrawStyledLine(Canvas& canvas, int x, int y, int x1, int y1, int w) {
  CanvasStateSaver keep(canvas);
  CanvasPen pen = canvas.Pen();
  pen.width = std::clamp(w, 1, 1 << 16);
  canvas.SetPen(pen);
  canvas.MoveTo(x, y);
  canvas.LineTo(x1, y1);
}

void PaintViewBackground(Canvas& canvas, const FrameBox& box, TBrushStyle brush, TColor hatchColor) {
  canvas.SetBrush(CanvasBrush{canvas.Brush().color, static_cast<CanvasBrush::Style>(brush)});
  if (box.fill != clTransparent) {
    canvas.SetBrush(CanvasBrush::SolidColor(box.fill));
    canvas.FillRect({box.left, box.top, box.right, box.bottom});
  }
  if (brush >= bsHorizontal && brush <= bsDiagCross) {
    CanvasStateSaver keep(canvas);
    // The hatch is a rectangle figure from (left, top) to (right + 1, bottom + 1): it
    // reaches the column and row the right and bottom frame sides are drawn on, so an
    // unframed object shows its last hatch line there. It gets no outline of its own.
    canvas.SetBrush(CanvasBrush{ColorToRGB(hatchColor), static_cast<CanvasBrush::Style>(brush), box.scaleX});
    canvas.FillRect({box.left, box.top, box.right + 1, box.bottom + 1});
  }
}

namespace {

enum class Side { Left, Right, Top, Bottom };

bool IsDashFamily(TfrxFrameStyle s) { return s == fsDash || s == fsDot || s == fsDashDot || s == fsDashDotDot; }

// The canvas pen for one side: solid and double lines at their width, the dash family
// as styled one-pixel pens (drawn as thick lines), the dotted styles get their own
// geometric pen when the side is drawn.
void SetSidePen(Canvas& canvas, const TfrxFrameLine& line, double scaleX) {
  CanvasPen pen;
  pen.color = line.Color();
  if (line.Style() == fsSolid || line.Style() == fsDouble) {
    pen.width = RoundHalfEven(line.Width() * scaleX);
  } else {
    pen.style = IsDashFamily(line.Style()) ? static_cast<CanvasPen::Style>(line.Style()) : CanvasPen::Style::Solid;
    pen.width = 1;
    pen.unit = scaleX;  // dashes keep their length in millimetres at every zoom and resolution
  }
  canvas.SetPen(pen);
}

void Segment(Canvas& canvas, int x, int y, int x1, int y1) {
  canvas.MoveTo(x, y);
  canvas.LineTo(x1, y1);
}

void DrawDouble(Canvas& canvas, const FrameBox& box, const TfrxFrameLine& line, Side side, int x, int y, int x1,
                int y1, int w, bool ns, bool ne) {
  // Square caps: where two sides meet, their outer and inner lines run into each other's
  // band and close the corner (round ends would leave its outermost pixels out).
  CanvasPen pen = canvas.Pen();
  pen.geometric = true;
  pen.cap = CanvasPen::Cap::Square;
  canvas.SetPen(pen);
  const int d1 = ns ? w : 0, d2 = ne ? w : 0;
  const bool leading = side == Side::Left || side == Side::Top;
  const int p1 = leading ? -d1 : d1, p2 = leading ? -d2 : d2;
  const int q1 = -p1, q2 = -p2;
  const bool vertical = x == x1;
  if (vertical)
    Segment(canvas, x - w, y + p1, x1 - w, y1 - p2);
  else
    Segment(canvas, x + p1, y - w, x1 - p2, y1 - w);
  if (box.fill != clTransparent) {
    CanvasPen middle = canvas.Pen();
    middle.color = box.fill;
    canvas.SetPen(middle);
    Segment(canvas, x, y, x1, y1);
  }
  CanvasPen inner = canvas.Pen();
  inner.color = line.Color();
  canvas.SetPen(inner);
  if (vertical)
    Segment(canvas, x + w, y + q1, x1 + w, y1 - q2);
  else
    Segment(canvas, x + q1, y + w, x1 - q2, y1 + w);
}

void DrawDotted(Canvas& canvas, const FrameBox& box, const TfrxFrameLine& line, int x, int y, int x1, int y1, int w) {
  if (box.fill != clTransparent) {
    canvas.SetPen(CanvasPen::Solid(box.fill, 1));
    DrawThickLine(canvas, x, y, x1, y1, w);
  }
  CanvasPen pen;
  pen.color = line.Color();
  pen.geometric = true;
  pen.width = std::max(w, 1);
  if (w <= 1) {
    pen.cap = CanvasPen::Cap::Flat;
    pen.dashes = {1, 1};
  } else if (line.Style() == fsSquare) {
    pen.cap = CanvasPen::Cap::Flat;
    pen.dashes = {w, w};
  } else {
    pen.cap = CanvasPen::Cap::Round;
    pen.dashes = {0, 2 * w};
  }
  CanvasStateSaver keep(canvas);
  canvas.SetPen(pen);
  Segment(canvas, x, y, x1, y1);
}

void DrawSide(Canvas& canvas, const FrameBox& box, const TfrxFrameLine& line, Side side, int x, int y, int x1, int y1,
              bool ns, bool ne) {
  const int w = RoundHalfEven(line.Width() * box.scaleX);
  const TfrxFrameStyle style = line.Style();
  if (style == fsSolid || style == fsDouble) {
    // Free ends are pulled in so that square caps end flush with the corner.
    if (side == Side::Top || side == Side::Bottom) {
      if (!ns) x += w / 2;
      if (!ne) x1 -= w / 2;
    } else {
      if (!ns) y += w / 2;
      if (!ne) y1 -= w / 2;
    }
  }
  switch (style) {
    case fsSolid: {
      CanvasStateSaver keep(canvas);
      CanvasPen pen;
      pen.color = line.Color();
      pen.width = w;
      pen.geometric = true;
      pen.cap = CanvasPen::Cap::Square;
      canvas.SetPen(pen);
      Segment(canvas, x, y, x1, y1);
      break;
    }
    case fsDouble: DrawDouble(canvas, box, line, side, x, y, x1, y1, w, ns, ne); break;
    case fsAltDot:
    case fsSquare: DrawDotted(canvas, box, line, x, y, x1, y1, w); break;
    default: DrawStyledLine(canvas, x, y, x1, y1, w); break;
  }
}

}  // namespace

void PaintViewFrame(Canvas& canvas, const FrameBox& box, const TfrxFrame& frame) {
  if (frame.DropShadow()) {
    canvas.SetPen(CanvasPen::Solid(frame.ShadowColor(), 1));
    const int s = RoundHalfEven(frame.ShadowWidth() * box.scaleX);
    DrawThickLine(canvas, box.right + s / 2, box.top + s, box.right + s / 2, box.bottom, s);
    const int t = RoundHalfEven(frame.ShadowWidth() * box.scaleY);
    DrawThickLine(canvas, box.left + t, box.bottom + t / 2, box.right + t, box.bottom + t / 2, t);
  }
  if (frame.Typ() == 0 || frame.Color() == clTransparent || frame.Width() == 0) return;

  CanvasBrush brush = canvas.Brush();
  brush.style = CanvasBrush::Style::Solid;
  if (frame.Style() != fsSolid) {
    if (box.fill == clTransparent)
      brush.style = CanvasBrush::Style::Clear;
    else
      brush.color = box.fill;
  }
  canvas.SetBrush(brush);

  const bool left = frame.Has(ftLeft), right = frame.Has(ftRight), top = frame.Has(ftTop),
             bottom = frame.Has(ftBottom);
  const bool styled = frame.Style() != fsSolid;
  if (left) {
    SetSidePen(canvas, frame.LeftLine(), box.scaleX);
    const int a = canvas.Pen().width == 2 && styled ? 1 : 0;
    DrawSide(canvas, box, frame.LeftLine(), Side::Left, box.left, box.top - a, box.left, box.bottom, top, bottom);
  }
  if (right) {
    SetSidePen(canvas, frame.RightLine(), box.scaleX);
    DrawSide(canvas, box, frame.RightLine(), Side::Right, box.right, box.top, box.right, box.bottom, top, bottom);
  }
  if (top) {
    SetSidePen(canvas, frame.TopLine(), box.scaleX);
    DrawSide(canvas, box, frame.TopLine(), Side::Top, box.left, box.top, box.right, box.top, left, right);
  }
  if (bottom) {
    SetSidePen(canvas, frame.BottomLine(), box.scaleX);
    const int b = canvas.Pen().width == 1 && styled ? 1 : 0;
    DrawSide(canvas, box, frame.BottomLine(), Side::Bottom, box.left, box.bottom, box.right + b, box.bottom, left,
             right);
  }
}

}  // namespace quarlo
