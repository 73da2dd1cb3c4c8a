// quarlo-cli print FILE [options]: the print job without the dialog, the options set
// from the command line as the print dialog would set them.
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_pages.h"
#include "app/cli/cli_print_job.h"
#include "app/cli/cli_verbs.h"
#include "app/cli/paper_names.h"
#include "document/preview_pages.h"
#include "platform/paper_table.h"
#include "print/print_job.h"
#include "print/print_sequence.h"
#include "print/printers.h"
#include "print/qt/printers_cups.h"
#include "print/qt/spooler_printers.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr CliOption kPrintOptions[] = {
    {"--printer -d", "NAME", "the printer (default: the system's default printer)"},
    kPagesOption,
    {"--copies -n", "N", "number of copies (default 1)"},
    {"--no-collate", nullptr, "print the copies of each page together"},
    {"--odd", nullptr, "only the odd pages"},
    {"--even", nullptr, "only the even pages"},
    {"--reverse", nullptr, "the last page first"},
    {"--mode", "MODE", "default, split, join or scale: how pages go onto the sheet"},
    {"--sheet", "PAPER", "the sheet for split, join and scale: a name (A4, Letter ...) or a paper code"},
    {"--duplex", "SIDES", "one-sided, long-edge or short-edge (or simplex, vertical, horizontal); none: each page's own"},
    {"--output", "FILE", "write the job as PDF into FILE instead of sending it (-: standard output)"},
};

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

template <typename Value>
struct Word {
  std::string_view word;
  Value value;
};

template <typename Value, std::size_t N>
bool ReadWord(const std::string& text, const Word<Value> (&words)[N], Value* value) {
  for (const Word<Value>& w : words) {
    if (w.word == text) {
      *value = w.value;
      return true;
    }
  }
  return false;
}

constexpr Word<TfrxPrintMode> kModes[] = {{"default", TfrxPrintMode::pmDefault},
                                          {"split", TfrxPrintMode::pmSplit},
                                          {"join", TfrxPrintMode::pmJoin},
                                          {"scale", TfrxPrintMode::pmScale}};
// The print dialog's words beside the spooler's.
constexpr Word<TfrxDuplexMode> kDuplexModes[] = {
    {"none", TfrxDuplexMode::dmNone},           {"simplex", TfrxDuplexMode::dmSimplex},
    {"one-sided", TfrxDuplexMode::dmSimplex},   {"vertical", TfrxDuplexMode::dmVertical},
    {"long-edge", TfrxDuplexMode::dmVertical},  {"horizontal", TfrxDuplexMode::dmHorizontal},
    {"short-edge", TfrxDuplexMode::dmHorizontal}};

// A paper name, or a code of the paper table (or the custom code).
bool ReadSheet(const std::string& text, int* sheet) {
  if (const int named = PaperCodeOfName(text)) {
    *sheet = named;
    return true;
  }
  int code = 0;
  if (!ParseWholeNumber(text, 1, kCustomPaperCode, &code)) return false;
  if (code != kCustomPaperCode && !PaperDimensions(code).found) return false;
  *sheet = code;
  return true;
}

