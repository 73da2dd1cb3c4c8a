// quarlo-cli resave IN OUT: loads a prepared report and saves it again, as the
// preview's save button does. OUT is replaced only once it is completely written.
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_verbs.h"
#include "document/preview_pages.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

int Resave(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("resave");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 2) return UsageError(self, err, "expects an input and an output file name");
  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, a->Operands()[0]);
  pages.SaveToFile(a->Operands()[1]);
  return kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "resave", .usage = "IN OUT",
                .summary = "load a prepared report and save it again",
                .details = "Writes OUT as the viewer's save does. OUT is replaced only once the\n"
                           "whole document is written; on any error it is left as it was.\n"
                           "IN - reads standard input, OUT - writes standard output.",
                .run = &Resave);

}  // namespace quarlo::cli
