#include "objects/subreport.h"

#include "objects/report_page.h"

namespace quarlo {

const ClassInfo& TfrxSubreport::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxSubreport;
    auto b = QUARLO_CLASS_BUILDER(TfrxSubreport, TfrxView);
    b.Reference<TfrxReportPage>("Page", &S::Page, &S::SetPage);
    b.Bool("PrintOnParent", &S::PrintOnParent, &S::SetPrintOnParent).Default(false);
    return b.Build();
  }();
  return info;
}

TfrxSubreport::TfrxSubreport(TComponent* owner) : TfrxView(owner) {
  Frame().SetTyp(ftAll);
  Font().SetName("Tahoma");
  Font().SetSize(8);
  SetColor(clSilver);
}

TfrxSubreport::~TfrxSubreport() { SetPage(nullptr); }

void TfrxSubreport::SetPage(TfrxReportPage* page) {
  if (page_ == page) return;
  if (page_ && page_->subReport_ == this) page_->subReport_ = nullptr;
  page_ = page;
  if (page_) page_->subReport_ = this;
}

}  // namespace quarlo
