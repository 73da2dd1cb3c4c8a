// The same page on screen and on paper: dash patterns and hatch spacing measured in
// millimetres on rendered PNGs and on PDFs written at 300, 600 and 1200 dpi and
// rasterised by poppler's pdftoppm; gradients without seams; dotted frames on paper
// as cheap as solid ones.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "objects/special/gradient_view.h"
#include "objects/units.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;
using testing::ReportGenerator;

constexpr double kMmPerInch = 25.4;

// A page of width x height mm with 10 mm margins; `fill` adds its objects.
template <typename Fill>
std::string OnePage(double width, double height, Fill fill) {
  ReportGenerator g;
  TfrxReportPage& page = g.AddCompletePage();
  page.SetPaperWidth(width);
  page.SetPaperHeight(height);
  page.SetLeftMargin(10);
  page.SetTopMargin(10);
  fill(page);
  return g.Write();
}

// Where the page lands: as a PNG at `zoom`, or as a PDF at `pdfDpi` read back by
// pdftoppm at `rasterDpi`. The image and its resolution.
struct Output {
  const char* name;
  double zoom = 1;
  int pdfDpi = 0;
  int rasterDpi = 0;
};

const Output kOutputs[] = {
    {"png at 100 %", 1}, {"png at 200 %", 2}, {"png at 350 %", 3.5},
    {"pdf 300 dpi", 1, 300, 150}, {"pdf 600 dpi", 1, 600, 300}, {"pdf 1200 dpi", 1, 1200, 300},
};

struct Picture {
  QImage image;
  double dpi = 96;
  double PixelsPerMm() const { return dpi / kMmPerInch; }
};

