// The print job on a recording printer: which pages come out on which sheets, set up
// how, in every mode, with copies, cancelling, failures and the options afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "report/preview_host.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "print/print_job.h"
#include "print/printers.h"
#include "print_job_fixture.h"
#include "recording_printer.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

using namespace print_job_test;

struct SequenceCase {
  const char* name;
  int pageCount;
  const char* list;
  TfrxPrintPages parity;
  bool reverse;
  TfrxPrintMode mode;
  Texts expected;  // one entry per sheet
};

TEST_F(PrintJob, PrintsTheListedPagesInOrder) {
  using P = TfrxPrintPages;
  using M = TfrxPrintMode;
  const SequenceCase cases[] = {
      {"all", 3, "", P::ppAll, false, M::pmDefault, Pages({1, 2, 3})},
      {"list and range", 8, "1,3,5-7", P::ppAll, false, M::pmDefault, Pages({1, 3, 5, 6, 7})},
      {"open range", 8, "5-", P::ppAll, false, M::pmDefault, Pages({5, 6, 7, 8})},
      {"spaces", 8, " 2 , 4 - 5 ", P::ppAll, false, M::pmDefault, Pages({2, 4, 5})},
      {"falling range", 8, "12-5", P::ppAll, false, M::pmDefault, {}},
      {"outside", 8, "0,9", P::ppAll, false, M::pmDefault, {}},
      {"last", 8, "8", P::ppAll, false, M::pmDefault, Pages({8})},
      {"order and repeats", 8, "3,1,1", P::ppAll, false, M::pmDefault, Pages({3, 1, 1})},
      {"odd by page number", 8, "2,3,4", P::ppOdd, false, M::pmDefault, Pages({3})},
      {"even", 5, "", P::ppEven, false, M::pmDefault, Pages({2, 4})},
      {"reverse", 8, "1,3,5", P::ppAll, true, M::pmDefault, Pages({5, 3, 1})},
      {"reverse all", 3, "", P::ppAll, true, M::pmDefault, Pages({3, 2, 1})},
      // At most as many positions as the report has pages, except in join mode.
      {"repeats capped", 2, "1,1,1", P::ppAll, false, M::pmDefault, Pages({1, 1})},
      {"repeats capped scaled", 2, "1,1,1", P::ppAll, false, M::pmScale, Pages({1, 1})},
      {"repeats capped split", 2, "1,1,1", P::ppAll, false, M::pmSplit, Pages({1, 1})},
      {"scale reverse odd", 5, "", P::ppOdd, true, M::pmScale, Pages({5, 3, 1})},
      // Parity that leaves no listed page, in each mode.
      {"odd of even pages", 8, "2,4", P::ppOdd, false, M::pmDefault, {}},
      {"even of one page", 1, "", P::ppEven, false, M::pmSplit, {}},
      {"join odd of even pages", 8, "2,4", P::ppOdd, false, M::pmJoin, {}},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.name);
    printers.reset();
    Load(c.pageCount);
    Options().SetPageNumbers(c.list);
    Options().SetPrintPages(c.parity);
    Options().SetReverse(c.reverse);
    Options().SetPrintMode(c.mode);
    Options().SetPrintOnSheet(9);
    messages.clear();
    EXPECT_EQ(Print(), !c.expected.empty());
    EXPECT_EQ(Printer().SheetTexts(), c.expected);
    // Nothing to print is an error and starts no job; otherwise one job, ended normally.
    const std::vector<std::string>& log = Printer().Log();
    if (c.expected.empty()) {
      EXPECT_TRUE(log.empty());
      EXPECT_EQ(messages, std::vector<std::string>{kNoPageToPrintText});
    } else {
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(std::count(log.begin(), log.end(), "start"), 1);
      EXPECT_EQ(log.back(), "end");
    }
  }
}

