// The sample's barcode page through the print path: `quarlo-cli pdf`, rasterised by
// poppler at 300 dpi, then every symbol cut out on its own and read by zbar and by
// zxing-cpp. Each must decode to the data its object stands for.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "document/preview_pages.h"
#include "objects/report_page.h"
#include "objects/special/barcode_view.h"
#include "objects/units.h"
#include "platform/recording_canvas.h"
#include "support/barcode_scan.h"
#include "support/qt/grey_image.h"
#include "support/sample_report.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

constexpr int kDpi = 300;

struct Expected {
  const char* object;
  const char* zbar;   // zbarimg's line
  const char* zxing;  // zxing-cpp's format and data
};

// The symbols a decoder reads; MSI and the add-ons standing alone are read by neither.
const Expected kSymbols[] = {
    {"BarCode1", "EAN-8:12345670", "EAN8:12345670"},
    {"BarCode2", "EAN-13:4006381333931", "EAN13:4006381333931"},
    {"BarCode3", "UPC-A:036000291452", "UPCA:036000291452"},
    {"BarCode4", "UPC-E:04252614", "UPCE:04252614"},
    {"BarCode5", "CODE-39:CODE 39", "Code39:CODE 39"},
    // Neither decoder expands Code 39 full ASCII unless told to.
    {"BarCode6", "CODE-39:C+O+D+E 39", "Code39:C+O+D+E 39"},
    {"BarCode7", "CODE-93:TEST93", "Code93:TEST93"},
    {"BarCode8", "CODE-93:Code 93", "Code93:Code 93"},
    {"BarCode9", "CODE-128:CODE 128", "Code128:CODE 128"},
    {"BarCode10", "CODE-128:Code 128", "Code128:Code 128"},
    {"BarCode11", "CODE-128:12345678", "Code128:12345678"},
    {"BarCode12", "CODE-128:0109501101020917", "Code128:0109501101020917"},
    {"BarCode13", "I2/5:123457", "ITF:123457"},
    {"BarCode14", "Codabar:A40156B", "Codabar:40156"},  // zbar keeps start and stop
    {"BarCode16", "EAN-13:9780201379624", "EAN13:9780201379624"},
    {"BarCode20", "CODE-128:Quarlo", "Code128:Quarlo"},
    {"BarCode22", "EAN-13:5901234123457", "EAN13:5901234123457"},
    {"BarCode23", "EAN-13:5901234123457", "EAN13:5901234123457"},
    {"BarCode24", "EAN-13:5901234123457", "EAN13:5901234123457"},
    {"BarCode25", "EAN-13:5901234123457", "EAN13:5901234123457"},
};

// The rectangle of the symbol on the rasterised paper, with a quiet zone around it.
QRect PixelsOf(const TfrxReportPage& page, TfrxBarCodeView& view) {
  RecordingCanvas sizing;
  view.Draw(sizing, 1, 1, 0, 0);
  const ReportRect r = view.RealBounds();
  const double quiet = 10, k = kDpi / 96.0;
  const double left = page.LeftMargin() * fr01cm + r.Left - quiet;
  const double top = page.TopMargin() * fr01cm + r.Top - quiet;
  return QRect(static_cast<int>(left * k), static_cast<int>(top * k),
               static_cast<int>((r.Right - r.Left + 2 * quiet) * k), static_cast<int>((r.Bottom - r.Top + 2 * quiet) * k));
}

TEST(SampleBarcodesPdf, EverySymbolOfThePrintedPageDecodesToItsData) {
  if (!scan::ZbarAvailable() || !scan::ZxingAvailable() || std::system("pdftoppm -v >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "zbarimg, zxing-cpp or pdftoppm is not installed";
  }
  cli::PrepareDocumentClasses();
  const std::string sample = testing::SampleReportPath();
  TfrxPreviewPages pages(nullptr);
  pages.LoadFromFile(sample, true);
  int number = 0;
  for (int i = 0; i < pages.Count() && !number; ++i) {
    if (pages.PageObject(i)->FindObject("BarCode1")) number = i + 1;
  }
  ASSERT_GT(number, 0) << "no barcode page in the sample";

  ScratchFolder folder("sample-barcodes-pdf");
  const auto r = RunCli({"pdf", sample, "-o", folder.Path("page.pdf"), "--pages", std::to_string(number)});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string command = "pdftoppm -r " + std::to_string(kDpi) + " -png -singlefile '" + folder.Path("page.pdf") +
                              "' '" + folder.Path("page") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const QImage paper = QImage(QString::fromStdString(folder.Path("page.png"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(paper.isNull());

  TfrxReportPage* page = pages.PageObject(number - 1);
  for (const Expected& e : kSymbols) {
    SCOPED_TRACE(e.object);
    auto* view = As<TfrxBarCodeView>(page->FindObject(e.object));
    ASSERT_NE(view, nullptr);
    const scan::GreyImage symbol = scan::GreyOf(paper.copy(PixelsOf(*page, *view)));
    EXPECT_EQ(scan::ZbarDecode(symbol, {"upca.enable", "upce.enable"}), std::vector<std::string>{e.zbar});
    EXPECT_EQ(scan::ZxingDecode(symbol), e.zxing);
  }
}

}  // namespace
}  // namespace quarlo
