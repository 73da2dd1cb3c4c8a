#include "objects/special/dmp_line_view.h"

#include "objects/property_differences.h"
#include "objects/special/dmp_grid.h"
#include "objects/special/dmp_page.h"
#include "resources/resources.h"

namespace quarlo {

const ClassInfo& TfrxDMPLineView::StaticClass() {
  static const ClassInfo info = [] {
    using L = TfrxDMPLineView;
    auto b = QUARLO_CLASS_BUILDER(TfrxDMPLineView, TfrxCustomLineView);
    b.Set("FontStyle", DotMatrixFontStyleMembers(), &L::FontStyle, &L::SetFontStyle)
        .StoredWhen<L>([](const L& l) { return !l.ParentFont(); });
    PublishFontProperty(b, "ParentFont");
    return b.Build();
  }();
  return info;
}

TfrxDMPLineView::TfrxDMPLineView(TComponent* owner) : TfrxCustomLineView(owner) {
  if (Parent() && ParentFont()) SetParentFont(true);
  // The starting position is put through the grid rule too, so that a new line is
  // where it would be after a save and load.
  SetLeft(Left());
  SetTop(Top());
}

void TfrxDMPLineView::SetLeft(double value) {
  constexpr double half = kCellWidth / 2;
  double snapped;
  if (value < 0) {
    snapped = TruncToCells(value, kCellWidth) - half;
  } else if (Align() == baRight) {
    snapped = RoundToCells(value, kCellWidth) - half;
  } else {
    snapped = TruncToCells(value, kCellWidth) + half;
  }
  TfrxCustomLineView::SetLeft(snapped);
}

void TfrxDMPLineView::SetTop(double value) {
  TfrxCustomLineView::SetTop(TruncToCells(value, kCellHeight) + kCellHeight / 2);
}

void TfrxDMPLineView::SetWidth(double value) {
  TfrxCustomLineView::SetWidth(Align() == baWidth ? TruncToCells(value, kCellWidth)
                                                  : RoundToCells(value, kCellWidth));
}

void TfrxDMPLineView::SetFontStyle(int styles) {
  fontStyle_ = styles & kDotMatrixStyleMask;
  SetParentFont(false);
}

void TfrxDMPLineView::SetParentFont(bool value) {
  TfrxCustomLineView::SetParentFont(value);
  if (!value) return;
  if (const auto* page = As<TfrxDMPPage>(Page())) fontStyle_ = page->FontStyle();
}

std::string TfrxDMPLineView::GetDescription() const { return frxResources().Get("obDMPLine"); }

std::string TfrxDMPLineView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxCustomLineView::WriteDifferences(tmpl);
  const auto* t = As<TfrxDMPLineView>(&tmpl);
  if (!t) return s;
  DifferenceWriter w;
  w.Integer("FontStyle", fontStyle_ & kDotMatrixStyleMask, t->fontStyle_ & kDotMatrixStyleMask);
  return s + w.Result();
}

}  // namespace quarlo
