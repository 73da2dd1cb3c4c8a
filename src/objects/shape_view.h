#pragma once
// Shapes: rectangle, rounded rectangle, ellipse, triangle, diamond or a diagonal,
// filled with the view's colour and hatch and outlined in the frame's colour.

#include <string>

#include "objects/view.h"

namespace quarlo {

enum TfrxShapeKind : int {
  skRectangle,
  skRoundRectangle,
  skEllipse,
  skTriangle,
  skDiamond,
  skDiagonal1,
  skDiagonal2
};
const EnumInfo& ShapeKindNames();

class TfrxShapeView : public TfrxView {
  QUARLO_CLASS(TfrxShapeView)
 public:
  explicit TfrxShapeView(TComponent* owner);

  TfrxShapeKind Shape() const { return shape_; }
  void SetShape(TfrxShapeKind v) { shape_ = v; }
  // Corner size of the rounded rectangle; 0 lets the size follow the shape.
  int Curve() const { return curve_; }
  void SetCurve(int v) { curve_ = v; }

  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  std::string GetDescription() const override;
  // View attributes, then Shape (as its ordinal) when it differs.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  TfrxShapeKind shape_ = skRectangle;
  int curve_ = 0;
};

}  // namespace quarlo
