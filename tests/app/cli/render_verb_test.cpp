// quarlo-cli render on a generated report: page, zoom and dpi flags, several pages
// written as numbered files, the pixel limit, the errors, and that the images are what
// the preview paints.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "document/preview_pages.h"
#include "objects/band.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "objects/units.h"
#include "platform/qt/qpainter_canvas.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;
using testing::ReportGenerator;

constexpr int kPages = 5;

// Five complete pages with 10 mm margins; page n (1-based) holds n filled ellipses in a
// row, so every page looks different. Page 3 is A5 landscape.
std::string FivePageReport() {
  ReportGenerator g;
  for (int n = 1; n <= kPages; ++n) {
    TfrxReportPage& page = g.AddCompletePage();
    if (n == 3) {
      page.SetPaperSize(11);
      page.SetOrientation(TPrinterOrientation::poLandscape);
    }
    page.SetLeftMargin(10);
    page.SetTopMargin(10);
    auto* band = new TfrxMasterData(&page);
    band->SetBounds(0, 0, 500, 100);
    for (int i = 0; i < n; ++i) {
      auto* shape = new TfrxShapeView(band);
      shape->SetShape(skEllipse);
      shape->SetBounds(10 + 60.5 * i, 10.25, 50, 40);
      shape->SetColor(i % 2 ? clRed : clBlue);
      shape->Frame().SetWidth(2);
    }
  }
  return g.Write();
}

QImage ReadPng(const std::string& path) {
  QImage image(QString::fromStdString(path));
  return image.convertToFormat(QImage::Format_RGB32);
}

// The page as the preview paints it: white paper, the store's PaintPage on the Qt canvas.
QImage PaintedInProcess(const std::string& file, int number, double zoom) {
  TfrxPreviewPages pages(nullptr);
  pages.LoadFromFile(file, true);
  const TfrxReportPage* page = pages.PageObject(number - 1);
  QImage image(qRound(page->PaperWidth() * fr01cm * zoom), qRound(page->PaperHeight() * fr01cm * zoom),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
    pages.PaintPage(number - 1, canvas, zoom, zoom, 0, 0);
  }
  return image;
}

class CliRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { cli::PrepareDocumentClasses(); }
  void SetUp() override { folder.Write("r.fp3", FivePageReport()); }
  std::string Report() const { return folder.Path("r.fp3"); }
  ScratchFolder folder{"render"};
};

TEST_F(CliRenderTest, PageAndZoomGiveThePreviewsPixels) {
  struct Case {
    std::vector<std::string> flags;
    int page;
    double zoom;
    int width, height;
  } cases[] = {
      {{"--page", "1"}, 1, 1, 794, 1123},
      {{"--page", "2", "--zoom", "2"}, 2, 2, 1587, 2245},
      {{"--pages", "2", "--dpi", "192"}, 2, 2, 1587, 2245},
      {{"-r", "48", "--pages=3"}, 3, 0.5, 397, 280},
      {{"--zoom", "0.5", "--page", "3"}, 3, 0.5, 397, 280},  // A5 landscape
      {{"--page", "5", "--zoom", "1.25"}, 5, 1.25, 992, 1403},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    std::vector<std::string> args{"render", Report(), "-o", folder.Path("out.png")};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, folder.Path("out.png") + "\n");
    const QImage rendered = ReadPng(folder.Path("out.png"));
    EXPECT_EQ(rendered.width(), c.width);
    EXPECT_EQ(rendered.height(), c.height);
    const QImage expected = PaintedInProcess(Report(), c.page, c.zoom);
    EXPECT_TRUE(rendered == expected) << "the same pixels as the preview's painting";
    EXPECT_EQ(rendered.pixel(rendered.width() - 1, rendered.height() - 1), qRgb(255, 255, 255)) << "white paper";
  }
}

