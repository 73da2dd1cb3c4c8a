#pragma once
// Drawing in chart layout units: the chart is laid out in report pixels at its own
// size and every figure is mapped onto the device rectangle as it is drawn, so the
// result is made of vectors and text on any canvas (sharp on printers and in PDF).
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace quarlo {

struct ChartPointF {
  double x = 0;
  double y = 0;
};

struct ChartRectF {
  double left = 0, top = 0, right = 0, bottom = 0;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  bool IsEmpty() const { return !(right > left && bottom > top); }
};

struct ChartFont {
  double em = 10.67;  // character height in layout units
  int style = 0;      // FontStyleBits
  TColor color = clBlack;
  std::string name = "Arial";
};

class ChartPainter {
 public:
  // Layout of width x height mapped onto `device`.
  ChartPainter(Canvas& canvas, const CanvasRect& device, double width, double height);

  Canvas& GetCanvas() { return canvas_; }
  double ScaleX() const { return sx_; }
  double ScaleY() const { return sy_; }
  CanvasPoint Device(double x, double y) const;
  CanvasRect Device(const ChartRectF& r) const;

  // Filled (and optionally outlined) figures; clTransparent skips fill or outline.
  void FillRect(const ChartRectF& r, TColor fill);
  void Rect(const ChartRectF& r, TColor fill, TColor outline);
  void Polygon(std::span<const ChartPointF> points, TColor fill, TColor outline);
  void Ellipse(const ChartRectF& r, TColor fill, TColor outline);
  // A line `width` layout units wide (at least one device pixel).
  void Line(ChartPointF a, ChartPointF b, TColor color, double width = 1);
  void Polyline(std::span<const ChartPointF> points, TColor color, double width = 1);

  // Text with its top-left corner at (x, y); angle in degrees, counter-clockwise.
  void Text(double x, double y, std::u16string_view text, const ChartFont& font, int angle = 0);
  double TextWidth(std::u16string_view text, const ChartFont& font) const;
  double LineHeight(const ChartFont& font) const;

  void ClipTo(const ChartRectF& r);
  void RestoreClip();

 private:
  int PenWidth(double width) const;
  CanvasFont DeviceFont(const ChartFont& font, int angle) const;

  Canvas& canvas_;
  CanvasRect device_;
  double sx_, sy_;
};

TColor Darker(TColor c, double factor = 0.7);
TColor Lighter(TColor c, double factor = 0.4);

}  // namespace quarlo
