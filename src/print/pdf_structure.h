#pragma once
// What a written PDF carries besides its pages: the report's outline as bookmarks and
// its hyperlinks as link annotations. The PDF writer gathers it while it writes the pages
// (PdfStructureCollector) and adds it to the finished document (AddPdfStructure), so the
// pages themselves are drawn exactly as they print.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarlo {

class TfrxCustomPreviewPages;
class TfrxReportPage;

// A place in the written PDF: its page (0-based) and how far below the page's top edge
// the view opens, in points.
struct PdfDestination {
  int page = 0;
  double top = 0;
};

// A rectangle in points from the page's top-left corner.
struct PdfRect {
  double left = 0, top = 0, right = 0, bottom = 0;
};

struct PdfBookmark {
  std::string title;  // UTF-8
  int parent = -1;    // index of the enclosing bookmark, -1 at the top level
  std::optional<PdfDestination> destination;  // none: the entry's page is not in the file
};

struct PdfLink {
  int page = 0;  // 0-based page of the written PDF
  PdfRect rect;
  std::string uri;  // a web address (7-bit, percent-encoded) when not a jump inside the file
  std::optional<PdfDestination> destination;
};

struct PdfStructure {
  // In outline order, every bookmark after its parent.
  std::vector<PdfBookmark> bookmarks;
  std::vector<PdfLink> links;
  // Entries left out because the limits below were reached.
  std::int64_t bookmarksDropped = 0;
  std::int64_t linksDropped = 0;

  bool Empty() const { return bookmarks.empty() && links.empty(); }
  // What was left out, as a sentence for the user; empty when nothing was.
  std::string DroppedText() const;
};

// A hostile file may name millions of outline entries or links; beyond these the rest
// are left out (and counted) so the file stays of a reasonable size.
inline constexpr std::size_t kMaxPdfBookmarks = 100000;
inline constexpr std::size_t kMaxPdfLinks = 100000;

// Gathers the structure while the pages are written, one built page at a time, so no
// page has to be built twice.
class PdfStructureCollector {
 public:
  // The report page at reportIndex became the next page of the PDF; its views with a
  // URL become links. Call while the page is built.
  void AddWrittenPage(int reportIndex, const TfrxReportPage& page);
  // Resolves the links and the outline against the pages written.
  PdfStructure Finish(TfrxCustomPreviewPages& pages);

 private:
  struct WrittenPage {
    int reportIndex;
    double topMargin;  // points from the paper's top edge to the printable area
  };
  struct PendingLink {
    int pdfPage;
    PdfRect rect;
    std::string url;  // as stored: code page bytes
  };
  std::optional<PdfDestination> DestinationOf(int reportIndex, int top) const;

  std::vector<WrittenPage> written_;
  std::vector<int> pdfPageOfReportPage_;  // -1: not written; the first place a page went
  std::vector<PendingLink> links_;
  std::int64_t linksDropped_ = 0;
};

// The PDF document pdf with the bookmarks and link annotations added, into out. The
// document keeps its version, its metadata and every object it had, so a PDF/A document
// stays one. Returns an empty text on success, otherwise why it failed.
std::string AddPdfStructure(std::string_view pdf, const PdfStructure& structure, std::string& out);

}  // namespace quarlo
