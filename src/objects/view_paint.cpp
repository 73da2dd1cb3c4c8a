// The drawing entry point of views. The device rectangle is computed here; painting
// the fill, hatch, frame and shadow onto the canvas is in view_draw.cpp.

#include <algorithm>
#include <cmath>

#include "objects/view.h"
#include "platform/rounding.h"

namespace quarlo {

void TfrxView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                    double offsetY) {
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  PaintBackground();
  PaintFrame();
}

void TfrxView::PrepareDraw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY) {
  canvas_ = &canvas;
  scaleX_ = scaleX;
  scaleY_ = scaleY;
  offsetX_ = offsetX;
  offsetY_ = offsetY;
  const double left = AbsLeft(), top = AbsTop();
  deviceLeft_ = RoundHalfEven(left * scaleX + offsetX);
  deviceTop_ = RoundHalfEven(top * scaleY + offsetY);
  deviceRight_ = RoundHalfEven((left + Width()) * scaleX + offsetX);
  deviceBottom_ = RoundHalfEven((top + Height()) * scaleY + offsetY);
  if (frame_.DropShadow()) {
    deviceRight_ -= RoundHalfEven(frame_.ShadowWidth() * scaleX);
    deviceBottom_ -= RoundHalfEven(frame_.ShadowWidth() * scaleY);
  }
  frameWidthPx_ = RoundHalfEven(frame_.Width() * scaleX);
}

}  // namespace quarlo
