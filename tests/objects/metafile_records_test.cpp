// Metafile records played onto the recording canvas: what reaches the canvas, with
// which arguments, after the metafile's mapping and the scaling into the target.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "objects/metafile_player.h"
#include "platform/recording_canvas.h"
#include "support/metafile_builder.h"

namespace quarlo {
namespace {

using testing::Dib24;
using testing::EmfBuilder;
using testing::WmfBuilder;
using Op = CanvasRecord::Op;

// EMF record numbers used below.
enum : std::uint32_t {
  kPolyBezier = 2, kPolygon = 3, kPolyline = 4, kPolyBezierTo = 5, kPolylineTo = 6, kPolyPolyline = 7,
  kPolyPolygon = 8, kSetWindowExt = 9, kSetWindowOrg = 10, kSetViewportExt = 11, kSetViewportOrg = 12,
  kSetMapMode = 17, kSetBkMode = 18, kSetPolyFillMode = 19, kSetRop2 = 20, kSetTextAlign = 22,
  kSetTextColor = 24, kSetBkColor = 25, kMoveTo = 27, kExcludeClip = 29, kIntersectClip = 30, kSaveDc = 33,
  kRestoreDc = 34, kSetWorld = 35, kModifyWorld = 36, kEllipse = 42, kRectangle = 43, kRoundRect = 44,
  kArc = 45, kChord = 46, kPie = 47, kLineTo = 54, kBeginPath = 59, kEndPath = 60, kCloseFigure = 61,
  kFillPath = 62, kStrokeAndFillPath = 63, kStrokePath = 64, kSelectClipRgn = 75, kPolygon16 = 86,
  kPolyline16 = 87, kPolyPolygon16 = 91,
};
constexpr std::uint32_t kStock = 0x80000000u;

std::vector<CanvasRecord> Play(const std::string& bytes, CanvasRect target = {0, 0, 100, 100},
                               MetafilePlayOptions options = {}) {
  RecordingCanvas canvas;
  const MetafilePlayResult result = PlayMetafile(canvas, target, bytes, options);
  EXPECT_TRUE(result.played) << result.error;
  std::vector<CanvasRecord> drawn;
  for (const CanvasRecord& r : canvas.Records())
    if (r.op != Op::Clip) drawn.push_back(r);
  return drawn;
}

std::vector<CanvasRecord> Of(const std::vector<CanvasRecord>& records, Op op) {
  std::vector<CanvasRecord> out;
  for (const CanvasRecord& r : records)
    if (r.op == op) out.push_back(r);
  return out;
}

// ------------------------------------------------------------------ mapping

struct MappingCase {
  const char* name;
  std::function<void(EmfBuilder&)> setup;
  CanvasRect target;
  CanvasRect logical;   // the rectangle drawn
  CanvasRect expected;  // where it lands on the canvas
};

TEST(MetafileMapping, EnhancedMapModesOriginsExtentsAndWorldTransforms) {
  const MappingCase cases[] = {
      {"text mode, target of frame size", [](EmfBuilder&) {}, {0, 0, 100, 100}, {10, 20, 30, 40}, {10, 20, 30, 40}},
      {"target twice the frame, moved", [](EmfBuilder&) {}, {50, 50, 250, 250}, {10, 20, 30, 40}, {70, 90, 110, 130}},
      {"window origin moves the picture", [](EmfBuilder& b) { b.Record(kSetWindowOrg, {-10, -5}); },
       {0, 0, 100, 100}, {0, 0, 10, 10}, {10, 5, 20, 15}},
      {"viewport origin in device units", [](EmfBuilder& b) { b.Record(kSetViewportOrg, {7, 3}); },
       {0, 0, 100, 100}, {0, 0, 10, 10}, {7, 3, 17, 13}},
      {"anisotropic window to viewport",
       [](EmfBuilder& b) {
         b.Record(kSetMapMode, {8}).Record(kSetWindowExt, {1000, 2000}).Record(kSetViewportExt, {100, 100});
       },
       {0, 0, 100, 100}, {100, 200, 300, 400}, {10, 10, 30, 20}},
      {"isotropic keeps the smaller scale on both axes",
       [](EmfBuilder& b) {
         b.Record(kSetMapMode, {7}).Record(kSetWindowExt, {1000, 2000}).Record(kSetViewportExt, {100, 100});
       },
       {0, 0, 100, 100}, {100, 200, 300, 400}, {5, 10, 15, 20}},
      {"anisotropic with y going up",
       [](EmfBuilder& b) {
         b.Record(kSetMapMode, {8}).Record(kSetWindowExt, {100, -100}).Record(kSetViewportExt, {100, 100});
         b.Record(kSetViewportOrg, {0, 100});
       },
       {0, 0, 100, 100}, {10, 20, 30, 40}, {10, 60, 30, 80}},
      {"low metric: tenths of a millimetre, y up", [](EmfBuilder& b) { b.Record(kSetMapMode, {2}); },
       {0, 0, 100, 100}, {0, 0, 250, -125}, {0, 0, 100, 50}},
      {"high metric", [](EmfBuilder& b) { b.Record(kSetMapMode, {3}); }, {0, 0, 100, 100},
       {0, -2500, 1250, 0}, {0, 0, 50, 100}},
      {"twips", [](EmfBuilder& b) { b.Record(kSetMapMode, {6}); }, {0, 0, 100, 100}, {0, 0, 1417, -1417},
       {0, 0, 100, 100}},
      {"world scale and offset", [](EmfBuilder& b) { b.Xform(kSetWorld, 2, 0, 0, 2, 10, 0); }, {0, 0, 100, 100},
       {0, 0, 10, 10}, {10, 0, 30, 20}},
      {"world transform then page mapping",
       [](EmfBuilder& b) {
         b.Xform(kSetWorld, 2, 0, 0, 2, 0, 0);
         b.Record(kSetMapMode, {8}).Record(kSetWindowExt, {200, 200}).Record(kSetViewportExt, {100, 100});
       },
       {0, 0, 100, 100}, {10, 10, 20, 20}, {10, 10, 20, 20}},
      {"modify: right-multiply adds a translation after the scale",
       [](EmfBuilder& b) {
         b.Xform(kSetWorld, 2, 0, 0, 2, 0, 0);
         b.Xform(kModifyWorld, 1, 0, 0, 1, 5, 5, 3);
       },
       {0, 0, 100, 100}, {0, 0, 10, 10}, {5, 5, 25, 25}},
      {"modify: left-multiply translates in logical units",
       [](EmfBuilder& b) {
         b.Xform(kSetWorld, 2, 0, 0, 2, 0, 0);
         b.Xform(kModifyWorld, 1, 0, 0, 1, 5, 5, 2);
       },
       {0, 0, 100, 100}, {0, 0, 10, 10}, {10, 10, 30, 30}},
      {"modify: identity resets",
       [](EmfBuilder& b) {
         b.Xform(kSetWorld, 2, 0, 0, 2, 7, 7);
         b.Xform(kModifyWorld, 0, 0, 0, 0, 0, 0, 1);
       },
       {0, 0, 100, 100}, {1, 2, 3, 4}, {1, 2, 3, 4}},
  };
  for (const MappingCase& c : cases) {
    SCOPED_TRACE(c.name);
    EmfBuilder b;
    c.setup(b);
    b.Record(kRectangle, {c.logical.left, c.logical.top, c.logical.right, c.logical.bottom});
    const auto rects = Of(Play(b.Finish(), c.target), Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, c.expected);
  }
}

TEST(MetafileMapping, PlaceableBoundingBoxFillsTheTargetAndTheWindowMapsOntoIt) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::uint16_t, std::vector<std::int16_t>>> records;
    CanvasRect expected;
  } cases[] = {
      {"no window records: box units", {}, {10, 20, 30, 40}},
      {"window of the box's size", {{0x0103, {8}}, {0x020B, {0, 0}}, {0x020C, {1000, 1000}}}, {10, 20, 30, 40}},
      {"window twice the box", {{0x0103, {8}}, {0x020C, {2000, 2000}}}, {5, 10, 15, 20}},
      {"window origin moved", {{0x0103, {8}}, {0x020B, {100, 100}}, {0x020C, {1000, 1000}}}, {0, 10, 20, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WmfBuilder b(0, 0, 1000, 1000, 1000);
    for (const auto& [function, params] : c.records) b.Record(function, params);
    b.Record(0x041B, {400, 300, 200, 100});  // bottom, right, top, left
    const auto rects = Of(Play(b.Finish(), {0, 0, 100, 100}), Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, c.expected);
  }
}

// ------------------------------------------------------------------ objects

TEST(MetafileObjects, PensAndBrushesBecomeCanvasPensAndBrushes) {
  EmfBuilder b;
  b.Record(kSetBkMode, {1});
  b.Pen(1, 0, 3, 0x0000FF).Brush(2, 2, 0x00FF00, 4).Select(1).Select(2);
  b.Record(kRectangle, {0, 0, 10, 10});
  b.Select(kStock | 5).Select(kStock | 8);  // null brush, null pen
  b.Record(kRectangle, {0, 0, 10, 10});
  b.Pen(3, 1, 0, 0xFF0000).Select(3).Select(kStock | 4);  // dashed cosmetic pen, black brush
  b.Record(kRectangle, {0, 0, 10, 10});
  const auto rects = Of(Play(b.Finish(), {0, 0, 200, 200}), Op::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].pen.color, 0x0000FFu);
  EXPECT_EQ(rects[0].pen.width, 6);  // 3 logical units at twice the size
  EXPECT_EQ(rects[0].brush.style, CanvasBrush::Style::Cross);
  EXPECT_EQ(rects[0].brush.color, 0x00FF00u);
  EXPECT_EQ(rects[1].pen.style, CanvasPen::Style::Clear);
  EXPECT_EQ(rects[1].brush.style, CanvasBrush::Style::Clear);
  EXPECT_EQ(rects[2].pen.style, CanvasPen::Style::Dash);
  EXPECT_EQ(rects[2].pen.width, 1);
  EXPECT_EQ(rects[2].brush, CanvasBrush::SolidColor(0));
}

TEST(MetafileObjects, OpaqueHatchFillsTheBackgroundColourFirst) {
  EmfBuilder b;
  b.Brush(1, 2, 0x0000FF, 0).Select(1).Select(kStock | 8).Record(kSetBkColor, {0x00FFFF});
  b.Record(kRectangle, {0, 0, 10, 10});
  b.Record(kSetBkMode, {1});  // transparent
  b.Record(kRectangle, {0, 0, 10, 10});
  const auto rects = Of(Play(b.Finish()), Op::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].brush, CanvasBrush::SolidColor(0x00FFFF));
  EXPECT_EQ(rects[1].brush.style, CanvasBrush::Style::Horizontal);
  EXPECT_EQ(rects[2].brush.style, CanvasBrush::Style::Horizontal);
}

