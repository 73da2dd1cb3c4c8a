// quarlo-cli pdf and print: the PDF each page on its own paper, the page list, the
// print job through the test queue into a file, and the command-line errors.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "print/qt/pdf_export.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;
using testing::ReportGenerator;
constexpr double kPointsPerMm = 72 / 25.4;

// An A4, an A5 landscape and a 100 x 50 mm page, each with the word "Sheet<n>".
std::string ThreePapers() {
  ReportGenerator g;
  for (int n = 1; n <= 3; ++n) {
    TfrxReportPage& page = g.AddCompletePage();
    if (n == 2) {
      page.SetPaperSize(11);
      page.SetOrientation(TPrinterOrientation::poLandscape);
    } else if (n == 3) {
      page.SetPaperWidth(100);
      page.SetPaperHeight(50);
    }
    page.SetLeftMargin(5);
    page.SetTopMargin(5);
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(0, 0, 200, 30);
    const std::string text = "Sheet" + std::to_string(n);
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\f')) s.pop_back();
  while (!s.empty() && (s.front() == '\n' || s.front() == ' ')) s.erase(0, 1);
  return s;
}

TEST(PdfVerb, WritesEachPageOnPaperOfItsOwnSize) {
  ScratchFolder folder("pdf-verb");
  folder.Write("r.fp3", ThreePapers());
  const auto r = RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto info = spooler::ReadPdfInfo(folder.Path("r.pdf"));
  ASSERT_TRUE(info);
  ASSERT_EQ(info->pages, 3);
  const double sizes[][2] = {{210, 297}, {210, 148}, {100, 50}};
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p + 1);
    EXPECT_NEAR(info->sizes[static_cast<std::size_t>(p)].width, sizes[p][0] * kPointsPerMm, 1);
    EXPECT_NEAR(info->sizes[static_cast<std::size_t>(p)].height, sizes[p][1] * kPointsPerMm, 1);
    EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("r.pdf"), p + 1)), "Sheet" + std::to_string(p + 1));
  }
  // The text sits at the page's margin, 5 mm from the paper's corner.
  const auto words = spooler::PdfPageWords(folder.Path("r.pdf"), 1);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_NEAR(words[0].xMin, 5 * kPointsPerMm, 2.5);
  EXPECT_NEAR(words[0].yMin, 5 * kPointsPerMm, 4);
}

TEST(PdfVerb, InfoDescribesThePaperAsPdfinfoReadsIt) {
  ScratchFolder folder("pdf-verb-info");
  folder.Write("r.fp3", ThreePapers());
  ASSERT_EQ(RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf")}).status, 0);
  const auto pdf = spooler::ReadPdfInfo(folder.Path("r.pdf"));
  ASSERT_TRUE(pdf);
  const auto info = RunCli({"info", folder.Path("r.fp3")});
  ASSERT_EQ(info.status, 0) << info.err;
  const QJsonArray pages = QJsonDocument::fromJson(QByteArray::fromStdString(info.out)).object()["pages"].toArray();
  ASSERT_EQ(pages.size(), pdf->pages);
  for (int p = 0; p < pdf->pages; ++p) {
    SCOPED_TRACE(p + 1);
    const QJsonObject page = pages[p].toObject();
    const spooler::PdfPage& read = pdf->sizes[static_cast<std::size_t>(p)];
    EXPECT_NEAR(page["widthMm"].toDouble() * kPointsPerMm, read.width, 1);
    EXPECT_NEAR(page["heightMm"].toDouble() * kPointsPerMm, read.height, 1);
    EXPECT_EQ(page["orientation"].toString() == "landscape", read.width > read.height);
  }
  EXPECT_EQ(pages[0].toObject()["paper"].toString(), "A4");
  EXPECT_EQ(pages[1].toObject()["paper"].toString(), "A5");
  EXPECT_EQ(pages[2].toObject()["paper"].toString(), "custom");
}

TEST(PdfVerb, FollowsThePageList) {
  ScratchFolder folder("pdf-verb-list");
  folder.Write("r.fp3", ThreePapers());
  const auto r = RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf"), "--pages", "3,1", "--dpi", "150"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto info = spooler::ReadPdfInfo(folder.Path("r.pdf"));
  ASSERT_TRUE(info);
  ASSERT_EQ(info->pages, 2);
  EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("r.pdf"), 1)), "Sheet3");
  EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("r.pdf"), 2)), "Sheet1");

  // A list naming no page writes nothing and says so.
  const auto none = RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("none.pdf"), "--pages", "7-9"});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("names no page"), std::string::npos) << none.err;
}

struct BadCommand {
  std::vector<std::string> args;  // FILE stands for the report
  const char* message;
};

