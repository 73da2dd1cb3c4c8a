// quarlo-cli render on a generated report: page and zoom flags, page ranges written as
// numbered files, the errors, and that the images are what the preview paints.
#include <gtest/gtest.h>

#include <QImage>
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
      {{}, 1, 1, 794, 1123},
      {{"--page", "2", "--zoom", "2"}, 2, 2, 1587, 2245},
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

TEST_F(CliRenderTest, APageRangeWritesNumberedFiles) {
  const auto r = RunCli({"render", Report(), "-o", folder.Path("OUT.png"), "--page", "2-5"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string listed;
  for (int n = 2; n <= 5; ++n) {
    const std::string name = folder.Path("OUT-" + std::to_string(n) + ".png");
    listed += name + "\n";
    EXPECT_TRUE(ReadPng(name) == PaintedInProcess(Report(), n, 1)) << n;
  }
  EXPECT_EQ(r.out, listed);
  EXPECT_FALSE(folder.Exists("OUT.png"));
  EXPECT_FALSE(folder.Exists("OUT-1.png"));
  // Pages differ: each file is its own page, not the first one again.
  EXPECT_FALSE(ReadPng(folder.Path("OUT-2.png")) == ReadPng(folder.Path("OUT-4.png")));
}

TEST_F(CliRenderTest, ErrorsAreReportedAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"render", "/nonexistent/x.fp3", "-o", "OUT"}, 1, ""},
      {{"render", "REPORT", "-o", "OUT", "--page", "6"}, 1, "the report has 5 page(s)"},
      {{"render", "REPORT", "-o", "OUT", "--page", "4-6"}, 1, "the report has 5 page(s)"},
      {{"render", "REPORT", "-o", "OUT", "--page", "0"}, 2, "--page takes N or A-B"},
      {{"render", "REPORT", "-o", "OUT", "--page", "3-2"}, 2, "--page takes N or A-B"},
      {{"render", "REPORT", "-o", "OUT", "--page", "2x"}, 2, "--page takes N or A-B"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "0"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "abc"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "17"}, 2, "--zoom takes a number"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "-1"}, 2, "--zoom takes a number"},
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
