#pragma once
// The listed pages written into a PDF as they are: each page on paper of its own size
// and orientation, in list order with repeats kept, drawn as printing draws them (vector
// text and graphics, embedded fonts), with the report's outline as bookmarks and its
// hyperlinks as link annotations (print/pdf_structure.h). No print option applies: copies, reverse order,
// odd/even pages and the sheet modes belong to printing. The PDF export of the preview,
// "quarlo-cli pdf" and anything else that must write the same PDF use this.
#include <functional>
#include <string>
#include <vector>

class QIODevice;

namespace quarlo {

class TfrxCustomPreviewPages;
class TfrxPageList;

struct PdfPagesOptions {
  int dpi = 600;       // device resolution the pages are drawn at
  std::string title;   // document title (UTF-8); empty: none
  bool pdfA = false;   // archival PDF/A-1b instead of plain PDF
  // Runs after each page written with its 0-based index; false cancels the rest.
  std::function<bool(int pageIndex)> pageWritten;
};

struct PdfPagesResult {
  int pagesWritten = 0;
  bool cancelled = false;
  // Why the document is not complete; empty when it is (or was cancelled).
  std::string error;
  // Failures met while drawing pages ("page 3: ..."); the rest of each page is drawn.
  std::vector<std::string> pageErrors;
  // What the file leaves out of the report's structure because of the limits on
  // bookmarks and links, as a sentence; empty when nothing.
  std::string structureNote;
  bool Complete() const { return error.empty() && !cancelled; }
};

// Writes the pages of the list onto out, a device open for writing, once the whole
// document is made: an incomplete one writes nothing. A list naming no page of the
// report writes nothing and says so in error.
PdfPagesResult WritePdfPages(TfrxCustomPreviewPages& pages, const TfrxPageList& list, QIODevice& out,
                             const PdfPagesOptions& options = {});

// The same into the file path: written beside it under another name and renamed over
// it only when complete, so a cancelled or failed run leaves no partial file and an
// older file of that name untouched.
PdfPagesResult WritePdfPagesToFile(TfrxCustomPreviewPages& pages, const TfrxPageList& list,
                                   const std::string& path, const PdfPagesOptions& options = {});

}  // namespace quarlo
