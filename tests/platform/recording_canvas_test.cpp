// The recording canvas keeps operations, state and bounds in drawing order; the text
// search and the object tests read these records, so order and bounds must be right.
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/font_engine.h"

namespace quarlo {

void PrintTo(const CanvasRect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

using Op = CanvasRecord::Op;

TEST(RecordingCanvas, KeepsOperationsInOrderWithTheStateTheyUsed) {
  RecordingCanvas c;
  c.SetPen(CanvasPen::Solid(clRed, 3));
  c.MoveTo(10, 10);
  c.LineTo(20, 10);
  c.SetBrush({clBlue, CanvasBrush::Style::Cross});
  c.FillRect({0, 0, 8, 8});
  c.SetRasterMode(RasterMode::Xor);
  c.Rectangle(1, 2, 30, 40);
  const CanvasPoint tri[] = {{0, 0}, {10, 0}, {5, 5}};
  c.Polygon(tri);
  ASSERT_EQ(c.Records().size(), 4u);
  const auto& r = c.Records();
  EXPECT_EQ(r[0].op, Op::Line);
  EXPECT_EQ(r[0].points, (std::vector<CanvasPoint>{{10, 10}, {20, 10}}));
  EXPECT_EQ(r[0].pen.width, 3);
  EXPECT_EQ(r[0].pen.color, clRed);
  EXPECT_EQ(r[1].op, Op::FillRect);
  EXPECT_EQ(r[1].brush.style, CanvasBrush::Style::Cross);
  EXPECT_EQ(r[1].mode, RasterMode::Copy);
  EXPECT_EQ(r[2].op, Op::Rectangle);
  EXPECT_EQ(r[2].mode, RasterMode::Xor);
  EXPECT_EQ(r[3].op, Op::Polygon);
  EXPECT_EQ(c.PenPosition(), (CanvasPoint{20, 10}));
}

TEST(RecordingCanvas, BoundsCoverThePixelsAnOperationMayTouch) {
  struct Case {
    const char* name;
    CanvasPen pen;
    std::function<void(Canvas&)> draw;
    CanvasRect bounds;
  };
  CanvasPen square = CanvasPen::Solid(clBlack, 4);
  square.geometric = true;
  square.cap = CanvasPen::Cap::Square;
  const Case cases[] = {
      {"one-pixel line", CanvasPen::Solid(clBlack), [](Canvas& c) { c.MoveTo(5, 5); c.LineTo(9, 5); }, {5, 5, 10, 6}},
      {"wide line is centred", CanvasPen::Solid(clBlack, 3), [](Canvas& c) { c.MoveTo(5, 5); c.LineTo(9, 5); },
       {4, 4, 11, 7}},
      {"square caps reach past the ends", square, [](Canvas& c) { c.MoveTo(5, 5); c.LineTo(9, 5); }, {1, 1, 13, 9}},
      {"rectangle", CanvasPen::Solid(clBlack), [](Canvas& c) { c.Rectangle(1, 2, 11, 12); }, {1, 2, 11, 12}},
      {"fill", CanvasPen::Solid(clBlack), [](Canvas& c) { c.FillRect({3, 4, 5, 6}); }, {3, 4, 5, 6}},
      {"image", CanvasPen::Solid(clBlack),
       [](Canvas& c) { c.DrawImage({0, 0, 40, 20}, CanvasImage{}, ImageStretch::Smooth); }, {0, 0, 40, 20}},
  };
  for (const Case& k : cases) {
    RecordingCanvas c;
    c.SetPen(k.pen);
    k.draw(c);
    ASSERT_EQ(c.Records().size(), 1u) << k.name;
    EXPECT_EQ(c.Records()[0].bounds, k.bounds) << k.name;
  }
}

TEST(RecordingCanvas, TextRecordKeepsTextAdvancesAndRotatedBounds) {
  RecordingCanvas c;
  CanvasFont f;
  f.height = -20;
  c.SetFont(f);
  const int adv[] = {10, 12, 8};
  const CanvasRect clip{0, 0, 50, 50};
  c.TextOut(100, 200, u"abc", adv, &clip, kTextClipped);
  f.escapement = 900;  // reading upwards from the start point
  c.SetFont(f);
  c.TextOut(100, 200, u"abc", adv);
  const auto texts = c.RecordsOf(Op::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, u"abc");
  EXPECT_EQ(texts[0]->advances, (std::vector<int>{10, 12, 8}));
  EXPECT_TRUE(texts[0]->hasTextClip);
  EXPECT_EQ(texts[0]->flags, kTextClipped);
  const int cell = c.TextMetrics().height;
  EXPECT_EQ(texts[0]->bounds, (CanvasRect{100, 200, 130, 200 + cell}));
  EXPECT_EQ(texts[1]->bounds, (CanvasRect{100, 170, 100 + cell, 200}));
}

TEST(CanvasClip, IntersectsSavesAndRestores) {
  RecordingCanvas c({0, 0, 100, 100});
  EXPECT_FALSE(c.HasClip());
  EXPECT_EQ(c.ClipBox(), (CanvasRect{0, 0, 100, 100}));
  c.SaveClip();
  c.IntersectClipRect({10, 10, 60, 60});
  c.SaveClip();
  c.IntersectClipRect({50, 0, 200, 55});
  EXPECT_EQ(c.ClipBox(), (CanvasRect{50, 10, 60, 55}));
  EXPECT_TRUE(c.RectVisible({59, 54, 70, 70}));
  EXPECT_FALSE(c.RectVisible({60, 10, 70, 70}));
  c.RestoreClip();
  EXPECT_EQ(c.ClipBox(), (CanvasRect{10, 10, 60, 60}));
  c.RestoreClip();
  EXPECT_FALSE(c.HasClip());
  c.RestoreClip();  // unbalanced: nothing to restore, nothing changes
  EXPECT_FALSE(c.HasClip());
  c.IntersectClipRect({200, 200, 300, 300});  // disjoint: nothing visible
  EXPECT_TRUE(c.ClipBox().IsEmpty());
  EXPECT_FALSE(c.RectVisible({0, 0, 100, 100}));
  EXPECT_EQ(c.RecordsOf(Op::Clip).size(), 5u);
}

TEST(CanvasHatch, PatternsRepeatEveryEightDevicePixelsFromTheOrigin) {
  struct Case {
    CanvasBrush::Style style;
    std::vector<CanvasPoint> on, off;
  };
  using S = CanvasBrush::Style;
  const Case cases[] = {
      {S::Horizontal, {{0, 0}, {5, 0}, {3, 8}, {-1, -8}}, {{0, 1}, {0, 7}, {4, 4}}},
      {S::Vertical, {{0, 0}, {0, 5}, {8, 3}, {-8, 1}}, {{1, 0}, {7, 0}}},
      {S::FDiagonal, {{0, 0}, {1, 1}, {7, 7}, {9, 1}}, {{1, 0}, {0, 7}}},
      {S::BDiagonal, {{7, 0}, {0, 7}, {3, 4}, {15, 0}}, {{0, 0}, {1, 1}}},
      {S::Cross, {{0, 3}, {3, 0}, {16, 5}}, {{1, 1}, {7, 7}}},
      {S::DiagCross, {{2, 2}, {2, 5}}, {{0, 1}, {4, 0}}},
  };
  for (const Case& k : cases) {
    for (CanvasPoint p : k.on) EXPECT_TRUE(HatchCovers(k.style, p.x, p.y)) << int(k.style) << " " << p.x << "," << p.y;
    for (CanvasPoint p : k.off) EXPECT_FALSE(HatchCovers(k.style, p.x, p.y)) << int(k.style) << " " << p.x << "," << p.y;
  }
}

TEST(CanvasFonts, PointSizesFollowTheDeviceOnPrintersOnly) {
  struct Case {
    CanvasKind kind;
    int dpiY;
    double points;
    int height;
  };
  const Case cases[] = {
      {CanvasKind::Screen, 96, 10, -13},    // 13.33
      {CanvasKind::Image, 300, 10, -13},    // images size fonts like the screen
      {CanvasKind::Printer, 600, 10, -83},  // 83.33
      {CanvasKind::Printer, 300, 9, -38},   // 37.5 rounds to even
      {CanvasKind::Printer, 360, 12, -60},
  };
  for (const Case& k : cases) {
    RecordingCanvas c({0, 0, 10, 10}, k.dpiY, k.dpiY, k.kind);
    EXPECT_EQ(c.FontHeightForPoints(k.points), k.height) << int(k.kind) << " " << k.dpiY;
  }
  EXPECT_EQ(FontEmPixels(-83, 1.15), 83);
  EXPECT_EQ(FontEmPixels(23, 1.15), 20);  // cell height to em
  EXPECT_EQ(FontEmPixels(0, 1.15), 16);
}

TEST(FixedFontEngine, MeasuresWideCharactersAsFullEmAndSurrogatePairsOnce) {
  FixedFontEngine e;
  const std::u16string text = u"a中\U00020000 ";
  std::vector<double> adv(text.size());
  e.Advances({"Arial", 0}, 20, text, adv);
  EXPECT_DOUBLE_EQ(adv[0], 10);
  EXPECT_DOUBLE_EQ(adv[1], 20);
  EXPECT_DOUBLE_EQ(adv[2], 20);  // the pair's advance sits on its first unit
  EXPECT_DOUBLE_EQ(adv[3], 0);
  EXPECT_DOUBLE_EQ(adv[4], 5);
}

}  // namespace
}  // namespace quarlo
