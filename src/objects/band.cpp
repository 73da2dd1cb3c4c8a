#include "objects/band.h"

#include <cmath>
#include <initializer_list>

#include "platform/errors.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "objects/view.h"

namespace quarlo {

namespace {

template <class Builder>
PropertyDecl PublishBandProperty(Builder& b, std::string_view name) {
  using B = TfrxBand;
  if (name == "AllowSplit") return b.Bool("AllowSplit", &B::AllowSplit, &B::SetAllowSplit).Default(false);
  if (name == "FooterAfterEach") return b.Bool("FooterAfterEach", &B::FooterAfterEach, &B::SetFooterAfterEach).Default(false);
  if (name == "KeepChild") return b.Bool("KeepChild", &B::KeepChild, &B::SetKeepChild).Default(false);
  if (name == "KeepFooter") return b.Bool("KeepFooter", &B::KeepFooter, &B::SetKeepFooter).Default(false);
  if (name == "KeepHeader") return b.Bool("KeepHeader", &B::KeepHeader, &B::SetKeepHeader).Default(false);
  if (name == "KeepTogether") return b.Bool("KeepTogether", &B::KeepTogether, &B::SetKeepTogether).Default(false);
  if (name == "PrintChildIfInvisible") return b.Bool("PrintChildIfInvisible", &B::PrintChildIfInvisible, &B::SetPrintChildIfInvisible).Default(false);
  if (name == "PrintIfDetailEmpty") return b.Bool("PrintIfDetailEmpty", &B::PrintIfDetailEmpty, &B::SetPrintIfDetailEmpty).Default(false);
  if (name == "StartNewPage") return b.Bool("StartNewPage", &B::StartNewPage, &B::SetStartNewPage).Default(false);
  if (name == "Stretched") return b.Bool("Stretched", &B::Stretched, &B::SetStretched).Default(false);
  if (name == "ReprintOnNewPage") return b.Bool("ReprintOnNewPage", &B::ReprintOnNewPage, &B::SetReprintOnNewPage).Default(false);
  if (name == "DrillDown") return b.Bool("DrillDown", &B::DrillDown, &B::SetDrillDown).Default(false);
  if (name == "ExpandDrillDown") return b.Bool("ExpandDrillDown", &B::ExpandDrillDown, &B::SetExpandDrillDown).Default(false);
  if (name == "ResetPageNumbers") return b.Bool("ResetPageNumbers", &B::ResetPageNumbers, &B::SetResetPageNumbers).Default(false);
  if (name == "ShowFooterIfDrillDown") return b.Bool("ShowFooterIfDrillDown", &B::ShowFooterIfDrillDown, &B::SetShowFooterIfDrillDown).Default(false);
  if (name == "ShowChildIfDrillDown") return b.Bool("ShowChildIfDrillDown", &B::ShowChildIfDrillDown, &B::SetShowChildIfDrillDown).Default(false);
  if (name == "HideIfSingleDataRecord") return b.Bool("HideIfSingleDataRecord", &B::HideIfSingleDataRecord, &B::SetHideIfSingleDataRecord).Default(false);
  if (name == "PrintOnFirstPage") return b.Bool("PrintOnFirstPage", &B::PrintOnFirstPage, &B::SetPrintOnFirstPage).Default(false);
  if (name == "PrintOnLastPage") return b.Bool("PrintOnLastPage", &B::PrintOnLastPage, &B::SetPrintOnLastPage).Default(false);
  if (name == "PrintOnTop") return b.Bool("PrintOnTop", &B::PrintOnTop, &B::SetPrintOnTop).Default(false);
  if (name == "Vertical") return b.Bool("Vertical", &B::Vertical, &B::SetVertical).Default(false);
  if (name == "DataSetName") return b.String("DataSetName", &B::DataSetName, &B::SetDataSetName);
  if (name == "OutlineText") return b.String("OutlineText", &B::OutlineText, &B::SetOutlineText);
  if (name == "Condition") return b.String("Condition", &B::Condition, &B::SetCondition);
  if (name == "DrillName") return b.String("DrillName", &B::DrillName, &B::SetDrillName);
  if (name == "OnMasterDetail") return b.String("OnMasterDetail", &B::OnMasterDetail, &B::SetOnMasterDetail);
  if (name == "OnAfterCalcHeight") return b.String("OnAfterCalcHeight", &B::OnAfterCalcHeight, &B::SetOnAfterCalcHeight);
  if (name == "OnAfterPrint") return b.String("OnAfterPrint", &B::OnAfterPrint, &B::SetOnAfterPrint);
  if (name == "OnBeforePrint") return b.String("OnBeforePrint", &B::OnBeforePrint, &B::SetOnBeforePrint);
  if (name == "Child") return b.template Reference<TfrxChild>("Child", &B::Child, &B::SetChild);
  if (name == "DataSet") {
    return b.template Reference<TfrxComponent>("DataSet", &B::DataSet, &B::SetDataSet);
  }
  if (name == "Columns") return b.Integer("Columns", &B::Columns, &B::SetColumns).Default(0);
  if (name == "RowCount") return b.Integer("RowCount", &B::RowCount, &B::SetRowCount).Default(0);
  if (name == "ColumnWidth") {
    return b.Float("ColumnWidth", &B::ColumnWidth, &B::SetColumnWidth).Default(0.0);
  }
  if (name == "ColumnGap") return b.Float("ColumnGap", &B::ColumnGap, &B::SetColumnGap).Default(0.0);
  if (name == "Left") return b.Float("Left", &TfrxComponent::Left, &TfrxComponent::SetLeft);
  if (name == "Top") return b.Float("Top", &TfrxComponent::Top, &TfrxComponent::SetTop);
  if (name == "Width") return b.Float("Width", &TfrxComponent::Width, &TfrxComponent::SetWidth);
  if (name == "Height") return b.Float("Height", &TfrxComponent::Height, &TfrxComponent::SetHeight);
  if (name == "Restrictions") {
    return b.Set("Restrictions", RestrictionMembers(), &TfrxComponent::Restrictions,
                 &TfrxComponent::SetRestrictions)
        .Default(0);
  }
  if (name == "Visible") {
    return b.Bool("Visible", &TfrxComponent::Visible, &TfrxComponent::SetVisible).Default(true);
  }
  return PublishFontProperty(b, name);
}

template <class Builder>
void PublishBandProperties(Builder& b, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) PublishBandProperty(b, name);
}

double SnapTo(double value, double cell) { return std::nearbyint(value / cell) * cell; }

}  // namespace

