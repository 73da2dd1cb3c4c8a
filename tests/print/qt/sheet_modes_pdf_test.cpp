// The scale, split and join modes printed into a PDF file and read back with poppler:
// sheet sizes and orientation (pdfinfo), the words in every corner of every page
// (pdftotext), and a circle measured on the rendered sheet (pdftoppm).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "../print_job_fixture.h"
#include "marked_pages.h"
#include "print/qt/print_job_pdf.h"
#include "support/qt/run_tool.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using namespace print_job_test;
using M = TfrxPrintMode;
constexpr double kPointsPerMm = 72 / 25.4;

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