TEST(PrintAndPdfVerbs, RefuseBadArgumentsBeforeDoingAnything) {
  ScratchFolder folder("print-bad-args");
  folder.Write("r.fp3", ThreePapers());
  const BadCommand cases[] = {
      {{"pdf", "FILE"}, "expects FILE and -o"},
      {{"pdf", "FILE", "-o", "x.pdf", "--pages", "-3"}, "--pages"},
      {{"pdf", "FILE", "-o", "x.pdf", "--dpi", "10"}, "--dpi"},
      {{"print"}, "expects FILE"},
      {{"print", "FILE", "--pages", "a"}, "--pages"},
      {{"print", "FILE", "--copies", "0"}, "--copies"},
      {{"print", "FILE", "--copies", "99999999999"}, "--copies"},
      {{"print", "FILE", "--mode", "tile"}, "--mode"},
      {{"print", "FILE", "--odd", "--even"}, "exclude"},
      {{"print", "FILE", "--duplex", "both"}, "--duplex"},
      {{"print", "FILE", "--sheet", "9"}, "--sheet needs"},
      {{"print", "FILE", "--mode", "join", "--sheet", "x"}, "--sheet"},
      {{"print", "FILE", "--bogus"}, "unknown option '--bogus'"},
  };
  for (const BadCommand& c : cases) {
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
      if (a == "FILE") a = folder.Path("r.fp3");
    SCOPED_TRACE(args.size() > 2 ? args[2] : args[0]);
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: quarlo-cli"), std::string::npos);
  }
  EXPECT_FALSE(folder.Exists("x.pdf"));
  const auto missing = RunCli({"pdf", folder.Path("none.fp3"), "-o", folder.Path("x.pdf")});
  EXPECT_EQ(missing.status, 1);
}

TEST(PrintAndPdfVerbs, WithoutAnyPrinterPrintRefusesAndPdfStillWorks) {
  ScratchFolder folder("print-no-printer");
  folder.Write("r.fp3", ThreePapers());
  // A spooler address nobody answers on: the program sees no printer at all.
  const std::string env = "CUPS_SERVER=127.0.0.1:9 QT_QPA_PLATFORM=offscreen ";
  const std::string cli = spooler::ShellQuote(QUARLO_CLI_PATH);
  int status = 0;
  const std::string printed = spooler::RunCommand(
      env + cli + " print " + spooler::ShellQuote(folder.Path("r.fp3")) + " 2>&1", &status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(printed, "quarlo-cli print: no printer is installed\n") << "in English, once";
  // Standard error stays silent on success: the only line is the file written.
  const std::string written = spooler::RunCommand(env + cli + " pdf " + spooler::ShellQuote(folder.Path("r.fp3")) +
                                                      " -o " + spooler::ShellQuote(folder.Path("r.pdf")) + " 2>&1",
                                                  &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(written, folder.Path("r.pdf") + "\n");
  const auto info = spooler::ReadPdfInfo(folder.Path("r.pdf"));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 3);
}

TEST(PrintVerb, PrintsThroughTheQueueIntoAFile) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ScratchFolder folder("print-verb-file");
  folder.Write("r.fp3", ThreePapers());
  const auto r = RunCli({"print", folder.Path("r.fp3"), "--printer", queue->name, "--pages", "1-3", "--reverse",
                         "--odd", "--output", folder.Path("out.prn")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, folder.Path("out.prn") + "\n");
  const auto info = spooler::ReadPdfInfo(folder.Path("out.prn"));
  ASSERT_TRUE(info);
  ASSERT_EQ(info->pages, 2);
  EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("out.prn"), 1)), "Sheet3");
  EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("out.prn"), 2)), "Sheet1");

  const auto unknown = RunCli({"print", folder.Path("r.fp3"), "--printer", "No Such Queue 7f3a"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("no printer named"), std::string::npos) << unknown.err;
}

TEST(PrintVerb, SendsJobsToTheQueue) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ScratchFolder folder("print-verb-queue");
  folder.Write("r.fp3", ThreePapers());
  // The dialog's words and the spooler tools' words give the same job.
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"--printer", queue->name, "--sheet", "9", "--duplex", "vertical"},
        {"-d", queue->name, "--sheet", "a4", "--duplex=long-edge"}}) {
    SCOPED_TRACE(words[0]);
    std::vector<std::string> args{"print", folder.Path("r.fp3"), "--mode", "scale"};
    args.insert(args.end(), words.begin(), words.end());
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Scaled onto A4 sheets, all three pages make one spooler job; printed two-sided,
    // a blank back completes the second sheet.
    ASSERT_EQ(r.out.rfind(queue->name + "-", 0), 0u) << r.out;
    const int id = std::stoi(r.out.substr(queue->name.size() + 1));
    const auto pdf = spooler::WaitForJobPdf(*queue, id);
    ASSERT_TRUE(pdf);
    const auto info = spooler::ReadPdfInfo(*pdf);
    ASSERT_TRUE(info);
    ASSERT_EQ(info->pages, 4);
    for (const spooler::PdfPage& page : info->sizes) {
      EXPECT_NEAR(std::max(page.width, page.height), 297 * kPointsPerMm, 1.5);
      EXPECT_NEAR(std::min(page.width, page.height), 210 * kPointsPerMm, 1.5);
    }
  }
}

