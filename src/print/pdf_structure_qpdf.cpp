// The bookmarks and link annotations written into a finished PDF with qpdf: the pages,
// their content streams and the file's metadata are copied as they are (no stream is
// decoded again), so the pages stay exactly as the export drew them.
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <qpdf/Buffer.hh>

#include <exception>
#include <memory>
#include <vector>

#include "print/pdf_structure.h"

namespace quarlo {

namespace {

using Handle = QPDFObjectHandle;

struct PageBox {
  Handle page;
  double left = 0, top = 0;  // the top-left corner of the media box, in PDF coordinates
};

std::vector<PageBox> PageBoxes(QPDF& pdf) {
  std::vector<PageBox> boxes;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    const Handle::Rectangle media = page.getMediaBox().getArrayAsRectangle();
    boxes.push_back({page.getObjectHandle(), media.llx, media.ury});
  }
  return boxes;
}

Handle Number(double v) { return Handle::newReal(v, 2, true); }

// [page /XYZ null top null]: the page opened at that height, zoom and left kept.
Handle Destination(const std::vector<PageBox>& boxes, const PdfDestination& d) {
  const PageBox& box = boxes[static_cast<std::size_t>(d.page)];
  Handle dest = Handle::newArray();
  dest.appendItem(box.page);
  dest.appendItem(Handle::newName("/XYZ"));
  dest.appendItem(Handle::newNull());
  dest.appendItem(Number(box.top - d.top));
  dest.appendItem(Handle::newNull());
  return dest;
}

bool Valid(const std::vector<PageBox>& boxes, const std::optional<PdfDestination>& d) {
  return d && d->page >= 0 && static_cast<std::size_t>(d->page) < boxes.size();
}

void AddBookmarks(QPDF& pdf, const std::vector<PageBox>& boxes, const std::vector<PdfBookmark>& bookmarks) {
  const std::size_t n = bookmarks.size();
  std::vector<Handle> items;
  items.reserve(n);
  for (const PdfBookmark& b : bookmarks) {
    Handle item = pdf.makeIndirectObject(Handle::newDictionary());
    item.replaceKey("/Title", Handle::newUnicodeString(b.title));
    if (Valid(boxes, b.destination)) item.replaceKey("/Dest", Destination(boxes, *b.destination));
    items.push_back(item);
  }
  Handle outlines = pdf.makeIndirectObject(Handle::newDictionary());
  outlines.replaceKey("/Type", Handle::newName("/Outlines"));
  // Every entry is open: its /Count is the number of entries below it.
  std::vector<long long> below(n, 0);
  for (std::size_t i = n; i-- > 0;) {
    const int parent = bookmarks[i].parent;
    if (parent >= 0) below[static_cast<std::size_t>(parent)] += 1 + below[i];
  }
  std::vector<Handle> lastChild(n);
  Handle lastTop;
  for (std::size_t i = 0; i < n; ++i) {
    const int p = bookmarks[i].parent;
    Handle parent = p >= 0 ? items[static_cast<std::size_t>(p)] : outlines;
    Handle& last = p >= 0 ? lastChild[static_cast<std::size_t>(p)] : lastTop;
    items[i].replaceKey("/Parent", parent);
    if (last.isInitialized()) {
      last.replaceKey("/Next", items[i]);
      items[i].replaceKey("/Prev", last);
    } else {
      parent.replaceKey("/First", items[i]);
    }
    parent.replaceKey("/Last", items[i]);
    last = items[i];
    if (below[i] > 0) items[i].replaceKey("/Count", Handle::newInteger(below[i]));
  }
  outlines.replaceKey("/Count", Handle::newInteger(static_cast<long long>(n)));
  Handle root = pdf.getRoot();
  root.replaceKey("/Outlines", outlines);
  root.replaceKey("/PageMode", Handle::newName("/UseOutlines"));
}

void AddLinks(QPDF& pdf, const std::vector<PageBox>& boxes, const std::vector<PdfLink>& links) {
  for (const PdfLink& link : links) {
    if (link.page < 0 || static_cast<std::size_t>(link.page) >= boxes.size()) continue;
    if (!link.destination && link.uri.empty()) continue;
    if (link.destination && !Valid(boxes, link.destination)) continue;
    const PageBox& box = boxes[static_cast<std::size_t>(link.page)];
    Handle annot = pdf.makeIndirectObject(Handle::newDictionary());
    annot.replaceKey("/Type", Handle::newName("/Annot"));
    annot.replaceKey("/Subtype", Handle::newName("/Link"));
    Handle rect = Handle::newArray();
    rect.appendItem(Number(box.left + link.rect.left));
    rect.appendItem(Number(box.top - link.rect.bottom));
    rect.appendItem(Number(box.left + link.rect.right));
    rect.appendItem(Number(box.top - link.rect.top));
    annot.replaceKey("/Rect", rect);
    Handle border = Handle::newArray();
    for (int i = 0; i < 3; ++i) border.appendItem(Handle::newInteger(0));
    annot.replaceKey("/Border", border);
    // Printable, as archival PDF requires of every annotation.
    annot.replaceKey("/F", Handle::newInteger(4));
    if (link.destination) {
      annot.replaceKey("/Dest", Destination(boxes, *link.destination));
    } else {
      Handle action = Handle::newDictionary();
      action.replaceKey("/S", Handle::newName("/URI"));
      action.replaceKey("/URI", Handle::newString(link.uri));
      annot.replaceKey("/A", action);
    }
    Handle page = box.page;
    Handle annots = page.getKey("/Annots");
    if (!annots.isArray()) {
      annots = Handle::newArray();
      page.replaceKey("/Annots", annots);
    }
    annots.appendItem(annot);
  }
}

}  // namespace

std::string AddPdfStructure(std::string_view document, const PdfStructure& structure, std::string& out) {
  try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("PDF", document.data(), document.size());
    const std::vector<PageBox> boxes = PageBoxes(pdf);
    if (!structure.bookmarks.empty()) AddBookmarks(pdf, boxes, structure.bookmarks);
    AddLinks(pdf, boxes, structure.links);
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setObjectStreamMode(qpdf_o_disable);
    // Archival PDF wants an end of line before every "endstream".
    writer.setNewlineBeforeEndstream(true);
    writer.write();
    const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
    out.assign(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
  } catch (const std::exception& e) {
    return std::string("cannot add the outline and links: ") + e.what();
  }
  return {};
}

}  // namespace quarlo