TEST(MetafileObjects, DeletedAndUnknownHandlesLeaveTheSelectionAndSavedStateComesBack) {
  EmfBuilder b;
  b.Pen(1, 0, 1, 0x0000FF).Pen(2, 0, 1, 0x00FF00).Select(1).Delete(2).Select(2).Select(9999).Select(0xFFFFFF);
  b.Record(kRectangle, {0, 0, 10, 10});
  b.Record(kSaveDc, {}).Pen(3, 0, 1, 0xFF0000).Select(3).Record(kRectangle, {0, 0, 10, 10});
  b.Record(kRestoreDc, {-1}).Record(kRectangle, {0, 0, 10, 10});
  const auto rects = Of(Play(b.Finish()), Op::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].pen.color, 0x0000FFu);
  EXPECT_EQ(rects[1].pen.color, 0xFF0000u);
  EXPECT_EQ(rects[2].pen.color, 0x0000FFu);
}

TEST(MetafileObjects, PlaceableObjectsTakeTheLowestFreeSlot) {
  WmfBuilder b(0, 0, 100, 100, 96);
  b.Pen(0, 1, 0x0000FF).Pen(0, 1, 0x00FF00).Delete(0).Pen(0, 1, 0xFF0000);  // the third goes to slot 0
  b.Select(0).Record(0x041B, {10, 10, 0, 0});
  b.Select(1).Record(0x041B, {10, 10, 0, 0});
  const auto rects = Of(Play(b.Finish()), Op::Rectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].pen.color, 0xFF0000u);
  EXPECT_EQ(rects[1].pen.color, 0x00FF00u);
}

