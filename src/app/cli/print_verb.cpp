// quarlo-cli print FILE [options]: the print job without the dialog, the options set
// from the command line as the print dialog would set them.
#include <cstdlib>
#include <exception>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_verbs.h"
#include "report/report.h"
#include "platform/errors.h"
#include "print/qt/spooler_printers.h"
#include "print/page_list.h"
#include "print/print_job.h"
#include "print/print_sequence.h"
#include "print/printer_texts.h"
#include "print/printers.h"
#include "print/qt/printers_cups.h"

namespace quarlo::cli {

namespace {

bool ParseInt(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  const int v = std::atoi(text.c_str());
  if (v < low || v > high) return false;
  *value = v;
  return true;
}

struct PrintRequest {
  std::string file;
  std::string printer;
  std::string pages;
  int copies = 1;
  bool collate = true;
  TfrxPrintPages parity = TfrxPrintPages::ppAll;
  bool reverse = false;
  TfrxPrintMode mode = TfrxPrintMode::pmDefault;
  int sheet = 0;  // 0: the printer's current paper
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;
  std::string output;
};

// Empty on success, else what is wrong with the command line.
std::string ParseRequest(const std::vector<std::string>& args, PrintRequest& r) {
  bool odd = false, even = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() -> const std::string& { return args[++i]; };
    if (a == "--printer" && hasValue) {
      r.printer = value();
    } else if (a == "--pages" && hasValue) {
      r.pages = value();
    } else if (a == "--copies" && hasValue) {
      if (!ParseInt(value(), 1, kMaxCopies, &r.copies))
        return "--copies takes a whole number from 1 to " + std::to_string(kMaxCopies);
    } else if (a == "--no-collate") {
      r.collate = false;
    } else if (a == "--odd") {
      odd = true;
      r.parity = TfrxPrintPages::ppOdd;
    } else if (a == "--even") {
      even = true;
      r.parity = TfrxPrintPages::ppEven;
    } else if (a == "--reverse") {
      r.reverse = true;
    } else if (a == "--mode" && hasValue) {
      const std::string& m = value();
      if (m == "default") r.mode = TfrxPrintMode::pmDefault;
      else if (m == "split") r.mode = TfrxPrintMode::pmSplit;
      else if (m == "join") r.mode = TfrxPrintMode::pmJoin;
      else if (m == "scale") r.mode = TfrxPrintMode::pmScale;
      else return "--mode takes default, split, join or scale";
    } else if (a == "--sheet" && hasValue) {
      if (!ParseInt(value(), 1, 256, &r.sheet)) return "--sheet takes a paper code from 1 to 256";
    } else if (a == "--duplex" && hasValue) {
      const std::string& d = value();
      if (d == "none") r.duplex = TfrxDuplexMode::dmNone;
      else if (d == "vertical") r.duplex = TfrxDuplexMode::dmVertical;
      else if (d == "horizontal") r.duplex = TfrxDuplexMode::dmHorizontal;
      else if (d == "simplex") r.duplex = TfrxDuplexMode::dmSimplex;
      else return "--duplex takes none, vertical, horizontal or simplex";
    } else if (a == "--output" && hasValue) {
      r.output = value();
      if (r.output.empty()) return "--output takes a file name";
    } else if (r.file.empty() && !a.empty() && a[0] != '-') {
      r.file = a;
    } else {
      return "unexpected argument '" + a + "'";
    }
  }
  if (odd && even) return "--odd and --even exclude each other";
  if (r.file.empty()) return "expects FILE";
  if (r.sheet != 0 && r.mode == TfrxPrintMode::pmDefault) return "--sheet needs --mode split, join or scale";
  try {
    ParsePageList(r.pages, 1);
  } catch (const Exception& e) {
    return std::string("--pages: ") + e.what();
  }
  return std::string();
}

int Print(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("print");
  PrintRequest request;
  if (const std::string problem = ParseRequest(args, request); !problem.empty())
    return UsageError(self, err, problem);

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  pages.LoadFromFile(request.file, true);

  TfrxPrinters& printers = GlobalPrinters();
  if (!request.printer.empty() && printers.HasRealPrinters() && printers.IndexOfName(request.printer) < 0) {
    err << "quarlo-cli print: no printer named '" << request.printer << "'\n";
    return kExitFailure;
  }
  bool failed = false;
  SetPrinterErrorHandler([&](const std::string& message) {
    err << "quarlo-cli print: " << message << '\n';
    failed = true;
  });
  struct ResetHandler {
    ~ResetHandler() { SetPrinterErrorHandler(nullptr); }
  } resetHandler;

  TfrxPrintOptions& options = report.PrintOptions();
  options.SetShowDialog(true);  // the command line plays the dialog
  if (!request.printer.empty()) options.SetPrinter(request.printer);
  options.SetPageNumbers(request.pages);
  options.SetCopies(request.copies);
  options.SetCollate(request.collate);
  options.SetPrintPages(request.parity);
  options.SetReverse(request.reverse);
  options.SetPrintMode(request.mode);
  // Errors met while printing come back as an exception with their list.
  report.EngineOptions().SetNewSilentMode(simReThrow);

  PrintJobServices services;
  services.printers = &printers;
  services.showError = [&](const std::string& message) {
    err << "quarlo-cli print: " << message << '\n';
    failed = true;
  };
  services.showDialog = [&](TfrxReport& r, TfrxDuplexMode& duplex) {
    TfrxCustomPrinter* printer = printers.CurrentPrinter();
    if (!printer) return false;
    r.PrintOptions().SetPrintOnSheet(request.sheet != 0 ? request.sheet : printer->Paper());
    printer->SetOutputFileName(request.output);
    duplex = request.duplex;
    return true;
  };
  const bool ran = PrintReportPages(pages, services);
  if (!ran || failed) return kExitFailure;
  TfrxCustomPrinter* printer = printers.CurrentPrinter();
  if (!request.output.empty()) {
    out << request.output << '\n';
  } else if (auto* queue = dynamic_cast<TfrxPrinter*>(printer)) {
    for (int id : queue->LastJobIds()) out << queue->Name() << '-' << id << '\n';
  }
  return kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "print",
                .usage = "FILE [--printer NAME] [--pages LIST] [--copies N] [--no-collate] [--odd|--even] "
                         "[--reverse] [--mode default|split|join|scale] [--sheet CODE] "
                         "[--duplex none|vertical|horizontal|simplex] [--output FILE]",
                .summary = "print a report on a printer (or into a file) without the print dialog",
                .details = "Pages are a list such as 1,3,5-12 (1-based; 5- runs to the last page).\n"
                           "--sheet is the paper code of the sheet for the split, join and scale modes\n"
                           "(9 is A4; default the printer's paper). --output writes the job as PDF into\n"
                           "FILE instead of sending it. Prints the spooler job ids (PRINTER-ID), one a line.\n"
                           "Exit status 1 when no printer is installed or printing failed, 2 for bad arguments.",
                .needsGui = true, .run = &Print);

}  // namespace quarlo::cli
