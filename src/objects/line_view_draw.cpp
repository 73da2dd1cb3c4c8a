// Drawing of lines: a straight line is the frame's left or top side, a diagonal a
// thick line between two corners; both may end in arrow heads.

#include <cmath>
#include <vector>

#include "objects/frame_painter.h"
#include "objects/line_draw_arrow.h"
#include "objects/line_view.h"
#include "platform/rounding.h"

namespace quarlo {

void TfrxCustomLineView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY) {
  if (!Diagonal()) {
    // Straightening is kept: the object is a horizontal or vertical line from now on.
    if (Width() <= Height()) {
      SetWidth(0);
      Frame().SetTyp(ftLeft);
    } else {
      SetHeight(0);
      Frame().SetTyp(ftTop);
    }
  }
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  if (!Diagonal()) {
    PaintFrame();
  } else {
    if (Frame().Color() == clTransparent || Frame().Width() == 0) return;
    canvas.SetBrush(Color() == clTransparent ? CanvasBrush::Clear() : CanvasBrush::SolidColor(Color()));
    CanvasPen pen;
    pen.color = Frame().Color();
    pen.width = 1;
    const TfrxFrameStyle style = Frame().Style();
    pen.style = style <= fsDashDotDot ? static_cast<CanvasPen::Style>(style) : CanvasPen::Style::Solid;
    pen.unit = scaleX;
    canvas.SetPen(pen);
    if (pen.style == CanvasPen::Style::Solid)
      DrawThickLine(canvas, DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom(), FrameWidthPx());
    else
      DrawStyledLine(canvas, DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom(), FrameWidthPx());
  }
  if (!ArrowStart() && !ArrowEnd()) return;
  if (Frame().Color() == clTransparent) return;

  ArrowSpec spec;
  spec.width = scaleX * ArrowWidth();
  spec.length = scaleX * ArrowLength();
  const TfrxFrameStyle style = Frame().Style();
  const int penWidth = style == fsSolid || style == fsDouble ? RoundHalfEven(Frame().Width() * scaleX) : 1;
  auto drawArrow = [&](double x1, double y1, double x2, double y2) {
    const ArrowHead head = ComputeArrowHead(x1, y1, x2, y2, spec);
    if (ArrowSolid()) {
      canvas.SetPen(CanvasPen::Solid(Frame().Color(), penWidth));
      canvas.SetBrush(CanvasBrush::SolidColor(Frame().Color()));
      const CanvasPoint pts[] = {head.tip, head.wing1, head.wing2, head.tip};
      canvas.Polygon(pts);
    } else {
      canvas.SetPen(CanvasPen::Solid(Frame().Color(), RoundHalfEven(Frame().Width() * scaleX)));
      const CanvasPoint pts[] = {head.wing1, head.tip, head.wing2};
      canvas.Polyline(pts);
    }
  };
  if (ArrowStart()) drawArrow(DeviceRight(), DeviceBottom(), DeviceLeft(), DeviceTop());
  if (ArrowEnd()) drawArrow(DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom());
}

}  // namespace quarlo