// ------------------------------------------------------------------ figures

TEST(MetafileFigures, LinesAndPolygonsIn16And32BitForms) {
  EmfBuilder b;
  b.Points(kPolyline, {{0, 0}, {10, 0}, {10, 10}});
  b.Points16(kPolyline16, {{1, 1}, {5, 5}, {9, 1}});
  b.Points(kPolygon, {{0, 0}, {20, 0}, {0, 20}});
  b.Points16(kPolygon16, {{0, 0}, {-4, 0}, {0, -4}});
  b.Record(kMoveTo, {5, 5}).Record(kLineTo, {15, 5});
  b.Points(kPolylineTo, {{15, 15}, {5, 15}});
  const auto drawn = Play(b.Finish(), {0, 0, 200, 200});
  const auto lines = Of(drawn, Op::Polyline);
  const auto polygons = Of(drawn, Op::Polygon);
  const auto segments = Of(drawn, Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{0, 0}, {20, 0}, {20, 20}}));
  EXPECT_EQ(lines[1].points, (std::vector<CanvasPoint>{{2, 2}, {10, 10}, {18, 2}}));
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0].points, (std::vector<CanvasPoint>{{0, 0}, {40, 0}, {0, 40}}));
  EXPECT_EQ(polygons[1].points, (std::vector<CanvasPoint>{{0, 0}, {-8, 0}, {0, -8}}));
  // LineTo and PolylineTo start at the current position.
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].points, (std::vector<CanvasPoint>{{10, 10}, {30, 10}}));
  EXPECT_EQ(lines[2].points, (std::vector<CanvasPoint>{{30, 10}, {30, 30}, {10, 30}}));
}