// ----------------------------------------------------------------- TfrxBand

const ClassInfo& TfrxBand::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxBand, TfrxReportComponent);
    PublishBandProperties(b, {"Font", "Height", "Left", "ParentFont", "Restrictions", "Top",
                              "Vertical", "Visible", "Width", "OnAfterCalcHeight",
                              "OnAfterPrint", "OnBeforePrint"});
    return b.Build();
  }();
  return info;
}

TfrxBand::TfrxBand(TComponent* owner) : TfrxReportComponent(owner) {}

TfrxBand::~TfrxBand() {
  // Sibling bands must not keep pointing at a child band that goes away.
  if (TfrxComponent* parent = Parent()) {
    for (TfrxComponent* c : parent->Objects()) {
      auto* band = As<TfrxBand>(c);
      if (band && band->child_ && static_cast<TfrxBand*>(band->child_) == this) {
        band->child_ = nullptr;
      }
    }
  }
}

bool TfrxBand::OnDotMatrixPage() const {
  const auto* page = As<TfrxReportPage>(Page());
  return page && page->IsDotMatrix();
}

void TfrxBand::SetLeft(double value) {
  TfrxReportComponent::SetLeft(OnDotMatrixPage() ? SnapTo(value, fr1CharX) : value);
}

void TfrxBand::SetTop(double value) {
  TfrxReportComponent::SetTop(OnDotMatrixPage() ? SnapTo(value, fr1CharY) : value);
}

void TfrxBand::SetHeight(double value) {
  TfrxReportComponent::SetHeight(OnDotMatrixPage() ? SnapTo(value, fr1CharY) : value);
}

void TfrxBand::SetChild(TfrxChild* child) {
  for (const TfrxBand* c = child; c; c = c->child_) {
    if (c == this) throw Exception("Circular child reference is not allowed");
  }
  child_ = child;
}

int TfrxBand::BandNumber() const {
  static const ClassInfo* const kinds[] = {
      &TfrxReportTitle::StaticClass(),   &TfrxReportSummary::StaticClass(),
      &TfrxPageHeader::StaticClass(),    &TfrxPageFooter::StaticClass(),
      &TfrxHeader::StaticClass(),        &TfrxFooter::StaticClass(),
      &TfrxMasterData::StaticClass(),    &TfrxDetailData::StaticClass(),
      &TfrxSubdetailData::StaticClass(), &TfrxDataBand4::StaticClass(),
      &TfrxDataBand5::StaticClass(),     &TfrxDataBand6::StaticClass(),
      &TfrxGroupHeader::StaticClass(),   &TfrxGroupFooter::StaticClass(),
      &TfrxChild::StaticClass(),         &TfrxColumnHeader::StaticClass(),
      &TfrxColumnFooter::StaticClass(),  &TfrxOverlay::StaticClass()};
  // The most derived kind wins, so a class derived from a band kind keeps its number.
  for (const ClassInfo* c = &GetClass(); c; c = c->Parent()) {
    for (int i = 0; i < static_cast<int>(std::size(kinds)); ++i) {
      if (kinds[i] == c) return i;
    }
  }
  return -1;
}