TEST_F(PrintJob, JoinModeRepeatsListedPagesAndSkipsMissingOnes) {
  Load(2);
  Options().SetPrintMode(TfrxPrintMode::pmJoin);
  Options().SetPrintOnSheet(9);
  Options().SetPageNumbers("1,1,9,1");
  ASSERT_TRUE(Print());
  // A4 pages on an A4 sheet: one cell per sheet, each listed page that exists.
  EXPECT_EQ(Printer().SheetTexts(), Pages({1, 1, 1}));
}

TEST_F(PrintJob, CollatedCopiesAreMadeByTheJobUncollatedByThePrinter) {
  Load(3);
  Options().SetCopies(2);
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().SheetTexts(), Pages({1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(copies, (std::vector<int>{1, 1, 1, 2, 2, 2}));
  for (const RecordedSetup& s : Printer().Setups()) EXPECT_EQ(s.copies, 1);
  EXPECT_EQ(report.PreviewPages().CurrentCopy, 0);

  printers.reset();
  copies.clear();
  Options().SetCopies(3);
  Options().SetCollate(false);
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().SheetTexts(), Pages({1, 2, 3}));
  EXPECT_EQ(copies, (std::vector<int>{1, 1, 1}));
  ASSERT_EQ(Printer().Setups().size(), 1u);
  EXPECT_EQ(Printer().Setups()[0].copies, 3);
}

TEST_F(PrintJob, CopyCountsBelowOneAndAboveTheLimitAreBounded) {
  Load(1);
  Options().SetCopies(0);
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().Sheets().size(), 1u);
  EXPECT_EQ(Options().Copies(), 0);  // restored after the job

  printers.reset();
  Options().SetCopies(2000000000);
  Options().SetCollate(false);
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().Setups().at(0).copies, kMaxDeviceCopies);
}

TEST_F(PrintJob, PageTextsAreComputedAfreshForEveryPrint) {
  // The page-count token is replaced in the built page when drawn: printing the same
  // page again from a stale cache would show the raw token or nothing.
  PageSpec spec;
  spec.extra = u"/[TOTALPAGES#]";
  Load({spec, spec, spec});
  Options().SetPageNumbers("1,1,2");
  Options().SetCopies(2);
  ASSERT_TRUE(Print());
  const Texts expected = {u"P1/3", u"P1/3", u"P2/3", u"P1/3", u"P1/3", u"P2/3"};
  EXPECT_EQ(Printer().SheetTexts(), expected);
}

TEST_F(PrintJob, SetsThePrinterUpOnlyWhenAPageDiffers) {
  PageSpec a4;
  PageSpec a4Again = a4;
  PageSpec a5Landscape;
  a5Landscape.paper = 11;
  a5Landscape.orientation = O::poLandscape;
  PageSpec binned;
  binned.bin = 1;        // used only by the report's first page
  binned.binOther = 2;
  PageSpec duplexed;
  duplexed.duplex = D::dmHorizontal;
  Load({binned, a4, a4Again, a5Landscape, a5Landscape, duplexed});
  ASSERT_TRUE(Print());
  const std::vector<RecordedSetup>& s = Printer().Setups();
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].bin, 1);  // first page: Bin
  EXPECT_EQ(s[1].bin, kAutoBinCode);
  EXPECT_EQ(s[2].code, 11);
  EXPECT_EQ(s[2].orientation, O::poLandscape);
  EXPECT_DOUBLE_EQ(s[2].width, 210);
  EXPECT_DOUBLE_EQ(s[2].height, 148);
  EXPECT_EQ(s[3].code, 9);
  EXPECT_EQ(s[3].duplex, D::dmHorizontal);
  std::vector<int> setupOfSheet;
  for (const auto& sheet : Printer().Sheets()) setupOfSheet.push_back(sheet.setup);
  // The two-sided last page leaves the back of its sheet empty, so a next copy would
  // start on a fresh sheet.
  EXPECT_EQ(setupOfSheet, (std::vector<int>{0, 1, 1, 2, 2, 3, 3}));
  EXPECT_EQ(Printer().Sheets().back().Text(), u"");

  // Printing from page 2 on: the first sheet printed is not the report's first page.
  printers.reset();
  Load({binned, binned});
  Options().SetPageNumbers("2");
  ASSERT_TRUE(Print());
  ASSERT_EQ(Printer().Setups().size(), 1u);
  EXPECT_EQ(Printer().Setups()[0].bin, 2);
}