TEST(MetafileFigures, PolyPolygonsFillAsOneAreaWithTheFillMode) {
  const std::vector<std::vector<std::pair<int, int>>> ring = {{{0, 0}, {30, 0}, {30, 30}, {0, 30}},
                                                              {{10, 10}, {20, 10}, {20, 20}, {10, 20}}};
  EmfBuilder b;
  b.PolyPoly(kPolyPolygon, ring);
  b.Record(kSetPolyFillMode, {2});
  b.PolyPoly(kPolyPolygon16, ring);
  b.PolyPoly(kPolyPolyline, ring);
  const auto drawn = Play(b.Finish());
  const auto polys = Of(drawn, Op::PolyPolygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0].counts, (std::vector<int>{4, 4}));
  EXPECT_FALSE(polys[0].winding);
  EXPECT_EQ(polys[0].points[5], (CanvasPoint{20, 10}));
  EXPECT_TRUE(polys[1].winding);
  EXPECT_EQ(polys[1].points, polys[0].points);
  EXPECT_EQ(Of(drawn, Op::Polyline).size(), 2u);  // the poly-polyline: one chain per figure
}

TEST(MetafileFigures, EllipsesRoundRectsArcsChordsAndPies) {
  EmfBuilder b;
  b.Record(kEllipse, {0, 0, 20, 10});
  b.Record(kRoundRect, {0, 0, 20, 20, 6, 4});
  // Quarter arcs of the box (0,0)-(40,40), counter-clockwise from the right to the top.
  b.Record(kArc, {0, 0, 40, 40, 40, 20, 20, 0});
  b.Record(kChord, {0, 0, 40, 40, 40, 20, 20, 0});
  b.Record(kPie, {0, 0, 40, 40, 40, 20, 20, 0});
  const auto drawn = Play(b.Finish(), {0, 0, 200, 200});
  const auto ellipses = Of(drawn, Op::Ellipse), rounds = Of(drawn, Op::RoundRect);
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ(ellipses[0].rect, (CanvasRect{0, 0, 40, 20}));
  ASSERT_EQ(rounds.size(), 1u);
  EXPECT_EQ(rounds[0].corner, (CanvasPoint{12, 8}));
  const auto arcs = Of(drawn, Op::Polyline), shapes = Of(drawn, Op::Polygon);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].points.front(), (CanvasPoint{80, 40}));
  EXPECT_EQ(arcs[0].points.back(), (CanvasPoint{40, 0}));
  for (const CanvasPoint& p : arcs[0].points) EXPECT_TRUE(p.x >= 40 && p.y <= 40) << p.x << "," << p.y;
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[0].points.size(), arcs[0].points.size());      // chord: closed by its own edge
  EXPECT_EQ(shapes[1].points.back(), (CanvasPoint{40, 40}));       // pie: through the centre
}

TEST(MetafileFigures, ArcDirectionIsSeenOnTheDevice) {
  // With y going up, the top of the logical box is at the bottom of the device: the
  // counter-clockwise arc from the right to that point goes the long way round.
  EmfBuilder b;
  b.Record(kSetMapMode, {8}).Record(kSetWindowExt, {100, -100}).Record(kSetViewportExt, {100, 100});
  b.Record(kSetViewportOrg, {0, 100});
  b.Record(kArc, {0, 0, 40, 40, 40, 20, 20, 0});
  const auto arcs = Of(Play(b.Finish()), Op::Polyline);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].points.front(), (CanvasPoint{40, 80}));
  EXPECT_EQ(arcs[0].points.back(), (CanvasPoint{20, 100}));
  int left = 100, top = 100;
  for (const CanvasPoint& p : arcs[0].points) left = std::min(left, p.x), top = std::min(top, p.y);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(top, 60);
}

