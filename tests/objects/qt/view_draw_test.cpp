// The device rectangle, fill, hatch, frame styles and shadow of a plain view, checked
// on real images (and on the recording canvas where the call matters more than pixels).

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "draw_test_raster.h"
#include "objects/frame_painter.h"
#include "objects/view.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

using drawtest::Block;
using drawtest::Column;
using drawtest::Paint;
using drawtest::Row;

struct RectCase {
  const char* name;
  double left, top, width, height;
  double scale, offset;
  bool shadow;
  int dl, dt, dr, db;
};

const RectCase kRectCases[] = {
    {"scaled and offset", 10, 10, 20, 20, 1.5, 0.25, false, 15, 15, 45, 45},
    {"halves go to the even neighbour", 0.5, 1.5, 2, 1, 1, 0, false, 0, 2, 2, 2},
    {"2.5 rounds down to 2", 2.5, 2.5, 1, 1, 1, 0, false, 2, 2, 4, 4},
    {"shadow shrinks right and bottom", 0, 0, 40, 30, 1, 0, true, 0, 0, 36, 26},
    {"shadow scales with the drawing", 0, 0, 40, 30, 2, 0, true, 0, 0, 72, 52},
    {"absurd sizes stay inside the device range", 0, 0, 1e300, 1, 1, 0, false, 0, 0, 1000000000, 1},
};

TEST(ViewPrepareDraw, DeviceRectangle) {
  for (const RectCase& c : kRectCases) {
    TfrxView view(nullptr);
    view.SetBounds(c.left, c.top, c.width, c.height);
    view.Frame().SetDropShadow(c.shadow);
    RecordingCanvas canvas;
    view.PrepareDraw(canvas, c.scale, c.scale, c.offset, c.offset);
    EXPECT_EQ(view.DeviceLeft(), c.dl) << c.name;
    EXPECT_EQ(view.DeviceTop(), c.dt) << c.name;
    EXPECT_EQ(view.DeviceRight(), c.dr) << c.name;
    EXPECT_EQ(view.DeviceBottom(), c.db) << c.name;
    EXPECT_EQ(view.DeviceWidth(), c.dr - c.dl) << c.name;
  }
}

// A view at (2, 2) of 8 x 5 on a 14 x 11 image at scale 1.
QImage PaintView(const std::function<void(TfrxView&)>& setup, double scale = 1, int w = 14, int h = 11) {
  TfrxView view(nullptr);
  view.SetBounds(2, 2, 8, 5);
  setup(view);
  return Paint(w, h, [&](Canvas& c) { view.Draw(c, scale, scale, 0, 0); });
}

TEST(ViewFrame, SolidSidesAtWidthOneCloseTheCornersOnTheDeviceEdges) {
  const QImage img = PaintView([](TfrxView& v) { v.Frame().SetTyp(ftAll); });
  EXPECT_EQ(Block(img, 0, 0, 11, 8),
            "............\n"
            "............\n"
            "..#########.\n"
            "..#.......#.\n"
            "..#.......#.\n"
            "..#.......#.\n"
            "..#.......#.\n"
            "..#########.\n"
            "............\n");
}

TEST(ViewFrame, FreeEndsOfWideSolidSidesEndFlushAndSharedCornersFill) {
  // Top alone, width 3: no overhang past left or right.
  QImage img = PaintView([](TfrxView& v) {
    v.Frame().SetTyp(ftTop);
    v.Frame().SetWidth(3);
  });
  EXPECT_EQ(Block(img, 0, 0, 11, 4),
            "............\n"
            "..#########.\n"
            "..#########.\n"
            "..#########.\n"
            "............\n");
  // Top and left: the shared corner is filled outwards, the free ends stay flush.
  img = PaintView([](TfrxView& v) {
    v.Frame().SetTyp(ftTop | ftLeft);
    v.Frame().SetWidth(3);
  });
  EXPECT_EQ(Block(img, 0, 0, 11, 8),
            "............\n"
            ".##########.\n"
            ".##########.\n"
            ".##########.\n"
            ".###........\n"
            ".###........\n"
            ".###........\n"
            ".###........\n"
            "............\n");
}

TEST(ViewFrame, DoubleFrameAtScaleFourShowsTwoLinesPerSideJoinedAtCorners) {
  TfrxView view(nullptr);
  view.SetBounds(5, 5, 10, 10);
  view.Frame().SetTyp(ftAll);
  view.Frame().SetStyle(fsDouble);
  const QImage img = Paint(100, 100, [&](Canvas& c) { view.Draw(c, 4, 4, 0, 0); });
  // Left side at x 20: lines of 4 pixels centred on 16 and 24, the middle untouched.
  const std::string across = Row(img, 40, 10, 30);
  EXPECT_EQ(across, "....####....####.....") << across;
  // Along the middle of the top side's lines: the outer lines meet at the corner and
  // so do the inner ones.
  EXPECT_EQ(Row(img, 16, 10, 30), "....#################");
  EXPECT_EQ(Row(img, 24, 10, 30), "....####....#########");
  EXPECT_EQ(Column(img, 16, 10, 30), "....#################");
  EXPECT_EQ(Column(img, 24, 10, 30), "....####....#########");
  // Every corner is closed out to its outermost pixel, inner corners too: the bands of
  // the outer lines (14..17 and 62..65) and of the inner ones (22..25 and 54..57) meet
  // in full squares.
  for (int cx : {14, 62})
    for (int cy : {14, 62}) EXPECT_EQ(Block(img, cx, cy, cx + 3, cy + 3), "####\n####\n####\n####\n") << cx << "," << cy;
  for (int cx : {22, 54})
    for (int cy : {22, 54}) EXPECT_EQ(Block(img, cx, cy, cx + 3, cy + 3), "####\n####\n####\n####\n") << cx << "," << cy;
}

