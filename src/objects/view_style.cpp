#include "objects/view_style.h"

namespace quarlo {

const ClassInfo& TfrxStyleItem::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxStyleItem;
    auto b = QUARLO_CLASS_BUILDER(TfrxStyleItem, TPersistent);
    b.String("Name", &S::Name, &S::SetName);
    b.Integer("Color", &S::Color, &S::SetColor).Default(clTransparent);
    b.Object<TFont>("Font", [](const S& s) { return &s.font_; });
    b.Object<TfrxFrame>("Frame", [](const S& s) { return &s.frame_; });
    return b.Build();
  }();
  return info;
}

}  // namespace quarlo
