#include "print/print_job.h"

#include <exception>

#include "report/preview_host.h"
#include "report/report.h"
#include "document/preview_pages.h"
#include "document/preview_pages_print.h"
#include "platform/paper_table.h"
#include "print/page_list.h"
#include "print/print_job_run.h"
#include "print/print_sequence.h"
#include "print/printer_texts.h"
#include "print/printers.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

// Runs once the job has got past the dialog, however it ends.
void FinishJob(TfrxPreviewPages& pages, TfrxReport& report, const TfrxPrintOptions& saved) {
  if (report.Events().OnAfterPrintReport) report.Events().OnAfterPrintReport(report);
  pages.CurrentCopy = 0;
  // Choices made for this job last for it only; the duplex choice stays.
  const TfrxDuplexMode duplex = report.PrintOptions().DuplexMode();
  report.PrintOptions() = saved;
  report.PrintOptions().SetDuplexMode(duplex);
}

// The report's preview, if any, stays still while its pages print.
class PreviewLock {
 public:
  explicit PreviewLock(TfrxReport& report) : preview_(report.Preview()) {
    if (preview_) preview_->LockView();
  }
  ~PreviewLock() {
    if (preview_) preview_->UnlockView();
  }
  PreviewLock(const PreviewLock&) = delete;
  PreviewLock& operator=(const PreviewLock&) = delete;

 private:
  PreviewControl* preview_;
};

// False when nothing was printed because the options leave no page to print.
bool PrintWithOptions(TfrxPreviewPages& pages, TfrxReport& report, TfrxPrinters& printers,
                      TfrxDuplexMode duplexChoice, const std::function<void(const std::string&)>& showError) {
  TfrxCustomPrinter* printer = printers.CurrentPrinter();
  const TfrxPrintOptions& options = report.PrintOptions();
  PrintRunSheet sheet;
  if (printer && options.PrintMode() != TfrxPrintMode::pmDefault) {
    sheet.code = options.PrintOnSheet();
    const bool custom = sheet.code == kCustomPaperCode;
    printer->ApplyViewPaper(sheet.code, custom ? printer->PaperWidth() : 0, custom ? printer->PaperHeight() : 0,
                            TPrinterOrientation::poPortrait);
    sheet.width = printer->PaperWidth();
    sheet.height = printer->PaperHeight();
  }
  if (report.Events().OnPrintReport) report.Events().OnPrintReport(report);
  const PreviewLock lock(report);
  if (!printer || !printer->Initialized()) {
    showError(kPrinterNotValidText);
    return true;
  }
  const TfrxPageList list = ParsePageList(options.PageNumbers(), pages.Count());
  pages.EmptyBuiltPages();
  // An empty list stands for all pages only when nothing was typed: a text such as
  // "12-5" lists no page at all. A job that would print nothing says so instead of
  // quietly doing nothing.
  const bool typed = options.PageNumbers().find_first_not_of(' ') != std::string::npos;
  if ((list.Empty() && typed) ||
      !PrintsAnyPage(list, pages.Count(), RunOptionsOf(options, duplexChoice),
                     options.PrintMode() == TfrxPrintMode::pmJoin)) {
    showError(kNoPageToPrintText);
    return false;
  }
  RunPrintJob(pages, report, *printer, list, duplexChoice, sheet);
  return true;
}

}  // namespace

bool PrintReportPages(TfrxPreviewPages& pages, const PrintJobServices& services) {
  auto* report = dynamic_cast<TfrxReport*>(pages.Report());
  if (!report) return false;
  const auto showError = services.showError
                             ? services.showError
                             : std::function<void(const std::string&)>(
                                   [](const std::string& message) { frxResources().ShowErrorMsg(message); });
  if (!services.printers || !services.printers->HasRealPrinters()) {
    showError(PrinterText("clNoPrinters"));
    return false;
  }
  TfrxPrinters& printers = *services.printers;
  pages.PrintScale = 1;
  TfrxPrintOptions& options = report->PrintOptions();
  const TfrxPrintOptions saved = options;
  TfrxDuplexMode duplexChoice = options.DuplexMode();
  if (const int index = printers.IndexOfName(options.Printer()); index >= 0) printers.SetCurrentIndex(index);

  if (options.ShowDialog()) {
    const bool confirmed = !services.showDialog || services.showDialog(*report, duplexChoice);
    if (!confirmed) {
      pages.CurrentCopy = 0;
      return false;
    }
    options.SetDuplexMode(duplexChoice);
  } else if (TfrxCustomPrinter* printer = printers.CurrentPrinter()) {
    printer->SetOutputFileName(std::string());
  }

  bool printed = false;
  try {
    printed = PrintWithOptions(pages, *report, printers, duplexChoice, showError);
  } catch (...) {
    FinishJob(pages, *report, saved);
    throw;
  }
  FinishJob(pages, *report, saved);
  return printed;
}

void InstallPrintJob(PrintJobServices services) {
  SetPrintPagesHandler([services = std::move(services)](TfrxPreviewPages& pages) {
    return PrintReportPages(pages, services);
  });
}

}  // namespace quarlo
