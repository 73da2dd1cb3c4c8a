#include "objects/special/dmp_memo_view.h"

#include "objects/frame_painter.h"
#include "objects/property_differences.h"
#include "objects/special/dmp_grid.h"
#include "objects/special/dmp_page.h"
#include "resources/resources.h"
#include "platform/rounding.h"

namespace quarlo {

const ClassInfo& TfrxDMPMemoView::StaticClass() {
  static const ClassInfo info = [] {
    using M = TfrxDMPMemoView;
    auto b = QUARLO_CLASS_BUILDER(TfrxDMPMemoView, TfrxCustomMemoView);
    for (std::string_view name : {"AutoWidth", "AllowExpressions", "DataField", "DataSet",
                                  "DataSetName", "DisplayFormat", "ExpressionDelimiters",
                                  "FlowTo"}) {
      PublishMemoProperty(b, name);
    }
    b.Set("FontStyle", DotMatrixFontStyleMembers(), &M::FontStyle, &M::SetFontStyle)
        .StoredWhen<M>([](const M& m) { return !m.ParentFont(); });
    for (std::string_view name : {"Frame", "HAlign", "HideZeros", "Memo", "ParentFont",
                                  "RTLReading", "SuppressRepeated", "WordWrap"}) {
      PublishMemoProperty(b, name);
    }
    b.Bool("TruncOutboundText", &M::TruncOutboundText, &M::SetTruncOutboundText);
    PublishMemoProperty(b, "VAlign");
    return b.Build();
  }();
  return info;
}

TfrxDMPMemoView::TfrxDMPMemoView(TComponent* owner) : TfrxCustomMemoView(owner) {
  // The base constructor placed the object under its parent before this class's
  // parent-font rule existed; apply it now, as a new object follows its parent.
  if (Parent() && ParentFont()) SetParentFont(true);
  ApplyCellSettings();
}

void TfrxDMPMemoView::ApplyCellSettings() {
  ApplyDotMatrixFont(Font(), fontStyle_);
  SetCharSpacing(0);
  SetLineSpacing(1);
  SetGapX(0);
  SetGapY(0);
}

void TfrxDMPMemoView::SetLeft(double value) {
  TfrxCustomMemoView::SetLeft(Align() == baRight ? TruncToCells(value, kCellWidth)
                                                 : RoundToCells(value, kCellWidth));
}

void TfrxDMPMemoView::SetTop(double value) {
  TfrxCustomMemoView::SetTop(RoundToCells(value, kCellHeight));
}

void TfrxDMPMemoView::SetWidth(double value) {
  TfrxCustomMemoView::SetWidth(RoundToCells(value, kCellWidth));
}

void TfrxDMPMemoView::SetHeight(double value) {
  TfrxCustomMemoView::SetHeight(RoundToCells(value, kCellHeight));
}

void TfrxDMPMemoView::SetFontStyle(int styles) {
  fontStyle_ = styles & kDotMatrixStyleMask;
  SetParentFont(false);
  ApplyCellSettings();
}

void TfrxDMPMemoView::SetParentFont(bool value) {
  TfrxCustomMemoView::SetParentFont(value);
  if (!value) return;
  if (const auto* page = As<TfrxDMPPage>(Page())) fontStyle_ = page->FontStyle();
}

void TfrxDMPMemoView::PaintFrame() {
  if (!DrawCanvas()) return;
  const int left = DeviceLeft(), top = DeviceTop(), right = DeviceRight(), bottom = DeviceBottom();
  const double sx = DrawScaleX(), sy = DrawScaleY(), ox = DrawOffsetX(), oy = DrawOffsetY();
  const double x = AbsLeft(), y = AbsTop();
  SetDeviceRect(RoundHalfEven((x - kCellWidth / 2) * sx + ox), RoundHalfEven((y - kCellHeight / 2) * sy + oy),
                RoundHalfEven((x + Width() + kCellWidth / 2) * sx + ox),
                RoundHalfEven((y + Height() + kCellHeight / 2) * sy + oy));
  // The text is drawn after the frame from the device rectangle, so it is put back
  // whatever the frame painter does.
  struct Restore {
    TfrxDMPMemoView& view;
    int l, t, r, b;
    ~Restore() { view.SetDeviceRect(l, t, r, b); }
  } restore{*this, left, top, right, bottom};
  TfrxCustomMemoView::PaintFrame();
}

double TfrxDMPMemoView::CalcHeight() {
  return RoundToCells(TfrxCustomMemoView::CalcHeight(), kCellHeight);
}

double TfrxDMPMemoView::CalcWidth() {
  return RoundToCells(TfrxCustomMemoView::CalcWidth(), kCellWidth);
}

std::string TfrxDMPMemoView::GetDescription() const { return frxResources().Get("obDMPText"); }

std::string TfrxDMPMemoView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxCustomMemoView::WriteDifferences(tmpl);
  const auto* t = As<TfrxDMPMemoView>(&tmpl);
  if (!t) return s;
  DifferenceWriter w;
  w.Integer("FontStyle", fontStyle_ & kDotMatrixStyleMask, t->fontStyle_ & kDotMatrixStyleMask);
  return s + w.Result();
}

}  // namespace quarlo
