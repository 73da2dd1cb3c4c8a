#include "print/qt/pdf_export.h"

#include <string>

#include "report/report.h"
#include "report/report_progress.h"
#include "print/page_list.h"
#include "print/qt/pdf_pages.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

// Ends the report's progress however the run ends.
struct ExportProgress {
  explicit ExportProgress(TfrxReport* report) : report_(report) {
    if (!report_) return;
    report_->SetTerminated(false);
    report_->ProgressStart(ptExporting);
  }
  ~ExportProgress() {
    if (report_) report_->ProgressStop(ptExporting);
  }
  void Step(int page) {
    if (report_) report_->ProgressStep(ptExporting, page);
  }
  bool Cancelled() const { return report_ && report_->Terminated(); }
  TfrxReport* report_;
};

}  // namespace

std::string TfrxPDFExport::Description() const { return ResText(151).toStdString(); }

bool TfrxPDFExport::Run(TfrxCustomPreviewPages& pages) {
  lastError_.clear();
  structureNote_.clear();
  pagesWritten_ = 0;
  const TfrxPageList list = ParsePageList(PageNumbers, pages.Count());
  if (FileName.empty()) {
    lastError_ = "no file name";
    return false;
  }
  auto* report = dynamic_cast<TfrxReport*>(pages.Report());
  if (report) report->Errors().clear();
  ExportProgress progress(report);
  PdfPagesOptions options;
  options.dpi = Dpi;
  options.pdfA = PdfA;
  if (report) options.title = report->ReportOptions().NameUtf8();
  options.pageWritten = [&](int idx) {
    progress.Step(idx + 1);
    return !progress.Cancelled();
  };
  const PdfPagesResult result = WritePdfPagesToFile(pages, list, FileName, options);
  if (!result.Complete()) {
    lastError_ = result.error;
    return false;
  }
  pagesWritten_ = result.pagesWritten;
  structureNote_ = result.structureNote;
  if (report) {
    // Pages that failed in part are told once the file is written.
    for (const std::string& e : result.pageErrors) report->Errors().insert(e);
    report->ReportCollectedErrors();
  }
  return true;
}

}  // namespace quarlo
