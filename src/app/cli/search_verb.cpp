// quarlo-cli search FILE TEXT [--case] [--from N]: every place the preview's find
// stops at, in the order repeated finds reach them.
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_verbs.h"
#include "report/report.h"
#include "document/preview_pages.h"
#include "preview/text_search.h"
#include "platform/utf_text.h"

namespace quarlo::cli {

namespace {

bool ParsePageNumber(const std::string& text, int* page) {
  try {
    std::size_t used = 0;
    *page = std::stoi(text, &used);
    return used == text.size() && *page >= 1;
  } catch (const std::exception&) {
    return false;
  }
}

int Search(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("search");
  std::string file, text;
  bool haveText = false, caseSensitive = false;
  int from = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--case") {
      caseSensitive = true;
    } else if (a == "--from" && i + 1 < args.size()) {
      if (!ParsePageNumber(args[++i], &from)) return UsageError(self, err, "--from takes a page number (1-based)");
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else if (!file.empty() && !haveText && (a.empty() || a[0] != '-' || a == "-")) {
      text = a;
      haveText = true;
    } else {
      return UsageError(self, err, "unexpected argument '" + a + "'");
    }
  }
  if (file.empty() || !haveText) return UsageError(self, err, "expects FILE and TEXT");

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  pages.LoadFromFile(file, true);

  TextSearchState& state = SearchState();
  state.searchText = Utf8ToUtf16(text);
  state.caseSensitive = caseSensitive;
  TextSearchCursor cursor;
  cursor.Reset();
  cursor.SetMatchPage(from - 1);
  int matches = 0;
  while (cursor.FindNextMatch(pages)) {
    const CanvasRect& r = state.matchRect;
    out << cursor.MatchPage() + 1 << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
    ++matches;
  }
  return matches ? kExitOk : kExitFailure;
}

}  // namespace

QUARLO_CLI_VERB(.name = "search", .usage = "FILE TEXT [--case] [--from N]",
                .summary = "list where the preview's find stops for a text",
                .details = "One line per match, in the order repeated finds reach them:\n"
                           "  PAGE LEFT TOP RIGHT BOTTOM\n"
                           "PAGE is 1-based; the rectangle is the matched text line in report pixels\n"
                           "(96 per inch) from the page's top-left corner, right and bottom exclusive.\n"
                           "A line holding the text twice is one match; a text broken over two lines\n"
                           "is not found. Without --case, letters match in any case.\n"
                           "--from N starts at page N (default 1).\n"
                           "Exit status 0 with matches, 1 with none (nothing on stdout) or an\n"
                           "unreadable file, 2 for a wrong command line.",
                .needsGui = true, .run = &Search);

}  // namespace quarlo::cli