TEST(PrintVerb, CopiesByEitherSpelling) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ScratchFolder folder("print-verb-copies");
  folder.Write("r.fp3", ThreePapers());
  for (const char* copies : {"--copies", "-n"}) {
    const auto r = RunCli({"print", folder.Path("r.fp3"), "-d", queue->name, copies, "2", "--pages", "2",
                           "--output", folder.Path("copies.prn")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto info = spooler::ReadPdfInfo(folder.Path("copies.prn"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, 2) << copies;
    EXPECT_EQ(Trimmed(spooler::PdfPageText(folder.Path("copies.prn"), 2)), "Sheet2");
  }
}

// Print settings stored in the report file, which a PDF of the pages must not follow.
std::string WithStoredPrintSettings(std::string fp3) {
  const std::string element = "<TfrxReport ";
  const std::size_t at = fp3.find(element);
  EXPECT_NE(at, std::string::npos);
  fp3.insert(at + element.size(),
             "PrintOptions.Copies=\"2\" PrintOptions.Reverse=\"1\" PrintOptions.PrintPages=\"ppOdd\" "
             "PrintOptions.PrintMode=\"pmJoin\" PrintOptions.PrintOnSheet=\"9\" ");
  return fp3;
}

// Each page of a PDF as "<text> <width>x<height>" in whole mm.
std::vector<std::string> PdfPages(const std::string& pdf) {
  std::vector<std::string> pages;
  const auto info = spooler::ReadPdfInfo(pdf);
  if (!info) return pages;
  for (int p = 1; p <= info->pages; ++p) {
    const spooler::PdfPage& size = info->sizes[static_cast<std::size_t>(p - 1)];
    pages.push_back(Trimmed(spooler::PdfPageText(pdf, p)) + " " +
                    std::to_string(std::lround(size.width / kPointsPerMm)) + "x" +
                    std::to_string(std::lround(size.height / kPointsPerMm)));
  }
  return pages;
}

TEST(PdfVerb, WritesTheListedPagesAsTheyAreAsThePreviewExportDoes) {
  ScratchFolder folder("pdf-verb-as-they-are");
  folder.Write("r.fp3", WithStoredPrintSettings(ThreePapers()));
  RegisterReportClasses();
  TfrxReport report(nullptr);
  report.PreviewPages().LoadFromFile(folder.Path("r.fp3"), true);
  ASSERT_EQ(report.PrintOptions().Copies(), 2);  // the settings are read, and left alone
  const std::string a4 = "Sheet1 210x297", a5 = "Sheet2 210x148", small = "Sheet3 100x50";
  struct Case {
    const char* list;
    std::vector<std::string> pages;
  } cases[] = {
      {"", {a4, a5, small}},
      {"2,2,2,2", {a5, a5, a5, a5}},  // a list longer than the report
      {"3,1", {small, a4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    const auto r = RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("cli.pdf"), "--pages", c.list, "-r", "96"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PdfPages(folder.Path("cli.pdf")), c.pages);
    TfrxPDFExport filter;
    filter.FileName = folder.Path("preview.pdf");
    filter.PageNumbers = c.list;
    filter.Dpi = 96;
    ASSERT_TRUE(report.PreviewPages().ExportPages(filter)) << filter.LastError();
    EXPECT_EQ(PdfPages(folder.Path("preview.pdf")), c.pages);
  }
}

TEST(PrintVerb, NothingToPrintIsAnError) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ScratchFolder folder("print-verb-nothing");
  folder.Write("r.fp3", ThreePapers());
  struct Case {
    std::vector<std::string> options;
    const char* says;
  } cases[] = {
      {{"--pages", "7-9"}, "names no page"},
      {{"--pages", "2", "--odd"}, "no page to print"},
      {{"--even", "--pages", "1,3", "--mode", "join"}, "no page to print"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    std::vector<std::string> args{"print", folder.Path("r.fp3"), "-d", queue->name, "--output",
                                  folder.Path("none.prn")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(folder.Exists("none.prn"));
  }
}

}  // namespace
}  // namespace quarlo
