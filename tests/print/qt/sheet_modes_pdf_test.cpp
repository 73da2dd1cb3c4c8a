// The scale, split and join modes printed into a PDF file and read back with poppler:
// sheet sizes and orientation (pdfinfo), the words in every corner of every page
// (pdftotext), and a circle measured on the rendered sheet (pdftoppm).
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "../print_job_fixture.h"
#include "objects/shape_view.h"
#include "print/qt/print_job_pdf.h"
#include "support/qt/run_tool.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using namespace print_job_test;
using M = TfrxPrintMode;
constexpr double kPxPerMm = 3.77953;  // report pixels
constexpr double kPointsPerMm = 72 / 25.4;

struct MarkedPage {
  double width = 0, height = 0;  // mm; 0 x 0 takes the paper code
  int paper = kCustomPaperCode;
  double circle = 0;  // diameter in mm of a filled circle in the middle, 0 for none
};

// Pages with the words TL<n>, TR<n>, BL<n> and BR<n> 3 mm inside their four corners.
std::string MakeMarkedReport(const std::vector<MarkedPage>& specs) {
  ReportGenerator g;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const MarkedPage& s = specs[i];
    TfrxReportPage& page = g.AddCompletePage();
    if (s.paper != kCustomPaperCode) {
      page.SetPaperSize(s.paper);
    } else {
      page.SetPaperWidth(s.width);
      page.SetPaperHeight(s.height);
    }
    for (auto set : {&TfrxReportPage::SetLeftMargin, &TfrxReportPage::SetTopMargin, &TfrxReportPage::SetRightMargin,
                     &TfrxReportPage::SetBottomMargin})
      (page.*set)(0);
    const double w = page.PaperWidth() * kPxPerMm, h = page.PaperHeight() * kPxPerMm;
    const double inset = 3 * kPxPerMm, boxW = 18 * kPxPerMm, boxH = 7 * kPxPerMm;
    const std::string n = std::to_string(i + 1);
    const struct {
      const char* name;
      double left, top;
    } corners[] = {{"TL", inset, inset},
                   {"TR", w - inset - boxW, inset},
                   {"BL", inset, h - inset - boxH},
                   {"BR", w - inset - boxW, h - inset - boxH}};
    for (const auto& c : corners) {
      auto* memo = new TfrxMemoView(&page);
      memo->SetBounds(c.left, c.top, boxW, boxH);
      memo->Memo().SetText(U16(c.name + n));
    }
    if (s.circle > 0) {
      auto* circle = new TfrxShapeView(&page);
      circle->SetShape(skEllipse);
      circle->SetColor(0);  // black
      const double d = s.circle * kPxPerMm;
      circle->SetBounds((w - d) / 2, (h - d) / 2, d, d);
    }
  }
  return g.Write();
}

class SheetModesPdf : public PrintJob {
 protected:
  void SetUp() override {
    PrintJob::SetUp();
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("job.pdf").toStdString();
  }
  // Prints the pages in the mode onto A4 sheets of the PDF file printer.
  void PrintMarked(const std::vector<MarkedPage>& specs, M mode) {
    MemoryStream stream(MakeMarkedReport(specs));
    report.PreviewPages().LoadFromStream(stream);
    Options().SetPrintMode(mode);
    Options().SetPrintOnSheet(kA4PaperCode);
    printers = std::make_unique<TfrxPrinters>(PdfFilePrinterSource(path, 150));
    ASSERT_TRUE(Print());
    ASSERT_TRUE(messages.empty()) << messages.front();
  }
  // Words of each sheet, sorted, space separated.
  std::vector<std::string> SheetWords() {
    std::vector<std::string> sheets;
    const auto info = spooler::ReadPdfInfo(path);
    for (int p = 1; info && p <= info->pages; ++p) {
      std::vector<std::string> words;
      for (const spooler::PdfWord& w : spooler::PdfPageWords(path, p)) words.push_back(w.text);
      std::sort(words.begin(), words.end());
      std::string all;
      for (const std::string& w : words) all += (all.empty() ? "" : " ") + w;
      sheets.push_back(all);
    }
    return sheets;
  }
  // Sheet sizes in whole mm as shown, "297x210".
  std::vector<std::string> SheetSizes() {
    std::vector<std::string> sizes;
    if (const auto info = spooler::ReadPdfInfo(path))
      for (const spooler::PdfPage& p : info->sizes)
        sizes.push_back(std::to_string(std::lround(p.width / kPointsPerMm)) + "x" +
                        std::to_string(std::lround(p.height / kPointsPerMm)));
    return sizes;
  }

  QTemporaryDir dir;
  std::string path;
};