Picture Produce(const ScratchFolder& folder, const std::string& fp3, const Output& o) {
  folder.Write("r.fp3", fp3);
  Picture p;
  if (o.pdfDpi == 0) {
    const auto r = RunCli({"render", folder.Path("r.fp3"), "-o", folder.Path("r.png"), "--zoom", std::to_string(o.zoom)});
    EXPECT_EQ(r.status, 0) << r.err;
    p.image = QImage(QString::fromStdString(folder.Path("r.png")));
    p.dpi = 96 * o.zoom;
  } else {
    const auto r =
        RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf"), "--dpi", std::to_string(o.pdfDpi)});
    EXPECT_EQ(r.status, 0) << r.err;
    int status = 0;
    spooler::RunCommand("pdftoppm -r " + std::to_string(o.rasterDpi) + " -png -singlefile " +
                            spooler::ShellQuote(folder.Path("r.pdf")) + " " + spooler::ShellQuote(folder.Path("p")),
                        &status);
    EXPECT_EQ(status, 0);
    p.image = QImage(QString::fromStdString(folder.Path("p.png")));
    p.dpi = o.rasterDpi;
  }
  p.image = p.image.convertToFormat(QImage::Format_RGB32);
  return p;
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Lengths in millimetres of the first `count` alternating dark and light runs along row
// y, from the first dark pixel at or after x0.
std::vector<double> RunsAlongRow(const Picture& p, int y, int x0, int count) {
  std::vector<double> runs;
  int x = x0;
  while (x < p.image.width() && !Dark(p.image, x, y)) ++x;
  while (x < p.image.width() && static_cast<int>(runs.size()) < count) {
    const bool dark = Dark(p.image, x, y);
    int n = 0;
    while (x < p.image.width() && Dark(p.image, x, y) == dark) ++x, ++n;
    runs.push_back(n / p.PixelsPerMm());
  }
  return runs;
}

// The row through the middle of the dark band that starts at or below y0 in column x.
int BandMiddle(const QImage& image, int x, int y0) {
  int y = y0;
  while (y < image.height() && !Dark(image, x, y)) ++y;
  const int top = y;
  while (y < image.height() && Dark(image, x, y)) ++y;
  return (top + y - 1) / 2;
}

// Lines 160 mm long whose top side is drawn in each styled frame, 40 mm apart; widths 1
// and 3 (a pattern does not depend on the line's width).
TEST(PaperMatchesScreen, DashPatternsHaveTheSameMillimetresEverywhere) {
  struct Style {
    TfrxFrameStyle style;
    double width;
    std::vector<double> mm;  // on, off, ... of the first period
  };
  const double px = kMmPerInch / 96;  // one screen pixel at 100 %, in mm
  const Style styles[] = {
      {fsDash, 1, {18 * px, 6 * px}},
      {fsDot, 1, {3 * px, 3 * px}},
      {fsDashDot, 3, {9 * px, 6 * px, 3 * px, 6 * px}},
      {fsDashDotDot, 1, {9 * px, 3 * px, 3 * px, 3 * px, 3 * px, 3 * px}},
  };
  const std::string fp3 = OnePage(180, 165, [&](TfrxReportPage& page) {
    for (std::size_t i = 0; i < std::size(styles); ++i) {
      auto* memo = new TfrxMemoView(&page);
      memo->SetBounds(0, 20 * fr1cm / 10 * (2 * i + 1), 160 * fr1cm / 10, 20);
      memo->Frame().SetTyp(ftTop);
      memo->Frame().SetStyle(styles[i].style);
      memo->Frame().SetWidth(styles[i].width);
    }
  });
  for (const Output& o : kOutputs) {
    SCOPED_TRACE(o.name);
    ScratchFolder folder("paper-dashes");
    const Picture p = Produce(folder, fp3, o);
    ASSERT_FALSE(p.image.isNull());
    const int x0 = static_cast<int>(std::lround(5 * p.PixelsPerMm()));  // left of the margin
    for (std::size_t i = 0; i < std::size(styles); ++i) {
      const int top = static_cast<int>(std::lround((10 + 20 * (2 * i + 1) - 2) * p.PixelsPerMm()));
      const int first = static_cast<int>(std::lround(10.3 * p.PixelsPerMm()));  // in the first dash
      const int y = BandMiddle(p.image, first, top);
      const std::vector<double> runs = RunsAlongRow(p, y, x0, static_cast<int>(styles[i].mm.size()));
      ASSERT_EQ(runs.size(), styles[i].mm.size()) << "style " << styles[i].style;
      // A pixel of the coarsest picture (150 dpi) is 0.17 mm.
      for (std::size_t k = 0; k < runs.size(); ++k)
        EXPECT_NEAR(runs[k], styles[i].mm[k], 0.25) << "style " << styles[i].style << ", run " << k;
    }
  }
}

TEST(PaperMatchesScreen, HatchLinesLieTheSameMillimetresApartEverywhere) {
  const std::string fp3 = OnePage(120, 110, [](TfrxReportPage& page) {
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(0, 0, 360, 360);
    memo->SetBrushStyle(bsHorizontal);
  });
  for (const Output& o : kOutputs) {
    SCOPED_TRACE(o.name);
    ScratchFolder folder("paper-hatch");
    const Picture p = Produce(folder, fp3, o);
    ASSERT_FALSE(p.image.isNull());
    // Down a column through the hatch: the tops of the dark bands, 8 screen pixels
    // (2.12 mm) apart, each band about a screen pixel (0.26 mm) thick.
    const int x = static_cast<int>(std::lround(60 * p.PixelsPerMm()));
    std::vector<double> tops, thickness;
    for (int y = static_cast<int>(std::lround(20 * p.PixelsPerMm())); y < static_cast<int>(90 * p.PixelsPerMm()); ++y) {
      if (!Dark(p.image, x, y) || Dark(p.image, x, y - 1)) continue;
      int n = 0;
      while (Dark(p.image, x, y + n)) ++n;
      tops.push_back(y / p.PixelsPerMm());
      thickness.push_back(n / p.PixelsPerMm());
    }
    ASSERT_GE(tops.size(), 30u);
    for (std::size_t k = 1; k < tops.size(); ++k) EXPECT_NEAR(tops[k] - tops[k - 1], 8 * kMmPerInch / 96, 0.2) << k;
    for (double t : thickness) EXPECT_LT(t, 0.45);
  }
}

// Every pixel of a gradient object is painted: no paper shows inside it, and a
// horizontal gradient from dark to light never gets lighter and then darker again.
TEST(PaperMatchesScreen, GradientsPaintEveryPixelWithoutSeams) {
  const std::string fp3 = OnePage(65, 120, [](TfrxReportPage& page) {
    for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
      auto* view = new TfrxGradientView(&page);
      view->SetBounds(0, 60.5 * style, 150.3, 50.7);
      view->SetStyle(static_cast<TfrxGradientStyle>(style));
      view->SetBeginColor(clBlue);
      view->SetEndColor(clRed);
    }
  });
  const Output outputs[] = {
      {"png at 100 %", 1}, {"png at 250 %", 2.5}, {"png at 400 %", 4},
      {"pdf 600 dpi at 72", 1, 600, 72}, {"pdf 600 dpi at 150", 1, 600, 150}, {"pdf 1200 dpi at 300", 1, 1200, 300},
  };
  for (const Output& o : outputs) {
    SCOPED_TRACE(o.name);
    ScratchFolder folder("paper-gradient");
    const Picture p = Produce(folder, fp3, o);
    ASSERT_FALSE(p.image.isNull());
    const double scale = p.dpi / 96;
    const double margin = 10 * p.PixelsPerMm();
    for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
      // The object's pixels, less one on each side (where the picture blends with paper).
      const int left = static_cast<int>(std::ceil(margin)) + 1, right = static_cast<int>(margin + 150.3 * scale) - 1;
      const int top = static_cast<int>(std::ceil(margin + 60.5 * style * scale)) + 1;
      const int bottom = static_cast<int>(margin + (60.5 * style + 50.7) * scale) - 1;
      // Blue and red mix without green: green is the paper showing through.
      int paper = 0;
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) paper += qGreen(p.image.pixel(x, y)) > 24;
      EXPECT_EQ(paper, 0) << "style " << style;
    }
    // Blue to red left to right: red never falls, blue never rises along a row.
    const int y = static_cast<int>(margin + 25 * scale);
    for (int x = static_cast<int>(std::ceil(margin)) + 2; x < static_cast<int>(margin + 150.3 * scale) - 1; ++x) {
      EXPECT_GE(qRed(p.image.pixel(x, y)) + 2, qRed(p.image.pixel(x - 1, y))) << x;
      EXPECT_LE(qBlue(p.image.pixel(x, y)), qBlue(p.image.pixel(x - 1, y)) + 2) << x;
    }
  }
}

