// quarlo-cli text FILE [--pages LIST] [--layout] [-o FILE]: the words of the pages in
// reading order, read from the same page recording the preview's find walks; one form
// feed after each page.
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_pages.h"
#include "app/cli/cli_verbs.h"
#include "document/page_recording.h"
#include "document/preview_pages.h"
#include "platform/codepage.h"
#include "platform/recorded_text.h"
#include "platform/recording_canvas.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr CliOption kTextOptions[] = {
    {"-o --output", "FILE", "write the text into FILE instead of standard output"},
    kPagesOption,
    {"--layout", nullptr, "place each piece of text at the column of its left edge"},
};

int Text(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("text");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 1) return UsageError(self, err, "expects FILE");
  const std::string& file = a->Operands()[0];
  const std::string pageList = a->ValueOr("--pages", "");
  const bool layout = a->Has("--layout");
  if (std::string problem = PageListProblem(pageList); !problem.empty()) return UsageError(self, err, problem);

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);
  const std::vector<int> listed = ListedPages(pageList, pages.Count());
  if (listed.empty()) return WorkError(self, err, NoListedPageText(pageList, pages.Count()));

  std::ostringstream text;
  int status = kExitOk;
  for (const int index : listed) {
    std::string problem;
    const std::unique_ptr<RecordingCanvas> recording = RecordPage(pages, index, &problem);
    if (!problem.empty()) {
      // What the page did draw is still written.
      err << "quarlo-cli text: page " << index + 1 << ": " << problem << '\n';
      status = kExitFailure;
    }
    text << WideToUtf8(RecordedText(recording->Records(), layout)) << '\f';
    pages.EmptyBuiltPages();
  }
  const std::string* output = a->Value("-o");
  if (!output) {
    out << text.str();
    return status;
  }
  if (std::string problem = WriteOutputFile(*output, text.str()); !problem.empty())
    return WorkError(self, err, problem);
  out << *output << '\n';
  return status;
}

}  // namespace

QUARLO_CLI_VERB(.name = "text", .usage = "FILE [--pages LIST] [--layout] [-o FILE]",
                .summary = "write the text of pages in reading order, a form feed after each page",
                .details = "Text pieces are read as the preview's find sees them, in the order its copy\n"
                           "of a selection uses: lines from top to bottom, pieces of a line from left\n"
                           "to right with a space where two do not touch.\n"
                           "--layout places each piece at the column of its left edge instead,\n"
                           "so table columns line up (Chinese characters take two columns).\n"
                           "Output is UTF-8 on standard output, or in FILE with -o (then its name is printed).",
                .needsGui = true, .run = &Text, .options = kTextOptions);

}  // namespace quarlo::cli
