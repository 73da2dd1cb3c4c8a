// quarlo-cli search FILE TEXT [--case] [--from N] [--pages LIST]: every place the
// preview's find stops at, in the order repeated finds reach them.
#include <algorithm>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_pages.h"
#include "app/cli/cli_verbs.h"
#include "document/preview_pages.h"
#include "platform/utf_text.h"
#include "preview/text_search.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr CliOption kSearchOptions[] = {
    {"--case", nullptr, "letters match only in the same case"},
    {"--from", "N", "start at page N (default 1)"},
    kPagesOption,
};

int Search(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("search");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 2) return UsageError(self, err, "expects FILE and TEXT");
  const std::string& file = a->Operands()[0];
  const std::string& text = a->Operands()[1];
  int from = 1;
  if (const std::string* v = a->Value("--from"); v && !ParseWholeNumber(*v, 1, std::numeric_limits<int>::max(), &from))
    return UsageError(self, err, "--from takes a page number (1-based)");
  const std::string list = a->ValueOr("--pages", "");
  if (std::string problem = PageListProblem(list); !problem.empty()) return UsageError(self, err, problem);

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);
  std::vector<bool> searched(static_cast<std::size_t>(pages.Count()));
  for (int index : ListedPages(list, pages.Count())) searched[static_cast<std::size_t>(index)] = true;
  if (!list.empty() && std::find(searched.begin(), searched.end(), true) == searched.end())
    return WorkError(self, err, NoListedPageText(list, pages.Count()));

  TextSearchState& state = SearchState();
  state.searchText = Utf8ToUtf16(text);
  state.caseSensitive = a->Has("--case");
  TextSearchCursor cursor;
  cursor.Reset();
  cursor.SetMatchPage(from - 1);
  int matches = 0;
  while (cursor.FindNextMatch(pages)) {
    if (!searched[static_cast<std::size_t>(cursor.MatchPage())]) continue;
    const CanvasRect& r = state.matchRect;
    out << cursor.MatchPage() + 1 << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
    ++matches;
  }
  return matches ? kExitOk : kExitFailure;
}

}  // namespace

QUARLO_CLI_VERB(.name = "search", .usage = "FILE TEXT [--case] [--from N] [--pages LIST]",
                .summary = "list where the preview's find stops for a text",
                .details = "One line per match, in the order repeated finds reach them:\n"
                           "  PAGE LEFT TOP RIGHT BOTTOM\n"
                           "PAGE is 1-based; the rectangle is the matched text line in report pixels\n"
                           "(96 per inch) from the page's top-left corner, right and bottom exclusive.\n"
                           "A line holding the text twice is one match; a text broken over two lines\n"
                           "is not found. Without --case, letters match in any case. A TEXT that\n"
                           "starts with '-' follows '--': search FILE -- -total.\n"
                           "Exit status, as grep's: 0 with matches, 1 with none (nothing on standard\n"
                           "output), 2 for any error (a wrong command line, an unreadable file, a page\n"
                           "list naming no page of the report).",
                .needsGui = true, .run = &Search, .options = kSearchOptions, .failureStatus = kExitUsage);

}  // namespace quarlo::cli
