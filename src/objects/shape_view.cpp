#include "objects/shape_view.h"

#include "objects/property_differences.h"
#include "resources/resources.h"

namespace quarlo {

const EnumInfo& ShapeKindNames() {
  static const EnumInfo names{"skRectangle", "skRoundRectangle", "skEllipse", "skTriangle",
                              "skDiamond",   "skDiagonal1",      "skDiagonal2"};
  return names;
}

const ClassInfo& TfrxShapeView::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxShapeView;
    auto b = QUARLO_CLASS_BUILDER(TfrxShapeView, TfrxView);
    PublishViewProperty(b, "BrushStyle");
    PublishViewProperty(b, "Color");
    PublishViewProperty(b, "Cursor");
    b.Integer("Curve", &S::Curve, &S::SetCurve).Default(0);
    PublishViewProperty(b, "Frame");
    b.Enum("Shape", ShapeKindNames(), &S::Shape, &S::SetShape).Default(skRectangle);
    PublishViewProperty(b, "TagStr");
    PublishViewProperty(b, "URL");
    return b.Build();
  }();
  return info;
}

TfrxShapeView::TfrxShapeView(TComponent* owner) : TfrxView(owner) {}

std::string TfrxShapeView::GetDescription() const { return frxResources().Get("obShape"); }

std::string TfrxShapeView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxView::WriteDifferences(tmpl);
  const auto* t = As<TfrxShapeView>(&tmpl);
  if (!t) return s;
  DifferenceWriter w;
  w.Integer("Shape", shape_, t->shape_);
  return s + w.Result();
}

}  // namespace quarlo
