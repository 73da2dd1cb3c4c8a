#include "objects/view.h"

#include "objects/property_differences.h"

namespace quarlo {

const EnumInfo& ShiftModeNames() {
  static const EnumInfo names{"smDontShift", "smAlways", "smWhenOverlapped"};
  return names;
}

const EnumInfo& StretchModeNames() {
  static const EnumInfo names{"smDontStretch", "smActualHeight", "smMaxHeight"};
  return names;
}

const EnumInfo& BrushStyleNames() {
  static const EnumInfo names{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                              "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
  return names;
}

// ----------------------------------------------------------------- TfrxView

const ClassInfo& TfrxView::StaticClass() {
  static const ClassInfo info = [] {
    using V = TfrxView;
    auto b = QUARLO_CLASS_BUILDER(TfrxView, TfrxReportComponent);
    b.Enum("Align", AlignNames(), &V::Align, &V::SetAlign).Default(baNone);
    b.Bool("Printable", &V::Printable, &V::SetPrintable).Default(true);
    b.Enum("ShiftMode", ShiftModeNames(), &V::ShiftMode, &V::SetShiftMode).Default(smAlways);
    b.Float("Left", &TfrxComponent::Left, &TfrxComponent::SetLeft);
    b.Float("Top", &TfrxComponent::Top, &TfrxComponent::SetTop);
    b.Float("Width", &TfrxComponent::Width, &TfrxComponent::SetWidth);
    b.Float("Height", &TfrxComponent::Height, &TfrxComponent::SetHeight);
    b.Integer("GroupIndex", &TfrxComponent::GroupIndex, &TfrxComponent::SetGroupIndex).Default(0);
    b.Set("Restrictions", RestrictionMembers(), &TfrxComponent::Restrictions,
          &TfrxComponent::SetRestrictions)
        .Default(0);
    b.Bool("Visible", &TfrxComponent::Visible, &TfrxComponent::SetVisible).Default(true);
    b.String("OnAfterData", &V::OnAfterData, &V::SetOnAfterData);
    b.String("OnAfterPrint", &V::OnAfterPrint, &V::SetOnAfterPrint);
    b.String("OnBeforePrint", &V::OnBeforePrint, &V::SetOnBeforePrint);
    b.String("OnPreviewClick", &V::OnPreviewClick, &V::SetOnPreviewClick);
    b.String("OnPreviewDblClick", &V::OnPreviewDblClick, &V::SetOnPreviewDblClick);
    b.String("Hint", &V::Hint, &V::SetHint);
    b.Bool("ShowHint", &V::ShowHint, &V::SetShowHint).Default(false);
    return b.Build();
  }();
  return info;
}

TfrxView::TfrxView(TComponent* owner) : TfrxReportComponent(owner) {}

TfrxView::~TfrxView() = default;

std::string TfrxView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxComponent::WriteDifferences(tmpl);
  const TfrxView* t = As<TfrxView>(&tmpl);
  if (!t) return s;
  // Compact attributes spell enumerations as ordinals and booleans as 1 or 0.
  DifferenceWriter w;
  w.Integer("BrushStyle", brushStyle_, t->brushStyle_);
  w.Integer("Align", align_, t->align_);
  w.Integer("Color", color_, t->color_);
  WriteFrameDifferences(w, frame_, t->frame_);
  w.Integer("Cursor", cursor_, t->cursor_);
  w.Integer("Printable", printable_, t->printable_);
  w.String("TagStr", tagStr_, t->tagStr_);
  w.String("URL", url_, t->url_);
  return s + w.Result();
}

void TfrxView::BeforeOutput() {
  TfrxReportComponent::BeforeOutput();
  savedTagStr_ = tagStr_;
  savedURL_ = url_;
}

void TfrxView::AfterOutput() {
  TfrxReportComponent::AfterOutput();
  tagStr_ = savedTagStr_;
  url_ = savedURL_;
}

void TfrxView::SetDeviceRect(int left, int top, int right, int bottom) {
  deviceLeft_ = left;
  deviceTop_ = top;
  deviceRight_ = right;
  deviceBottom_ = bottom;
}

// ---------------------------------------------------------- TfrxStretcheable

const ClassInfo& TfrxStretcheable::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxStretcheable;
    auto b = QUARLO_CLASS_BUILDER(TfrxStretcheable, TfrxView);
    b.Enum("StretchMode", StretchModeNames(), &S::StretchMode, &S::SetStretchMode)
        .Default(smDontStretch);
    return b.Build();
  }();
  return info;
}

TfrxStretcheable::TfrxStretcheable(TComponent* owner) : TfrxView(owner) {}

}  // namespace quarlo
