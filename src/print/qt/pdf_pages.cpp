#include "print/qt/pdf_pages.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include "document/preview_pages.h"
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
  const std::string temp = path + ".part";
  PdfPagesResult result;
  {
    QFile file(QString::fromStdString(temp));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      result.error = "cannot write " + path;
      return result;
    }
    result = WritePdfPages(pages, list, file, options);
    file.close();
    if (result.Complete() && file.error() != QFileDevice::NoError)
      result.error = "cannot write " + path + ": " + file.errorString().toStdString();
  }
  if (!result.Complete()) {
    QFile::remove(QString::fromStdString(temp));
    result.pagesWritten = 0;
    return result;
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) {
    QFile::remove(QString::fromStdString(temp));
    result.error = "cannot write " + path + ": " + error.message();
    result.pagesWritten = 0;
  }
  return result;
}

}  // namespace quarlo
