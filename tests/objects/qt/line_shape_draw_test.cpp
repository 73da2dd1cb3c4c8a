// Lines (straightening, arrow geometry, diagonals) and shapes (figures, corner sizes,
// hatch over fill, double outlines).

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "draw_test_raster.h"
#include "objects/line_draw_arrow.h"
#include "objects/line_view.h"
#include "objects/shape_view.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

using drawtest::Block;
using drawtest::Paint;
using drawtest::Row;

TEST(LineDraw, StraighteningIsKeptAndDrawsAlongTheTopOrLeftEdge) {
  struct Case {
    double width, height;
    double keptWidth, keptHeight;
    int typ;
  };
  for (const Case& c : {Case{100, 30, 100, 0, ftTop}, Case{30, 100, 0, 100, ftLeft}, Case{20, 20, 0, 20, ftLeft}}) {
    TfrxLineView line(nullptr);
    line.SetBounds(2, 3, c.width, c.height);
    const QImage img = Paint(120, 120, [&](Canvas& canvas) { line.Draw(canvas, 1, 1, 0, 0); });
    EXPECT_EQ(line.Width(), c.keptWidth);
    EXPECT_EQ(line.Height(), c.keptHeight);
    EXPECT_EQ(line.Frame().Typ(), c.typ);
    if (c.typ == ftTop) {
      EXPECT_EQ(Row(img, 3, 0, 4), "..###");
      EXPECT_EQ(Row(img, 4, 0, 4), ".....");
    } else {
      EXPECT_EQ(drawtest::Column(img, 2, 0, 5), "...###");
      EXPECT_EQ(drawtest::Column(img, 3, 0, 5), "......");
    }
  }
}

TEST(LineDraw, VerticalDoubleLineShowsTwoStrokes) {
  TfrxLineView line(nullptr);
  line.SetBounds(10, 0, 0, 20);
  line.Frame().SetStyle(fsDouble);
  const QImage img = Paint(20, 22, [&](Canvas& canvas) { line.Draw(canvas, 1, 1, 0, 0); });
  EXPECT_EQ(Row(img, 10, 6, 14), "...#.#...");
}

TEST(LineArrow, BaseAndWings) {
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    CanvasPoint tip, wing1, wing2;
    double baseX, baseY;
  };
  const Case cases[] = {
      {"horizontal to the right", 0, 10, 100, 10, {100, 10}, {80, 5}, {80, 15}, 80, 10},
      {"horizontal to the left", 100, 10, 0, 10, {0, 10}, {20, 5}, {20, 15}, 20, 10},
      {"nearly vertical downwards", 0, 0, 5, 100, {5, 100}, {0, 80}, {10, 80}, 5, 80},
      {"vertical upwards", 5, 100, 5, 0, {5, 0}, {0, 20}, {10, 20}, 5, 20},
      // 3-4-5 slope: base 20 back along the line, wings 5 across it.
      {"diagonal", 0, 0, 60, 80, {60, 80}, {52, 61}, {44, 67}, 48, 64},
  };
  for (const Case& c : cases) {
    const ArrowHead h = ComputeArrowHead(c.x1, c.y1, c.x2, c.y2, ArrowSpec{5, 20});
    EXPECT_EQ(h.tip, c.tip) << c.name;
    EXPECT_EQ(h.wing1, c.wing1) << c.name;
    EXPECT_EQ(h.wing2, c.wing2) << c.name;
    EXPECT_NEAR(h.baseX, c.baseX, 1e-9) << c.name;
    EXPECT_NEAR(h.baseY, c.baseY, 1e-9) << c.name;
  }
}

TEST(LineDraw, ArrowHeadsAreDrawnAtTheRequestedEnds) {
  TfrxLineView line(nullptr);
  line.SetBounds(0, 10, 100, 0);
  line.SetArrowEnd(true);
  line.SetArrowStart(true);
  line.SetArrowSolid(true);
  RecordingCanvas canvas;
  line.Draw(canvas, 1, 1, 0, 0);
  const auto polygons = canvas.RecordsOf(CanvasRecord::Op::Polygon);
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0]->points[0], (CanvasPoint{0, 10}));
  EXPECT_EQ(polygons[1]->points[0], (CanvasPoint{100, 10}));
  EXPECT_EQ(polygons[1]->points[1], (CanvasPoint{80, 5}));
  EXPECT_EQ(polygons[1]->brush.color, clBlack);
}