TEST(MetafileFigures, PathsCollectFiguresUntilFilledOrStroked) {
  auto square = [](EmfBuilder& b, int at) {
    b.Record(kBeginPath, {}).Record(kMoveTo, {at, at}).Record(kLineTo, {at + 10, at});
    b.Points(kPolylineTo, {{at + 10, at + 10}, {at, at + 10}});
    b.Record(kCloseFigure, {}).Record(kEndPath, {});
  };
  EmfBuilder b;
  b.Brush(1, 0, 0x0000FF).Select(1);
  square(b, 0);
  b.Record(kFillPath, {0, 0, 0, 0});
  square(b, 20);
  b.Record(kStrokePath, {0, 0, 0, 0});
  square(b, 40);
  b.Record(kStrokeAndFillPath, {0, 0, 0, 0});
  b.Record(kBeginPath, {}).Record(kMoveTo, {0, 0}).Points(kPolyBezierTo, {{10, 0}, {10, 10}, {0, 10}});
  b.Record(kEndPath, {}).Record(kStrokePath, {0, 0, 0, 0});
  const auto drawn = Play(b.Finish());
  const auto polygons = Of(drawn, Op::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0].points, (std::vector<CanvasPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
  EXPECT_EQ(polygons[0].pen.style, CanvasPen::Style::Clear);  // fill only
  EXPECT_EQ(polygons[0].brush, CanvasBrush::SolidColor(0x0000FF));
  EXPECT_EQ(polygons[1].brush.style, CanvasBrush::Style::Clear);  // stroke only
  EXPECT_EQ(polygons[1].points[0], (CanvasPoint{20, 20}));
  EXPECT_NE(polygons[2].pen.style, CanvasPen::Style::Clear);  // both at once
  EXPECT_EQ(polygons[2].brush, CanvasBrush::SolidColor(0x0000FF));
  const auto curves = Of(drawn, Op::Polyline);
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_GT(curves[0].points.size(), 4u);  // the curve is flattened
  EXPECT_EQ(curves[0].points.front(), (CanvasPoint{0, 0}));
  EXPECT_EQ(curves[0].points.back(), (CanvasPoint{0, 10}));
  EXPECT_EQ(curves[0].points[8], (CanvasPoint{8, 5}));  // halfway: 3/4 of the control points' x
  // Nothing drawn while the path was open.
  EXPECT_TRUE(Of(drawn, Op::Line).empty());
}

TEST(MetafileFigures, PolyDrawMovesDrawsLinesAndCurvesAndClosesFigures) {
  // move (0,0), line (10,0), Bezier to (10,20), line (0,20) closing; then a lone line.
  auto polyDraw = [] {
    std::string p;
    auto put = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) p.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    for (int i = 0; i < 4; ++i) put(0);
    put(8);
    const int pts[][2] = {{0, 0}, {10, 0}, {15, 5}, {15, 15}, {10, 20}, {0, 20}, {30, 30}, {40, 30}};
    for (const auto& pt : pts) put(static_cast<std::uint32_t>(pt[0])), put(static_cast<std::uint32_t>(pt[1]));
    for (std::uint8_t t : {6, 2, 4, 4, 4, 3, 6, 2}) p.push_back(static_cast<char>(t));
    return p;
  };
  EmfBuilder b;
  b.Record(kBeginPath, {}).Raw(56, polyDraw()).Record(kEndPath, {}).Record(kStrokePath, {0, 0, 0, 0});
  b.Raw(56, polyDraw());
  const auto drawn = Play(b.Finish());
  const auto polygons = Of(drawn, Op::Polygon), segments = Of(drawn, Op::Line);
  ASSERT_EQ(polygons.size(), 1u);  // the closed figure of the path
  EXPECT_EQ(polygons[0].points.front(), (CanvasPoint{0, 0}));
  EXPECT_EQ(polygons[0].points[1], (CanvasPoint{10, 0}));
  EXPECT_EQ(polygons[0].points.back(), (CanvasPoint{0, 20}));
  EXPECT_EQ(polygons[0].points.size(), 2u + 16u + 1u);
  ASSERT_FALSE(segments.empty());  // outside a path closing draws back to the start
  EXPECT_EQ(segments.back().points, (std::vector<CanvasPoint>{{30, 30}, {40, 30}}));
  bool closedBack = false;
  for (const CanvasRecord& s : segments) closedBack = closedBack || s.points == std::vector<CanvasPoint>{{0, 20}, {0, 0}};
  EXPECT_TRUE(closedBack);
}