// ---------------------------------------------------------- band classes

const ClassInfo& TfrxDataBand::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxDataBand, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "Columns", "ColumnWidth", "ColumnGap", "DataSet", "DataSetName", "FooterAfterEach", "KeepChild", "KeepFooter", "KeepHeader", "KeepTogether", "OutlineText", "PrintChildIfInvisible", "PrintIfDetailEmpty", "RowCount", "StartNewPage", "Stretched", "OnMasterDetail"});
    return b.Build();
  }();
  return info;
}

TfrxDataBand::TfrxDataBand(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxMasterData::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxMasterData, TfrxDataBand).Build();
  return info;
}

TfrxMasterData::TfrxMasterData(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxDetailData::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxDetailData, TfrxDataBand).Build();
  return info;
}

TfrxDetailData::TfrxDetailData(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxSubdetailData::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxSubdetailData, TfrxDataBand).Build();
  return info;
}

TfrxSubdetailData::TfrxSubdetailData(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxDataBand4::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxDataBand4, TfrxDataBand).Build();
  return info;
}

TfrxDataBand4::TfrxDataBand4(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxDataBand5::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxDataBand5, TfrxDataBand).Build();
  return info;
}

TfrxDataBand5::TfrxDataBand5(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxDataBand6::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxDataBand6, TfrxDataBand).Build();
  return info;
}

TfrxDataBand6::TfrxDataBand6(TComponent* owner) : TfrxDataBand(owner) {}

const ClassInfo& TfrxHeader::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxHeader, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "ReprintOnNewPage", "StartNewPage", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxHeader::TfrxHeader(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxFooter::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxFooter, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxFooter::TfrxFooter(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxGroupHeader::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxGroupHeader, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "Condition", "DrillDown", "ExpandDrillDown", "KeepChild", "KeepTogether", "ReprintOnNewPage", "OutlineText", "PrintChildIfInvisible", "ResetPageNumbers", "ShowFooterIfDrillDown", "ShowChildIfDrillDown", "StartNewPage", "Stretched", "DrillName"});
    return b.Build();
  }();
  return info;
}

TfrxGroupHeader::TfrxGroupHeader(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxGroupFooter::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxGroupFooter, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "HideIfSingleDataRecord", "KeepChild", "PrintChildIfInvisible", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxGroupFooter::TfrxGroupFooter(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxPageHeader::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxPageHeader, TfrxBand);
    PublishBandProperties(b, {"Child", "PrintChildIfInvisible", "PrintOnFirstPage", "Stretched"});
    // Page headers print on the first page unless told otherwise.
    PublishBandProperty(b, "PrintOnFirstPage").Default(true);
    return b.Build();
  }();
  return info;
}

TfrxPageHeader::TfrxPageHeader(TComponent* owner) : TfrxBand(owner) { SetPrintOnFirstPage(true); }

const ClassInfo& TfrxPageFooter::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxPageFooter, TfrxBand);
    PublishBandProperties(b, {"PrintOnFirstPage", "PrintOnLastPage"});
    PublishBandProperty(b, "PrintOnFirstPage").Default(true);
    PublishBandProperty(b, "PrintOnLastPage").Default(true);
    return b.Build();
  }();
  return info;
}

TfrxPageFooter::TfrxPageFooter(TComponent* owner) : TfrxBand(owner) {
  SetPrintOnFirstPage(true);
  SetPrintOnLastPage(true);
}

const ClassInfo& TfrxColumnHeader::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxColumnHeader, TfrxBand);
    PublishBandProperties(b, {"Child", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxColumnHeader::TfrxColumnHeader(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxColumnFooter::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxColumnFooter, TfrxBand).Build();
  return info;
}

TfrxColumnFooter::TfrxColumnFooter(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxReportTitle::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxReportTitle, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxReportTitle::TfrxReportTitle(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxReportSummary::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxReportSummary, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxReportSummary::TfrxReportSummary(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxChild::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxChild, TfrxBand);
    PublishBandProperties(b, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    return b.Build();
  }();
  return info;
}

TfrxChild::TfrxChild(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxOverlay::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxOverlay, TfrxBand);
    PublishBandProperties(b, {"PrintOnTop"});
    return b.Build();
  }();
  return info;
}

TfrxOverlay::TfrxOverlay(TComponent* owner) : TfrxBand(owner) {}

const ClassInfo& TfrxNullBand::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxNullBand, TfrxBand).Build();
  return info;
}

TfrxNullBand::TfrxNullBand(TComponent* owner) : TfrxBand(owner) {}

}  // namespace quarlo