TEST(ViewFrame, DashGapsShowTheFillOrStayClear) {
  struct Case {
    TColor fill;
    char gap;
  };
  for (const Case c : {Case{clTransparent, '.'}, Case{clYellow, 'y'}}) {
    TfrxView view(nullptr);
    view.SetBounds(0, 2, 60, 6);
    view.SetColor(c.fill);
    view.Frame().SetTyp(ftTop);
    view.Frame().SetStyle(fsDash);
    const QImage img = Paint(64, 10, [&](Canvas& canvas) { view.Draw(canvas, 1, 1, 0, 0); });
    const std::string top = Row(img, 2, 0, 59);
    EXPECT_NE(top.find('#'), std::string::npos) << top;
    EXPECT_NE(top.find(std::string(3, c.gap) + "#"), std::string::npos) << top;
    EXPECT_EQ(top.find_first_not_of(std::string("#") + c.gap), std::string::npos) << top;
  }
}

TEST(ViewBackground, HatchInTheFrameColourOverTransparentOrFilledBackground) {
  struct Case {
    const char* name;
    TColor fill;
    char between;
  };
  for (const Case c : {Case{"no fill", clTransparent, '.'}, Case{"yellow fill", clYellow, 'y'}}) {
    TfrxView view(nullptr);
    view.SetBounds(0, 0, 16, 16);
    view.SetColor(c.fill);
    view.SetBrushStyle(bsCross);
    view.Frame().SetColor(clRed);
    const QImage img = Paint(20, 20, [&](Canvas& canvas) { view.Draw(canvas, 1, 1, 0, 0); });
    // The fill covers the device rectangle (0, 0)-(16, 16); the hatch reaches one pixel
    // further, to the column and row of DeviceRight and DeviceBottom, where the hatch
    // line at 16 shows although no frame is drawn.
    int hatch = 0, other = 0;
    for (int y = 0; y <= 16; ++y)
      for (int x = 0; x <= 16; ++x) {
        const char p = drawtest::PixelChar(img, x, y);
        const char between = x < 16 && y < 16 ? c.between : '.';
        if (HatchCovers(CanvasBrush::Style::Cross, x, y))
          hatch += p == 'r';
        else
          other += p == between;
      }
    EXPECT_EQ(hatch + other, 17 * 17) << c.name << "\n" << Block(img, 0, 0, 17, 17);
    EXPECT_EQ(Row(img, 16, 0, 17), "rrrrrrrrrrrrrrrrr.") << c.name;
    EXPECT_EQ(Column(img, 16, 0, 17), "rrrrrrrrrrrrrrrrr.") << c.name;
    EXPECT_EQ(Row(img, 17, 0, 19), std::string(20, '.')) << c.name << ": nothing below the hatch";
  }
}

// A styled side is patterned in the units of the drawing scale: the same millimetres
// at every zoom and on every printer resolution, in a band as wide as the side.
TEST(ViewFrame, StyledSidesKeepTheirPatternAtEveryScale) {
  struct Case {
    TfrxFrameStyle style;
    double scale;
    std::vector<int> runs;  // on, off, ... along the side from its start
    int band;
  };
  const Case cases[] = {
      {fsDash, 1, {18, 6, 18}, 1},        {fsDash, 2, {36, 12, 36}, 2},
      {fsDash, 6.25, {112, 38, 112}, 6},  {fsDot, 3.125, {9, 10, 9}, 3},
      {fsDashDot, 2, {18, 12, 6, 12}, 2}, {fsDashDotDot, 1, {9, 3, 3, 3, 3, 3}, 1},
  };
  for (const Case& c : cases) {
    TfrxView view(nullptr);
    view.SetBounds(4, 4, 60, 10);
    view.Frame().SetTyp(ftTop);
    view.Frame().SetStyle(c.style);
    const int left = static_cast<int>(std::nearbyint(4 * c.scale)), top = left;
    const QImage img = Paint(static_cast<int>(70 * c.scale), static_cast<int>(20 * c.scale),
                             [&](Canvas& canvas) { view.Draw(canvas, c.scale, c.scale, 0, 0); });
    std::vector<int> runs;
    int x = left;
    for (std::size_t k = 0; k < c.runs.size(); ++k) {
      const char want = k % 2 == 0 ? '#' : '.';
      int n = 0;
      while (drawtest::PixelChar(img, x, top) == want) ++x, ++n;
      runs.push_back(n);
    }
    EXPECT_EQ(runs, c.runs) << c.style << " at " << c.scale;
    // Band rows: top - band/2 .. top + band - band/2 - 1, all dark at the side's start.
    std::string across;
    for (int y = top - c.band / 2 - 1; y <= top + c.band - c.band / 2; ++y) across += drawtest::PixelChar(img, left, y);
    EXPECT_EQ(across, "." + std::string(static_cast<std::size_t>(c.band), '#') + ".") << c.style << " at " << c.scale;
  }
}

