#include "app/cli/cli_print_job.h"

#include <ostream>
#include <string>

#include "app/cli/cli_verbs.h"
#include "document/preview_pages.h"
#include "print/printer_texts.h"
#include "print/printers.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

// The job's own messages come from the program's (Chinese) resource table; the
// command line speaks English.
std::string InEnglish(const std::string& message) {
  if (message == PrinterText("clNoPrinters")) return "no printer is installed";
  if (message == kNoPageToPrintText) return "no page to print: the odd/even choice leaves none of the listed pages";
  return message;
}

}  // namespace

bool RunPrintJob(const Verb& verb, TfrxPreviewPages& pages, PrintJobServices services, std::ostream& err) {
  auto* report = dynamic_cast<TfrxReport*>(pages.Report());
  bool failed = false;
  auto fail = [&](const std::string& message) {
    WorkError(verb, err, InEnglish(message));
    failed = true;
  };
  SetPrinterErrorHandler(fail);
  struct ResetHandler {
    ~ResetHandler() { SetPrinterErrorHandler(nullptr); }
  } resetHandler;
  services.showError = fail;
  // Errors met while printing pages are collected by the report and listed here one a
  // line, without the dialog's header.
  if (report) report->EngineOptions().SetNewSilentMode(simSilent);
  const bool ran = PrintReportPages(pages, services);
  if (report) {
    for (const std::string& error : report->Errors()) fail(error);
  }
  return ran && !failed;
}

}  // namespace quarlo::cli
