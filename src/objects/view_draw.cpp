// Fill, hatch, frame and shadow of a view, in the device rectangle of the current Draw.

#include "objects/frame_painter.h"
#include "objects/view.h"

namespace quarlo {

namespace {

FrameBox BoxOf(const TfrxView& view, double scaleX, double scaleY) {
  FrameBox box;
  box.left = view.DeviceLeft();
  box.top = view.DeviceTop();
  box.right = view.DeviceRight();
  box.bottom = view.DeviceBottom();
  box.scaleX = scaleX;
  box.scaleY = scaleY;
  box.fill = view.Color();
  return box;
}

}  // namespace

void TfrxView::PaintBackground() {
  if (!DrawCanvas()) return;
  PaintViewBackground(*DrawCanvas(), BoxOf(*this, DrawScaleX(), DrawScaleY()), BrushStyle(), Frame().Color());
}

void TfrxView::PaintFrame() {
  if (!DrawCanvas()) return;
  PaintViewFrame(*DrawCanvas(), BoxOf(*this, DrawScaleX(), DrawScaleY()), Frame());
}

}  // namespace quarlo
