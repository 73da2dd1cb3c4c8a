// The sample's dot-matrix page: a delivery note laid out on the character grid, with
// separator lines through the middle of cells, a framed table whose frames meet in
// the gap rows and columns, own font styles, and printer commands that only travel
// with the data.
#include <string>

#include "objects/band.h"
#include "objects/frame.h"
#include "objects/special/dmp_command.h"
#include "objects/special/dmp_grid.h"
#include "objects/special/dmp_line_view.h"
#include "objects/special/dmp_memo_view.h"
#include "objects/special/dmp_page.h"
#include "support/report_generator.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

namespace {

constexpr double CX = kCellWidth;
constexpr double CY = kCellHeight;

// A text at cell column `col`, row `row`, `cols` cells wide and `rows` rows high.
TfrxDMPMemoView* Text(TfrxComponent* band, const std::string& name, int col, int row, int cols,
                      const std::u16string& text, int rows = 1) {
  auto* memo = new TfrxDMPMemoView(band);
  memo->SetName(name);
  memo->SetBounds(col * CX, row * CY, cols * CX, rows * CY);
  memo->Memo().SetText(text);
  return memo;
}

TfrxDMPLineView* Rule(TfrxComponent* band, const std::string& name, int col, int row, int cols) {
  auto* line = new TfrxDMPLineView(band);
  line->SetName(name);
  line->SetBounds(col * CX, row * CY, cols * CX, 0);
  return line;
}

}  // namespace

void AddDotMatrixSamplePage(ReportGenerator& g) {
  auto& page = static_cast<TfrxDMPPage&>(g.AddCompletePage(true));
  page.SetPaperSize(9);  // A4, snapped to 83 cells by 66 rows
  page.SetLeftMargin(2 * 2.54);
  page.SetTopMargin(CY / 3.77953);

  auto* init = new TfrxDMPCommand(&page);
  init->SetName("InitPrinter");
  init->SetCommand("\x1b@\x1b" "2");  // reset, 6 lines per inch

  auto* title = new TfrxReportTitle(&page);
  title->SetName("ReportTitle1");
  title->SetBounds(0, 0, 758, 6 * CY);
  auto* heading = Text(title, "Heading", 0, 0, 78, u"送货单  DELIVERY NOTE");
  heading->SetFontStyle(fsxBold | fsxWide);
  heading->SetHAlign(haCenter);
  Rule(title, "HeadingRule", 0, 1, 78);
  Text(title, "Customer", 0, 2, 40, u"客户 Customer: 东方贸易公司 Orient Trading");
  Text(title, "Date", 50, 2, 28, u"日期 Date: 2026-12-10")->SetHAlign(haRight);
  Text(title, "Number", 0, 3, 40, u"单号 No.: DN-0421");
  auto* note = Text(title, "Terms", 50, 3, 28, u"30 days net");
  note->SetFontStyle(fsxItalic | fsxCondensed);
  note->SetHAlign(haRight);

  // The table: one cell and one row between framed texts, so that the frames (half a
  // cell outside each text) meet on the gaps as character lines would.
  auto* data = new TfrxMasterData(&page);
  data->SetName("MasterData1");
  data->SetBounds(0, 7 * CY, 758, 11 * CY);
  const int cols[] = {1, 8, 36, 45, 59};
  const int widths[] = {6, 27, 8, 13, 19};
  const char16_t* header[] = {u"序号 No", u"品名 Item", u"数量 Qty", u"单价 Price", u"金额 Amount"};
  const char16_t* rows[][5] = {
      {u"1", u"打印纸 Paper A4, 80 g", u"20", u"25.00", u"500.00"},
      {u"2", u"色带 Ribbon cartridge", u"6", u"38.50", u"231.00"},
      {u"3", u"装订夹 Binder clips", u"100", u"0.45", u"45.00"},
      {u"4", u"标签 Labels 70x37", u"12", u"16.80", u"201.60"},
  };
  for (int r = 0; r <= 4; ++r) {
    for (int c = 0; c < 5; ++c) {
      const std::u16string text = r == 0 ? header[c] : rows[r - 1][c];
      auto* cell = Text(data, "Cell" + std::to_string(r) + "_" + std::to_string(c), cols[c], 1 + 2 * r,
                        widths[c], text);
      cell->Frame().SetTyp(ftAll);
      if (c >= 2) cell->SetHAlign(haRight);
      if (r == 0) cell->SetFontStyle(fsxBold);
    }
  }

  auto* summary = new TfrxReportSummary(&page);
  summary->SetName("ReportSummary1");
  summary->SetBounds(0, 18 * CY, 758, 8 * CY);
  Rule(summary, "TotalRule", 45, 0, 33);
  auto* total = Text(summary, "Total", 45, 1, 33, u"合计 Total:  977.60");
  total->SetFontStyle(fsxBold | fsxUnderline);
  total->SetHAlign(haRight);
  Text(summary, "Received", 0, 4, 40, u"收货人签字 Received by: ____________");
  Text(summary, "Footnote", 0, 6, 78,
       u"Printed in draft mode at 10 characters per inch; bold, italic and underline show, "
       u"the other dot-matrix styles travel with the data.", 2)
      ->SetWordWrap(true);
  auto* formFeed = new TfrxDMPCommand(summary);
  formFeed->SetName("FormFeed");
  formFeed->SetBounds(0, 7 * CY, 0, 0);
  formFeed->SetCommand("\x0c");
}

}  // namespace quarlo::testing
