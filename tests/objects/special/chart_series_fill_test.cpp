// Refilling chart series from their series items: list splitting, numbers, colours,
// dates, sort, Top N, null points and the helpers of each series class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "objects/special/chart_model.h"
#include "objects/special/chart_series_fill.h"
#include "objects/special/chart_value_text.h"

namespace quarlo {
namespace {

TEST(ChartValueText, SplitsListsAtSemicolons) {
  struct Case {
    const char* text;
    std::vector<std::string> elements;
  } cases[] = {
      {"", {}},
      {"A;B;C", {"A", "B", "C"}},
      {";5;7", {"", "5", "7"}},
      {"1;2;", {"1", "2"}},
      {"1;;3", {"1", "", "3"}},
      {";", {""}},
      {";;", {"", ""}},
      {"one", {"one"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitValueList(c.text), c.elements) << c.text;
}

TEST(ChartValueText, SplittingStopsAtTheLimitAndSaysSo) {
  bool cut = false;
  EXPECT_EQ(SplitValueList("1;2;3;4", 2, &cut), (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(cut);
  EXPECT_EQ(SplitValueList("1;2;", 2, &cut).size(), 2u);
  EXPECT_FALSE(cut);
}

TEST(ChartValueText, NumbersReadWithEitherSeparatorAndWithoutSpaces) {
  struct Case {
    const char* text;
    double value;
  } good[] = {{"1,5", 1.5}, {"1.5", 1.5}, {"1 000", 1000}, {" -2 ", -2}, {"3e2", 300}, {"+4", 4}};
  for (const Case& c : good) EXPECT_DOUBLE_EQ(ChartTextToFloat(c.text), c.value) << c.text;
  for (const char* bad : {"", "abc", "1.000.5", "1,2,3", "NULL", "1e999", "nan"}) {
    EXPECT_FALSE(TryChartTextToFloat(bad).has_value()) << bad;
  }
  try {
    ChartTextToFloat("x1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid floating point value");
  }
}

TEST(ChartValueText, NullValuesAreEmptyOrNullInAnyCase) {
  for (const char* t : {"", "NULL", "null", "Null"}) EXPECT_TRUE(IsNullValue(t)) << t;
  for (const char* t : {" ", "0", "NULLS"}) EXPECT_FALSE(IsNullValue(t)) << t;
}

TEST(ChartValueText, ColourTexts) {
  struct Case {
    const char* text;
    TColor colour;
  } cases[] = {
      {"clRed", clRed},       {"clred", clRed},         {"clBlue", clBlue},      {"clMoneyGreen", clMoneyGreen},
      {"clBtnFace", clBtnFace}, {"255", 255},           {"$FF00", 0xFF00},       {"-16777201", clBtnFace},
      {"", clDefault},        {"red", clDefault},       {"12abc", clDefault},    {"clDefault", clDefault},
      {"99999999999", clDefault},
  };
  for (const Case& c : cases) EXPECT_EQ(ColourFromText(c.text), c.colour) << c.text;
}

TEST(ChartValueText, DatesAndTimes) {
  struct Case {
    const char* text;
    double value;
  } good[] = {
      {"1899-12-30", 0},       {"1900-01-01", 2},       {"2024-03-15", 45366},
      {"2024/3/15", 45366},    {"2024.03.15", 45366},   {"2024-03-15 12:00", 45366.5},
      {"06:00", 0.25},         {"2024-02-29 18:00:00", 45351.75},
  };
  for (const Case& c : good) EXPECT_NEAR(ChartTextToDateTime(c.text), c.value, 1e-9) << c.text;
  for (const char* bad : {"", "2023-02-29", "2024-13-01", "15.03.2024x", "25:00", "2024-03", "abc"}) {
    EXPECT_THROW(ChartTextToDateTime(bad), EConvertError) << bad;
  }
  EXPECT_EQ(ChartDateTimeToText(45366), "2024-03-15");
  EXPECT_EQ(ChartDateTimeToText(45366.75), "2024-03-15 18:00");
  EXPECT_EQ(ChartDateTimeToText(2), "1900-01-01");
}

// A chart with one series of a class, filled from one item.
class ChartFill : public ::testing::Test {
 protected:
  ChartSeries& Series(const char* className) { return chart_.AddSeries(className, "Series1"); }

  static TfrxSeriesItem Item(const char* labels, const char* ys, const char* v3 = "", const char* v4 = "",
                             const char* v5 = "", const char* v6 = "") {
    TfrxSeriesItem item;
    item.SetValues(1, labels);
    item.SetValues(2, ys);
    item.SetValues(3, v3);
    item.SetValues(4, v4);
    item.SetValues(5, v5);
    item.SetValues(6, v6);
    return item;
  }

  static std::vector<std::string> Labels(const ChartSeries& s) {
    std::vector<std::string> out;
    for (const ChartPoint& p : s.Points()) out.push_back(p.label);
    return out;
  }
  static std::vector<double> Ys(const ChartSeries& s) {
    std::vector<double> out;
    for (const ChartPoint& p : s.Points()) out.push_back(p.y);
    return out;
  }

  TChart chart_;
};

TEST_F(ChartFill, BarSeriesGetsOnePointPerValue) {
  ChartSeries& s = Series("TBarSeries");
  TfrxSeriesItem item = Item("A;B;C", "1;2;3");
  EXPECT_TRUE(FillSeries(s, item));
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Ys(s), (std::vector<double>{1, 2, 3}));
  EXPECT_FALSE(s.Points()[0].hasX);
  // Filling again replaces the points.
  FillSeries(s, item);
  EXPECT_EQ(s.Points().size(), 3u);
}

TEST_F(ChartFill, NullAndEmptyValuesAddNullPoints) {
  ChartSeries& s = Series("TLineSeries");
  TfrxSeriesItem item = Item("", ";5;7");
  FillSeries(s, item);
  ASSERT_EQ(s.Points().size(), 3u);
  EXPECT_TRUE(s.Points()[0].isNull);
  EXPECT_EQ(s.Points()[0].label, "");
  EXPECT_FALSE(s.Points()[1].isNull);
  EXPECT_EQ(Ys(s)[2], 7);

  item = Item("a;b;c;d", "NULL;null;x;2,5");
  FillSeries(s, item);
  ASSERT_EQ(s.Points().size(), 4u);
  EXPECT_TRUE(s.Points()[0].isNull);
  EXPECT_TRUE(s.Points()[1].isNull);
  EXPECT_EQ(s.Points()[1].label, "b");
  // A standard series takes a bad number as 0.
  EXPECT_FALSE(s.Points()[2].isNull);
  EXPECT_EQ(s.Points()[2].y, 0);
  EXPECT_EQ(s.Points()[3].y, 2.5);
}

TEST_F(ChartFill, EmptyYListGivesNoPoints) {
  ChartSeries& s = Series("TBarSeries");
  s.Add(1, "old", clDefault);
  TfrxSeriesItem item = Item("A;B", "");
  FillSeries(s, item);
  EXPECT_TRUE(s.Points().empty());
}

TEST_F(ChartFill, StandardColoursAndXTypes) {
  ChartSeries& s = Series("TPointSeries");
  TfrxSeriesItem item = Item("1;2;3", "10;20;30", "", "clRed;;bogus");
  item.SetXType(xtNumber);
  FillSeries(s, item);
  ASSERT_EQ(s.Points().size(), 3u);
  EXPECT_TRUE(s.Points()[0].hasX);
  EXPECT_EQ(s.Points()[1].x, 2);  // labels serve as X when there are no X values
  EXPECT_EQ(s.Points()[0].color, clRed);
  EXPECT_EQ(s.Points()[1].color, clDefault);
  EXPECT_EQ(s.Points()[2].color, clDefault);
  EXPECT_EQ(s.PointColor(1), s.Color());

  item = Item("a;b", "1;2", "5;7,5");
  item.SetXType(xtNumber);
  FillSeries(s, item);
  EXPECT_EQ(s.Points()[1].x, 7.5);
  EXPECT_EQ(s.Points()[1].label, "b");

  item = Item("Jan;Feb", "1;2");
  item.SetXType(xtNumber);
  EXPECT_THROW(FillSeries(s, item), EConvertError);

  item = Item("a;b", "1;2", "2024-01-01;2024-01-02");
  item.SetXType(xtDate);
  FillSeries(s, item);
  EXPECT_EQ(s.Points()[1].x, 45293);
  EXPECT_TRUE(s.XDateTime());
}

TEST_F(ChartFill, DateTimeYListsReadDates) {
  ChartSeries& s = Series("TLineSeries");
  s.Node().Set("YValues.DateTime", chart_value::Boolean(true));
  chart_.Reload();
  ChartSeries& reloaded = *chart_.Series(0);
  TfrxSeriesItem item = Item("a", "2024-03-15");
  FillSeries(reloaded, item);
  EXPECT_EQ(Ys(reloaded), (std::vector<double>{45366}));
  item = Item("a", "yesterday");
  EXPECT_THROW(FillSeries(reloaded, item), EConvertError);
}

TEST_F(ChartFill, HelpersByExactSeriesClass) {
  EXPECT_EQ(SeriesHelperFor("TBarSeries")->GetParamNames(), "Label;Y;X (optional);Color (optional)");
  EXPECT_EQ(SeriesHelperFor("TPieSeries")->GetParamNames(), "Label;Pie;Color (optional)");
  EXPECT_EQ(SeriesHelperFor("TGanttSeries")->GetParamNames(), "Label;Start;End;Y;Next task");
  EXPECT_EQ(SeriesHelperFor("TArrowSeries")->GetParamNames(), "Label;X0;Y0;X1;Y1;Color (optional)");
  EXPECT_EQ(SeriesHelperFor("TBubbleSeries")->GetParamNames(), "Label;X;Y;Radius;Color (optional)");
  EXPECT_EQ(SeriesHelperFor("TMyPieSeries")->GetParamNames(), "Label;Y;X (optional);Color (optional)");
}

TEST_F(ChartFill, PieGanttArrowBubble) {
  ChartSeries& pie = Series("TPieSeries");
  TfrxSeriesItem item = Item("a;b;c", "1;NULL;3", "clBlue");
  FillSeries(pie, item);
  ASSERT_EQ(pie.Points().size(), 3u);
  EXPECT_TRUE(pie.Points()[1].isNull);
  EXPECT_EQ(pie.Points()[0].color, clBlue);
  item = Item("a", "x");
  EXPECT_THROW(FillSeries(pie, item), EConvertError);

  ChartSeries& gantt = chart_.AddSeries("TGanttSeries", "Series2");
  item = Item("t1;t2;t3", "1;3;NULL", "2;5;6", "0;1;2", "1");
  FillSeries(gantt, item);
  ASSERT_EQ(gantt.Points().size(), 3u);
  EXPECT_EQ(gantt.Points()[0].x, 1);
  EXPECT_EQ(gantt.Points()[0].x1, 2);
  EXPECT_EQ(gantt.Points()[1].y, 1);
  EXPECT_EQ(gantt.Points()[0].nextTask, 1);
  EXPECT_EQ(gantt.Points()[1].nextTask, -1);
  EXPECT_TRUE(gantt.Points()[2].isNull);
  item = Item("t", "1", "2", "0", "next");
  EXPECT_THROW(FillSeries(gantt, item), EConvertError);

  ChartSeries& arrow = chart_.AddSeries("TArrowSeries", "Series3");
  item = Item("a;b", "0;1", "0;1", "5;2", "5;NULL", "clLime");
  FillSeries(arrow, item);
  ASSERT_EQ(arrow.Points().size(), 2u);
  EXPECT_EQ(arrow.Points()[0].x1, 5);
  EXPECT_EQ(arrow.Points()[0].color, clLime);
  EXPECT_TRUE(arrow.Points()[1].isNull);

  ChartSeries& bubble = chart_.AddSeries("TBubbleSeries", "Series4");
  item = Item("a", "1", "2", "0,5", "clRed");
  FillSeries(bubble, item);
  ASSERT_EQ(bubble.Points().size(), 1u);
  EXPECT_EQ(bubble.Points()[0].radius, 0.5);
  EXPECT_EQ(bubble.Points()[0].color, clRed);
  item = Item("a", "1", "2", "big");
  EXPECT_THROW(FillSeries(bubble, item), EConvertError);
}

TEST_F(ChartFill, SortMovesLabelsAndOtherListsAlong) {
  struct Case {
    TfrxSeriesSortOrder order;
    const char* labels;
    const char* ys;
    const char* colours;
    std::vector<std::string> wantLabels;
    std::vector<double> wantYs;
    std::vector<TColor> wantColours;
  } cases[] = {
      {soAscending, "c;a;b", "3;1;2", "clRed;clLime;clBlue", {"a", "b", "c"}, {1, 2, 3}, {clLime, clBlue, clRed}},
      {soDescending, "c;a;b", "3;1;2", "", {"c", "b", "a"}, {3, 2, 1}, {clDefault, clDefault, clDefault}},
      // Ties keep their order; texts that are not numbers count as 0.
      {soAscending, "p;q;r;s", "2;x;2;1", "", {"q", "s", "p", "r"}, {0, 1, 2, 2}, {}},
      // A colour list shorter than the values moves only the elements it has.
      {soAscending, "c;a;b", "3;1;2", "clRed;clLime", {"a", "b", "c"}, {1, 2, 3}, {clLime, clRed, clDefault}},
      // Labels and values of different lengths are not sorted.
      {soAscending, "c;a", "3;1;2", "", {"c", "a", ""}, {3, 1, 2}, {}},
  };
  for (const Case& c : cases) {
    TChart chart;
    ChartSeries& s = chart.AddSeries("TBarSeries", "Series1");
    TfrxSeriesItem item = Item(c.labels, c.ys, "", c.colours);
    item.SetSortOrder(c.order);
    FillSeries(s, item);
    EXPECT_EQ(Labels(s), c.wantLabels) << c.labels;
    EXPECT_EQ(Ys(s), c.wantYs) << c.labels;
    for (size_t i = 0; i < c.wantColours.size(); ++i) EXPECT_EQ(s.Points()[i].color, c.wantColours[i]) << c.labels;
  }
}

// The selection sort the data format defines, step by step, as the reference for the
// fast one.
void ReferenceSort(ValueLists& lists, TfrxSeriesSortOrder order) {
  if (lists[0].size() != lists[1].size()) return;
  const double d = order == soAscending ? 1 : -1;
  for (size_t p = 0; p < lists[1].size(); ++p) {
    size_t chosen = p;
    double best = d * 1.7e308;
    for (size_t i = p; i < lists[1].size(); ++i) {
      double v = TryChartTextToFloat(lists[1][i]).value_or(0);
      if (d * v < d * best) {
        best = v;
        chosen = i;
      }
    }
    for (auto& list : lists) {
      if (list.size() > chosen && chosen != p) {
        std::string moved = list[chosen];
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(chosen));
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(p), moved);
      }
    }
  }
}

TEST_F(ChartFill, FastSortMatchesTheSelectionStepByStep) {
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 300; ++round) {
    const size_t n = next() % 12 + 1;
    ValueLists lists;
    for (size_t i = 0; i < n; ++i) {
      lists[0].push_back("L" + std::to_string(i));
      lists[1].push_back(next() % 5 == 0 ? "x" : std::to_string(static_cast<int>(next() % 7) - 3));
    }
    for (size_t k = 2; k < 6; ++k) {
      size_t len = next() % (n + 3);
      for (size_t i = 0; i < len; ++i) lists[k].push_back(std::to_string(k * 100 + i));
    }
    ValueLists want = lists;
    auto order = round % 2 ? soAscending : soDescending;
    ReferenceSort(want, order);
    SortValueLists(lists, order);
    ASSERT_EQ(lists, want) << "round " << round;
  }
}

TEST_F(ChartFill, TopNKeepsTheLargestAndSumsTheRest) {
  ChartSeries& s = Series("TPieSeries");
  TfrxSeriesItem item = Item("a;b;c;d", "5;9;1;7");
  item.SetTopN(3);
  item.SetTopNCaption("Other");
  FillSeries(s, item);
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"b", "d", "Other"}));
  EXPECT_EQ(Ys(s), (std::vector<double>{9, 7, 6}));
  EXPECT_EQ(item.SortOrder(), soDescending);

  // Not below the number of points: plain (here no) sorting.
  item = Item("a;b;c", "5;9;1");
  item.SetTopN(3);
  FillSeries(s, item);
  EXPECT_EQ(Ys(s), (std::vector<double>{5, 9, 1}));

  // TopN 1: everything goes into the rest.
  item = Item("a;b", "1,5;2", "", "clRed;clBlue");
  item.SetTopN(1);
  item.SetTopNCaption("All");
  FillSeries(s, item);
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"All"}));
  EXPECT_EQ(Ys(s), (std::vector<double>{3.5}));

  // A value of the rest that is not a number stops the drawing.
  item = Item("a;b;c", "5;9;NULL");
  item.SetTopN(2);
  EXPECT_THROW(FillSeries(s, item), EConvertError);
}

TEST_F(ChartFill, TopNLeavesListsOfDifferentLengthsAlone) {
  ChartSeries& s = Series("TBarSeries");
  TfrxSeriesItem item = Item("a;b", "5;9;1");
  item.SetTopN(2);
  FillSeries(s, item);
  EXPECT_EQ(Ys(s), (std::vector<double>{5, 9, 1}));
  EXPECT_EQ(item.SortOrder(), soNone);
}

TEST_F(ChartFill, OverlongListsAreCut) {
  ChartSeries& s = Series("TFastLineSeries");
  std::string ys;
  for (size_t i = 0; i < kMaxSeriesPoints + 10; ++i) ys += "1;";
  TfrxSeriesItem item = Item("", ys.c_str());
  EXPECT_FALSE(FillSeries(s, item));
  EXPECT_EQ(s.Points().size(), kMaxSeriesPoints);
}

}  // namespace
}  // namespace quarlo
