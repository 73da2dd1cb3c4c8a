// The stored chart stream: our own streams read back unchanged, unknown properties
// kept, and damaged or hostile streams refused without reading past their end.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/errors.h"
#include "objects/special/chart_model.h"
#include "objects/special/chart_stream.h"

namespace quarlo {
namespace {

ChartStreamNode SampleTree() {
  ChartStreamNode root;
  root.className = "TChart";
  root.name = "Chart";
  root.Set("Title.Text.Strings", chart_value::StringList({"Quarterly", "Sales"}));
  root.Set("Legend.Visible", chart_value::Boolean(false));
  root.Set("View3D", chart_value::Boolean(true));
  root.Set("View3DOptions.Elevation", chart_value::Integer(315));
  root.Set("BackWall.Color", chart_value::Colour(clSilver));
  root.Set("LeftAxis.Title.Caption", chart_value::String("Amount"));
  root.Set("Gradient.EndColor", chart_value::Integer(0x123456));  // not used by the engine
  ChartStreamNode bar;
  bar.className = "TBarSeries";
  bar.name = "Series1";
  bar.Set("SeriesColor", chart_value::Colour(clRed));
  bar.Set("Title", chart_value::String("Revenue"));
  bar.Set("Marks.Visible", chart_value::Boolean(true));
  bar.Set("MultiBar", chart_value::Ident("mbStacked"));
  bar.Set("YValues.Name", chart_value::String("Bar"));
  ChartStreamNode line;
  line.className = "TLineSeries";
  line.name = "Series2";
  line.filerFlags = 0xF2;  // with a child position
  line.childPosition = chart_value::Integer(1);
  line.Set("XValues.DateTime", chart_value::Boolean(true));
  ChartStreamNode tool;
  tool.className = "TChartTool";  // a child that is not a series
  tool.name = "Tool1";
  root.children = {bar, line, tool};
  return root;
}

TEST(ChartStream, OwnStreamsReadBackUnchanged) {
  const std::string bytes = WriteChartStream(SampleTree());
  EXPECT_EQ(bytes.substr(0, 4), "TPF0");
  ChartStreamNode back = ReadChartStream(bytes);
  EXPECT_EQ(WriteChartStream(back), bytes);
  EXPECT_EQ(back.children.size(), 3u);
  EXPECT_EQ(back.children[1].filerFlags, 0xF2);

  TChart chart;
  chart.ReadStream(bytes);
  EXPECT_EQ(chart.TitleLines(), (std::vector<std::string>{"Quarterly", "Sales"}));
  EXPECT_FALSE(chart.LegendVisible());
  EXPECT_EQ(chart.Elevation(), 315);
  EXPECT_EQ(chart.BackWallColor(), clSilver);
  EXPECT_EQ(chart.LeftAxis().title, "Amount");
  ASSERT_EQ(chart.SeriesCount(), 2);  // the tool is no series
  const ChartSeries& bar = *chart.Series(0);
  EXPECT_EQ(bar.Kind(), ChartSeriesKind::Bar);
  EXPECT_EQ(bar.Color(), clRed);
  EXPECT_EQ(bar.Title(), "Revenue");
  EXPECT_TRUE(bar.MarksVisible());
  EXPECT_EQ(bar.MultiBar(), ChartMultiBar::Stacked);
  EXPECT_TRUE(chart.Series(1)->XDateTime());
  EXPECT_EQ(chart.Series(1)->Title(), "Series2");  // untitled series go by their name
  EXPECT_NE(chart.Series(1)->Color(), chart.Series(0)->Color());

  // Written from the chart, the stream keeps everything and adds the start values.
  ChartStreamNode written = ReadChartStream(chart.WriteStream());
  EXPECT_NE(written.Find("Gradient.EndColor"), nullptr);
  EXPECT_NE(written.Find("BevelOuter"), nullptr);
  TChart again;
  again.ReadStream(chart.WriteStream());
  EXPECT_EQ(again.WriteStream(), chart.WriteStream());
}

TEST(ChartStream, TypedReadsToleratePropertiesOfAnotherType) {
  ChartStreamNode n;
  n.Set("A", chart_value::String("text"));
  n.Set("B", chart_value::Colour(clBlue));
  n.Set("C", chart_value::Colour(0x123456));
  n.Set("D", chart_value::Ident("clNoSuchColour"));
  EXPECT_FALSE(ChartBool(n, "A").has_value());
  EXPECT_FALSE(ChartInteger(n, "A").has_value());
  EXPECT_EQ(ChartColour(n, "B"), clBlue);
  EXPECT_EQ(ChartIdent(n, "B"), "clBlue");
  EXPECT_EQ(ChartColour(n, "C"), 0x123456);
  EXPECT_FALSE(ChartColour(n, "D").has_value());
  EXPECT_FALSE(ChartString(n, "Missing").has_value());
  EXPECT_EQ(ChartString(n, "a"), "text");  // names ignore case
}

TEST(ChartStream, DamagedStreamsAreRefused) {
  const std::string good = WriteChartStream(SampleTree());
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"signature only", "TPF0"},
      {"wrong signature", "TPF1" + good.substr(4)},
      {"empty class name", std::string("TPF0\x00\x05" "Chart\x00\x00", 13)},
      {"name longer than the data", std::string("TPF0\x40TChart", 11)},
      {"value length beyond the end", std::string("TPF0\x06TChart\x05" "Chart\x01" "A\x0C\xFF\xFF\xFF\x7F", 24)},
      {"unknown tag", std::string("TPF0\x06TChart\x05" "Chart\x01" "A\x63", 20)},
  };
  for (const Case& c : cases) EXPECT_THROW(ReadChartStream(c.bytes), EStreamError) << c.what;
  // Every truncation of a good stream.
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_THROW(ReadChartStream(good.substr(0, n)), EStreamError) << n;
  }
  // A chart that fails to read stays as it was.
  TChart chart;
  const std::string before = chart.WriteStream();
  EXPECT_THROW(chart.ReadStream(good.substr(0, good.size() / 2)), EStreamError);
  EXPECT_EQ(chart.WriteStream(), before);
  // A stream of another class is no chart.
  ChartStreamNode other = SampleTree();
  other.className = "TPanel";
  EXPECT_THROW(chart.ReadStream(WriteChartStream(other)), EStreamError);
}

TEST(ChartStream, HostileNestingAndCountsAreBounded) {
  // Children nested far deeper than any chart.
  std::string deep = "TPF0";
  for (int i = 0; i < 10000; ++i) deep += std::string("\x06TChart\x01" "C\x00", 10);
  EXPECT_THROW(ReadChartStream(deep), EStreamError);
  // Thousands of sibling series.
  std::string wide = std::string("TPF0\x06TChart\x05" "Chart\x00", 18);
  for (int i = 0; i < 100000; ++i) wide += std::string("\x0ATBarSeries\x00\x00\x00", 14);
  wide += std::string("\x00", 1);
  EXPECT_THROW(ReadChartStream(wide), EStreamError);
  // Random changes to a good stream never crash or hang.
  const std::string good = WriteChartStream(SampleTree());
  unsigned seed = 7;
  auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = good;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      bytes[4 + (seed >> 8) % (bytes.size() - 4)] = static_cast<char>(seed >> 24);
    }
    TChart chart;
    try {
      chart.ReadStream(bytes);
      (void)chart.WriteStream();
    } catch (const EStreamError&) {
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace quarlo
