// Drawing of charts: what the engine puts on the recording canvas for each series
// kind, that it stays inside the view, scales with the zoom, and a few pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "objects/qt/draw_test_raster.h"
#include "objects/special/chart_render.h"
#include "objects/special/chart_series_fill.h"
#include "objects/special/chart_view.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

struct SeriesSpec {
  const char* cls;
  TColor colour;
  const char* v1;
  const char* v2;
  const char* v3 = "";
  const char* v4 = "";
  const char* v5 = "";
};

// A flat chart without legend or title unless the test turns them on.
std::unique_ptr<TfrxChartView> MakeChart(std::initializer_list<SeriesSpec> specs, bool view3D = false,
                                         bool legend = false) {
  auto view = std::make_unique<TfrxChartView>(nullptr);
  view->SetBounds(0, 0, 300, 200);
  TChart& chart = view->Chart();
  chart.Root().Set("View3D", chart_value::Boolean(view3D));
  chart.Root().Set("Legend.Visible", chart_value::Boolean(legend));
  int n = 0;
  for (const SeriesSpec& s : specs) {
    ChartSeries& series = chart.AddSeries(s.cls, "Series" + std::to_string(++n));
    series.Node().Set("SeriesColor", chart_value::Colour(s.colour));
    TfrxSeriesItem& item = view->SeriesData().Add();
    item.SetValues(1, s.v1);
    item.SetValues(2, s.v2);
    item.SetValues(3, s.v3);
    item.SetValues(4, s.v4);
    item.SetValues(5, s.v5);
  }
  chart.Reload();
  return view;
}

std::vector<const CanvasRecord*> Filled(const RecordingCanvas& c, CanvasRecord::Op op, TColor colour) {
  std::vector<const CanvasRecord*> out;
  for (const CanvasRecord* r : c.RecordsOf(op)) {
    if (r->brush.style == CanvasBrush::Style::Solid && r->brush.color == colour) out.push_back(r);
  }
  return out;
}

std::vector<std::u16string> Texts(const RecordingCanvas& c) {
  std::vector<std::u16string> out;
  for (const CanvasRecord* r : c.RecordsOf(CanvasRecord::Op::Text)) out.push_back(r->text);
  return out;
}

bool HasText(const RecordingCanvas& c, std::u16string_view text) {
  auto t = Texts(c);
  return std::find(t.begin(), t.end(), text) != t.end();
}

TEST(ChartRender, BarsStandOnTheAxisInValueOrderWithTheirLabels) {
  auto view = MakeChart({{"TBarSeries", clRed, "A;B;C", "1;2;3"}});
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  auto bars = Filled(canvas, CanvasRecord::Op::Polygon, clRed);
  ASSERT_EQ(bars.size(), 3u);
  for (size_t i = 1; i < bars.size(); ++i) {
    EXPECT_GT(bars[i]->bounds.left, bars[i - 1]->bounds.right - 1);    // left to right
    EXPECT_LT(bars[i]->bounds.top, bars[i - 1]->bounds.top);           // taller
    EXPECT_EQ(bars[i]->bounds.bottom, bars[0]->bounds.bottom);         // one base line
  }
  // The tallest bar is three times the shortest.
  const double h0 = bars[0]->bounds.Height(), h2 = bars[2]->bounds.Height();
  EXPECT_NEAR(h2 / h0, 3.0, 0.15);
  for (const char16_t* label : {u"A", u"B", u"C", u"0", u"3"}) EXPECT_TRUE(HasText(canvas, label));
}

TEST(ChartRender, NothingLeavesTheViewRectangle) {
  const std::initializer_list<SeriesSpec> charts[] = {
      {{"TBarSeries", clRed, "A;B;C", "1;-2;300000"}},
      {{"TPieSeries", clRed, "long label one;long label two;three", "1;2;3"}},
      {{"TLineSeries", clBlue, "a;b", "1e300;-1e300"}},
      {{"TBubbleSeries", clBlue, "a", "1", "1", "1000"}},
  };
  for (const auto& specs : charts) {
    for (bool depth : {false, true}) {
      auto view = MakeChart(specs, depth, true);
      view->SetBounds(20, 30, 160, 90);
      view->Chart().Root().Set("Title.Text.Strings", chart_value::StringList({"A title far wider than the chart is"}));
      view->Chart().Series(0)->Node().Set("Marks.Visible", chart_value::Boolean(true));
      view->Chart().Reload();
      RecordingCanvas canvas;
      view->Draw(canvas, 1.5, 1.5, 10, 10);
      const CanvasRect device{view->DeviceLeft(), view->DeviceTop(), view->DeviceRight(), view->DeviceBottom()};
      ASSERT_FALSE(canvas.Records().empty());
      // The chart draws under a clip of the device rectangle.
      bool clipped = false;
      for (const CanvasRecord& r : canvas.Records()) {
        if (r.op == CanvasRecord::Op::Clip && !clipped) {
          clipped = true;
          EXPECT_TRUE(device.left <= r.rect.left && r.rect.right <= device.right + 1 &&
                      device.top <= r.rect.top && r.rect.bottom <= device.bottom + 1);
        }
      }
      EXPECT_TRUE(clipped);
    }
  }
}

