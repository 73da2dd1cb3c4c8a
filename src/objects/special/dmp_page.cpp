#include "objects/special/dmp_page.h"

#include "objects/special/dmp_grid.h"
#include "objects/units.h"

namespace quarlo {

const ClassInfo& TfrxDMPPage::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxDMPPage, TfrxReportPage);
    b.Set("FontStyle", DotMatrixFontStyleMembers(), &TfrxDMPPage::FontStyle,
          &TfrxDMPPage::SetFontStyle);
    return b.Build();
  }();
  return info;
}

TfrxDMPPage::TfrxDMPPage(TComponent* owner) : TfrxReportPage(owner) {
  ApplyDotMatrixFont(Font(), fontStyle_);
  // The base constructor chose its paper before the grid rule was in place; a paper
  // off the grid would come back different from every save and load.
  SnapPaperWidth();
  SnapPaperHeight();
  UpdateDimensions();
}

void TfrxDMPPage::SetFontStyle(int styles) {
  fontStyle_ = styles & kDotMatrixStyleMask;
  ApplyDotMatrixFont(Font(), fontStyle_);
  for (TfrxComponent* c : AllObjects()) {
    if (c->ParentFont()) c->SetParentFont(true);
  }
}

void TfrxDMPPage::SnapPaperWidth() {
  StorePaperSize(RoundToCells(PaperWidth() * fr01cm, kCellWidth) / fr01cm, PaperHeight());
}

void TfrxDMPPage::SnapPaperHeight() {
  StorePaperSize(PaperWidth(), RoundToCells(PaperHeight() * fr01cm, kCellHeight) / fr01cm);
}

void TfrxDMPPage::SetDefaults(const PageDefaults& printer) {
  TfrxReportPage::SetDefaults(printer);
  SetLeftMargin(2.54);
  SetRightMargin(2.54);
  SetTopMargin(kCellHeight / fr01cm);
  SetBottomMargin(kCellHeight / fr01cm);
  StorePaperSize(TruncToCells(PaperWidth() * fr01cm, kCellWidth) / fr01cm,
                 TruncToCells(PaperHeight() * fr01cm, kCellHeight) / fr01cm);
  UpdateDimensions();
}

void TfrxDMPPage::SetPaperWidth(double v) {
  TfrxReportPage::SetPaperWidth(v);
  SnapPaperWidth();
  UpdateDimensions();
}

void TfrxDMPPage::SetPaperHeight(double v) {
  TfrxReportPage::SetPaperHeight(v);
  SnapPaperHeight();
  UpdateDimensions();
}

void TfrxDMPPage::SetPaperSize(int v) {
  TfrxReportPage::SetPaperSize(v);
  SnapPaperWidth();
  SnapPaperHeight();
  UpdateDimensions();
}

}  // namespace quarlo
