// quarlo-cli pdf FILE -o OUT.pdf [--pages LIST] [--dpi N]: the pages drawn as the print
// job draws them into a PDF file, each page on paper of its own size. Needs no printer.
#include <cstdlib>
#include <exception>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_verbs.h"
#include "report/report.h"
#include "platform/errors.h"
#include "print/page_list.h"
#include "print/print_job.h"
#include "print/qt/print_job_pdf.h"
#include "print/printers.h"

namespace quarlo::cli {

namespace {

int Pdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("pdf");
  std::string file, output, pageList;
  int dpi = 600;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "-o" && hasValue) {
      output = args[++i];
    } else if (a == "--pages" && hasValue) {
      pageList = args[++i];
    } else if (a == "--dpi" && hasValue) {
      const std::string& v = args[++i];
      const bool digits = !v.empty() && v.size() <= 4 && v.find_first_not_of("0123456789") == std::string::npos;
      dpi = digits ? std::atoi(v.c_str()) : 0;
      if (dpi < 72 || dpi > 2400) return UsageError(self, err, "--dpi takes a whole number from 72 to 2400");
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else {
      return UsageError(self, err, "unexpected argument '" + a + "'");
    }
  }
  if (file.empty() || output.empty()) return UsageError(self, err, "expects FILE and -o OUT.pdf");
  try {
    ParsePageList(pageList, 1);
  } catch (const Exception& e) {
    return UsageError(self, err, std::string("--pages: ") + e.what());
  }

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  pages.LoadFromFile(file, true);

  TfrxPrinters printers(PdfFilePrinterSource(output, dpi));
  bool failed = false;
  SetPrinterErrorHandler([&](const std::string& message) {
    err << "quarlo-cli pdf: " << message << '\n';
    failed = true;
  });
  struct ResetHandler {
    ~ResetHandler() { SetPrinterErrorHandler(nullptr); }
  } resetHandler;

  TfrxPrintOptions& options = report.PrintOptions();
  options.SetShowDialog(false);
  options.SetPageNumbers(pageList);
  report.EngineOptions().SetNewSilentMode(simReThrow);
  PrintJobServices services;
  services.printers = &printers;
  services.showError = [&](const std::string& message) {
    err << "quarlo-cli pdf: " << message << '\n';
    failed = true;
  };
  const bool ran = PrintReportPages(pages, services);
  const auto* pdf = static_cast<const TfrxPdfFilePrinter*>(printers.CurrentPrinter());
  if (!ran || failed) return kExitFailure;
  if (pdf->SheetsWritten() == 0) {
    err << "quarlo-cli pdf: the page list names no page of the report (" << pages.Count() << " pages)\n";
    return kExitFailure;
  }
  out << output << '\n';
  return kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "pdf", .usage = "FILE -o OUT.pdf [--pages LIST] [--dpi N]",
                .summary = "write pages into a PDF file as they print, each on paper of its own size",
                .details = "Pages are a list such as 1,3,5-12 (1-based; 5- runs to the last page).\n"
                           "The pages are drawn at N dots per inch (default 600). Needs no printer.",
                .needsGui = true, .run = &Pdf);

}  // namespace quarlo::cli
