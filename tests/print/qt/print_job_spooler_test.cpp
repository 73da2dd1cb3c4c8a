// Whole print jobs through the real spooler onto the PDF queue of scripts/spooler.sh:
// the PDFs the queue writes are read back for their pages, sizes and texts. Skips when
// no queue was set up.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "platform/codepage.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "print/qt/spooler_printers.h"
#include "print/print_job.h"
#include "print/printers.h"
#include "print/qt/printers_cups.h"
#include "support/report_generator.h"
#include "support/spooler.h"
#include "marked_pages.h"
#include "spooler_jobs.h"

#include <QTemporaryDir>

namespace quarlo {
namespace {

using O = TPrinterOrientation;
using P = TfrxPrintPages;
using M = TfrxPrintMode;
constexpr double kPointsPerMm = 72 / 25.4;

struct PageSpec {
  int paper = 9;
  O orientation = O::poPortrait;
};

// Complete pages with the word "Page<n>" 20 mm from the paper's left and top edges
// (10 mm margins plus 10 mm inside).
std::string MakeReport(const std::vector<PageSpec>& specs) {
  testing::ReportGenerator g;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    TfrxReportPage& page = g.AddCompletePage();
    page.SetPaperSize(specs[i].paper);
    page.SetOrientation(specs[i].orientation);
    page.SetLeftMargin(10);
    page.SetTopMargin(10);
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(10 * 3.77953, 10 * 3.77953, 300, 30);
    const std::string text = "Page" + std::to_string(i + 1);
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

struct PrintedSheet {
  std::string text;  // the words of the sheet, space separated
  double width = 0, height = 0;  // mm as shown
  int copies = 1;    // the job's copies attribute
  int job = 0;       // the spooler job it came out of
  std::string sides;  // the job's sides attribute
};

std::string Words(const std::string& pdf, int page) {
  std::string all;
  for (const spooler::PdfWord& w : spooler::PdfPageWords(pdf, page)) all += (all.empty() ? "" : " ") + w.text;
  return all;
}

class SpoolerPrintJob : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = (RegisterReportClasses(), true);
    (void)registered;
    report.PrintOptions().SetShowDialog(false);
    report.EngineOptions().SetNewSilentMode(simReThrow);
    SetPrinterErrorHandler([](const std::string& m) { ADD_FAILURE() << m; });
  }
  void TearDown() override { SetPrinterErrorHandler(nullptr); }

  // Prints the report on the test queue and reads back every sheet of every spooler job.
  std::vector<PrintedSheet> PrintOnQueue(const spooler::Queue& queue, const std::vector<PageSpec>& specs) {
    return PrintOnQueue(queue, MakeReport(specs));
  }
  std::vector<PrintedSheet> PrintOnQueue(const spooler::Queue& queue, const std::string& reportFile) {
    MemoryStream stream(reportFile);
    report.PreviewPages().LoadFromStream(stream);
    TfrxPrinters printers(SpoolerPrinterSource());
    printers.SetCurrentIndex(printers.IndexOfName(queue.name));
    PrintJobServices services;
    services.printers = &printers;
    services.showError = [](const std::string& m) { ADD_FAILURE() << m; };
    EXPECT_TRUE(PrintReportPages(report.PreviewPages(), services));
    auto* printer = dynamic_cast<TfrxPrinter*>(printers.CurrentPrinter());
    std::vector<PrintedSheet> sheets;
    if (!printer) return sheets;
    for (int id : printer->LastJobIds()) {
      const auto pdf = spooler::WaitForJobPdf(queue, id);
      if (!pdf) {
        ADD_FAILURE() << "no PDF for job " << id;
        continue;
      }
      const auto info = spooler::ReadPdfInfo(*pdf);
      if (!info) continue;
      const int copies = std::stoi("0" + spooler::JobAttribute(id, "copies"));
      const std::string sides = spooler::JobAttribute(id, "sides");
      for (int p = 1; p <= info->pages; ++p) {
        PrintedSheet s;
        s.text = Words(*pdf, p);
        s.width = info->sizes[static_cast<std::size_t>(p - 1)].width / kPointsPerMm;
        s.height = info->sizes[static_cast<std::size_t>(p - 1)].height / kPointsPerMm;
        s.copies = copies;
        s.job = id;
        s.sides = sides;
        sheets.push_back(s);
      }
    }
    return sheets;
  }

