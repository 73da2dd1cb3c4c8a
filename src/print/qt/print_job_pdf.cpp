#include "print/qt/print_job_pdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <utility>

#include "platform/errors.h"
#include "platform/output_file.h"
#include "platform/qt/qpainter_canvas.h"
#include "print/qt/output_device.h"

namespace quarlo {

QPageLayout PdfSheetLayout(double widthMm, double heightMm) {
  // A sheet wider than high is a landscape sheet of the portrait paper, as viewers expect.
  const bool landscape = widthMm > heightMm;
  const QPageSize size(QSizeF(std::min(widthMm, heightMm), std::max(widthMm, heightMm)), QPageSize::Millimeter,
                       QString(), QPageSize::ExactMatch);
  return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                     QPageLayout::Millimeter);
}

PdfFilePrinter::PdfFilePrinter(std::string path, int dpi)
    : TfrxCustomPrinter("PDF", std::string()), path_(std::move(path)) {
  dpiX_ = dpiY_ = std::clamp(dpi, 72, 2400);
}

PdfFilePrinter::~PdfFilePrinter() {
  if (printing_) AbortJob();
}

void PdfFilePrinter::Initialize() { InitializeFromPaperTable(); }

// Margins are none: the file is the sheet itself.
void PdfFilePrinter::ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) {
  TakeTablePaper(code, width, height, orientation, false, 0);
}

void PdfFilePrinter::ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation,
                                         int, TfrxDuplexMode, int) {
  ApplyViewPaper(code, width, height, orientation);
}

void PdfFilePrinter::StartJob() {
  if (printing_) return;
  printing_ = true;
  failed_ = false;
  sheets_ = 0;
  lastError_.clear();
  try {
    output_ = std::make_unique<OutputFile>(Target());
  } catch (const EStreamError& e) {
    Fail(e.what());
    return;
  }
  device_ = std::make_unique<OutputDevice>(*output_);
  writer_ = std::make_unique<QPdfWriter>(device_.get());
  writer_->setResolution(dpiX_);
  writer_->setCreator(QStringLiteral("Quarlo"));
  writer_->setTitle(QString::fromStdString(DocumentName()));
}

void PdfFilePrinter::StartSheet() {
  if (!writer_ || failed_) return;
  canvas_.reset();
  writer_->setPageLayout(PdfSheetLayout(paperWidth_, paperHeight_));
  if (!painter_) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get())) {
      painter_.reset();
      Fail("cannot write " + Target());
      return;
    }
  } else {
    writer_->newPage();
  }
  canvas_ = std::make_unique<QPainterCanvas>(*painter_, CanvasKind::Printer, dpiX_, dpiY_);
  inSheet_ = true;
  ++sheets_;
}

void PdfFilePrinter::EndSheet() {
  inSheet_ = false;
  canvas_.reset();
}

Canvas* PdfFilePrinter::GetCanvas() { return inSheet_ ? canvas_.get() : nullptr; }

void PdfFilePrinter::Finish() {
  canvas_.reset();
  inSheet_ = false;
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
  writer_.reset();
  printing_ = false;
}

void PdfFilePrinter::Fail(const std::string& reason) {
  lastError_ = reason;
  ReportPrinterError(lastError_);
  failed_ = true;
  sheets_ = 0;
}

void PdfFilePrinter::EndJob() {
  if (!printing_) return;
  Finish();
  if (!output_) return;
  // The file takes its name only once every byte of it is on disk.
  try {
    if (device_ && !device_->Failure().empty()) throw EStreamError(device_->Failure());
    output_->Commit();
  } catch (const EStreamError& e) {
    output_->Discard();
    Fail(e.what());
  }
  device_.reset();
  output_.reset();
}

void PdfFilePrinter::AbortJob() {
  if (!printing_) return;
  Finish();
  // A cancelled job is no document: nothing half written is left behind.
  if (output_) output_->Discard();
  device_.reset();
  output_.reset();
  sheets_ = 0;
}

void PdfFilePrinter::StartRawJob() { raw_.clear(); }

void PdfFilePrinter::WriteRaw(std::string_view text) { raw_.append(text); }

void PdfFilePrinter::EndRawJob() {
  try {
    WriteOutput(Target(), [&](Stream& out) { out.Write(raw_); });
  } catch (const EStreamError& e) {
    Fail(e.what());
  }
  raw_.clear();
}

PrinterSource PdfFilePrinterSource(const std::string& path, int dpi) {
  PrinterSource source;
  source.enumerate = [] { return std::vector<PrinterSource::Queue>{{"PDF", ""}}; };
  source.defaultName = [] { return std::string("PDF"); };
  source.make = [path, dpi](const PrinterSource::Queue&) -> std::unique_ptr<TfrxCustomPrinter> {
    return std::make_unique<PdfFilePrinter>(path, dpi);
  };
  return source;
}

}  // namespace quarlo
