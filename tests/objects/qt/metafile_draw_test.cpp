// Metafiles on real pixels, and through the picture view and the page background:
// placement, transparency, and their text reaching a recording for the text search.

#include <gtest/gtest.h>

#include <cmath>

#include "draw_test_raster.h"
#include "objects/band.h"
#include "objects/metafile_player.h"
#include "objects/page_draw.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "support/metafile_builder.h"

namespace quarlo {
namespace {

using testing::EmfBuilder;
using testing::WmfBuilder;
using Op = CanvasRecord::Op;
constexpr std::uint32_t kNullPen = 0x80000008u;

TEST(MetafilePixels, ScaledIntoTheTargetOnAnImage) {
  struct Case {
    const char* name;
    std::string file;
    CanvasRect target;
    std::vector<std::string> rows;  // rows 0..7 of columns 0..7
  };
  // Red over the left part of a 100 x 100 frame; without a pen the platform fills a
  // rectangle one pixel short on the right and bottom.
  EmfBuilder emf;
  emf.Brush(1, 0, 0x0000FF).Select(1).Select(kNullPen).Record(43, {0, 0, 63, 101});
  // The same through an anisotropic window of 10 x 10 units on a box of 1000 units.
  WmfBuilder wmf(0, 0, 1000, 1000, 1000);
  wmf.Brush(0, 0x0000FF).Pen(5, 0, 0).Select(0).Select(1);
  wmf.Record(0x0103, {8}).Record(0x020C, {10, 10}).Record(0x041B, {11, 6, 0, 0});
  const Case cases[] = {
      {"enhanced at 8 x 8", emf.Finish(), {0, 0, 8, 8}, {"rrrr....", "rrrr....", "rrrr....", "rrrr...."}},
      {"enhanced moved by 2, at 4 x 4", emf.Finish(), {2, 2, 6, 6}, {"........", "........", "..rr....", "..rr...."}},
      {"placeable window at 8 x 8", wmf.Finish(), {0, 0, 8, 8}, {"rrrr....", "rrrr....", "rrrr....", "rrrr...."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage img = drawtest::Paint(8, 8, [&](Canvas& canvas) { PlayMetafile(canvas, c.target, c.file); });
    for (std::size_t y = 0; y < c.rows.size(); ++y) EXPECT_EQ(drawtest::Row(img, static_cast<int>(y), 0, 7), c.rows[y]) << y;
  }
}

TEST(MetafilePixels, PolyPolygonHoleAndWindingFill) {
  EmfBuilder b(10, 10);
  b.Brush(1, 0, 0).Select(1).Select(kNullPen);
  const std::vector<std::vector<std::pair<int, int>>> ring = {{{0, 0}, {9, 0}, {9, 9}, {0, 9}},
                                                              {{3, 3}, {6, 3}, {6, 6}, {3, 6}}};
  b.PolyPoly(8, ring);
  const QImage alternate = drawtest::Paint(10, 10, [&](Canvas& c) { PlayMetafile(c, {0, 0, 10, 10}, b.Finish()); });
  EXPECT_EQ(drawtest::PixelChar(alternate, 1, 4), '#');
  EXPECT_EQ(drawtest::PixelChar(alternate, 4, 4), '.');  // the inner figure cuts a hole
  EXPECT_EQ(drawtest::PixelChar(alternate, 8, 4), '#');
  EmfBuilder w(10, 10);
  w.Brush(1, 0, 0).Select(1).Select(kNullPen).Record(19, {2}).PolyPoly(8, ring);
  const QImage winding = drawtest::Paint(10, 10, [&](Canvas& c) { PlayMetafile(c, {0, 0, 10, 10}, w.Finish()); });
  EXPECT_EQ(drawtest::PixelChar(winding, 1, 4), '#');
  EXPECT_EQ(drawtest::PixelChar(winding, 4, 4), '#');  // same direction: filled by the non-zero rule
}

std::string LogoEmf() {
  EmfBuilder b(100, 50);
  b.Brush(1, 0, 0xFFFFFF).Select(1).Select(kNullPen).Record(43, {0, 0, 101, 51});  // white background
  b.Brush(2, 0, 0xFF0000).Select(2).Record(42, {10, 10, 40, 40});                  // blue disc
  b.Font(3, -12, u"Arial").Select(3).Record(18, {1});
  b.TextW(50, 20, u"Quarterly logo");
  return b.Finish();
}

TEST(MetafilePictureView, PlacedLikeAnyPictureAndItsTextIsRecorded) {
  TfrxPictureView view(nullptr);
  view.SetBounds(0, 0, 200, 200);  // a 100 x 50 picture kept in proportion: 200 x 100 at the top
  ASSERT_TRUE(view.Picture().LoadFromData(LogoEmf()));
  RecordingCanvas canvas;
  view.Draw(canvas, 1, 1, 0, 0);
  const auto ellipses = canvas.RecordsOf(Op::Ellipse);
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ(ellipses[0]->rect, (CanvasRect{20, 20, 80, 80}));
  const auto texts = canvas.RecordsOf(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, u"Quarterly logo");
  EXPECT_EQ(texts[0]->points[0], (CanvasPoint{100, 40}));
  EXPECT_EQ(texts[0]->font.height, -24);

  view.SetStretched(false);  // natural size at the drawing scale, clipped to the object
  canvas.Clear();
  view.Draw(canvas, 2, 2, 10, 0);
  // The header's size is taken at 96 dpi; the frame scales by it.
  const double kx = 2.0 * view.Picture().Width() / 100, ky = 2.0 * view.Picture().Height() / 50;
  auto at = [](double v) { return static_cast<int>(std::lround(v)); };
  ASSERT_EQ(canvas.RecordsOf(Op::Ellipse).size(), 1u);
  EXPECT_EQ(canvas.RecordsOf(Op::Ellipse)[0]->rect, (CanvasRect{at(10 + 10 * kx), at(10 * ky), at(10 + 40 * kx), at(40 * ky)}));
}

TEST(MetafilePictureView, TransparentLetsThePageShowThroughTheWhiteBackground) {
  TfrxPictureView view(nullptr);
  view.SetBounds(0, 0, 20, 10);
  ASSERT_TRUE(view.Picture().LoadFromData(LogoEmf()));
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    view.SetTransparent(transparent);
    const QImage img = drawtest::Paint(20, 10, [&](Canvas& c) {
      c.SetBrush(CanvasBrush::SolidColor(clYellow));
      c.FillRect({0, 0, 20, 10});
      view.Draw(c, 1, 1, 0, 0);
    });
    EXPECT_EQ(drawtest::PixelChar(img, 1, 1), transparent ? 'y' : '.');
    EXPECT_EQ(drawtest::PixelChar(img, 5, 5), 'b');  // the disc shows either way
  }
}

TEST(MetafilePictureView, PageBackgroundPlaysOverThePrintableArea) {
  TfrxReportPage page(nullptr);
  page.SetLeftMargin(10);
  page.SetTopMargin(10);
  page.SetRightMargin(10);
  page.SetBottomMargin(10);
  ASSERT_TRUE(page.BackPicture().LoadFromData(LogoEmf()));
  RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
  DrawReportPage(page, 0, canvas, 1, 1, 0, 0);
  const auto texts = canvas.RecordsOf(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, u"Quarterly logo");
  // Stretched over the printable area (718 x 1047 from 38, 38) without keeping proportions.
  const auto rects = canvas.RecordsOf(Op::Rectangle);
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects[0]->rect.left, 38);
  EXPECT_EQ(rects[0]->rect.top, 38);
  EXPECT_GE(rects[0]->rect.right, 38 + 718);
  EXPECT_GE(rects[0]->rect.bottom, 38 + 1047);
}

}  // namespace
}  // namespace quarlo
