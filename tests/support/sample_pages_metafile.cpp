// The sample's metafile page: an enhanced-metafile bar chart (axes, hatched and solid
// bars, a pie, rotated and aligned labels, a Bezier path) and a placeable Windows
// metafile flow diagram (rounded boxes, arrows, text), each with a caption, over a
// faint enhanced-metafile watermark as the page background.
#include <string>

#include "objects/band.h"
#include "objects/frame.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "support/metafile_builder.h"
#include "support/report_generator.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

namespace {

constexpr std::uint32_t kStock = 0x80000000u;
constexpr std::uint32_t kNullPen = kStock | 8;

std::string BarChartEmf() {
  EmfBuilder b(400, 250);
  b.Brush(1, 0, 0xF8F4EE).Select(1).Select(kNullPen).Record(43, {0, 0, 401, 251});
  b.Pen(2, 0, 1, 0x404040).Select(2);
  b.Points(4, {{40, 20}, {40, 210}, {380, 210}});  // axes
  b.Pen(3, 2, 0, 0xB0B0B0).Select(3);              // dotted grid
  for (int y = 60; y < 210; y += 50) b.Points(4, {{40, y}, {380, y}});
  b.Select(2);
  const int heights[] = {120, 160, 90, 175};
  const std::uint32_t colours[] = {0x9C4E1F, 0x4CC9F2, 0x3C8A2E, 0x2B39C0};
  for (int i = 0; i < 4; ++i) {
    const int left = 60 + i * 75;
    if (i == 2) b.Brush(10 + i, 2, colours[i], 5);  // a hatched bar
    else b.Brush(10 + i, 0, colours[i]);
    b.Select(10 + i).Record(43, {left, 210 - heights[i], left + 45, 211});
  }
  b.Font(20, -13, u"SimSun").Select(20).Record(18, {1}).Record(24, {0x202020});
  b.Record(22, {6});  // centred over the reference point
  const char16_t* quarters[] = {u"一季度", u"二季度", u"三季度", u"四季度"};
  for (int i = 0; i < 4; ++i) b.TextW(82 + i * 75, 215, quarters[i]);
  b.Record(22, {0});
  b.Font(21, -15, u"Arial", 700).Select(21).TextW(50, 2, u"Sales 2026 (k)");
  b.Font(22, -11, u"Arial", 400, 900).Select(22).TextW(8, 170, u"revenue");
  // A pie in the corner, and a trend curve as a stroked path.
  b.Brush(30, 0, 0x49A3F2).Select(30).Record(47, {200, 25, 265, 90, 265, 57, 232, 25});
  b.Brush(31, 0, 0x7F5A2E).Select(31).Record(47, {200, 25, 265, 90, 232, 25, 265, 57});
  b.Pen(32, 0x10000 | 0x200, 3, 0x2020C0).Select(32);
  b.Record(59, {}).Record(27, {82, 150}).Points(5, {{120, 110}, {150, 140}, {195, 105}, {240, 70}, {290, 110}, {340, 45}});
  b.Record(60, {}).Record(64, {0, 0, 0, 0});
  return b.Finish();
}

std::string FlowWmf() {
  WmfBuilder b(0, 0, 1200, 600, 1440);
  b.Record(0x0103, {8}).Record(0x020B, {0, 0}).Record(0x020C, {600, 1200});  // window 1200 x 600
  b.Pen(0, 15, 0x503010).Brush(0, 0xFFF0DC).Brush(0, 0xD8F0D8);
  b.Font(-60, "Arial", 700).Font(-50, "Arial").Brush(0, 0x503010);
  b.Select(0).Select(1).Record(0x0102, {1}).Record(0x012E, {6}).Record(0x0209, {0x10, 0x50});
  const struct {
    int left;
    const char* text;
  } boxes[] = {{40, "Order"}, {440, "Check"}, {840, "Ship"}};
  for (const auto& box : boxes) {
    b.Record(0x061C, {80, 80, 380, static_cast<std::int16_t>(box.left + 320), 180, static_cast<std::int16_t>(box.left)});
    b.Select(3).TextOut(box.left + 160, 250, box.text);
  }
  for (int x : {360, 760}) {
    b.Record(0x0214, {280, static_cast<std::int16_t>(x)}).Record(0x0213, {280, static_cast<std::int16_t>(x + 80)});
    b.Select(5).Poly(0x0324, {{x + 80, 250}, {x + 80, 310}, {x + 110, 280}}).Select(1);
  }
  b.Select(2).Record(0x0418, {560, 760, 440, 440});  // a green ellipse below
  b.Select(4).Record(0x012E, {6 | 24}).TextOut(600, 515, "done");
  return b.Finish();
}

std::string WatermarkEmf() {
  EmfBuilder b(200, 280);
  b.Font(1, -22, u"Arial", 700, 450).Select(1).Record(18, {1}).Record(24, {0xEEEEEE});
  b.TextW(30, 255, u"QUARLO SAMPLE");
  return b.Finish();
}

TfrxMemoView* Caption(TfrxComponent* band, const std::string& name, double top, const std::u16string& text) {
  auto* memo = new TfrxMemoView(band);
  memo->SetName(name);
  memo->SetBounds(0, top, 718, 24);
  memo->Memo().SetText(text);
  memo->SetHAlign(haCenter);
  TFont f;
  f.SetName("Arial");
  f.SetSize(11);
  memo->SetFont(f);
  return memo;
}

}  // namespace

void AddMetafileSamplePage(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  SetMargins(page, 10);
  page.BackPicture().LoadFromData(WatermarkEmf());

  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 1000);
  auto* title = Caption(band, "MetafileTitle", 10, u"Metafiles: an enhanced metafile chart and a Windows metafile diagram");
  title->Font().SetSize(14);

  auto* chart = new TfrxPictureView(band);
  chart->SetName("ChartEmf");
  chart->SetBounds(59, 60, 600, 375);
  chart->Frame().SetTyp(ftAll);
  chart->Picture().LoadFromData(BarChartEmf());
  Caption(band, "ChartCaption", 440, u"EMF: bars, hatching, pie, rotated and centred text, Bezier path");

  auto* flow = new TfrxPictureView(band);
  flow->SetName("FlowWmf");
  flow->SetBounds(109, 500, 500, 250);
  flow->SetTransparent(true);
  flow->Picture().LoadFromData(FlowWmf());
  Caption(band, "FlowCaption", 760, u"WMF (placeable, 1440 per inch), drawn transparent over the watermark");
}

}  // namespace quarlo::testing