TEST(ChartRender, DepthAddsTopAndSideFaces) {
  auto flat = MakeChart({{"TBarSeries", clRed, "A;B", "1;2"}});
  auto deep = MakeChart({{"TBarSeries", clRed, "A;B", "1;2"}}, true);
  RecordingCanvas a, b;
  flat->Draw(a, 1, 1, 0, 0);
  deep->Draw(b, 1, 1, 0, 0);
  EXPECT_EQ(a.RecordsOf(CanvasRecord::Op::Polygon).size(), 2u);
  EXPECT_EQ(Filled(b, CanvasRecord::Op::Polygon, clRed).size(), 2u);
  // Fronts, tops and sides, and the two walls.
  EXPECT_GE(b.RecordsOf(CanvasRecord::Op::Polygon).size(), 8u);
}

TEST(ChartRender, StackedBarsSitOnEachOther) {
  auto view = MakeChart({{"TBarSeries", clRed, "A;B", "1;2"}, {"TBarSeries", clBlue, "A;B", "3;1"}});
  view->Chart().Series(0)->Node().Set("MultiBar", chart_value::Ident("mbStacked"));
  view->Chart().Reload();
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  auto red = Filled(canvas, CanvasRecord::Op::Polygon, clRed);
  auto blue = Filled(canvas, CanvasRecord::Op::Polygon, clBlue);
  ASSERT_EQ(red.size(), 2u);
  ASSERT_EQ(blue.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(blue[i]->bounds.left, red[i]->bounds.left);
    EXPECT_NEAR(blue[i]->bounds.bottom, red[i]->bounds.top + 1, 1);
  }
  // Side by side without stacking.
  auto side = MakeChart({{"TBarSeries", clRed, "A;B", "1;2"}, {"TBarSeries", clBlue, "A;B", "3;1"}});
  RecordingCanvas c2;
  side->Draw(c2, 1, 1, 0, 0);
  EXPECT_GE(Filled(c2, CanvasRecord::Op::Polygon, clBlue)[0]->bounds.left,
            Filled(c2, CanvasRecord::Op::Polygon, clRed)[0]->bounds.right - 1);
}

TEST(ChartRender, HorizontalBarsGrowToTheRight) {
  auto view = MakeChart({{"THorizBarSeries", clRed, "A;B", "1;2"}});
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  auto bars = Filled(canvas, CanvasRecord::Op::Polygon, clRed);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0]->bounds.left, bars[1]->bounds.left);
  EXPECT_NEAR(bars[1]->bounds.Width() / static_cast<double>(bars[0]->bounds.Width()), 2.0, 0.1);
  EXPECT_NEAR(bars[0]->bounds.Height(), bars[1]->bounds.Height(), 1);
}

TEST(ChartRender, LinesBreakAtNullPoints) {
  auto view = MakeChart({{"TLineSeries", clBlue, "a;b;c;d;e", "1;2;NULL;3;4"}});
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  std::vector<const CanvasRecord*> lines;
  for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Polyline)) {
    if (r->pen.color == clBlue) lines.push_back(r);
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_GT(lines[0]->points.front().y, lines[0]->points.back().y);  // rising
  EXPECT_LT(lines[0]->bounds.right, lines[1]->bounds.left);
}

TEST(ChartRender, EachSeriesKindDrawsInItsColour) {
  struct Case {
    SeriesSpec spec;
    CanvasRecord::Op op;
    bool byPen;
  } cases[] = {
      {{"TAreaSeries", clRed, "a;b;c", "1;3;2"}, CanvasRecord::Op::Polygon, false},
      {{"TPointSeries", clRed, "1;2;3", "1;3;2"}, CanvasRecord::Op::FillRect, false},
      {{"TFastLineSeries", clRed, "a;b;c", "1;3;2"}, CanvasRecord::Op::Polyline, true},
      {{"TGanttSeries", clRed, "t1;t2", "1;2", "3;5", "0;1", "1"}, CanvasRecord::Op::Polygon, false},
      {{"TArrowSeries", clRed, "a", "0", "0", "5", "5"}, CanvasRecord::Op::Polyline, true},
      {{"TBubbleSeries", clRed, "a;b", "1;2", "3;4", "0,5;1"}, CanvasRecord::Op::Ellipse, false},
      {{"TChartShape", clRed, "a;b", "1;4", "1;3"}, CanvasRecord::Op::Rectangle, false},
  };
  for (const Case& c : cases) {
    auto view = MakeChart({c.spec});
    if (std::string(c.spec.cls) == "TPointSeries" || std::string(c.spec.cls) == "TChartShape") {
      view->SeriesData().Items(0).SetXType(xtNumber);
    }
    RecordingCanvas canvas;
    view->Draw(canvas, 1, 1, 0, 0);
    size_t found = 0;
    for (const CanvasRecord* r : canvas.RecordsOf(c.op)) {
      if (c.byPen ? r->pen.color == clRed : (r->brush.style == CanvasBrush::Style::Solid && r->brush.color == clRed)) {
        ++found;
      }
    }
    if (c.op == CanvasRecord::Op::Rectangle) found += Filled(canvas, CanvasRecord::Op::FillRect, clRed).size();
    EXPECT_GT(found, 0u) << c.spec.cls;
  }
}