TEST(MetafileFigures, BeziersPassThroughTheirEndPoints) {
  EmfBuilder b;
  b.Points(kPolyBezier, {{0, 0}, {0, 20}, {20, 20}, {20, 0}, {20, -20}, {40, -20}, {40, 0}});
  const auto curves = Of(Play(b.Finish()), Op::Polyline);
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0].points.front(), (CanvasPoint{0, 0}));
  EXPECT_EQ(curves[0].points.back(), (CanvasPoint{40, 0}));
  EXPECT_EQ(curves[0].points[16], (CanvasPoint{20, 0}));
  EXPECT_EQ(curves[0].points[8], (CanvasPoint{10, 15}));  // the midpoint of the first arch
}

TEST(MetafileFigures, XorAndNoOpRasterModes) {
  EmfBuilder b;
  b.Record(kSetRop2, {7}).Record(kRectangle, {0, 0, 10, 10});
  b.Record(kSetRop2, {11}).Record(kRectangle, {0, 0, 10, 10});
  const auto rects = Of(Play(b.Finish()), Op::Rectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].mode, RasterMode::Xor);
  EXPECT_EQ(rects[1].pen.style, CanvasPen::Style::Clear);
  EXPECT_EQ(rects[1].brush.style, CanvasBrush::Style::Clear);
}

// ------------------------------------------------------------------ text

TEST(MetafileText, WideAndEightBitTextWithFontAndAdvances) {
  EmfBuilder b;
  b.Font(1, -20, u"Arial", 700, 0, true).Select(1).Record(kSetTextColor, {0x0000FF}).Record(kSetBkMode, {1});
  b.TextW(10, 10, u"Hi\u4E2D", {5, 6, 7});
  b.TextA(10, 40, "Abc");
  const auto texts = Of(Play(b.Finish(), {0, 0, 200, 200}), Op::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, u"Hi\u4E2D");
  EXPECT_EQ(texts[0].points[0], (CanvasPoint{20, 20}));
  EXPECT_EQ(texts[0].advances, (std::vector<int>{10, 12, 14}));
  EXPECT_EQ(texts[0].font.height, -40);
  EXPECT_EQ(texts[0].font.style, kFontBold | kFontItalic);
  EXPECT_EQ(texts[0].font.name, "Arial");
  EXPECT_EQ(texts[0].font.color, 0x0000FFu);
  EXPECT_EQ(texts[1].text, u"Abc");
  EXPECT_TRUE(texts[1].advances.empty());
}

TEST(MetafileText, AlignmentMovesTheCellFromTheReferencePoint) {
  struct Case {
    const char* name;
    std::uint32_t align;
    int dx, dy;  // expected offset: -1 a full width or ascent, -2 half a width, -3 the cell height
  } cases[] = {
      {"left top", 0, 0, 0},
      {"right", 2, -1, 0},
      {"centre", 6, -2, 0},
      {"baseline", 24, 0, -1},
      {"bottom", 8, 0, -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmfBuilder b;
    b.Font(1, -20, u"Arial").Select(1).Record(kSetBkMode, {1}).Record(kSetTextAlign, {static_cast<int>(c.align)});
    b.TextW(50, 50, u"ab", {10, 10});
    RecordingCanvas canvas;
    PlayMetafile(canvas, {0, 0, 100, 100}, b.Finish());
    const auto texts = canvas.RecordsOf(Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    canvas.SetFont(texts[0]->font);
    const CanvasTextMetrics m = canvas.TextMetrics();
    const int x = 50 + (c.dx == -1 ? -20 : c.dx == -2 ? -10 : 0);
    const int y = 50 + (c.dy == -1 ? -m.ascent : c.dy == -3 ? -m.height : 0);
    EXPECT_EQ(texts[0]->points[0], (CanvasPoint{x, y}));
  }
}

TEST(MetafileText, OpaqueBackgroundClippingAndRotation) {
  EmfBuilder b;
  b.Font(1, -10, u"Arial", 400, 900).Select(1).Record(kSetBkColor, {0x00FFFF}).Record(kSetBkMode, {1});
  b.TextW(50, 50, u"up", {});
  b.Font(2, -10, u"Arial").Select(2);
  b.TextW(10, 10, u"box", {}, 0x2 | 0x4, {5, 5, 40, 20});  // opaque and clipped
  b.Record(kSetBkMode, {2});
  b.TextW(10, 60, u"cell", {});
  const auto drawn = Play(b.Finish());
  const auto texts = Of(drawn, Op::Text), fills = Of(drawn, Op::FillRect);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].font.escapement, 900);
  EXPECT_TRUE(texts[1].hasTextClip);
  EXPECT_EQ(texts[1].textClip, (CanvasRect{5, 5, 40, 20}));
  EXPECT_EQ(texts[1].flags & kTextClipped, kTextClipped);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (CanvasRect{5, 5, 40, 20}));
  EXPECT_EQ(fills[0].brush, CanvasBrush::SolidColor(0x00FFFF));
  EXPECT_EQ(fills[1].rect.left, 10);  // the opaque background mode fills the text cell
  EXPECT_EQ(fills[1].rect.top, 60);
}