TEST(LineDraw, DiagonalWithoutWidthOrColourDrawsNothing) {
  for (int variant = 0; variant < 2; ++variant) {
    TfrxLineView line(nullptr);
    line.SetBounds(0, 0, 50, 40);
    line.SetDiagonal(true);
    line.SetArrowEnd(true);
    if (variant == 0) line.Frame().SetWidth(0);
    else line.Frame().SetColor(clTransparent);
    RecordingCanvas canvas;
    line.Draw(canvas, 1, 1, 0, 0);
    EXPECT_TRUE(canvas.Records().empty()) << variant;
  }
}

TEST(LineDraw, DiagonalRunsBetweenCornersInEitherDirection) {
  TfrxLineView line(nullptr);
  line.SetBounds(50, 0, -40, 30);
  line.SetDiagonal(true);
  line.Frame().SetWidth(3);
  RecordingCanvas canvas;
  line.Draw(canvas, 1, 1, 0, 0);
  const auto lines = canvas.RecordsOf(CanvasRecord::Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]->points[0], (CanvasPoint{50, -1}));
  EXPECT_EQ(lines[0]->points[1], (CanvasPoint{10, 29}));
}

TEST(ShapeDraw, RoundRectangleCornerSize) {
  struct Case {
    int curve;
    double scale;
    int corner;
  };
  for (const Case& c : {Case{0, 1, 10}, Case{2, 1.5, 30}, Case{0, 2, 20}}) {
    TfrxShapeView shape(nullptr);
    shape.SetBounds(0, 0, 80, 40);
    shape.SetShape(skRoundRectangle);
    shape.SetCurve(c.curve);
    RecordingCanvas canvas;
    shape.Draw(canvas, c.scale, c.scale, 0, 0);
    const auto rr = canvas.RecordsOf(CanvasRecord::Op::RoundRect);
    ASSERT_EQ(rr.size(), 1u);
    EXPECT_EQ(rr[0]->corner, (CanvasPoint{c.corner, c.corner})) << c.curve << " " << c.scale;
  }
}

TEST(ShapeDraw, FiguresAndTheirDoubleOutlines) {
  struct Case {
    TfrxShapeKind kind;
    CanvasRecord::Op op;
    std::vector<CanvasPoint> first;  // polygon vertices, or rect corners for figures
    std::vector<CanvasPoint> inner;
  };
  // 40 x 20 shape at (10, 10), frame width 1.
  const Case cases[] = {
      {skRectangle, CanvasRecord::Op::Rectangle, {{10, 10}, {51, 31}}, {{12, 12}, {49, 29}}},
      {skEllipse, CanvasRecord::Op::Ellipse, {{10, 10}, {51, 31}}, {{12, 12}, {49, 29}}},
      {skTriangle, CanvasRecord::Op::Polygon, {{50, 30}, {10, 30}, {30, 10}, {50, 30}}, {{46, 28}, {14, 28}, {30, 14}, {46, 28}}},
      {skDiamond, CanvasRecord::Op::Polygon, {{30, 10}, {50, 20}, {30, 30}, {10, 20}}, {{30, 13}, {47, 20}, {30, 27}, {13, 20}}},
  };
  for (const Case& c : cases) {
    TfrxShapeView shape(nullptr);
    shape.SetBounds(10, 10, 40, 20);
    shape.SetShape(c.kind);
    shape.Frame().SetStyle(fsDouble);
    RecordingCanvas canvas;
    shape.Draw(canvas, 1, 1, 0, 0);
    const auto figures = canvas.RecordsOf(c.op);
    ASSERT_EQ(figures.size(), 2u) << c.kind;
    auto pointsOf = [&](const CanvasRecord* r) {
      if (c.op == CanvasRecord::Op::Polygon) return r->points;
      return std::vector<CanvasPoint>{{r->rect.left, r->rect.top}, {r->rect.right, r->rect.bottom}};
    };
    EXPECT_EQ(pointsOf(figures[0]), c.first) << c.kind;
    EXPECT_EQ(pointsOf(figures[1]), c.inner) << c.kind;
    EXPECT_EQ(figures[1]->pen.style, CanvasPen::Style::Solid);
    EXPECT_EQ(shape.Left(), 10) << "geometry restored";
    EXPECT_EQ(shape.Width(), 40) << "geometry restored";
  }
}