TEST_F(CliRenderTest, SeveralPagesWriteNumberedFiles) {
  struct Case {
    std::vector<std::string> flags;
    const char* output;
    std::vector<int> pages;  // written, in this order, as OUT-N.png
  } cases[] = {
      {{"--page", "2-5"}, "OUT.png", {2, 3, 4, 5}},
      {{}, "OUT.png", {1, 2, 3, 4, 5}},  // all pages without a list
      {{"--pages", "4-9"}, "OUT.PNG", {4, 5}},  // beyond the last page: left out
      {{"--pages", "5,1,5"}, "OUT", {5, 1}},  // list order, each page once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    ScratchFolder out("render-numbered");
    std::vector<std::string> args{"render", Report(), "-o", out.Path(c.output)};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string listed;
    for (int n : c.pages) {
      const std::string name = out.Path("OUT-" + std::to_string(n) + ".png");
      listed += name + "\n";
      EXPECT_TRUE(ReadPng(name) == PaintedInProcess(Report(), n, 1)) << n;
    }
    EXPECT_EQ(r.out, listed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.Path("")), {}),
              static_cast<std::ptrdiff_t>(c.pages.size()))
        << "no other file";
  }
  // Pages differ: each file is its own page, not the first one again.
  const auto r = RunCli({"render", Report(), "-o", folder.Path("OUT.png"), "--page", "2-4"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(ReadPng(folder.Path("OUT-2.png")) == ReadPng(folder.Path("OUT-4.png")));
}

TEST_F(CliRenderTest, NumbersArePaddedToTheWidthOfTheLastPageNumber) {
  ReportGenerator g;
  for (int n = 1; n <= 12; ++n) g.AddCompletePage();
  folder.Write("twelve.fp3", g.Write());
  const auto r = RunCli({"render", folder.Path("twelve.fp3"), "-o", folder.Path("p.png"), "--pages", "12,3", "--zoom",
                         "0.05"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, folder.Path("p-12.png") + "\n" + folder.Path("p-03.png") + "\n");
  EXPECT_EQ(ReadPng(folder.Path("p-03.png")).width(), 40);  // A4 at 4.8 dots per inch
}

TEST_F(CliRenderTest, AZoomBeyondThePixelLimitNamesTheLargestThePageAllows) {
  // A4 at 96 dpi is 793.7 x 1122.5 pixels. At zoom 9 that makes 7143 x 10103, above
  // 67108864 pixels in all; at 8.67 it is 6881 x 9732 = 66,965,892, at 8.68 already
  // 6889 x 9743 = 67,119,527.
  const auto r = RunCli({"render", Report(), "-o", folder.Path("big.png"), "--pages", "1", "--zoom", "9"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("page 1: the image would be 7143 x 10103 pixels"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("the largest zoom for this page is 8.67"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(folder.Exists("big.png"));
}

TEST_F(CliRenderTest, APageThatCannotBeBuiltIsReportedAndTheOthersAreWritten) {
  // Three pages of one source page; the second names a source page the file lacks.
  ReportGenerator g;
  g.AddSourcePage();
  for (int n = 0; n < 3; ++n) g.AddCompactPage(0);
  std::string bytes = g.Write();
  const std::size_t second = bytes.find("<page0", bytes.find("<page0", bytes.find("<previewpages")) + 1);
  ASSERT_NE(second, std::string::npos);
  bytes.replace(second, 6, "<page9");
  folder.Write("bad.fp3", bytes);
  const auto r = RunCli({"render", folder.Path("bad.fp3"), "-o", folder.Path("b.png"), "--zoom", "0.1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("quarlo-cli render: page 2: List index out of bounds (9)"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, folder.Path("b-1.png") + "\n" + folder.Path("b-3.png") + "\n");
}

TEST_F(CliRenderTest, ErrorsAreReportedAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"render", "/nonexistent/x.fp3", "-o", "OUT"}, 1, ""},
      {{"render", "REPORT", "-o", "OUT", "--page", "6"}, 1, "names no page of the report (5 pages)"},
      {{"render", "REPORT", "-o", "OUT", "--page", "0"}, 1, "names no page of the report (5 pages)"},
      {{"render", "REPORT", "-o", "OUT", "--page", "3-2"}, 1, "names no page of the report (5 pages)"},
      {{"render", "REPORT", "-o", "OUT", "--page", "2x"}, 2, "--pages"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "0"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "abc"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "1.5x"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "-1"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "40", "--page", "1"}, 1, "the largest zoom for this page is"},
      {{"render", "REPORT"}, 2, "expects FILE and -o OUT.png"},
  };
  for (Case& c : cases) {
    for (std::string& a : c.args) {
      if (a == "REPORT") a = Report();
      if (a == "OUT") a = folder.Path("out.png");
    }
    SCOPED_TRACE(c.args.back());
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(folder.Exists("out.png"));
  }
}

}  // namespace
}  // namespace quarlo