TEST(MetafileText, WorldRotationTurnsTheBaseline) {
  EmfBuilder b;
  b.Font(1, -10, u"Arial").Select(1).Record(kSetBkMode, {1});
  b.Xform(kSetWorld, 0, -1, 1, 0, 0, 0);  // (1, 0) goes to (0, -1): a quarter turn counter-clockwise
  b.TextW(0, 50, u"x", {});
  const auto texts = Of(Play(b.Finish()), Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.escapement, 900);
}

TEST(MetafileText, PlaceableTextOutAndExtTextOut) {
  WmfBuilder b(0, 0, 100, 100, 96);
  b.Font(-12, "Arial").Select(0).Record(0x0102, {1});
  b.TextOut(5, 6, "plain");
  b.ExtTextOut(7, 8, "ext", {3, 3, 3});
  const auto texts = Of(Play(b.Finish(), {0, 0, 200, 200}), Op::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, u"plain");
  EXPECT_EQ(texts[0].points[0], (CanvasPoint{10, 12}));
  EXPECT_EQ(texts[1].text, u"ext");
  EXPECT_EQ(texts[1].advances, (std::vector<int>{6, 6, 6}));
  EXPECT_EQ(texts[1].font.height, -24);
}

// ------------------------------------------------------------------ clipping

TEST(MetafileClipping, IntersectExcludeSelectAndRestore) {
  RecordingCanvas canvas;
  EmfBuilder b;
  b.Record(kSaveDc, {});
  b.Record(kIntersectClip, {10, 10, 50, 50});
  b.Record(kExcludeClip, {0, 0, 20, 100});  // takes the left band away
  b.Record(kRectangle, {0, 0, 100, 100});
  b.Record(kRestoreDc, {-1});
  b.Record(kRectangle, {0, 0, 100, 100});
  // A region of two rectangles in reference pixels: clipped to their bounds.
  b.Record(kSelectClipRgn, {64, 5, 32, 1, 2, 32, 0, 0, 0, 0, 60, 60, 70, 70, 80, 80, 90, 90});
  b.Record(kRectangle, {0, 0, 100, 100});
  b.Record(kSelectClipRgn, {0, 5});  // an empty copy removes the clip
  b.Record(kRectangle, {0, 0, 100, 100});
  PlayMetafile(canvas, {0, 0, 100, 100}, b.Finish());
  std::vector<CanvasRect> clipAtRect;
  for (const CanvasRecord& r : canvas.Records()) {
    if (r.op == Op::Clip) clipAtRect.push_back(r.rect);
    if (r.op == Op::Rectangle) clipAtRect.push_back({-1, -1, -1, -1});
  }
  std::vector<CanvasRect> seen;  // the clip in force at each rectangle
  CanvasRect current;
  for (const CanvasRect& c : clipAtRect) {
    if (c == CanvasRect{-1, -1, -1, -1}) seen.push_back(current);
    else current = c;
  }
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], (CanvasRect{20, 10, 50, 50}));
  EXPECT_EQ(seen[1], (CanvasRect{0, 0, 100, 100}));
  EXPECT_EQ(seen[2], (CanvasRect{60, 60, 90, 90}));
  EXPECT_EQ(seen[3], (CanvasRect{0, 0, 100, 100}));
  EXPECT_FALSE(canvas.HasClip());  // the caller's clip is back
}

// ------------------------------------------------------------------ bitmaps

