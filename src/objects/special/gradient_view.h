#pragma once
// TfrxGradientView: fills its rectangle with a colour gradient from BeginColor to
// EndColor in one of six styles, then draws its frame. It has no background fill, no
// text and no data.

#include <string>

#include "objects/view.h"

namespace quarlo {

enum TfrxGradientStyle : int {
  gsHorizontal,
  gsVertical,
  gsElliptic,
  gsRectangle,
  gsVertCenter,
  gsHorizCenter
};
const EnumInfo& GradientStyleNames();

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or
// the result does not fit an int (the platform's rule, which the band geometry relies on).
int MulDiv(int a, int b, int c);

// The colour of step i of n between two colours, taken byte by byte as stored (red in
// the lowest byte; a system colour is not resolved), each component kept to 8 bits.
TColor GradientStepColor(TColor begin, TColor end, int i, int n);

class TfrxGradientView : public TfrxView {
  QUARLO_CLASS(TfrxGradientView)
 public:
  explicit TfrxGradientView(TComponent* owner);

  TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(TColor v) { beginColor_ = v; }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor v) { endColor_ = v; }
  TfrxGradientStyle Style() const { return style_; }
  void SetStyle(TfrxGradientStyle v) { style_ = v; }

  // PrepareDraw, the gradient over the device rectangle, then the frame.
  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  std::string GetDescription() const override;

 private:
  TColor beginColor_ = 0xFFFFFF;
  TColor endColor_ = 0x808080;
  TfrxGradientStyle style_ = gsHorizontal;
};

}  // namespace quarlo
