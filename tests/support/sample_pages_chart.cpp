// The sample's chart page: bars with depth, lines with axis titles, a pie whose
// smallest slices are summed into one, and stacked horizontal bars.
#include <string>
#include <string_view>
#include <vector>

#include "objects/band.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "objects/special/chart_view.h"
#include "platform/codepage.h"
#include "support/report_generator.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

namespace {

std::string Cp(std::string_view utf8) { return Utf8ToSystem(utf8); }

struct SeriesSample {
  const char* cls;
  const char* title;  // UTF-8
  TColor colour;
  const char* labels;  // UTF-8
  const char* values;
};

TfrxChartView& AddChart(TfrxComponent* band, int n, double left, double top, const char* title,
                        std::initializer_list<SeriesSample> series) {
  auto* view = new TfrxChartView(band);
  view->SetName("Chart" + std::to_string(n));
  view->SetBounds(left, top, 349, 260);
  view->Frame().SetTyp(15);
  view->Frame().SetColor(clSilver);
  TChart& chart = view->Chart();
  chart.Root().Set("Title.Text.Strings", chart_value::StringList({Cp(title)}));
  int k = 0;
  for (const SeriesSample& s : series) {
    ChartSeries& added = chart.AddSeries(s.cls, "Series" + std::to_string(++k));
    added.Node().Set("Title", chart_value::String(Cp(s.title)));
    if (s.colour != clDefault) added.Node().Set("SeriesColor", chart_value::Colour(s.colour));
    TfrxSeriesItem& item = view->SeriesData().Add();
    item.SetDataType(dtFixedData);
    item.SetValues(1, Cp(s.labels));
    item.SetValues(2, s.values);
  }
  chart.Reload();
  return *view;
}

}  // namespace

void AddChartSamplePage(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  SetMargins(page, 10);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 900);

  auto* title = new TfrxMemoView(band);
  title->SetName("ChartTitle");
  title->SetBounds(0, 0, 718, 30);
  title->Font().SetSize(16);
  title->Font().SetStyle(fsBold);
  title->Memo().SetText(u"图表 Charts");

  const char* quarters = "一季度;二季度;三季度;四季度";
  TfrxChartView& bars = AddChart(band, 1, 0, 40, "季度销售 Sales by quarter",
                                 {{"TBarSeries", "2023", RGBColor(0x2F, 0x6E, 0xBA), quarters, "120;150;135;180"},
                                  {"TBarSeries", "2024", RGBColor(0xE0, 0x6C, 0x2B), quarters, "140;165;170;210"}});
  bars.Chart().Root().Set("View3D", chart_value::Boolean(true));
  bars.Chart().Root().Set("Legend.Alignment", chart_value::Ident("laBottom"));
  bars.Chart().Series(1)->Node().Set("Marks.Visible", chart_value::Boolean(true));
  bars.Chart().Reload();

  TfrxChartView& lines =
      AddChart(band, 2, 369, 40, "月度访问量 Monthly visits",
               {{"TLineSeries", "网站 Web", RGBColor(0x3C, 0xA0, 0x4A), "1月;2月;3月;4月;5月;6月", "32;41;38;52;61;58"},
                {"TLineSeries", "移动 Mobile", RGBColor(0xC8, 0x3C, 0x3C), "1月;2月;3月;4月;5月;6月", "12;18;26;30;NULL;47"}});
  lines.Chart().Root().Set("View3D", chart_value::Boolean(false));
  lines.Chart().Root().Set("LeftAxis.Title.Caption", chart_value::String(Cp("千次 Thousands")));
  lines.Chart().Root().Set("BottomAxis.Title.Caption", chart_value::String(Cp("月份 Month")));
  for (int i = 0; i < 2; ++i) {
    lines.Chart().Series(i)->Node().Set("Pointer.Visible", chart_value::Boolean(true));
    lines.Chart().Series(i)->Node().Set("Pointer.Style", chart_value::Ident(i ? "psCircle" : "psRectangle"));
  }
  lines.Chart().Reload();

  TfrxChartView& pie = AddChart(band, 3, 0, 330, "市场份额 Market share",
                                {{"TPieSeries", "份额", clDefault, "华东;华南;华北;西部;东北;海外", "38;24;17;9;7;5"}});
  pie.SeriesData().Items(0).SetTopN(5);
  pie.SeriesData().Items(0).SetTopNCaption(Cp("其他 Other"));
  pie.Chart().Root().Set("View3D", chart_value::Boolean(true));
  pie.Chart().Reload();

  TfrxChartView& stacked =
      AddChart(band, 4, 369, 330, "部门预算 Budget by department",
               {{"THorizBarSeries", "人员 Staff", RGBColor(0x8E, 0x5E, 0xB8), "研发;销售;行政", "60;35;20"},
                {"THorizBarSeries", "设备 Equipment", RGBColor(0x22, 0xB0, 0xC8), "研发;销售;行政", "25;10;8"}});
  stacked.Chart().Root().Set("View3D", chart_value::Boolean(false));
  stacked.Chart().Series(0)->Node().Set("MultiBar", chart_value::Ident("mbStacked"));
  stacked.Chart().Reload();
}

}  // namespace quarlo::testing