TEST(MetafileBitmaps, StretchDibBitBltAndRasterOperations) {
  const std::string dib = Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  EmfBuilder b;
  b.StretchDib(10, 10, 20, 30, dib, 2, 2);
  b.BitBlt(0, 0, 2, 2, dib, 0x8800C6);  // and: white leaves the page
  b.BitBlt(0, 0, 2, 2, dib, 0xEE0086);  // or: black leaves the page
  b.Brush(1, 0, 0x00FF00).Select(1);
  b.BitBlt(5, 5, 10, 10, "", 0xF00021);  // pattern copy: the brush
  b.BitBlt(5, 5, 10, 10, "", 0x000042);  // blackness
  b.StretchDib(40, 40, -10, 10, dib, 2, 2);  // mirrored
  const auto drawn = Play(b.Finish(), {0, 0, 200, 200});
  const auto images = Of(drawn, Op::Image), masked = Of(drawn, Op::ImageTransparent), fills = Of(drawn, Op::FillRect);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].rect, (CanvasRect{20, 20, 60, 80}));
  EXPECT_EQ(images[0].imageWidth, 2);
  EXPECT_EQ(images[1].rect, (CanvasRect{60, 80, 80, 100}));
  ASSERT_EQ(masked.size(), 2u);
  EXPECT_EQ(masked[0].transparent, 0xFFFFFFu);
  EXPECT_EQ(masked[1].transparent, 0x000000u);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (CanvasRect{10, 10, 30, 30}));
  EXPECT_EQ(fills[0].brush, CanvasBrush::SolidColor(0x00FF00));
  EXPECT_EQ(fills[1].brush, CanvasBrush::SolidColor(0));
}

TEST(MetafileBitmaps, TransparentBltAndAlphaBlendLeaveTheirTransparentPixelsOut) {
  const std::string dib = Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  // Both records are laid out like a stretched blit with a colour or a blend in place of
  // the raster operation.
  auto blit = [&](std::uint32_t ropSlot) {
    std::string p;
    auto put = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) p.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    for (std::uint32_t v : {0u, 0u, 0u, 0u, 5u, 5u, 10u, 10u, ropSlot, 0u, 0u, 0x3F800000u, 0u, 0u, 0x3F800000u, 0u, 0u,
                            0xFFFFFFu, 0u, 108u, 40u, 148u, static_cast<std::uint32_t>(dib.size() - 40), 2u, 2u})
      put(v);
    p += dib;
    return p;
  };
  EmfBuilder b;
  b.Raw(116, blit(0xFFFFFF));     // transparent white
  b.Raw(114, blit(0x01FF0000u));  // per-pixel alpha
  b.Raw(114, blit(0x00800000u));  // constant alpha only
  const auto drawn = Play(b.Finish());
  const auto masked = Of(drawn, Op::ImageTransparent), images = Of(drawn, Op::Image);
  ASSERT_EQ(masked.size(), 2u);
  EXPECT_EQ(masked[0].transparent, 0xFFFFFFu);
  EXPECT_EQ(masked[0].rect, (CanvasRect{5, 5, 15, 15}));
  EXPECT_EQ(masked[1].transparent, 0u);
  EXPECT_EQ(images.size(), 1u);
}

TEST(MetafileBitmaps, PlaceableStretchDib) {
  WmfBuilder b(0, 0, 100, 100, 96);
  b.StretchDib(10, 20, 30, 40, Dib24(3, 1, {0xFF0000, 0x00FF00, 0x0000FF}), 3, 1);
  const auto images = Of(Play(b.Finish()), Op::Image);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].rect, (CanvasRect{10, 20, 40, 60}));
  EXPECT_EQ(images[0].imageWidth, 3);
}

// ------------------------------------------------------------------ transparency

TEST(MetafileTransparency, TheTransparentColourPaintsNothing) {
  EmfBuilder b;
  b.Brush(1, 0, 0xFFFFFF).Select(1).Select(kStock | 8).Record(kRectangle, {0, 0, 100, 100});
  b.Pen(2, 0, 1, 0xFFFFFF).Select(2).Brush(3, 0, 0x0000FF).Select(3).Record(kRectangle, {10, 10, 20, 20});
  b.StretchDib(0, 0, 10, 10, Dib24(1, 1, {0}), 1, 1);
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    const auto drawn = Play(b.Finish(), {0, 0, 100, 100}, {transparent, clWhite});
    const auto rects = Of(drawn, Op::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].brush.color, transparent ? clTransparent : TColor{0xFFFFFF});
    EXPECT_EQ(rects[1].pen.color, transparent ? clTransparent : TColor{0xFFFFFF});
    EXPECT_EQ(rects[1].brush.color, 0x0000FFu);
    EXPECT_EQ(Of(drawn, transparent ? Op::ImageTransparent : Op::Image).size(), 1u);
  }
}

TEST(MetafileRecords, UnknownRecordsAreIgnored) {
  EmfBuilder b;
  b.Record(200, {1, 2, 3}).Record(69, {}).Record(70, {4, 0x2B464D45, 1}).Record(kRectangle, {1, 1, 5, 5});
  const auto rects = Of(Play(b.Finish()), Op::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (CanvasRect{1, 1, 5, 5}));
}

}  // namespace
}  // namespace quarlo