TEST_F(PrintJob, DuplexChoiceOverridesPagesAndCollatedCopiesStartOnAFreshSheet) {
  struct Case {
    int pages;
    D choice;
    D pageDuplex;
    Texts expected;
  };
  const Texts blank = {u""};
  auto join = [](Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Case cases[] = {
      {3, D::dmVertical, D::dmNone, join(join(Pages({1, 2, 3}), blank), join(Pages({1, 2, 3}), blank))},
      {2, D::dmVertical, D::dmNone, Pages({1, 2, 1, 2})},
      {3, D::dmNone, D::dmHorizontal, join(join(Pages({1, 2, 3}), blank), join(Pages({1, 2, 3}), blank))},
      {3, D::dmSimplex, D::dmVertical, Pages({1, 2, 3, 1, 2, 3})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages);
    printers.reset();
    PageSpec spec;
    spec.duplex = c.pageDuplex;
    Load(std::vector<PageSpec>(static_cast<std::size_t>(c.pages), spec));
    Options().SetCopies(2);
    Options().SetDuplexMode(c.choice);
    ASSERT_TRUE(Print());
    EXPECT_EQ(Printer().SheetTexts(), c.expected);
    const D expected = c.choice != D::dmNone ? c.choice : c.pageDuplex;
    for (const RecordedSetup& s : Printer().Setups()) EXPECT_EQ(s.duplex, expected);
  }
}

TEST_F(PrintJob, ScaleModeFitsEachPageIntoThePrintableArea) {
  PageSpec a5;
  a5.paper = 11;
  PageSpec a3;
  a3.paper = 8;
  Load({a5, a3});
  Options().SetPrintMode(TfrxPrintMode::pmScale);
  Options().SetPrintOnSheet(9);
  ASSERT_TRUE(Print());
  ASSERT_EQ(Printer().Setups().size(), 1u);  // both portrait, same bin and duplex
  EXPECT_EQ(Printer().Setups()[0].code, 9);
  ASSERT_EQ(Printer().Sheets().size(), 2u);
  for (const auto& sheet : Printer().Sheets()) {
    EXPECT_DOUBLE_EQ(sheet.width, 210);
    EXPECT_DOUBLE_EQ(sheet.height, 297);
  }
  // A3 into the 200 x 287 mm printable area of A4 (5 mm margins): one factor, 200/297,
  // for both directions; the text objects get it too.
  EXPECT_NEAR(report.PreviewPages().PrintScale, 200.0 / 297.0, 1e-9);
  // Centred: the A3 page fills the width and leaves (287 - 420 x 200/297) / 2 mm above,
  // at 10 device pixels a millimetre from the printable corner.
  const auto a3Text = Printer().Sheets()[1].canvas->RecordsOf(CanvasRecord::Op::Text);
  ASSERT_FALSE(a3Text.empty());
  EXPECT_NEAR(a3Text[0]->bounds.top, (287 - 420 * 200.0 / 297) / 2 * 10, 8);
  // The A5 page's text is drawn larger than the A3 page's.
  auto textHeight = [&](int sheet) {
    const auto texts = Printer().Sheets()[static_cast<std::size_t>(sheet)].canvas->RecordsOf(CanvasRecord::Op::Text);
    return texts.empty() ? 0 : texts[0]->font.height;
  };
  EXPECT_GT(std::abs(textHeight(0)), std::abs(textHeight(1)) * 1.5);
}

TEST_F(PrintJob, SplitModeTilesALargePageOverClippedSheets) {
  PageSpec a3;
  a3.paper = 8;  // 297 x 420 mm
  PageSpec a4;
  Load({a3, a4});
  Options().SetPrintMode(TfrxPrintMode::pmSplit);
  Options().SetPrintOnSheet(9);
  ASSERT_TRUE(Print());
  const auto& sheets = Printer().Sheets();
  // The A3 page goes over three landscape A4 sheets, one below the other (each loses
  // its margins and the pasting strip); the A4 page takes one portrait sheet, set up
  // anew.
  ASSERT_EQ(sheets.size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(sheets[i].orientation, O::poLandscape);
  EXPECT_EQ(sheets[3].orientation, O::poPortrait);
  ASSERT_EQ(Printer().Setups().size(), 2u);
  // Every tile draws inside a clip; the later rows start with the pasting strip.
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const auto clips = sheets[i].canvas->RecordsOf(CanvasRecord::Op::Clip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips[0]->rect.left, 0);
    EXPECT_EQ(clips[0]->rect.top, i == 0 ? 0 : 30);  // 3 mm at 10 px/mm
  }
  const Texts expected = {u"P1", u"", u"", u"P2"};  // the text sits on the first tile only
  EXPECT_EQ(Printer().SheetTexts(), expected);
}

TEST_F(PrintJob, JoinModePutsPagesInAGridSizedByTheFirstPage) {
  std::vector<PageSpec> specs(5);
  for (PageSpec& s : specs) s.paper = 11;  // A5 148 x 210: two on a landscape A4
  Load(specs);
  Options().SetPrintMode(TfrxPrintMode::pmJoin);
  Options().SetPrintOnSheet(9);
  ASSERT_TRUE(Print());
  ASSERT_EQ(Printer().Setups().size(), 1u);
  EXPECT_EQ(Printer().Setups()[0].orientation, O::poLandscape);
  EXPECT_EQ(Printer().Setups()[0].copies, 1);
  const Texts expected = {u"P1P2", u"P3P4", u"P5"};
  EXPECT_EQ(Printer().SheetTexts(), expected);
  // The second cell starts one page width (148 mm) right of the first.
  const auto texts = Printer().Sheets()[0].canvas->RecordsOf(CanvasRecord::Op::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NEAR(texts[1]->points[0].x - texts[0]->points[0].x, 1480, 2);

  struct CopyCase {
    bool collate;
    Texts expected;
    std::vector<int> copyNumbers;
  };
  // Each collated copy starts on a sheet of its own, as the spooler's n-up does.
  const CopyCase copyCases[] = {
      {true, {u"P1P2", u"P3", u"P1P2", u"P3"}, {1, 1, 1, 2, 2, 2}},
      {false, {u"P1P1", u"P2P2", u"P3P3"}, {1, 2, 1, 2, 1, 2}},
  };
  for (const CopyCase& c : copyCases) {
    printers.reset();
    copies.clear();
    Load(std::vector<PageSpec>(3, specs[0]));
    Options().SetCopies(2);
    Options().SetCollate(c.collate);
    ASSERT_TRUE(Print());
    EXPECT_EQ(Printer().SheetTexts(), c.expected);
    EXPECT_EQ(copies, c.copyNumbers);
  }
}

// A preview that notes when it is locked and unlocked.
class LockNotingPreview final : public PreviewControl {
 public:
  void AssignReport(TfrxReport*, TfrxPreviewPages*) override {}
  void Attach() override {}
  void LockView() override { log.push_back("lock"); }
  void UnlockView() override { log.push_back("unlock"); }
  std::vector<std::string> log;
};

TEST_F(PrintJob, ThePreviewIsLockedWhileTheJobRuns) {
  LockNotingPreview preview;
  Load(2);
  report.SetPreview(&preview);
  report.Events().OnPrintPage = [&](TfrxPage*, int) { preview.log.push_back("page"); };
  EXPECT_TRUE(Print());
  EXPECT_EQ(preview.log, (std::vector<std::string>{"lock", "page", "page", "unlock"}));
  // Also when the job stops at a page list that is not valid.
  preview.log.clear();
  Options().SetPageNumbers("1,a");
  EXPECT_THROW(Print(), EConvertError);
  EXPECT_EQ(preview.log, (std::vector<std::string>{"lock", "unlock"}));
  report.SetPreview(nullptr);
}

TEST_F(PrintJob, JoinModeWithNoListedPageSaysThereIsNothingToPrint) {
  Load(8);
  Options().SetPrintMode(TfrxPrintMode::pmJoin);
  Options().SetPrintOnSheet(9);
  Options().SetPageNumbers("9");
  EXPECT_FALSE(Print());
  EXPECT_TRUE(Printer().Log().empty());
  EXPECT_EQ(messages, std::vector<std::string>{kNoPageToPrintText});
}

TEST_F(PrintJob, CancelAbortsTheJobAndStartsNoFurtherCopy) {
  for (TfrxPrintMode mode : {TfrxPrintMode::pmDefault, TfrxPrintMode::pmSplit, TfrxPrintMode::pmJoin}) {
    SCOPED_TRACE(static_cast<int>(mode));
    printers.reset();
    Load(4);
    Options().SetPrintMode(mode);
    Options().SetPrintOnSheet(9);
    Options().SetCopies(3);
    int printed = 0;
    // The progress window's cancel button, pressed while the second page prints.
    report.Events().OnProgress = [&](TfrxReport& r, TfrxProgressType, int) {
      if (++printed == 2) r.SetTerminated(true);
    };
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printer().Sheets().size(), 2u);
    EXPECT_EQ(Printer().Log().back(), "abort");
    EXPECT_EQ(std::count(Printer().Log().begin(), Printer().Log().end(), "end"), 0);
  }
}

TEST_F(PrintJob, APrinterWithoutDrawingSurfaceEndsTheJobAtTheFirstSheet) {
  for (TfrxPrintMode mode : {TfrxPrintMode::pmDefault, TfrxPrintMode::pmSplit, TfrxPrintMode::pmJoin}) {
    SCOPED_TRACE(static_cast<int>(mode));
    printers.reset();
    Load(3);
    Options().SetPrintMode(mode);
    Options().SetPrintOnSheet(9);
    printers = std::make_unique<TfrxPrinters>(PrinterSource{
        [] { return std::vector<PrinterSource::Queue>{{"Broken", ""}}; }, [] { return std::string("Broken"); },
        [](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
          auto p = std::make_unique<RecordingPrinter>(q.name);
          p->noCanvas = true;
          return p;
        }});
    EXPECT_TRUE(Print());
    const std::vector<std::string> expected = {"setup", "start", "sheet", "endsheet", "abort"};
    EXPECT_EQ(Printer().Log(), expected);
  }
}

TEST_F(PrintJob, EventsOptionsAndProgressAroundTheJob) {
  Load(2);
  std::vector<std::string> order;
  report.Events().OnPrintReport = [&](TfrxReport&) { order.push_back("print report"); };
  report.Events().OnAfterPrintReport = [&](TfrxReport&) { order.push_back("after print"); };
  report.Events().OnProgressStart = [&](TfrxReport&, TfrxProgressType k, int) {
    order.push_back("progress start " + std::to_string(k));
  };
  report.Events().OnProgress = [&](TfrxReport&, TfrxProgressType, int n) {
    order.push_back("page " + std::to_string(n));
  };
  report.Events().OnProgressStop = [&](TfrxReport&, TfrxProgressType, int) { order.push_back("progress stop"); };
  Options().SetShowDialog(true);
  services.showDialog = [&](TfrxReport& r, TfrxDuplexMode& duplex) {
    r.PrintOptions().SetCopies(2);
    r.PrintOptions().SetReverse(true);
    duplex = D::dmVertical;
    return true;
  };
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().SheetTexts(), Pages({2, 1, 2, 1}));
  const std::vector<std::string> expected = {"print report", "progress start 2", "page 2", "page 1", "page 2",
                                             "page 1",       "progress stop",    "after print"};
  EXPECT_EQ(order, expected);
  // The dialog's choices last for one job, except the duplex choice.
  EXPECT_EQ(Options().Copies(), 1);
  EXPECT_FALSE(Options().Reverse());
  EXPECT_EQ(Options().DuplexMode(), D::dmVertical);
  EXPECT_EQ(report.PreviewPages().CurrentCopy, 0);
}

