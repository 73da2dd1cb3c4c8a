// The chart view: its published properties, the three stored values inside PropData
// byte for byte, reading them back (also the platform's collection form), damaged
// streams, compact differences and the drawing rules around the chart.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "objects/serializer.h"
#include "objects/band.h"
#include "objects/class_registry.h"
#include "objects/page_draw.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "objects/special/chart_view.h"
#include "objects/special/special_classes.h"
#include "objects/standard_classes.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

std::string U32(std::uint32_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[static_cast<size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
  return s;
}

std::string Name(std::string_view name) { return std::string(1, static_cast<char>(name.size())) + std::string(name); }

class ChartView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterStandardClasses(nullptr);
    RegisterClass<TfrxChartView>();
  }

  // A view with a bar series "Series1" and its data.
  static std::unique_ptr<TfrxChartView> BarChart(const char* labels = "A;B;C", const char* ys = "1;2;3") {
    auto view = std::make_unique<TfrxChartView>(nullptr);
    view->SetBounds(0, 0, 300, 200);
    view->Chart().AddSeries("TBarSeries", "Series1").Node().Set("SeriesColor", chart_value::Colour(clRed));
    view->Chart().Reload();
    TfrxSeriesItem& item = view->SeriesData().Add();
    item.SetValues(1, labels);
    item.SetValues(2, ys);
    return view;
  }
};

TEST_F(ChartView, PublishedPropertiesAndDescription) {
  const ClassInfo& info = TfrxChartView::StaticClass();
  for (const char* name : {"BrushStyle", "Color", "Cursor", "Frame", "IgnoreNulls", "TagStr", "URL"}) {
    EXPECT_NE(info.FindProperty(name), nullptr) << name;
  }
  TfrxChartView view(nullptr);
  EXPECT_EQ(view.Color(), clTransparent);
  EXPECT_FALSE(view.IgnoreNulls());
  EXPECT_EQ(view.GetDescription(), "obChart");
  TfrxXMLSerializer s;
  EXPECT_EQ(s.WriteProperties(view).find("IgnoreNulls"), std::string::npos);
  view.SetIgnoreNulls(true);
  EXPECT_NE(s.WriteProperties(view).find(" IgnoreNulls=\"True\""), std::string::npos);

  // Series items write every property that has a value.
  TfrxSeriesItem item;
  item.SetValues(2, "1;2");
  EXPECT_EQ(s.WriteProperties(item),
            " DataType=\"dtDBData\" SortOrder=\"soNone\" TopN=\"0\" XType=\"xtText\" Values2=\"1;2\"");
  s.ApplyProperties("YValues=\"7\" XSource=\"a\" TopNCaption=\"Rest\" SortOrder=\"soAscending\"", item);
  EXPECT_EQ(item.Values(2), "7");
  EXPECT_EQ(item.Source(1), "a");
  EXPECT_EQ(item.TopNCaption(), "Rest");
  EXPECT_EQ(item.SortOrder(), soAscending);
}

TEST_F(ChartView, RegisteredAtStartUp) {
  RegisterSpecialClasses();
  const ClassInfo* info = FindClass("tfrxchartview");
  ASSERT_NE(info, nullptr);
  std::unique_ptr<TPersistent> made(info->Create()(nullptr));
  EXPECT_TRUE(As<TfrxChartView>(made.get()));
}

