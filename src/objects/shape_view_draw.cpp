// Drawing of shapes: the figure filled with the view's colour, hatched in the frame
// colour over the fill and outlined with the frame's pen; a double frame draws the
// figure a second time moved inwards.

#include "objects/frame_painter.h"
#include "objects/shape_view.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// The outline pen: frame styles with a platform pen style of the same number use it,
// the others (double, alt-dot, square) draw solid.
CanvasPen OutlinePen(const TfrxFrame& frame, int width, bool forceSolid, double scaleX) {
  CanvasPen pen;
  pen.color = frame.Color();
  pen.width = width;
  pen.unit = scaleX;
  const TfrxFrameStyle style = frame.Style();
  if (frame.Color() == clTransparent)
    pen.style = CanvasPen::Style::Clear;
  else if (!forceSolid && style <= fsDashDotDot)
    pen.style = static_cast<CanvasPen::Style>(style);
  return pen;
}

// The rectangle to hand the canvas so that a pen w wide, which the canvas centres on the
// figure's outline, stays inside (l, t)-(r, b) (right and bottom exclusive).
CanvasRect InsideFrame(int l, int t, int r, int b, int w) {
  if (w <= 1) return {l, t, r, b};
  return {l + w / 2, t + w / 2, r + 1 - w + w / 2, b + 1 - w + w / 2};
}

}  // namespace

void TfrxShapeView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY) {
  CanvasStateSaver keep(canvas);
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  const bool isDouble = Frame().Style() == fsDouble;
  const CanvasPen pen = OutlinePen(Frame(), FrameWidthPx(), isDouble, scaleX);
  // The alt-dot outline is a solid pen kept inside the figure's rectangle.
  const bool inside = Frame().Style() == fsAltDot && pen.style != CanvasPen::Style::Clear;

  auto figure = [&] {
    const int l = DeviceLeft(), t = DeviceTop(), r = DeviceRight(), b = DeviceBottom();
    const int w = DeviceWidth(), h = DeviceHeight();
    const CanvasRect box = InsideFrame(l, t, r + 1, b + 1, inside ? pen.width : 1);
    switch (Shape()) {
      case skRectangle: canvas.Rectangle(box.left, box.top, box.right, box.bottom); break;
      case skRoundRectangle: {
        const int c = Curve() != 0 ? RoundHalfEven(Curve() * scaleX * 10) : std::min(w, h) / 4;
        canvas.RoundRect(box.left, box.top, box.right, box.bottom, c, c);
        break;
      }
      case skEllipse: canvas.Ellipse(box.left, box.top, box.right, box.bottom); break;
      case skTriangle: {
        const CanvasPoint pts[] = {{r, b}, {l, b}, {l + w / 2, t}, {r, b}};
        canvas.Polygon(pts);
        break;
      }
      case skDiamond: {
        const CanvasPoint pts[] = {{l + w / 2, t}, {r, t + h / 2}, {l + w / 2, b}, {l, t + h / 2}};
        canvas.Polygon(pts);
        break;
      }
      case skDiagonal1:
      case skDiagonal2: {
        // The offset lines are drawn one pixel wide each; together they are the width.
        CanvasPen thin = pen;
        thin.width = 1;
        canvas.SetPen(thin);
        const CanvasPoint from = Shape() == skDiagonal1 ? CanvasPoint{l, b} : CanvasPoint{l, t};
        const CanvasPoint to = Shape() == skDiagonal1 ? CanvasPoint{r, t} : CanvasPoint{r, b};
        if (thin.style == CanvasPen::Style::Solid || thin.style == CanvasPen::Style::Clear)
          DrawThickLine(canvas, from.x, from.y, to.x, to.y, FrameWidthPx());
        else
          DrawStyledLine(canvas, from.x, from.y, to.x, to.y, FrameWidthPx());
        canvas.SetPen(pen);
        break;
      }
    }
  };

  auto paint = [&] {
    canvas.SetPen(pen);
    if (BrushStyle() == bsSolid) {
      canvas.SetBrush(Color() == clTransparent ? CanvasBrush::Clear() : CanvasBrush::SolidColor(Color()));
      figure();
    } else {
      if (Color() != clTransparent) {
        canvas.SetBrush(CanvasBrush::SolidColor(Color()));
        figure();
      }
      canvas.SetBrush(CanvasBrush{ColorToRGB(Frame().Color()), static_cast<CanvasBrush::Style>(BrushStyle()), scaleX});
      figure();
    }
  };

  paint();
  if (!isDouble) return;

  const double f = Frame().Width();
  const double left = Left(), top = Top(), width = Width(), height = Height();
  double dl = 2 * f, dt = 2 * f, dw = -4 * f, dh = -4 * f;
  switch (Shape()) {
    case skTriangle: dl = 4 * f, dt = 4 * f, dw = -8 * f, dh = -6 * f; break;
    case skDiamond: dl = 3 * f, dt = 3 * f, dw = -6 * f, dh = -6 * f; break;
    case skDiagonal1:
    case skDiagonal2: dt = 0, dw = 0, dh = 0; break;
    default: break;
  }
  SetLeft(left + dl);
  SetTop(top + dt);
  SetWidth(width + dw);
  SetHeight(height + dh);
  try {
    PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    paint();
  } catch (...) {
    SetBounds(left, top, width, height);
    throw;
  }
  SetBounds(left, top, width, height);
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
}

}  // namespace quarlo