TEST_F(PrintJob, TheNamedPrinterIsUsedAndTheJobIsTitledByTheReport) {
  queues = 2;
  Load(1);
  Options().SetPrinter("SECOND");
  report.ReportOptions().SetName("Quarterly");
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().Name(), "Second");
  EXPECT_EQ(Printer().Title(), "Quarterly");
  EXPECT_EQ(Printer().Sheets().size(), 1u);
  EXPECT_EQ(printers->CurrentIndex(), 1);  // the selection stays
}

TEST_F(PrintJob, RefusesWithoutPrinterWhenCancelledOrWhenThePrinterIsNotValid) {
  Load(1);
  queues = 0;
  EXPECT_FALSE(Print());
  EXPECT_EQ(messages, (std::vector<std::string>{"在你的系统没有安装打印机"}));

  messages.clear();
  queues = 1;
  printers.reset();
  Options().SetShowDialog(true);
  Options().SetCopies(4);
  bool after = false;
  report.Events().OnAfterPrintReport = [&](TfrxReport&) { after = true; };
  services.showDialog = [](TfrxReport& r, TfrxDuplexMode&) {
    r.PrintOptions().SetCopies(9);
    return false;
  };
  report.PreviewPages().CurrentCopy = 5;
  EXPECT_FALSE(Print());
  EXPECT_TRUE(Printer().Log().empty());
  EXPECT_FALSE(after);  // nothing else happens after a cancelled dialog
  EXPECT_EQ(report.PreviewPages().CurrentCopy, 0);

  printers.reset();
  failInitialize = true;
  Options().SetShowDialog(false);
  Options().SetCopies(4);
  EXPECT_TRUE(Print());
  EXPECT_EQ(messages, (std::vector<std::string>{kPrinterNotValidText}));
  EXPECT_TRUE(Printer().Log().empty());
  EXPECT_TRUE(after);
  EXPECT_EQ(Options().Copies(), 4);
}