TEST_F(ChartView, BuildChartDefaults) {
  TfrxChartView view(nullptr);
  const TChart& chart = view.Chart();
  EXPECT_EQ(chart.Root().name, "Chart");
  EXPECT_EQ(chart.Root().className, "TChart");
  EXPECT_EQ(chart.BackColor(), clWhite);
  EXPECT_FALSE(chart.FrameVisible());
  EXPECT_TRUE(chart.TitleLines().empty());
  EXPECT_EQ(ChartIdent(chart.Root(), "BevelOuter"), "bvNone");
  EXPECT_EQ(ChartInteger(chart.Root(), "View3DOptions.Rotation"), 0);
  EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST_F(ChartView, PropDataHoldsChartElevationAndSeriesDataInOrder) {
  auto view = BarChart();
  view->Chart().SetElevation(345);
  const std::string chart = view->Chart().WriteStream();
  TfrxXMLSerializer s;
  const std::string text = s.WriteProperties(view->SeriesData().Items(0));
  const std::string want = Name("Chart") + '\x0A' + U32(static_cast<std::uint32_t>(chart.size())) + chart +
                           Name("ChartElevation") + std::string("\x03\x59\x01", 3) + Name("SeriesData") + '\x01' +
                           '\x01' + '\x0C' + U32(static_cast<std::uint32_t>(text.size())) + text + '\x00' + '\x00';
  EXPECT_EQ(WritePropData(*view), want);
  EXPECT_EQ(chart.substr(0, 4), "TPF0");
}

TEST_F(ChartView, ElevationTakesTheSmallestIntegerForm) {
  struct Case {
    int elevation;
    std::string bytes;
  } cases[] = {
      {10, std::string("\x02\x0A", 2)},
      {-5, std::string("\x02\xFB", 2)},
      {345, std::string("\x03\x59\x01", 3)},
      {100000, std::string("\x04\xA0\x86\x01\x00", 5)},
  };
  for (const Case& c : cases) {
    TfrxChartView view(nullptr);
    view.Chart().SetElevation(c.elevation);
    std::string data = WritePropData(view);
    EXPECT_NE(data.find(Name("ChartElevation") + c.bytes), std::string::npos) << c.elevation;
    TfrxChartView back(nullptr);
    ASSERT_TRUE(ReadPropData(back, data));
    EXPECT_EQ(back.Chart().Elevation(), c.elevation);
  }
}

TEST_F(ChartView, PropDataRoundTripsByteForByte) {
  auto view = BarChart("A;B", "1,5;2");
  TChart& chart = view->Chart();
  chart.Root().Set("Title.Text.Strings", chart_value::StringList({"Sales", "2024"}));
  chart.Root().Set("SomethingElse.Kept", chart_value::Float(2.5));
  chart.AddSeries("TLineSeries", "Series2").Node().Set("Marks.Visible", chart_value::Boolean(true));
  chart.Reload();
  view->Chart().SetElevation(20);
  TfrxSeriesItem& item = view->SeriesData().Add();
  item.SetValues(1, "x;y");
  item.SetValues(2, "NULL;4");
  item.SetTopN(5);
  item.SetDataBand("MasterData1");
  const std::string data = WritePropData(*view);

  TfrxChartView back(nullptr);
  ASSERT_TRUE(ReadPropData(back, data));
  EXPECT_EQ(WritePropData(back), data);
  EXPECT_EQ(back.Chart().SeriesCount(), 2);
  EXPECT_EQ(back.Chart().TitleLines(), (std::vector<std::string>{"Sales", "2024"}));
  EXPECT_TRUE(back.Chart().Series(1)->MarksVisible());
  EXPECT_EQ(back.Chart().Elevation(), 20);
  ASSERT_EQ(back.SeriesData().Count(), 2);
  EXPECT_EQ(back.SeriesData().Items(1).Values(2), "NULL;4");
  EXPECT_EQ(back.SeriesData().Items(1).DataBand(), "MasterData1");
  EXPECT_EQ(back.SeriesData().Items(1).TopN(), 5);

  // And through a document attribute and the class registry.
  TfrxXMLSerializer s;
  std::string line = s.WriteObjectLine(*view);
  EXPECT_NE(line.find(" PropData=\""), std::string::npos);
  std::unique_ptr<TfrxComponent> read(s.ReadObjectLine(nullptr, line));
  ASSERT_TRUE(As<TfrxChartView>(read.get()));
  EXPECT_EQ(WritePropData(*read), data);
}

TEST_F(ChartView, SeriesDataInThePlatformCollectionForm) {
  std::string data = Name("SeriesData") + '\x0E';
  data += '\x01' + Name("Values1") + '\x06' + Name("A;B").substr(0) + Name("Values2") + '\x06' + Name("1;2") +
          Name("TopN") + std::string("\x02\x03", 2) + Name("SortOrder") + '\x07' + Name("soAscending") +
          Name("DataBand") + '\x07' + Name("MasterData1") + Name("Unknown") + '\x09' + '\x00';
  data += std::string("\x02\x01", 2) + '\x01' + Name("Values2") + '\x06' + Name("9") + '\x00';
  data += '\x00';
  TfrxChartView view(nullptr);
  ASSERT_TRUE(ReadPropData(view, data));
  ASSERT_EQ(view.SeriesData().Count(), 2);
  const TfrxSeriesItem& a = view.SeriesData().Items(0);
  EXPECT_EQ(a.Values(1), "A;B");
  EXPECT_EQ(a.Values(2), "1;2");
  EXPECT_EQ(a.TopN(), 3);
  EXPECT_EQ(a.SortOrder(), soAscending);
  EXPECT_EQ(a.DataBand(), "MasterData1");
  EXPECT_EQ(view.SeriesData().Items(1).Values(2), "9");
}

TEST_F(ChartView, ReadingAChartKeepsBuildChartValuesTheStreamLacks) {
  ChartStreamNode root;
  root.className = "TChart";
  root.name = "Chart";
  root.Set("Legend.Visible", chart_value::Boolean(false));
  ChartStreamNode series;
  series.className = "TPieSeries";
  series.name = "Series1";
  root.children.push_back(series);
  const std::string stream = WriteChartStream(root);
  TfrxChartView view(nullptr);
  std::string data = Name("Chart") + '\x0A' + U32(static_cast<std::uint32_t>(stream.size())) + stream;
  ASSERT_TRUE(ReadPropData(view, data));
  EXPECT_FALSE(view.Chart().LegendVisible());
  EXPECT_FALSE(view.Chart().FrameVisible());  // from BuildChart
  EXPECT_TRUE(view.Chart().TitleLines().empty());
  ASSERT_EQ(view.Chart().SeriesCount(), 1);
  EXPECT_EQ(view.Chart().Series(0)->Kind(), ChartSeriesKind::Pie);
}

TEST_F(ChartView, DamagedChartDrawsBackgroundAndFrameOnlyAndIsKept) {
  const std::string damaged = "TPF0\x06TChart\x05" "Cha";
  std::string data = Name("Chart") + '\x0A' + U32(static_cast<std::uint32_t>(damaged.size())) + damaged;
  TfrxChartView view(nullptr);
  view.SetBounds(10, 10, 100, 80);
  view.SetColor(clYellow);
  view.Frame().SetTyp(ftAll);
  EXPECT_FALSE(ReadPropData(view, data));
  EXPECT_TRUE(view.ChartDamaged());
  EXPECT_EQ(view.ChartStreamBytes(), damaged);
  EXPECT_NE(WritePropData(view).find(damaged), std::string::npos);

  RecordingCanvas canvas;
  view.Draw(canvas, 1, 1, 0, 0);
  ASSERT_FALSE(canvas.RecordsOf(CanvasRecord::Op::FillRect).empty());
  EXPECT_EQ(canvas.Records().front().brush.color, clYellow);
  EXPECT_TRUE(canvas.RecordsOf(CanvasRecord::Op::Text).empty());
  EXPECT_TRUE(canvas.RecordsOf(CanvasRecord::Op::Polygon).empty());
  EXPECT_EQ(canvas.RecordsOf(CanvasRecord::Op::Line).size(), 4u);
}

TEST_F(ChartView, TransparentViewDrawsTheChartOnWhite) {
  for (TColor colour : {clTransparent, clAqua}) {
    auto view = BarChart();
    view->SetColor(colour);
    RecordingCanvas canvas;
    view->Draw(canvas, 2, 2, 5, 5);
    EXPECT_EQ(view->Chart().BackColor(), colour == clTransparent ? clWhite : clAqua);
    EXPECT_TRUE(view->Chart().BufferedDisplay());
    // The chart's own background covers the device rectangle.
    bool covered = false;
    for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::FillRect)) {
      if (r->rect == CanvasRect{5, 5, 605, 405} && r->brush.color == view->Chart().BackColor()) covered = true;
    }
    EXPECT_TRUE(covered);
  }
}

