#include "print/qt/pdf_export.h"

#include <QFile>
#include <QString>
#include <exception>
#include <filesystem>
#include <system_error>

#include "report/report.h"
#include "report/report_progress.h"
#include "document/preview_pages.h"
#include "document/preview_pages_paint.h"
#include "objects/report_page.h"
#include "platform/paper_table.h"
#include "print/page_list.h"
#include "print/qt/print_job_pdf.h"
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

std::string TempNameFor(const std::string& target) { return target + ".part"; }

}  // namespace

std::string TfrxPDFExport::Description() const { return ResText(151).toStdString(); }

bool TfrxPDFExport::Run(TfrxCustomPreviewPages& pages) {
  lastError_.clear();
  pagesWritten_ = 0;
  const int pageCount = pages.Count();
  const TfrxPageList list = ParsePageList(PageNumbers, pageCount);
  if (FileName.empty()) {
    lastError_ = "no file name";
    return false;
  }
  if (list.Empty() && PageNumbers.find_first_not_of(' ') != std::string::npos) {
    lastError_ = "the page list names no page of the report";
    return false;
  }
  const std::string temp = TempNameFor(FileName);
  {
    QFile probe(QString::fromStdString(temp));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      lastError_ = "cannot write " + FileName;
      return false;
    }
  }

  TfrxPdfFilePrinter printer(temp, Dpi);
  printer.Initialize();
  auto* report = dynamic_cast<TfrxReport*>(pages.Report());
  if (report) report->Errors().clear();
  ExportProgress progress(report);
  const double scale = printer.DpiX() / 96.0;
  bool cancelled = false;
  bool started = false;
  try {
    list.ForEachListedPage(pageCount, [&](int idx) {
      if (progress.Cancelled()) {
        cancelled = true;
        return false;
      }
      TfrxReportPage* page = pages.PageObject(idx);
      if (!page || !PlausiblePaperSize(page->PaperWidth(), page->PaperHeight())) {
        lastError_ = "page " + std::to_string(idx + 1) + ": the page cannot be built";
        return false;
      }
      printer.ApplyViewPaper(page->PaperSize(), page->PaperWidth(), page->PaperHeight(), page->Orientation());
      if (!started) printer.StartJob();
      started = true;
      printer.StartSheet();
      Canvas* canvas = printer.GetCanvas();
      if (!canvas) {
        lastError_ = printer.LastError().empty() ? "cannot write " + FileName : printer.LastError();
        return false;
      }
      try {
        PaintPage(pages, idx, *canvas, scale, scale, 0, 0);
      } catch (const std::exception& e) {
        // The rest of the page is drawn; the failure is told once the file is written.
        if (report) report->Errors().insert("page " + std::to_string(idx + 1) + ": " + e.what());
      }
      printer.EndSheet();
      ++pagesWritten_;
      progress.Step(idx + 1);
      if (auto* store = dynamic_cast<TfrxPreviewPages*>(&pages)) store->EmptyBuiltPages();
      return true;
    });
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (cancelled || !lastError_.empty() || pagesWritten_ == 0) {
    if (printer.Printing()) printer.AbortJob();
    QFile::remove(QString::fromStdString(temp));
    if (lastError_.empty() && !cancelled) lastError_ = "the page list names no page of the report";
    pagesWritten_ = 0;
    return false;
  }
  printer.EndJob();
  std::error_code error;
  std::filesystem::rename(temp, FileName, error);
  if (error) {
    QFile::remove(QString::fromStdString(temp));
    lastError_ = "cannot write " + FileName + ": " + error.message();
    pagesWritten_ = 0;
    return false;
  }
  if (report) report->ReportCollectedErrors();
  return true;
}

}  // namespace quarlo