// An alt-dot outline is a solid pen that stays inside the figure: a 3-pixel pen on the
// shape (2, 2)-(22, 14) paints from column 2 to 22 and row 2 to 14, not a pixel beyond.
TEST(ShapeDraw, AltDotOutlineStaysInsideTheFigure) {
  for (TfrxShapeKind kind : {skRectangle, skRoundRectangle, skEllipse}) {
    TfrxShapeView shape(nullptr);
    shape.SetBounds(2, 2, 20, 12);
    shape.SetShape(kind);
    shape.Frame().SetStyle(fsAltDot);
    shape.Frame().SetWidth(3);
    const QImage img = Paint(26, 18, [&](Canvas& c) { shape.Draw(c, 1, 1, 0, 0); });
    int left = 99, right = -1, top = 99, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (drawtest::PixelChar(img, x, y) != '.') {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_EQ((std::vector<int>{left, top, right, bottom}), (std::vector<int>{2, 2, 22, 14}))
        << kind << "\n" << Block(img, 0, 0, 25, 17);
  }
  // A rectangle's band is the full pen width inside the edge.
  TfrxShapeView shape(nullptr);
  shape.SetBounds(2, 2, 20, 12);
  shape.Frame().SetStyle(fsAltDot);
  shape.Frame().SetWidth(3);
  const QImage img = Paint(26, 18, [&](Canvas& c) { shape.Draw(c, 1, 1, 0, 0); });
  EXPECT_EQ(Row(img, 8, 0, 25), "..###...............###...");
}

TEST(ShapeDraw, HatchOverFillAndFillWithoutOutline) {
  TfrxShapeView shape(nullptr);
  shape.SetBounds(0, 0, 16, 16);
  shape.SetColor(clYellow);
  shape.SetBrushStyle(bsCross);
  QImage img = Paint(20, 20, [&](Canvas& c) { shape.Draw(c, 1, 1, 0, 0); });
  EXPECT_EQ(drawtest::Count(img, '?'), 0);
  EXPECT_GT(drawtest::Count(img, 'y'), 100) << Block(img, 0, 0, 17, 17);
  EXPECT_GT(drawtest::Count(img, '#'), 64) << "outline and cross hatch";
  for (int x = 1; x < 16; ++x)
    EXPECT_EQ(drawtest::PixelChar(img, x, 3), HatchCovers(CanvasBrush::Style::Cross, x, 3) ? '#' : 'y') << x;

  shape.SetBrushStyle(bsSolid);
  shape.Frame().SetColor(clTransparent);
  img = Paint(20, 20, [&](Canvas& c) { shape.Draw(c, 1, 1, 0, 0); });
  EXPECT_EQ(drawtest::Count(img, '#'), 0);
  EXPECT_EQ(drawtest::Count(img, 'y'), 16 * 16) << Block(img, 0, 0, 17, 17);
}

TEST(ShapeDraw, DiagonalsAreThickLinesOfOnePixelSegments) {
  TfrxShapeView shape(nullptr);
  shape.SetBounds(0, 0, 40, 20);
  shape.SetShape(skDiagonal1);
  shape.Frame().SetWidth(2);
  RecordingCanvas canvas;
  shape.Draw(canvas, 1, 1, 0, 0);
  const auto lines = canvas.RecordsOf(CanvasRecord::Op::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]->points[0], (CanvasPoint{0, 19}));
  EXPECT_EQ(lines[0]->points[1], (CanvasPoint{40, -1}));
  EXPECT_EQ(lines[0]->pen.width, 1);
}

}  // namespace
}  // namespace quarlo