std::string Markers(std::initializer_list<int> pages) {
  std::vector<std::string> words;
  for (int n : pages)
    for (const char* corner : {"BL", "BR", "TL", "TR"}) words.push_back(corner + std::to_string(n));
  std::sort(words.begin(), words.end());
  std::string all;
  for (const std::string& w : words) all += (all.empty() ? "" : " ") + w;
  return all;
}

struct JoinCase {
  const char* what;
  std::vector<MarkedPage> pages;
  int copies;
  std::vector<std::string> sheets;  // the corner words of each sheet
  std::vector<std::string> sizes;
};

TEST_F(SheetModesPdf, JoinPutsOnlyWholePagesOnEachSheet) {
  const MarkedPage a5{0, 0, 11}, a4{0, 0, kA4PaperCode};
  const JoinCase cases[] = {
      {"four 120 x 170 mm pages, two on each landscape sheet",
       std::vector<MarkedPage>(4, MarkedPage{120, 170}), 1,
       {Markers({1, 2}), Markers({3, 4})}, {"297x210", "297x210"}},
      {"three 80 x 200 mm pages across one landscape sheet",
       std::vector<MarkedPage>(3, MarkedPage{80, 200}), 1, {Markers({1, 2, 3})}, {"297x210"}},
      {"a later A4 page shrunk into the A5 cell", {a5, a4, a5}, 1,
       {Markers({1, 2}), Markers({3})}, {"297x210", "297x210"}},
      {"a page larger than the sheet shrunk onto it", {MarkedPage{400, 500}}, 1, {Markers({1})}, {"210x297"}},
      {"each collated copy on sheets of its own", {a5, a5, a5}, 2,
       {Markers({1, 2}), Markers({3}), Markers({1, 2}), Markers({3})},
       {"297x210", "297x210", "297x210", "297x210"}},
  };
  for (const JoinCase& c : cases) {
    SCOPED_TRACE(c.what);
    Options().SetCopies(c.copies);
    PrintMarked(c.pages, M::pmJoin);
    EXPECT_EQ(SheetWords(), c.sheets);
    EXPECT_EQ(SheetSizes(), c.sizes);
  }
}

TEST_F(SheetModesPdf, SplitTurnsTheSheetsAndLosesNoCorner) {
  // An A3 page over two landscape A4 sheets: the top corners on the first, the bottom
  // ones on the second.
  PrintMarked({MarkedPage{0, 0, 8}}, M::pmSplit);
  EXPECT_EQ(SheetSizes(), (std::vector<std::string>{"297x210", "297x210"}));
  EXPECT_EQ(SheetWords(), (std::vector<std::string>{"TL1 TR1", "BL1 BR1"}));
}

// The dark run along the row and the column through the middle of a sheet rendered by
// pdftoppm, in mm from the sheet's top-left corner: the extent of a shape in the middle,
// whatever stands in the corners.
struct InkCross {
  double left = 0, right = 0, top = 0, bottom = 0;
};

InkCross MeasureInkCross(const std::string& pdf, int page, const QString& prefix) {
  constexpr int kDpi = 200;
  const QString p = QString::number(page);
  test::RunTool("pdftoppm", {"-r", QString::number(kDpi), "-gray", "-png", "-singlefile", "-f", p, "-l", p,
                             QString::fromStdString(pdf), prefix});
  const QImage image(prefix + ".png");
  auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  const int midX = image.width() / 2, midY = image.height() / 2;
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int x = 0; x < image.width(); ++x)
    if (dark(x, midY)) {
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
  for (int y = 0; y < image.height(); ++y)
    if (dark(midX, y)) {
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  const double mm = 25.4 / kDpi;
  return {left * mm, right * mm, top * mm, bottom * mm};
}

TEST_F(SheetModesPdf, ScaleKeepsThePageShapeAndCentresIt) {
  // A 100 mm circle on a Letter page (215.9 x 279.4 mm), alone on its page, scaled onto
  // A4: one factor, 210 / 215.9, for both directions.
  MarkedPage letter{0, 0, 1, 100};
  PrintMarked({letter}, M::pmScale);
  ASSERT_EQ(SheetSizes(), std::vector<std::string>{"210x297"});
  EXPECT_EQ(SheetWords(), std::vector<std::string>{Markers({1})});
  const InkCross ink = MeasureInkCross(path, 1, dir.filePath("circle"));
  const double k = 210 / 215.9;
  EXPECT_NEAR(ink.right - ink.left, 100 * k, 0.5);
  EXPECT_NEAR(ink.bottom - ink.top, 100 * k, 0.5);
  // The page, and its circle, in the middle of the sheet.
  EXPECT_NEAR((ink.left + ink.right) / 2, 105, 0.5);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 148.5, 0.5);
}

}  // namespace
}  // namespace quarlo
