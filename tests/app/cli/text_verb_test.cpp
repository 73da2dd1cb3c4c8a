// quarlo-cli text: the sample's pages hold the same characters poppler reads from the
// sample's PDF, one form feed after each page; rows and columns of a generated table;
// the page list, -o and the errors a script sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "platform/recorded_text.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

const std::string kSample = QUARLO_SOURCE_DIR "/samples/sample.fp3";

std::vector<std::string> Pages(const std::string& text) {
  std::vector<std::string> pages;
  std::size_t start = 0;
  for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
    pages.push_back(text.substr(start, ff - start));
  EXPECT_EQ(start, text.size()) << "text after the last form feed";
  return pages;
}

// The characters of a text, spaces left out, in order of their code: a page read in
// another order or split differently still gives the same list.
std::u16string SortedCharacters(const std::string& utf8) {
  std::u16string chars;
  for (char16_t c : Utf8ToWide(utf8))
    if (c > u' ') chars += c;
  std::sort(chars.begin(), chars.end());
  return chars;
}

// What `from` holds beyond `of`, both sorted.
std::u16string Beyond(const std::u16string& from, const std::u16string& of) {
  std::u16string rest;
  std::set_difference(from.begin(), from.end(), of.begin(), of.end(), std::back_inserter(rest));
  return rest;
}

TEST(TextVerb, SamplePagesHoldWhatPopplerReadsFromTheirPdf) {
  ScratchFolder folder("text-sample");
  const auto text = RunCli({"text", kSample});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_TRUE(text.err.empty()) << text.err;
  const std::vector<std::string> pages = Pages(text.out);
  ASSERT_GE(pages.size(), 3u);
  EXPECT_NE(pages[0].find("季度销售报告"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Quarterly sales report"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("产品 Product 地区 Region"), std::string::npos) << pages[0];

  const std::string pdf = folder.Path("sample.pdf");
  ASSERT_EQ(RunCli({"pdf", kSample, "-o", pdf}).status, 0);
  const auto info = spooler::ReadPdfInfo(pdf);
  ASSERT_TRUE(info);
  ASSERT_EQ(static_cast<std::size_t>(info->pages), pages.size());
  for (std::size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const std::string n = std::to_string(p + 1);
    const std::string poppler =
        spooler::RunCommand("pdftotext -f " + n + " -l " + n + " " + spooler::ShellQuote(pdf) + " - 2>/dev/null");
    // Every character printed is in the text; the screen's layout may show a few more
    // (the sample's barcode error message has room for a second line on screen only).
    const std::u16string ours = SortedCharacters(pages[p]);
    const std::u16string printed = SortedCharacters(poppler);
    EXPECT_EQ(WideToUtf8(Beyond(printed, ours)), "") << "ours:\n" << pages[p] << "\npoppler:\n" << poppler;
    EXPECT_LE(Beyond(ours, printed).size(), 16u) << WideToUtf8(Beyond(ours, printed));
  }
}

TEST(TextVerb, PageListsAndOutputFile) {
  ScratchFolder folder("text-pages");
  const std::vector<std::string> all = Pages(RunCli({"text", kSample}).out);
  ASSERT_GE(all.size(), 3u);
  std::vector<int> fromTwo;
  for (int p = 2; p <= static_cast<int>(all.size()); ++p) fromTwo.push_back(p);
  struct Case {
    std::vector<std::string> flags;
    std::vector<int> pages;  // 1-based, in output order
  } cases[] = {{{"--pages", "2-3"}, {2, 3}}, {{"--pages", "3,1"}, {3, 1}}, {{"--pages", "2-"}, fromTwo},
               {{"--pages", "1,99"}, {1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags[1]);
    std::vector<std::string> args{"text", kSample};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected;
    for (int p : c.pages)
      if (p <= static_cast<int>(all.size())) expected.push_back(all[static_cast<std::size_t>(p - 1)]);
    EXPECT_EQ(Pages(r.out), expected);
  }
  const std::string out = folder.Path("sample.txt");
  const auto r = RunCli({"text", kSample, "--pages", "1", "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + "\n");
  EXPECT_EQ(folder.Read("sample.txt"), all[0] + "\f");
}

// A table of three columns, each cell a memo of its own; the first column mixes Chinese.
std::string TableReport() {
  testing::ReportGenerator g;
  TfrxReportPage& page = g.AddCompletePage();
  const char* cells[][3] = {{"Product", "Qty", "Amount"}, {"绿茶 Green tea", "12", "1,200"}, {"Coffee", "7", "90"}};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      auto* memo = new TfrxMemoView(&page);
      memo->SetBounds(col * 200, row * 25, 190, 22);
      memo->Memo().SetText(Utf8ToWide(cells[row][col]));
    }
  return g.Write();
}

// Display column where a piece starts on a line.
int ColumnOf(const std::string& line, const std::string& piece) {
  const std::size_t at = line.find(piece);
  if (at == std::string::npos) return -1;
  return DisplayColumns(Utf8ToWide(line.substr(0, at)));
}

TEST(TextVerb, RowsOfAGeneratedTableWithAndWithoutLayout) {
  ScratchFolder folder("text-table");
  folder.Write("t.fp3", TableReport());
  const auto plain = RunCli({"text", folder.Path("t.fp3")});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, "Product Qty Amount\n绿茶 Green tea 12 1,200\nCoffee 7 90\n\f");

  const auto layout = RunCli({"text", folder.Path("t.fp3"), "--layout"});
  ASSERT_EQ(layout.status, 0) << layout.err;
  const std::vector<std::string> pages = Pages(layout.out);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> lines;
  for (std::size_t start = 0, nl; (nl = pages[0].find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(pages[0].substr(start, nl - start));
  ASSERT_EQ(lines.size(), 3u) << pages[0];
  const int qty = ColumnOf(lines[0], "Qty");
  const int amount = ColumnOf(lines[0], "Amount");
  EXPECT_GT(qty, DisplayColumns(u"绿茶 Green tea"));
  EXPECT_EQ(ColumnOf(lines[1], "12"), qty) << pages[0];
  EXPECT_EQ(ColumnOf(lines[2], "7"), qty) << pages[0];
  EXPECT_EQ(ColumnOf(lines[1], "1,200"), amount) << pages[0];
  EXPECT_EQ(ColumnOf(lines[2], "90"), amount) << pages[0];
}

TEST(TextVerb, ErrorsAndExitStatus) {
  ScratchFolder folder("text-errors");
  folder.Write("broken.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0");
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"text"}, 2, "expects FILE"},
      {{"text", kSample, "--pages", "x"}, 2, "--pages"},
      {{"text", kSample, "--bogus"}, 2, "unknown option"},
      {{"text", kSample, "--pages", "99"}, 1, "names no page"},
      {{"text", "/nonexistent/r.fp3"}, 1, ""},
      {{"text", folder.Path("broken.fp3")}, 1, "Invalid file format"},
      {{"text", kSample, "-o", "/nonexistent/dir/out.txt"}, 1, "/nonexistent/dir/out.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace quarlo