TEST_F(PrintJob, InvalidPageListIsRaisedBeforeAnythingIsSent) {
  Load(3);
  for (const char* list : {"-3", "a", "1,,2", "99999999999"}) {
    SCOPED_TRACE(list);
    printers.reset();
    Options().SetPageNumbers(list);
    Options().SetCopies(2);
    EXPECT_THROW(Print(), EConvertError);
    EXPECT_TRUE(Printer().Log().empty());
    EXPECT_EQ(Options().PageNumbers(), list);
    EXPECT_EQ(Options().Copies(), 2);
  }
}

TEST_F(PrintJob, PagesThatFailAreListedAfterTheJobByTheSilentMode) {
  // Page 2 names a source page the report does not have: it cannot be built, the
  // others print.
  ReportGenerator g;
  g.AddSourcePage();
  for (int n : {1, 2, 3}) {
    if (n == 2) {
      g.AddCompactPage(0);
      continue;
    }
    auto* memo = new TfrxMemoView(&g.AddCompletePage());
    memo->SetBounds(0, 0, 300, 30);
    memo->Memo().SetText(u"P" + U16(std::to_string(n)));
  }
  std::string bytes = g.Write();
  auto replaceAll = [&](const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
      bytes.replace(at, from.size(), to);
  };
  replaceAll("<page0", "<page7");
  replaceAll("</page0>", "</page7>");
  ASSERT_NE(bytes.find("page7"), std::string::npos);
  MemoryStream stream(bytes);
  report.PreviewPages().LoadFromStream(stream);

  report.EngineOptions().SetNewSilentMode(simSilent);
  ASSERT_TRUE(Print());
  EXPECT_EQ(Printer().SheetTexts(), Pages({1, 3}));
  ASSERT_EQ(report.Errors().size(), 1u);
  EXPECT_EQ(report.Errors().begin()->rfind("page 2: ", 0), 0u) << *report.Errors().begin();

  printers.reset();
  report.EngineOptions().SetNewSilentMode(simReThrow);
  try {
    Print();
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("发生下列的错误:\npage 2: ", 0), 0u) << text;
  }
  EXPECT_EQ(Printer().Log().back(), "end");  // the job itself completed
}

}  // namespace
}  // namespace quarlo