TEST_F(ChartView, FewerItemsThanSeriesLeaveTheRestAlone) {
  auto view = BarChart();
  ChartSeries& second = view->Chart().AddSeries("TLineSeries", "Series2");
  second.Add(42, "kept", clDefault);
  RecordingCanvas canvas;
  view->Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(view->Chart().Series(0)->Points().size(), 3u);
  ASSERT_EQ(view->Chart().Series(1)->Points().size(), 1u);
  EXPECT_EQ(view->Chart().Series(1)->Points()[0].y, 42);
  // An item without a series is ignored.
  view->SeriesData().Add().SetValues(2, "1");
  view->SeriesData().Add().SetValues(2, "1");
  EXPECT_NO_THROW(view->Draw(canvas, 1, 1, 0, 0));
}

TEST_F(ChartView, ConversionErrorLeavesTheOtherObjectsDrawn) {
  TfrxReportPage page(nullptr);
  page.SetPaperWidth(210);
  page.SetPaperHeight(297);
  auto* band = new TfrxMasterData(&page);
  band->SetBounds(0, 0, 700, 400);
  auto* chart = new TfrxChartView(band);
  chart->SetBounds(0, 0, 300, 200);
  chart->Chart().AddSeries("TPieSeries", "Series1");
  chart->SeriesData().Add();
  chart->SeriesData().Items(0).SetValues(2, "1;x");
  auto* shape = new TfrxShapeView(band);
  shape->SetBounds(400, 0, 50, 50);
  shape->SetColor(clLime);
  RecordingCanvas canvas;
  try {
    DrawReportPage(page, 0, canvas, 1, 1, 0, 0);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
  }
  bool shapeDrawn = false;
  for (const CanvasRecord& r : canvas.Records()) {
    if (r.op == CanvasRecord::Op::Rectangle && r.brush.color == clLime) shapeDrawn = true;
  }
  EXPECT_TRUE(shapeDrawn);
}

TEST_F(ChartView, CompactDifferencesCarryTheChartWhenItDiffers) {
  auto tmpl = BarChart();
  auto same = BarChart();
  EXPECT_EQ(same->WriteDifferences(*tmpl).find("PropData"), std::string::npos);
  auto other = BarChart("X;Y", "5;6");
  const std::string diff = other->WriteDifferences(*tmpl);
  ASSERT_NE(diff.find(" PropData=\""), std::string::npos);
  TfrxXMLSerializer s;
  auto copy = BarChart();
  s.ApplyProperties(diff, *copy);
  EXPECT_EQ(copy->SeriesData().Items(0).Values(1), "X;Y");
}

}  // namespace
}  // namespace quarlo
