#pragma once
// A printer that writes its jobs into one PDF file, every sheet on paper of exactly the
// size it was set up with and with no unprintable margin, so the print job with all its
// options can run, and be read back, with no printer installed. The file is an
// OutputFile: complete when the job ends, or not there at all ("-": standard output).
#include <QPageLayout>
#include <memory>
#include <string>

#include "print/printers.h"

class QPainter;
class QPdfWriter;

namespace quarlo {

class OutputDevice;
class OutputFile;
class QPainterCanvas;

class PdfFilePrinter final : public TfrxCustomPrinter {
 public:
  // Jobs go to path unless an output file name is set; dpi is the device resolution.
  PdfFilePrinter(std::string path, int dpi = 600);
  ~PdfFilePrinter() override;

  void Initialize() override;
  void AbortJob() override;
  void StartJob() override;
  void StartSheet() override;
  void StartRawJob() override;
  void EndJob() override;
  void EndSheet() override;
  void EndRawJob() override;
  void WriteRaw(std::string_view text) override;
  void ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) override;
  void ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation, int bin,
                       TfrxDuplexMode duplex, int copies) override;
  bool ShowProperties() override { return false; }
  Canvas* GetCanvas() override;

  // Sheets written by the last job, and why it failed (empty when it did not).
  int SheetsWritten() const { return sheets_; }
  const std::string& LastError() const { return lastError_; }

 private:
  std::string Target() const { return outputFileName_.empty() ? path_ : outputFileName_; }
  void Finish();
  void Fail(const std::string& reason);

  std::string path_;
  // Declared before the writer, which writes into the device until it is destroyed.
  std::unique_ptr<OutputFile> output_;
  std::unique_ptr<OutputDevice> device_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QPainterCanvas> canvas_;
  bool inSheet_ = false;
  bool failed_ = false;
  int sheets_ = 0;
  std::string raw_;
  std::string lastError_;
};

// The page layout of a PDF sheet of exactly widthMm x heightMm as it lies, with no
// margin: a sheet wider than high is a landscape sheet of the portrait paper.
QPageLayout PdfSheetLayout(double widthMm, double heightMm);

// A printer list holding only a PDF file printer writing to path.
PrinterSource PdfFilePrinterSource(const std::string& path, int dpi = 600);

}  // namespace quarlo
