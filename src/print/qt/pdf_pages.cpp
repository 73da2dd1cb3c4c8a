#include "print/qt/pdf_pages.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <exception>
#include <memory>

#include "document/preview_pages.h"
#include "platform/errors.h"
#include "platform/output_file.h"
#include "print/qt/output_device.h"
#include "objects/report_page.h"
#include "platform/qt/qpainter_canvas.h"
#include "print/page_list.h"
#include "print/pdf_structure.h"
#include "print/printers.h"
#include "print/qt/print_job_pdf.h"

namespace quarlo {

namespace {

constexpr const char* kNoListedPageText = "the page list names no page of the report";

std::string PageError(int index, const std::string& what) { return "page " + std::to_string(index + 1) + ": " + what; }

}  // namespace

PdfPagesResult WritePdfPages(TfrxCustomPreviewPages& pages, const TfrxPageList& list, QIODevice& out,
                             const PdfPagesOptions& options) {
  PdfPagesResult result;
  const int dpi = std::clamp(options.dpi, 72, 2400);
  // The document is made in memory: the bookmarks and links go into it once every page
  // is written.
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  PdfStructureCollector structure;
  QPdfWriter writer(&document);
  writer.setResolution(dpi);
  if (options.pdfA) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  writer.setCreator(QStringLiteral("Quarlo"));
  if (!options.title.empty()) writer.setTitle(QString::fromStdString(options.title));
  QPainter painter;
  auto* store = dynamic_cast<TfrxPreviewPages*>(&pages);
  const double scale = dpi / 96.0;
  try {
    list.ForEachListedPage(pages.Count(), [&](int idx) {
      const TfrxReportPage* page = pages.PageObject(idx);
      if (!page || !PlausiblePaperSize(page->PaperWidth(), page->PaperHeight())) {
        result.error = PageError(idx, "the page cannot be built");
        return false;
      }
      writer.setPageLayout(PdfSheetLayout(page->PaperWidth(), page->PaperHeight()));
      if (result.pagesWritten == 0) {
        if (!painter.begin(&writer)) {
          result.error = "cannot write the PDF";
          return false;
        }
      } else {
        writer.newPage();
      }
      structure.AddWrittenPage(idx, *page);
      {
        QPainterCanvas canvas(painter, CanvasKind::Printer, dpi, dpi);
        try {
          pages.PaintPage(idx, canvas, scale, scale, 0, 0);
        } catch (const std::exception& e) {
          result.pageErrors.push_back(PageError(idx, e.what()));
        }
      }
      ++result.pagesWritten;
      if (store) store->EmptyBuiltPages();
      if (options.pageWritten && !options.pageWritten(idx)) {
        result.cancelled = true;
        return false;
      }
      return true;
    });
  } catch (const std::exception& e) {
    result.error = e.what();
  }
  if (painter.isActive()) painter.end();
  if (result.pagesWritten == 0 && result.error.empty() && !result.cancelled) result.error = kNoListedPageText;
  if (!result.Complete()) return result;
  const PdfStructure found = structure.Finish(pages);
  result.structureNote = found.DroppedText();
  std::string withStructure;
  const QByteArray& drawn = document.data();
  if (!found.Empty()) {
    result.error = AddPdfStructure(std::string_view(drawn.constData(), static_cast<std::size_t>(drawn.size())),
                                   found, withStructure);
    if (!result.error.empty()) return result;
  }
  const char* bytes = found.Empty() ? drawn.constData() : withStructure.data();
  const qint64 size = found.Empty() ? drawn.size() : static_cast<qint64>(withStructure.size());
  if (out.write(bytes, size) != size) result.error = "cannot write the PDF: " + out.errorString().toStdString();
  return result;
}

PdfPagesResult WritePdfPagesToFile(TfrxCustomPreviewPages& pages, const TfrxPageList& list,
                                   const std::string& path, const PdfPagesOptions& options) {
  PdfPagesResult result;
  try {
    // Complete or not there at all: see platform/output_file.h.
    OutputFile output(path);
    OutputDevice device(output);
    result = WritePdfPages(pages, list, device, options);
    // The device knows why a write failed; the writer only that one did.
    if (!device.Failure().empty()) result.error = CannotWriteText(path, device.Failure());
    if (result.Complete()) output.Commit();
  } catch (const EStreamError& e) {
    result.error = CannotWriteText(path, e.what());
  }
  if (!result.Complete()) result.pagesWritten = 0;
  return result;
}

}  // namespace quarlo