  static std::vector<std::string> Texts(const std::vector<PrintedSheet>& sheets) {
    std::vector<std::string> t;
    for (const PrintedSheet& s : sheets) t.push_back(s.text);
    return t;
  }

  TfrxReport report{nullptr};
};

struct ListCase {
  const char* list;
  P parity;
  bool reverse;
  int copies;
  bool collate;
  std::vector<std::string> expected;
  int jobCopies;
};

TEST_F(SpoolerPrintJob, PageListsOrderParityAndCopies) {
  QUARLO_REQUIRE_SPOOLER(queue);
  const ListCase cases[] = {
      {"1,3-4", P::ppAll, false, 1, true, {"Page1", "Page3", "Page4"}, 1},
      {"", P::ppEven, true, 1, true, {"Page4", "Page2"}, 1},
      {"2-3", P::ppAll, false, 2, true, {"Page2", "Page3", "Page2", "Page3"}, 1},
      {"2-3", P::ppAll, false, 2, false, {"Page2", "Page3"}, 2},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.list);
    TfrxPrintOptions& o = report.PrintOptions();
    o.SetPageNumbers(c.list);
    o.SetPrintPages(c.parity);
    o.SetReverse(c.reverse);
    o.SetCopies(c.copies);
    o.SetCollate(c.collate);
    const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, std::vector<PageSpec>(4));
    EXPECT_EQ(Texts(sheets), c.expected);
    for (const PrintedSheet& s : sheets) EXPECT_EQ(s.copies, c.jobCopies);
  }
}

// The report's name, code page bytes in the file, is the job's title as the spooler
// lists it.
TEST_F(SpoolerPrintJob, TheJobIsTitledWithTheReportsNameDecoded) {
  QUARLO_REQUIRE_SPOOLER(queue);
  testing::ReportGenerator g;
  g.settings.name = Utf8ToSystem("销售报表 第一季");
  auto* memo = new TfrxMemoView(&g.AddCompletePage());
  memo->SetBounds(40, 40, 300, 30);
  memo->Memo().SetText(u"Titled");
  const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, g.Write());
  ASSERT_EQ(Texts(sheets), std::vector<std::string>{"Titled"});
  EXPECT_EQ(spooler::JobAttribute(sheets[0].job, "job-name"), "销售报表 第一季");
}

TEST_F(SpoolerPrintJob, EveryPageOnItsOwnPaper) {
  QUARLO_REQUIRE_SPOOLER(queue);
  const std::vector<PageSpec> specs = {{9, O::poPortrait}, {11, O::poLandscape}, {9, O::poPortrait}};
  const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, specs);
  ASSERT_EQ(Texts(sheets), (std::vector<std::string>{"Page1", "Page2", "Page3"}));
  const double longSides[] = {297, 210, 297};
  const double shortSides[] = {210, 148, 210};
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    EXPECT_NEAR(std::max(sheets[i].width, sheets[i].height), longSides[i], 1);
    EXPECT_NEAR(std::min(sheets[i].width, sheets[i].height), shortSides[i], 1);
  }
}

// Pages of A4, A5 and landscape A4 by turns go out as one spooler job asking for the
// first page's paper; every page comes out on paper of its own size and whole, the words
// in its four corners all there. The queue turns the landscape page onto portrait paper,
// as a printer takes it.
TEST_F(SpoolerPrintJob, MixedPaperIsOneJobWithEveryPageWholeOnItsOwnPaper) {
  QUARLO_REQUIRE_SPOOLER(queue);
  using print_job_test::MarkedPage;
  const std::vector<MarkedPage> pages = {
      {0, 0, 9}, {0, 0, 11}, {0, 0, 9, 0, O::poLandscape}, {0, 0, 11}};
  const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, print_job_test::MakeMarkedReport(pages));
  ASSERT_EQ(sheets.size(), pages.size());
  EXPECT_EQ(spooler::JobAttribute(sheets[0].job, "media"), "iso_a4_210x297mm");
  const double longSides[] = {297, 210, 297, 210};
  const double shortSides[] = {210, 148, 210, 148};
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(sheets[i].job, sheets[0].job);
    EXPECT_NEAR(std::max(sheets[i].width, sheets[i].height), longSides[i], 1);
    EXPECT_NEAR(std::min(sheets[i].width, sheets[i].height), shortSides[i], 1);
    std::vector<std::string> words;
    std::istringstream in(sheets[i].text);
    for (std::string w; in >> w;) words.push_back(w);
    std::sort(words.begin(), words.end());
    const std::string n = std::to_string(i + 1);
    EXPECT_EQ(words, (std::vector<std::string>{"BL" + n, "BR" + n, "TL" + n, "TR" + n}));
  }
}

