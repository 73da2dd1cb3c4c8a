// The sample's gradient page: the six styles side by side with their names, one with
// a frame drawn over it and one with a drop shadow.
#include <string>

#include "objects/band.h"
#include "objects/report_page.h"
#include "objects/memo_view.h"
#include "objects/special/gradient_view.h"
#include "support/report_generator.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

void AddGradientSamplePage(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  SetMargins(page, 10);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 900);

  auto* title = new TfrxMemoView(band);
  title->SetName("GradientTitle");
  title->SetBounds(0, 0, 718, 30);
  title->Font().SetSize(16);
  title->Font().SetStyle(fsBold);
  title->Memo().SetText(u"渐变 Gradients");

  const struct {
    TfrxGradientStyle style;
    TColor begin, end;
    const char16_t* caption;
  } cells[] = {
      {gsHorizontal, clWhite, 0x808080, u"水平 gsHorizontal (default colours)"},
      {gsVertical, 0xF0CAA6, clNavy, u"垂直 gsVertical"},
      {gsElliptic, clYellow, clMaroon, u"椭圆 gsElliptic"},
      {gsRectangle, clWhite, clGreen, u"矩形 gsRectangle"},
      {gsVertCenter, clNavy, clAqua, u"垂直居中 gsVertCenter"},
      {gsHorizCenter, clPurple, clCream, u"水平居中 gsHorizCenter"},
  };
  int n = 0;
  for (const auto& c : cells) {
    const double left = (n % 2) * 364 + 10, top = (n / 2) * 270 + 40;
    ++n;
    auto* caption = new TfrxMemoView(band);
    caption->SetName("GradientCaption" + std::to_string(n));
    caption->SetBounds(left, top, 330, 20);
    caption->Memo().SetText(c.caption);
    auto* view = new TfrxGradientView(band);
    view->SetName("Gradient" + std::to_string(n));
    view->SetBounds(left, top + 24, 330, 210);
    view->SetStyle(c.style);
    view->SetBeginColor(c.begin);
    view->SetEndColor(c.end);
    if (c.style == gsElliptic) {
      view->Frame().SetTyp(15);
      view->Frame().SetWidth(2);
    }
    if (c.style == gsRectangle) {
      view->Frame().SetTyp(15);
      view->Frame().SetDropShadow(true);
      view->Frame().SetShadowWidth(6);
    }
  }
}

}  // namespace quarlo::testing
