// quarlo-cli pdf FILE -o OUT.pdf [--pages LIST] [--dpi N] [--pdfa]: the listed pages
// drawn as printing draws them into a PDF file, each on paper of its own size, in list
// order, with the outline as bookmarks and the links as link annotations, as the
// preview's PDF export writes them. Needs no printer.
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_pages.h"
#include "app/cli/cli_verbs.h"
#include "document/preview_pages.h"
#include "print/page_list.h"
#include "print/qt/pdf_pages.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr CliOption kPdfOptions[] = {
    {"-o --output", "FILE", "write the PDF into FILE"},
    kPagesOption,
    {"--dpi -r", "N", "resolution the pages are drawn at, 72 to 2400 dots per inch (default 600)"},
    {"--pdfa", nullptr, "write archival PDF/A-1b"},
};

int Pdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("pdf");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 1 || !a->Value("-o")) return UsageError(self, err, "expects FILE and -o OUT.pdf");
  const std::string& file = a->Operands()[0];
  const std::string& output = *a->Value("-o");
  const std::string pageList = a->ValueOr("--pages", "");
  int dpi = 600;
  if (const std::string* v = a->Value("--dpi"); v && !ParseWholeNumber(*v, 72, 2400, &dpi))
    return UsageError(self, err, "--dpi takes a whole number from 72 to 2400");
  if (std::string problem = PageListProblem(pageList); !problem.empty()) return UsageError(self, err, problem);

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);
  if (ListedPages(pageList, pages.Count()).empty())
    return WorkError(self, err, NoListedPageText(pageList, pages.Count()));

  // The pages as they are: the print options stored in the file do not apply.
  PdfPagesOptions options;
  options.dpi = dpi;
  options.pdfA = a->Has("--pdfa");
  options.title = report.ReportOptions().NameUtf8();
  const PdfPagesResult result = WritePdfPagesToFile(pages, ParsePageList(pageList, pages.Count()), output, options);
  for (const std::string& error : result.pageErrors) WorkError(self, err, error);
  if (!result.Complete()) {
    WarnLeftOutClasses(err, "pdf", pages);
    return WorkError(self, err, result.error);
  }
  if (!result.structureNote.empty()) WorkError(self, err, result.structureNote);
  if (!result.pageErrors.empty()) return kExitFailure;
  WarnLeftOutClasses(err, "pdf", pages);
  ReportWritten(out, output);
  return kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "pdf", .usage = "FILE -o OUT.pdf [--pages LIST] [--dpi N] [--pdfa]",
                .summary = "write pages into a PDF file as they print, each on paper of its own size",
                .details = "The listed pages in list order, repeats kept; the print settings stored in\n"
                           "the file (copies, order, odd/even pages, sheet mode) do not apply.\n"
                           "The report's outline becomes bookmarks and its links link annotations.\n"
                           "Needs no printer. Prints the name of the file written.\n"
                           "FILE - reads standard input; -o - writes the PDF to standard output.",
                .needsGui = true, .run = &Pdf, .options = kPdfOptions);

}  // namespace quarlo::cli
