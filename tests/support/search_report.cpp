#include "support/search_report.h"

#include <cmath>
#include <string>
#include <vector>

#include "objects/band.h"
#include "objects/memo_view.h"
#include "objects/units.h"
#include "support/report_generator.h"

namespace quarlo::testing {

namespace {

constexpr double kMarginMm = 10;
constexpr double kMemoLeft = 20, kMemoWidth = 300, kMemoHeight = 40, kMemoStep = 60;
// Narrow enough that "strawberry melon" breaks after its first word.
constexpr double kNarrowWidth = 90;

const std::vector<std::vector<std::u16string>> kPageTexts = {
    {u"apple and apple", u"Banana", u"第一季度销售"},
    {u"strawberry melon", u"APPLE pie"},
    {u"Q3销售 report", u"nothing here"},
};

double MemoWidth(const std::u16string& text) { return text == u"strawberry melon" ? kNarrowWidth : kMemoWidth; }

}  // namespace

std::string SearchReport() {
  ReportGenerator g;
  for (const auto& texts : kPageTexts) {
    TfrxReportPage& page = g.AddCompletePage();
    page.SetLeftMargin(kMarginMm);
    page.SetTopMargin(kMarginMm);
    auto* band = new TfrxMasterData(&page);
    band->SetBounds(0, 0, 700, 400);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      auto* memo = new TfrxMemoView(band);
      memo->SetBounds(kMemoLeft, kMemoStep * static_cast<double>(i), MemoWidth(texts[i]), kMemoHeight);
      memo->SetWordWrap(true);
      memo->Memo().SetText(texts[i]);
    }
  }
  return g.Write();
}

CanvasRect SearchReportMemoRect(int memo) {
  const double margin = kMarginMm * fr01cm;
  const double left = margin + kMemoLeft, top = margin + kMemoStep * memo;
  return {static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
          static_cast<int>(std::ceil(left + kMemoWidth)), static_cast<int>(std::ceil(top + kMemoHeight))};
}

}  // namespace quarlo::testing
