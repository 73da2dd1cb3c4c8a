#include "objects/standard_classes.h"

#include "objects/band.h"
#include "objects/class_registry.h"
#include "objects/frame.h"
#include "objects/highlight.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "objects/subreport.h"
#include "objects/view_style.h"

namespace quarlo {

void RegisterStandardClasses(const ClassInfo* reportClass) {
  const ClassInfo* const classes[] = {
      &TfrxChild::StaticClass(),        &TfrxColumnFooter::StaticClass(),
      &TfrxColumnHeader::StaticClass(), &TfrxCustomMemoView::StaticClass(),
      &TfrxMasterData::StaticClass(),   &TfrxDetailData::StaticClass(),
      &TfrxSubdetailData::StaticClass(), &TfrxDataBand4::StaticClass(),
      &TfrxDataBand5::StaticClass(),    &TfrxDataBand6::StaticClass(),
      &TfrxDialogPage::StaticClass(),   &TfrxFooter::StaticClass(),
      &TfrxFrame::StaticClass(),        &TfrxGroupFooter::StaticClass(),
      &TfrxGroupHeader::StaticClass(),  &TfrxHeader::StaticClass(),
      &TfrxHighlight::StaticClass(),    &TfrxLineView::StaticClass(),
      &TfrxMemoView::StaticClass(),     &TfrxOverlay::StaticClass(),
      &TfrxPageFooter::StaticClass(),   &TfrxPageHeader::StaticClass(),
      &TfrxPictureView::StaticClass(),  reportClass,
      &TfrxReportPage::StaticClass(),   &TfrxReportSummary::StaticClass(),
      &TfrxReportTitle::StaticClass(),  &TfrxShapeView::StaticClass(),
      &TfrxSubreport::StaticClass(),    &TfrxSysMemoView::StaticClass(),
      &TfrxStyleItem::StaticClass(),    &TfrxNullBand::StaticClass(),
      &TfrxCustomLineView::StaticClass(), &TfrxDataPage::StaticClass()};
  static_assert(std::size(classes) == 34);
  for (const ClassInfo* c : classes) {
    if (c) RegisterClass(*c);
  }
}

}  // namespace quarlo
