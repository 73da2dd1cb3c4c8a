#include "objects/line_view.h"

#include "resources/resources.h"

namespace quarlo {

const ClassInfo& TfrxCustomLineView::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxCustomLineView, TfrxStretcheable);
    PublishViewProperty(b, "TagStr");
    return b.Build();
  }();
  return info;
}

TfrxCustomLineView::TfrxCustomLineView(TComponent* owner) : TfrxStretcheable(owner) {}

std::string TfrxCustomLineView::GetDescription() const { return frxResources().Get("obLine"); }

const ClassInfo& TfrxLineView::StaticClass() {
  static const ClassInfo info = [] {
    using L = TfrxLineView;
    auto b = QUARLO_CLASS_BUILDER(TfrxLineView, TfrxCustomLineView);
    b.Bool("ArrowEnd", &L::ArrowEnd, &L::SetArrowEnd).Default(false);
    b.Integer("ArrowLength", &L::ArrowLength, &L::SetArrowLength).Default(20);
    b.Bool("ArrowSolid", &L::ArrowSolid, &L::SetArrowSolid).Default(false);
    b.Bool("ArrowStart", &L::ArrowStart, &L::SetArrowStart).Default(false);
    b.Integer("ArrowWidth", &L::ArrowWidth, &L::SetArrowWidth).Default(5);
    PublishViewProperty(b, "Frame");
    b.Bool("Diagonal", &L::Diagonal, &L::SetDiagonal).Default(false);
    return b.Build();
  }();
  return info;
}

TfrxLineView::TfrxLineView(TComponent* owner) : TfrxCustomLineView(owner) {}

}  // namespace quarlo
