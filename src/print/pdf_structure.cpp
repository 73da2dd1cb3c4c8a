#include "print/pdf_structure.h"

#include <cstdio>
#include <utility>

#include "document/anchors.h"
#include "document/outline.h"
#include "document/preview_pages.h"
#include "document/preview_pages_pointer.h"
#include "document/report_file_sections.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "objects/view.h"
#include "platform/codepage.h"
#include "xml/xml_document.h"

namespace quarlo {

namespace {

// Report pixels are 96 to the inch, PDF points 72.
constexpr double kPointsPerPixel = 72.0 / 96.0;

// A URI action takes 7-bit text: the address as UTF-8 with every other byte, space and
// control character percent-encoded.
std::string UriText(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : SystemToUtf8(url)) {
    if (c <= 0x20 || c >= 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

const TfrxXMLItem* OutlineSection(TfrxCustomPreviewPages& pages) {
  const TfrxXMLItem* root = pages.XMLDocument().Root();
  if (!root) return nullptr;
  const int index = root->Find(kOutlineSection);
  return index < 0 ? nullptr : root->Items(index);
}

}  // namespace

std::string PdfStructure::DroppedText() const {
  std::string text;
  if (bookmarksDropped > 0)
    text = std::to_string(bookmarksDropped) + " outline entries beyond the first " + std::to_string(kMaxPdfBookmarks);
  if (linksDropped > 0) {
    if (!text.empty()) text += " and ";
    text += std::to_string(linksDropped) + " links beyond the first " + std::to_string(kMaxPdfLinks);
  }
  return text.empty() ? text : "the PDF leaves out " + text;
}

void PdfStructureCollector::AddWrittenPage(int reportIndex, const TfrxReportPage& page) {
  const int pdfPage = static_cast<int>(written_.size());
  const bool mirrored = page.MirrorMargins() && reportIndex % 2 == 1;
  const double leftMargin = (mirrored ? page.RightMargin() : page.LeftMargin()) * fr01cm;
  const double topMargin = page.TopMargin() * fr01cm;
  written_.push_back({reportIndex, topMargin * kPointsPerPixel});
  if (reportIndex >= static_cast<int>(pdfPageOfReportPage_.size()))
    pdfPageOfReportPage_.resize(static_cast<std::size_t>(reportIndex) + 1, -1);
  if (pdfPageOfReportPage_[static_cast<std::size_t>(reportIndex)] < 0)
    pdfPageOfReportPage_[static_cast<std::size_t>(reportIndex)] = pdfPage;

  for (const TfrxComponent* c : page.AllObjects()) {
    const auto* view = c->IsView() ? dynamic_cast<const TfrxView*>(c) : nullptr;
    if (!view || view->URL().empty()) continue;
    if (links_.size() >= kMaxPdfLinks) {
      ++linksDropped_;
      continue;
    }
    const double left = leftMargin + view->AbsLeft();
    const double top = topMargin + view->AbsTop();
    links_.push_back({pdfPage,
                      {left * kPointsPerPixel, top * kPointsPerPixel, (left + view->Width()) * kPointsPerPixel,
                       (top + view->Height()) * kPointsPerPixel},
                      view->URL()});
  }
}

// Where the preview scrolls for (page, top): the page's top edge for top 0, otherwise
// top pixels below the printable area's top.
std::optional<PdfDestination> PdfStructureCollector::DestinationOf(int reportIndex, int top) const {
  if (reportIndex < 0 || reportIndex >= static_cast<int>(pdfPageOfReportPage_.size())) return std::nullopt;
  const int pdfPage = pdfPageOfReportPage_[static_cast<std::size_t>(reportIndex)];
  if (pdfPage < 0) return std::nullopt;
  const double below = top == 0 ? 0 : written_[static_cast<std::size_t>(pdfPage)].topMargin + top * kPointsPerPixel;
  return PdfDestination{pdfPage, below};
}

PdfStructure PdfStructureCollector::Finish(TfrxCustomPreviewPages& pages) {
  PdfStructure s;
  s.linksDropped = linksDropped_;
  for (PendingLink& pending : links_) {
    PdfLink link{pending.pdfPage, pending.rect, {}, std::nullopt};
    const std::string& url = pending.url;
    int number = 0;
    if (url[0] == '@') {
      if (!ParsePageLink(url, number)) continue;
      link.destination = DestinationOf(number - 1, 0);
    } else if (url[0] == '#') {
      const TfrxXMLItem* anchor = FindAnchor(pages, std::string_view(url).substr(1));
      if (!anchor) continue;
      int top = 0, page = 0;
      ReadItemPosition(*anchor, top, page);
      link.destination = DestinationOf(page, top);
    } else {
      link.uri = UriText(url);
    }
    // A jump to a page that is not in the file goes nowhere and is left out.
    if (link.uri.empty() && !link.destination) continue;
    s.links.push_back(std::move(link));
  }

  // The outline walked without recursion, each entry after its parent.
  if (const TfrxXMLItem* section = OutlineSection(pages)) {
    struct Level {
      const TfrxXMLItem* item;
      int next;
      int bookmark;
    };
    std::vector<Level> stack{{section, 0, -1}};
    while (!stack.empty()) {
      Level& level = stack.back();
      if (level.next >= level.item->Count()) {
        stack.pop_back();
        continue;
      }
      const TfrxXMLItem* item = level.item->Items(level.next++);
      if (s.bookmarks.size() >= kMaxPdfBookmarks) {
        ++s.bookmarksDropped;
        continue;
      }
      int top = 0, page = 0;
      ReadItemPosition(*item, top, page);
      s.bookmarks.push_back({SystemToUtf8(ReadItemText(*item, pages.XMLDocument())), level.bookmark, DestinationOf(page, top)});
      stack.push_back({item, 0, static_cast<int>(s.bookmarks.size()) - 1});
    }
  }
  return s;
}

}  // namespace quarlo
