// quarlo-make-bench-reports FOLDER: writes the reports the render comparison
// (bench/render_vs_pdf_renderer.sh) draws:
//   dense-page.fp3  one A4 page of 200 framed texts, Chinese and Latin, some wrapped or
//                   justified, a third in a Chinese font;
//   pages-200.fp3   200 A4 pages of 40 objects each: 10 rows of three framed texts and a
//                   line;
// and the report the spool measurement (bench/spool_mixed_paper.sh) prints:
//   mixed-paper-200.fp3  200 pages of one framed text each, A4 and A5 by turns.
#include <cstdio>
#include <exception>
#include <string>

#include "objects/band.h"
#include "objects/frame.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/stream.h"
#include "report/report_classes.h"
#include "support/report_generator.h"

namespace {

using namespace quarlo;
using testing::ReportGenerator;
using testing::SetMargins;

const char16_t* const kTexts[] = {
    u"报表合计 Total amount 12345.67 元",
    u"客户名称：上海某某贸易有限公司 Customer name and address on two lines",
    u"Quarterly revenue by region, justified across the width of the box",
    u"中文没有空格的时候按字符换行，每一行都应该在相同的位置结束。",
    u"第 12 页 共 30 页",
    u"Invoice 2024-0001 / 发票号码 No. 88231",
};
constexpr int kTextCount = sizeof(kTexts) / sizeof(kTexts[0]);
const char kSongTi[] = "\xcb\xce\xcc\xe5";  // the Chinese font's name in the system code page

TfrxMemoView* AddText(TfrxComponent* parent, int n, double left, double top, double width, double height) {
  auto* memo = new TfrxMemoView(parent);
  memo->SetBounds(left, top, width, height);
  memo->Memo().SetText(kTexts[n % kTextCount]);
  memo->SetHAlign(n % 5 == 0 ? haBlock : n % 7 == 0 ? haRight : haLeft);
  if (n % 3 == 0) memo->Font().SetName(kSongTi);
  memo->Frame().SetTyp(ftAll);
  return memo;
}

// An A4 page with 10 mm margins: 718 x 1047 pixels for the objects.
TfrxMasterData& PageBand(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  SetMargins(page, 10);
  auto* band = new TfrxMasterData(&page);
  band->SetBounds(0, 0, 718, 1047);
  return *band;
}

// 4 columns x 50 rows of framed texts, most of them wrapping past their box.
void DensePage(ReportGenerator& g) {
  TfrxMasterData& band = PageBand(g);
  for (int i = 0; i < 200; ++i) AddText(&band, i, (i % 4) * 180, (i / 4) * 20.9, 176, 20);
}

void PageOfForty(ReportGenerator& g, int number) {
  TfrxMasterData& band = PageBand(g);
  for (int row = 0; row < 10; ++row) {
    for (int col = 0; col < 3; ++col) AddText(&band, number * 30 + row * 3 + col, col * 240, row * 104, 236, 90);
    auto* line = new TfrxLineView(&band);
    line->SetBounds(0, row * 104 + 96, 718, 0);
  }
}

void MixedPaperPage(ReportGenerator& g, int number) {
  TfrxReportPage& page = g.AddCompletePage();
  page.SetPaperSize(number % 2 == 0 ? 9 : 11);  // A4, A5
  AddText(&page, number, 40, 40, 400, 60);
}

void Write(const std::string& path, ReportGenerator& g) {
  g.WriteFile(path);
  std::printf("%s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarlo-make-bench-reports FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  try {
    RegisterReportClasses();
    {
      ReportGenerator g;
      DensePage(g);
      Write(folder + "/dense-page.fp3", g);
    }
    {
      ReportGenerator g;
      for (int p = 0; p < 200; ++p) PageOfForty(g, p);
      Write(folder + "/pages-200.fp3", g);
    }
    {
      ReportGenerator g;
      for (int p = 0; p < 200; ++p) MixedPaperPage(g, p);
      Write(folder + "/mixed-paper-200.fp3", g);
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quarlo-make-bench-reports: %s\n", e.what());
    return 1;
  }
}