// 200 framed cells in a 10 x 20 grid, every side in `style`.
std::string Cells(TfrxFrameStyle style) {
  return OnePage(210, 297, [style](TfrxReportPage& page) {
    for (int i = 0; i < 200; ++i) {
      auto* memo = new TfrxMemoView(&page);
      memo->SetBounds(70 * (i % 10), 48 * (i / 10), 70, 48);
      memo->Frame().SetTyp(ftAll);
      memo->Frame().SetStyle(style);
    }
  });
}

TEST(PaperMatchesScreen, DottedFramesOnPaperCostAtMostTwiceSolidOnes) {
  ScratchFolder folder("paper-cells");
  std::uintmax_t bytes[2] = {};
  const TfrxFrameStyle styles[] = {fsSolid, fsDot};
  for (int k = 0; k < 2; ++k) {
    folder.Write("r.fp3", Cells(styles[k]));
    const std::string pdf = folder.Path("r" + std::to_string(k) + ".pdf");
    const auto r = RunCli({"pdf", folder.Path("r.fp3"), "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    bytes[k] = std::filesystem::file_size(pdf);
  }
  EXPECT_LE(bytes[1], 2 * bytes[0]) << "solid " << bytes[0] << " bytes, dotted " << bytes[1];
}

}  // namespace
}  // namespace quarlo
