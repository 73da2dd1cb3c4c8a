#pragma once
// The placeholder of an embedded report page. Subreports are never written into
// prepared pages; the class exists so that templates naming it can be read.

#include <string>

#include "objects/view.h"

namespace quarlo {

class TfrxReportPage;

class TfrxSubreport : public TfrxView {
  QUARLO_CLASS(TfrxSubreport)
 public:
  explicit TfrxSubreport(TComponent* owner);
  ~TfrxSubreport() override;

  // The embedded page (not owned). The link is dropped when either side goes away.
  TfrxReportPage* Page() const { return page_; }
  void SetPage(TfrxReportPage* page);
  bool PrintOnParent() const { return printOnParent_; }
  void SetPrintOnParent(bool v) { printOnParent_ = v; }

 private:
  friend class TfrxReportPage;
  TfrxReportPage* page_ = nullptr;
  bool printOnParent_ = false;
};

}  // namespace quarlo