// Empty on success, else what is wrong with the command line.
std::string ParseRequest(const std::vector<std::string>& args, std::span<const CliOption> options, PrintRequest& r) {
  CliArguments a;
  if (std::string problem = ParseCliArguments(args, options, a); !problem.empty()) {
    // In the spooler's tools -o sets job options: say where the output file goes here.
    if (problem == "unknown option '-o'") problem += "; the output file is --output FILE";
    return problem;
  }
  if (a.Operands().size() != 1) return "expects FILE";
  r.file = a.Operands()[0];
  if (const std::string* v = a.Value("--printer")) r.printer = *v;
  if (const std::string* v = a.Value("--pages")) r.pages = *v;
  if (const std::string* v = a.Value("--copies"); v && !ParseWholeNumber(*v, 1, kMaxCopies, &r.copies))
    return "--copies takes a whole number from 1 to " + std::to_string(kMaxCopies);
  r.collate = !a.Has("--no-collate");
  if (a.Has("--odd") && a.Has("--even")) return "--odd and --even exclude each other";
  if (a.Has("--odd")) r.parity = TfrxPrintPages::ppOdd;
  if (a.Has("--even")) r.parity = TfrxPrintPages::ppEven;
  r.reverse = a.Has("--reverse");
  if (const std::string* v = a.Value("--mode"); v && !ReadWord(*v, kModes, &r.mode))
    return "--mode takes default, split, join or scale";
  if (const std::string* v = a.Value("--sheet"); v && !ReadSheet(*v, &r.sheet))
    return "--sheet takes a paper name (" + std::string(PaperNameList()) + ") or a paper code; '" + *v +
           "' is neither";
  if (const std::string* v = a.Value("--duplex"); v && !ReadWord(*v, kDuplexModes, &r.duplex))
    return "--duplex takes one-sided, long-edge, short-edge, none, simplex, vertical or horizontal";
  if (const std::string* v = a.Value("--output")) {
    r.output = *v;
    if (r.output.empty()) return "--output takes a file name";
  }
  if (r.sheet != 0 && r.mode == TfrxPrintMode::pmDefault) return "--sheet needs --mode split, join or scale";
  return PageListProblem(r.pages);
}

int Print(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("print");
  PrintRequest request;
  if (const std::string problem = ParseRequest(args, self.options, request); !problem.empty())
    return UsageError(self, err, problem);

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, request.file);
  if (ListedPages(request.pages, pages.Count()).empty())
    return WorkError(self, err, NoListedPageText(request.pages, pages.Count()));

  TfrxPrinters& printers = GlobalPrinters();
  if (!printers.HasRealPrinters()) return WorkError(self, err, "no printer is installed");
  if (!request.printer.empty() && printers.IndexOfName(request.printer) < 0)
    return WorkError(self, err, "no printer named '" + request.printer + "'");

  TfrxPrintOptions& options = report.PrintOptions();
  options.SetShowDialog(true);  // the command line plays the dialog
  if (!request.printer.empty()) options.SetPrinter(request.printer);
  options.SetPageNumbers(request.pages);
  options.SetCopies(request.copies);
  options.SetCollate(request.collate);
  options.SetPrintPages(request.parity);
  options.SetReverse(request.reverse);
  options.SetPrintMode(request.mode);

  PrintJobServices services;
  services.printers = &printers;
  services.showDialog = [&](TfrxReport& r, TfrxDuplexMode& duplex) {
    TfrxCustomPrinter* printer = printers.CurrentPrinter();
    if (!printer) return false;
    r.PrintOptions().SetPrintOnSheet(request.sheet != 0 ? request.sheet : printer->Paper());
    printer->SetOutputFileName(request.output);
    duplex = request.duplex;
    return true;
  };
  const bool printed = RunPrintJob(self, pages, services, err);
  WarnLeftOutClasses(err, "print", pages);
  if (!printed) return kExitFailure;
  TfrxCustomPrinter* printer = printers.CurrentPrinter();
  if (!request.output.empty()) {
    ReportWritten(out, request.output);
  } else if (auto* queue = dynamic_cast<TfrxPrinter*>(printer)) {
    for (int id : queue->LastJobIds()) out << queue->Name() << '-' << id << '\n';
  }
  return kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "print", .usage = "FILE [options]",
                .summary = "print a report on a printer (or into a file) without the print dialog",
                .details = "Prints the spooler job ids (PRINTER-ID), one a line, or the --output FILE.\n"
                           "The words of the spooler's own tools are understood: -d for --printer,\n"
                           "-n for --copies, one-sided, long-edge and short-edge for --duplex, paper names\n"
                           "for --sheet. -o is not an output file here: in those tools it sets job options.\n"
                           "Exit status 1 when no printer is installed, the list names no page of the\n"
                           "report or printing failed, 2 for a wrong command line.",
                .needsGui = true, .run = &Print, .options = kPrintOptions);

}  // namespace quarlo::cli