struct MixedCopiesCase {
  int copies;
  bool collate;
  TfrxDuplexMode duplex;
  std::vector<std::string> expected;  // words per sheet of the queue's output
  int jobCopies;
  const char* sides;
};

// A job of mixed paper still gets its copies and sides. It is handed over in its final
// order, so the job lays out all its copies: collated ones with the blank side that
// starts each copy on a new sheet, the others each sheet again in place (two-sided, a
// sheet is two pages, a last page alone gets a blank back).
TEST_F(SpoolerPrintJob, MixedPaperKeepsCopiesAndSides) {
  QUARLO_REQUIRE_SPOOLER(queue);
  using D = TfrxDuplexMode;
  const MixedCopiesCase cases[] = {
      {3, false, D::dmNone, {"Page1", "Page1", "Page1", "Page2", "Page2", "Page2", "Page3", "Page3", "Page3"}, 1,
       "one-sided"},
      {2, true, D::dmVertical, {"Page1", "Page2", "Page3", "", "Page1", "Page2", "Page3", ""}, 1,
       "two-sided-long-edge"},
      {2, false, D::dmHorizontal, {"Page1", "Page2", "Page1", "Page2", "Page3", "", "Page3", ""}, 1,
       "two-sided-short-edge"},
  };
  const std::vector<PageSpec> specs = {{9, O::poPortrait}, {11, O::poPortrait}, {9, O::poLandscape}};
  for (const MixedCopiesCase& c : cases) {
    SCOPED_TRACE(c.sides);
    report.PrintOptions().SetCopies(c.copies);
    report.PrintOptions().SetCollate(c.collate);
    report.PrintOptions().SetDuplexMode(c.duplex);
    const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, specs);
    EXPECT_EQ(Texts(sheets), c.expected);
    for (const PrintedSheet& s : sheets) {
      EXPECT_EQ(s.job, sheets[0].job);
      EXPECT_EQ(s.copies, c.jobCopies);
      EXPECT_EQ(s.sides, c.sides);
      // Page 2 is the A5 one; the blank sides are of the A4 page before them.
      EXPECT_NEAR(std::min(s.width, s.height), s.text == "Page2" ? 148 : 210, 1) << s.text;
    }
  }
}

struct ModeCase {
  M mode;
  std::vector<PageSpec> pages;
  std::vector<std::string> expected;  // words per sheet
  bool landscapeSheets;
};

TEST_F(SpoolerPrintJob, ScaleSplitAndJoinOnA4Sheets) {
  QUARLO_REQUIRE_SPOOLER(queue);
  const ModeCase cases[] = {
      // An A5 and an A3 page each stretched onto one A4 sheet.
      {M::pmScale, {{11, O::poPortrait}, {8, O::poPortrait}}, {"Page1", "Page2"}, false},
      // An A3 page over three landscape A4 sheets; its text is on the first.
      {M::pmSplit, {{8, O::poPortrait}}, {"Page1", "", ""}, true},
      // Three A5 pages, two side by side on each landscape A4 sheet.
      {M::pmJoin, std::vector<PageSpec>(3, PageSpec{11, O::poPortrait}), {"Page1 Page2", "Page3"}, true},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    report.PrintOptions().SetPrintMode(c.mode);
    report.PrintOptions().SetPrintOnSheet(9);
    const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, c.pages);
    EXPECT_EQ(Texts(sheets), c.expected);
    for (const PrintedSheet& s : sheets) {
      EXPECT_NEAR(std::max(s.width, s.height), 297, 1);
      EXPECT_NEAR(std::min(s.width, s.height), 210, 1);
    }
  }
}