TEST(ViewFrame, ShadowFillsTheStripBelowAndRightOffsetByItsWidth) {
  TfrxView view(nullptr);
  view.SetBounds(0, 0, 20, 14);
  view.Frame().SetDropShadow(true);
  view.SetColor(clYellow);
  const QImage img = Paint(24, 16, [&](Canvas& c) { view.Draw(c, 1, 1, 0, 0); });
  // Object 16 x 10; shadow columns 16..19 from row 4, rows 10..13 from column 4.
  EXPECT_EQ(Row(img, 2, 0, 21), "yyyyyyyyyyyyyyyy......");
  EXPECT_EQ(Row(img, 5, 0, 21), "yyyyyyyyyyyyyyyy####..");
  EXPECT_EQ(Row(img, 11, 0, 21), "....################..");
  EXPECT_EQ(Row(img, 14, 0, 21), "......................");
  EXPECT_EQ(Column(img, 17, 0, 15), "....##########..");
}

TEST(ViewFrame, NoSidesWithoutWidthOrColourButTheShadowStays) {
  for (const auto& setup : std::vector<std::function<void(TfrxFrame&)>>{
           [](TfrxFrame& f) { f.SetWidth(0); }, [](TfrxFrame& f) { f.SetColor(clTransparent); }}) {
    TfrxView view(nullptr);
    view.SetBounds(2, 2, 12, 10);
    view.Frame().SetTyp(ftAll);
    view.Frame().SetDropShadow(true);
    setup(view.Frame());
    const QImage img = Paint(18, 16, [&](Canvas& c) { view.Draw(c, 1, 1, 0, 0); });
    EXPECT_EQ(Row(img, 2, 0, 17), std::string(18, '.'));
    // Object (2, 2)-(10, 8): the bottom strip runs from x 6 to 13.
    EXPECT_EQ(Row(img, 9, 0, 17), "......########....");
  }
}

TEST(ViewFrame, EachSideUsesItsOwnLine) {
  TfrxView view(nullptr);
  view.SetBounds(2, 2, 8, 5);
  view.Frame().SetTyp(ftLeft | ftRight);
  view.Frame().RightLine().SetColor(clBlue);
  view.Frame().RightLine().SetWidth(2);
  const QImage img = Paint(14, 11, [&](Canvas& c) { view.Draw(c, 1, 1, 0, 0); });
  EXPECT_EQ(Row(img, 4, 0, 12), "..#......bb..");
}

TEST(ViewFrame, AltDotAndSquareUseGeometricDashPatterns) {
  struct Case {
    TfrxFrameStyle style;
    double width;
    CanvasPen::Cap cap;
    std::vector<int> dashes;
  };
  const Case cases[] = {{fsAltDot, 1, CanvasPen::Cap::Flat, {1, 1}},
                        {fsAltDot, 3, CanvasPen::Cap::Round, {0, 6}},
                        {fsSquare, 3, CanvasPen::Cap::Flat, {3, 3}}};
  for (const Case& c : cases) {
    TfrxView view(nullptr);
    view.SetBounds(0, 0, 50, 20);
    view.Frame().SetTyp(ftTop);
    view.Frame().SetStyle(c.style);
    view.Frame().SetWidth(c.width);
    RecordingCanvas canvas;
    view.Draw(canvas, 1, 1, 0, 0);
    const auto lines = canvas.RecordsOf(CanvasRecord::Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0]->pen.geometric);
    EXPECT_EQ(lines[0]->pen.cap, c.cap);
    EXPECT_EQ(lines[0]->pen.dashes, c.dashes);
  }
}

TEST(ThickLine, OffsetsFollowTheWidth) {
  struct Case {
    int w;
    std::vector<int> offsets;
  };
  for (const Case& c : {Case{0, {0}}, Case{1, {0}}, Case{2, {-1, 0}}, Case{3, {-1, 0, 1}}, Case{4, {-2, -1, 0, 1}}}) {
    RecordingCanvas canvas;
    DrawThickLine(canvas, 0, 10, 100, 10, c.w);
    const auto lines = canvas.RecordsOf(CanvasRecord::Op::Line);
    ASSERT_EQ(lines.size(), c.offsets.size()) << c.w;
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]->points[0].y, 10 + c.offsets[i]) << c.w;
  }
}

}  // namespace
}  // namespace quarlo
