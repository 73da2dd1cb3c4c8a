#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <exception>
#include <vector>

#include "print/pdf_sheet_copies.h"

namespace quarlo {
namespace {

using Handle = QPDFObjectHandle;
using Page = QPDFPageObjectHelper;

// An empty page with the media box of the given one.
Page BlankPageLike(QPDF& pdf, Page& page) {
  Handle blank = Handle::newDictionary();
  blank.replaceKey("/Type", Handle::newName("/Page"));
  blank.replaceKey("/MediaBox", Handle::newArray(page.getMediaBox().getArrayAsRectangle()));
  blank.replaceKey("/Resources", Handle::newDictionary());
  return Page(pdf.makeIndirectObject(blank));
}

}  // namespace

bool WriteUncollatedCopies(const std::string& inPath, const std::string& outPath, int copies, bool twoSided,
                           std::string& error) {
  try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);  // a damaged file fails below
    pdf.processFile(inPath.c_str());
    QPDFPageDocumentHelper document(pdf);
    const std::vector<Page> pages = document.getAllPages();
    const std::size_t pagesPerSheet = twoSided ? 2 : 1;
    const long sheets = static_cast<long>((pages.size() + pagesPerSheet - 1) / pagesPerSheet);
    if (copies < 1 || sheets * static_cast<long>(pagesPerSheet) * copies > kMaxLaidOutPages) {
      error = "more than " + std::to_string(kMaxLaidOutPages) + " pages with the copies";
      return false;
    }
    for (std::size_t first = 0; first < pages.size(); first += pagesPerSheet) {
      std::vector<Page> sheet(pages.begin() + static_cast<long>(first),
                              pages.begin() + static_cast<long>(std::min(first + pagesPerSheet, pages.size())));
      Page last = sheet.back();
      if (sheet.size() < pagesPerSheet) {
        Page blank = BlankPageLike(pdf, last);
        document.addPageAt(blank, false, last);
        sheet.push_back(blank);
        last = blank;
      }
      for (int copy = 2; copy <= copies; ++copy) {
        for (Page& side : sheet) {
          Page again = side.shallowCopyPage();
          document.addPageAt(again, false, last);
          last = again;
        }
      }
    }
    QPDFWriter writer(pdf, outPath.c_str());
    // The page entries added, packed and compressed together, cost little beside the
    // shared content.
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

}  // namespace quarlo