TEST_F(SpoolerPrintJob, CancelledJobLeavesNothingQueued) {
  QUARLO_REQUIRE_SPOOLER(queue);
  const std::string before = spooler::RunCommand("lpstat -W all -o " + spooler::ShellQuote(queue->name));
  int steps = 0;
  report.Events().OnProgress = [&](TfrxReport& r, TfrxProgressType, int) {
    if (++steps == 2) r.SetTerminated(true);
  };
  const std::vector<PrintedSheet> sheets = PrintOnQueue(*queue, std::vector<PageSpec>(4));
  EXPECT_TRUE(sheets.empty());
  // Tests running beside this one may queue jobs meanwhile; none of the new ones may be
  // a job this one queued and took back.
  const std::string after = spooler::RunCommand("lpstat -W all -o " + spooler::ShellQuote(queue->name));
  std::istringstream lines(after);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || before.find(line) != std::string::npos) continue;
    const size_t dash = line.find('-');
    const int id = std::atoi(line.c_str() + (dash == std::string::npos ? 0 : dash + 1));
    const std::string state = spooler::JobAttribute(id, "job-state");
    EXPECT_TRUE(state != "canceled" && state != "aborted") << line;
  }
}

// The sheet modes through the queue: a 100 mm circle on a Letter page scaled onto A4
// keeps its shape and sits in the middle of the printable area; four 120 x 170 mm pages
// joined two to a landscape sheet keep the words in all their corners.
TEST_F(SpoolerPrintJob, ScaleAndJoinKeepEveryPageWholeOnTheQueue) {
  QUARLO_REQUIRE_SPOOLER(queue);
  using print_job_test::MarkedPage;
  TfrxPrinters printers(SpoolerPrinterSource());
  printers.SetCurrentIndex(printers.IndexOfName(queue->name));
  auto* printer = dynamic_cast<TfrxPrinter*>(printers.CurrentPrinter());
  ASSERT_NE(printer, nullptr);
  PrintJobServices services;
  services.printers = &printers;
  services.showError = [](const std::string& m) { ADD_FAILURE() << m; };
  auto printMarked = [&](const std::vector<MarkedPage>& pages, M mode) {
    MemoryStream stream(print_job_test::MakeMarkedReport(pages));
    report.PreviewPages().LoadFromStream(stream);
    report.PrintOptions().SetPrintMode(mode);
    report.PrintOptions().SetPrintOnSheet(9);
    EXPECT_TRUE(PrintReportPages(report.PreviewPages(), services));
    std::vector<std::string> pdfs;
    for (int id : printer->LastJobIds())
      if (const auto pdf = spooler::WaitForJobPdf(*queue, id)) pdfs.push_back(*pdf);
    return pdfs;
  };

  const std::vector<std::string> scaled = printMarked({MarkedPage{0, 0, 1, 100}}, M::pmScale);
  ASSERT_EQ(scaled.size(), 1u);
  const double left = printer->LeftMargin(), right = printer->RightMargin();
  const double top = printer->TopMargin(), bottom = printer->BottomMargin();
  const double k = std::min((210 - left - right) / 215.9, (297 - top - bottom) / 279.4);
  ASSERT_LT(k, 210 / 215.9);  // the queue has margins, and the page shrinks by them
  QTemporaryDir dir;
  const print_job_test::InkCross ink = print_job_test::MeasureInkCross(scaled[0], 1, dir.filePath("circle"));
  EXPECT_NEAR(ink.right - ink.left, 100 * k, 0.6);
  EXPECT_NEAR(ink.bottom - ink.top, 100 * k, 0.6);
  EXPECT_NEAR((ink.left + ink.right) / 2, left + (210 - left - right) / 2, 0.6);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, top + (297 - top - bottom) / 2, 0.6);

  const std::vector<std::string> joined = printMarked(std::vector<MarkedPage>(4, MarkedPage{120, 170}), M::pmJoin);
  ASSERT_EQ(joined.size(), 1u);
  const auto info = spooler::ReadPdfInfo(joined[0]);
  ASSERT_TRUE(info);
  ASSERT_EQ(info->pages, 2);
  for (int sheet = 1; sheet <= 2; ++sheet) {
    std::vector<std::string> words;
    for (const spooler::PdfWord& w : spooler::PdfPageWords(joined[0], sheet)) words.push_back(w.text);
    std::sort(words.begin(), words.end());
    std::vector<std::string> expected;
    for (int page : {sheet * 2 - 1, sheet * 2})
      for (const char* corner : {"BL", "BR", "TL", "TR"}) expected.push_back(corner + std::to_string(page));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(words, expected) << "sheet " << sheet;
  }
}

}  // namespace
}  // namespace quarlo