TEST(ChartRender, PieSlicesLegendAndMarks) {
  auto view = MakeChart({{"TPieSeries", clRed, "North;South;East", "1;1;2", "clRed;clBlue"}}, false, true);
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(Filled(canvas, CanvasRecord::Op::Polygon, clRed).size(), 1u);
  EXPECT_EQ(Filled(canvas, CanvasRecord::Op::Polygon, clBlue).size(), 1u);
  // The third slice takes a palette colour; all three are listed and marked.
  EXPECT_GE(canvas.RecordsOf(CanvasRecord::Op::Polygon).size(), 3u);
  auto texts = Texts(canvas);
  for (const char16_t* label : {u"North", u"South", u"East"}) {
    EXPECT_EQ(std::count(texts.begin(), texts.end(), label), 2) << "legend and mark";
  }
}

TEST(ChartRender, TitleAndSeriesLegend) {
  auto view = MakeChart({{"TBarSeries", clRed, "A", "1"}, {"TLineSeries", clBlue, "A", "2"}}, false, true);
  view->Chart().Root().Set("Title.Text.Strings", chart_value::StringList({"Sales"}));
  view->Chart().Series(0)->Node().Set("Title", chart_value::String("Revenue"));
  view->Chart().Reload();
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  for (const char16_t* t : {u"Sales", u"Revenue", u"Series2"}) EXPECT_TRUE(HasText(canvas, t));
  for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Text)) {
    if (r->text == u"Sales") {
      EXPECT_NEAR((r->bounds.left + r->bounds.right) / 2.0, 150, 3);
    }
  }
}

TEST(ChartRender, LaidOutOnceAndScaledWithTheZoom) {
  auto view = MakeChart({{"TBarSeries", clRed, "A;B;C", "1;2;3"}});
  RecordingCanvas one, two;
  view->Draw(one, 1, 1, 0, 0);
  view->Draw(two, 2, 2, 0, 0);
  auto a = Filled(one, CanvasRecord::Op::Polygon, clRed), b = Filled(two, CanvasRecord::Op::Polygon, clRed);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(b[i]->bounds.left, 2 * a[i]->bounds.left, 2);
    EXPECT_NEAR(b[i]->bounds.top, 2 * a[i]->bounds.top, 2);
  }
}

TEST(ChartRender, EmptyAndDegenerateChartsDrawSafely) {
  TChart chart;
  RecordingCanvas canvas;
  RenderChart(chart, canvas, {0, 0, 100, 100}, 0, 100);
  EXPECT_TRUE(canvas.Records().empty());
  RenderChart(chart, canvas, {0, 0, 100, 100}, 100, 100);
  EXPECT_FALSE(canvas.Records().empty());
  // Series without points, all-null points, a single point, zero-sum pie.
  for (const SeriesSpec& s : {SeriesSpec{"TBarSeries", clRed, "", ""}, SeriesSpec{"TLineSeries", clRed, "a;b", "NULL;"},
                              SeriesSpec{"TAreaSeries", clRed, "a", "5"}, SeriesSpec{"TPieSeries", clRed, "a;b", "0;-1"}}) {
    for (bool depth : {false, true}) {
      auto view = MakeChart({s}, depth, true);
      view->SetBounds(0, 0, 12, 8);
      RecordingCanvas c;
      EXPECT_NO_THROW(view->Draw(c, 1, 1, 0, 0)) << s.cls;
      view->SetBounds(0, 0, 300, 200);
      EXPECT_NO_THROW(view->Draw(c, 1, 1, 0, 0)) << s.cls;
    }
  }
}

TEST(ChartRender, Pixels) {
  auto view = MakeChart({{"TBarSeries", clRed, "A;B;C", "1;2;3"}});
  view->SetBounds(10, 10, 300, 200);
  QImage img = drawtest::Paint(320, 220, [&](Canvas& c) {
    c.SetBrush(CanvasBrush::SolidColor(clYellow));
    c.FillRect({0, 0, 320, 220});
    view->Draw(c, 1, 1, 0, 0);
  });
  EXPECT_EQ(drawtest::PixelChar(img, 5, 5), 'y');    // outside the view
  EXPECT_EQ(drawtest::PixelChar(img, 12, 12), '.');  // the white chart background
  // Inside the tallest bar, near its base.
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  auto bars = Filled(canvas, CanvasRecord::Op::Polygon, clRed);
  ASSERT_EQ(bars.size(), 3u);
  const CanvasRect& tall = bars[2]->bounds;
  EXPECT_EQ(drawtest::PixelChar(img, (tall.left + tall.right) / 2, tall.bottom - 3), 'r');
  EXPECT_EQ(drawtest::PixelChar(img, (tall.left + tall.right) / 2, tall.top - 3), '.');
}

}  // namespace
}  // namespace quarlo
