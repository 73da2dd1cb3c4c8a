// The PDF export filter read back with poppler's tools: pages, paper per page, text,
// the page list, cancelling and errors leaving no file behind.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "support/qt/run_tool.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "print/page_list.h"
#include "print/qt/pdf_export.h"
#include "print/qt/pdf_pages.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

using O = TPrinterOrientation;

struct PageSpec {
  int paper = 9;  // A4
  O orientation = O::poPortrait;
};

std::string MakeReport(const std::vector<PageSpec>& specs) {
  testing::ReportGenerator g;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    TfrxReportPage& page = g.AddCompletePage();
    page.SetPaperSize(specs[i].paper);
    page.SetOrientation(specs[i].orientation);
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(0, 0, 300, 30);
    const std::string text = "Page" + std::to_string(i + 1);
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

using test::RunTool;

class PdfExport : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = (RegisterReportClasses(), true);
    (void)registered;
    ASSERT_TRUE(dir.isValid());
    filter.FileName = (dir.path() + "/out.pdf").toStdString();
    filter.Dpi = 150;
  }
  void Load(const std::vector<PageSpec>& specs) {
    MemoryStream stream(MakeReport(specs));
    report.PreviewPages().LoadFromStream(stream);
  }
  QString Info() { return RunTool("pdfinfo", {"-f", "1", "-l", "99", QString::fromStdString(filter.FileName)}); }
  QString Text() { return RunTool("pdftotext", {QString::fromStdString(filter.FileName), "-"}); }

  QTemporaryDir dir;
  TfrxReport report{nullptr};
  TfrxPDFExport filter;
};

TEST_F(PdfExport, EachPageOnItsOwnPaperWithItsText) {
  Load({{9, O::poPortrait}, {9, O::poLandscape}, {11, O::poPortrait}});  // A4, A4 across, A5
  ASSERT_TRUE(report.PreviewPages().ExportPages(filter)) << filter.LastError();
  EXPECT_EQ(filter.PagesWritten(), 3);
  const QString info = Info();
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3"))) << info.toStdString();
  // Sizes in points as pdfinfo rounds them.
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+1 size:\\s+595 x 842 pts"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+2 size:\\s+842 x 595 pts"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+3 size:\\s+420 x 595 pts"))) << info.toStdString();
  const QString text = Text();
  for (const char* t : {"Page1", "Page2", "Page3"}) EXPECT_TRUE(text.contains(t)) << text.toStdString();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(filter.FileName + ".part")));
}

TEST_F(PdfExport, PageListChoosesPagesInListOrder) {
  Load(std::vector<PageSpec>(5));
  struct Case {
    const char* list;
    int pages;
    QStringList texts;
  } cases[] = {
      {"", 5, {"Page1", "Page5"}},
      {"4-", 2, {"Page4", "Page5"}},
      {"3,1", 2, {"Page3", "Page1"}},
      {"2, 9", 1, {"Page2"}},
  };
  for (const Case& c : cases) {
    filter.PageNumbers = c.list;
    ASSERT_TRUE(report.PreviewPages().ExportPages(filter)) << c.list << ": " << filter.LastError();
    EXPECT_EQ(filter.PagesWritten(), c.pages) << c.list;
    const QString text = Text();
    qsizetype at = -1;
    for (const QString& t : c.texts) {
      const qsizetype next = text.indexOf(t);
      EXPECT_GT(next, at) << c.list << " " << t.toStdString();
      at = next;
    }
  }
}

TEST_F(PdfExport, FailuresLeaveNoFileAndKeepAnOlderOne) {
  Load(std::vector<PageSpec>(2));
  {
    QFile old(QString::fromStdString(filter.FileName));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  filter.PageNumbers = "7-9";  // no page of the report
  EXPECT_FALSE(report.PreviewPages().ExportPages(filter));
  EXPECT_FALSE(filter.LastError().empty());
  filter.PageNumbers = "1,a";
  EXPECT_THROW(report.PreviewPages().ExportPages(filter), EConvertError);
  filter.PageNumbers.clear();
  report.Events().OnProgress = [this](TfrxReport&, TfrxProgressType, int) { report.SetTerminated(true); };
  EXPECT_FALSE(report.PreviewPages().ExportPages(filter));
  report.Events().OnProgress = nullptr;
  QFile kept(QString::fromStdString(filter.FileName));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("old"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(filter.FileName + ".part")));

  filter.FileName = (dir.path() + "/missing/dir/out.pdf").toStdString();
  EXPECT_FALSE(report.PreviewPages().ExportPages(filter));
  EXPECT_NE(filter.LastError().find("cannot write"), std::string::npos);
}

TEST_F(PdfExport, WritesOntoAStreamAsIntoAFile) {
  Load({{9, O::poPortrait}, {11, O::poLandscape}});
  QBuffer buffer;
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  PdfPagesOptions options;
  options.dpi = 96;
  const PdfPagesResult result = WritePdfPages(report.PreviewPages(), ParsePageList("2,1,2", 2), buffer, options);
  ASSERT_TRUE(result.Complete()) << result.error;
  EXPECT_EQ(result.pagesWritten, 3);
  {
    QFile file(QString::fromStdString(filter.FileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(buffer.data());
  }
  const QString info = Info();
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+1 size:\\s+595 x 420 pts"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+2 size:\\s+595 x 842 pts"))) << info.toStdString();
  // A list naming no page writes nothing and says why.
  QBuffer none;
  ASSERT_TRUE(none.open(QIODevice::WriteOnly));
  const PdfPagesResult empty = WritePdfPages(report.PreviewPages(), ParsePageList("5", 2), none, options);
  EXPECT_FALSE(empty.Complete());
  EXPECT_EQ(empty.pagesWritten, 0);
  EXPECT_NE(empty.error.find("names no page"), std::string::npos);
}

}  // namespace
}  // namespace quarlo
