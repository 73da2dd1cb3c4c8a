// The drawing entry point of views. The device rectangle is computed here; painting
// the fill, hatch, frame and shadow onto the canvas is in view_draw.cpp.

#include <algorithm>
#include <cmath>

#include "objects/view.h"

namespace quarlo {

namespace {

// Report values become device pixels by rounding half to even. Values beyond the
// device range (absurd sizes in a document) are held at its edge instead of
// overflowing.
int RoundDevice(double v) {
  constexpr double kLimit = 1e9;
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

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
  deviceLeft_ = RoundDevice(left * scaleX + offsetX);
  deviceTop_ = RoundDevice(top * scaleY + offsetY);
  deviceRight_ = RoundDevice((left + Width()) * scaleX + offsetX);
  deviceBottom_ = RoundDevice((top + Height()) * scaleY + offsetY);
  if (frame_.DropShadow()) {
    deviceRight_ -= RoundDevice(frame_.ShadowWidth() * scaleX);
    deviceBottom_ -= RoundDevice(frame_.ShadowWidth() * scaleY);
  }
  frameWidthPx_ = RoundDevice(frame_.Width() * scaleX);
}

}  // namespace quarlo
