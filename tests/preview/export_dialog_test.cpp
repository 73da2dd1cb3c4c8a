// Exporting from the preview: the page dialog chooses all pages, the current page or a
// typed list, the PDF holds exactly those pages in that order (read back with poppler's
// tools); a list that cannot be read or names no page keeps the dialog open; cancelling
// either dialog writes nothing.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/qt/run_tool.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "preview/export_dialog.h"
#include "preview/preview_control.h"
#include "resources/resources.h"
#include "support/qt/dialog_layout_check.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

constexpr int kPages = 4;

// kPages A4 pages, page n carrying the text "Pagen".
std::string NumberedPages() {
  testing::ReportGenerator g;
  for (int i = 1; i <= kPages; ++i) {
    TfrxReportPage& page = g.AddCompletePage();
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(0, 0, 300, 30);
    const std::string text = "Page" + std::to_string(i);
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

using test::RunTool;

class ExportFromPreview : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    TfrxResources::SetErrorBoxHandler([this](const std::string&, const std::string& m) { errors.push_back(m); });
    MemoryStream stream(NumberedPages());
    report.PreviewPages().LoadFromStream(stream);
    report.SetPreview(&preview);
    preview.ExportFileDialog = [this] {
      ++filesAsked;
      return target;
    };
  }
  void TearDown() override { TfrxResources::SetErrorBoxHandler(nullptr); }

  // The page numbers pdftotext finds, in file order ("Page3" -> 3).
  std::vector<int> ExportedPages() {
    const QString text = RunTool("pdftotext", {QString::fromStdString(target), "-"});
    std::vector<int> pages;
    auto it = QRegularExpression("Page(\\d+)").globalMatch(text);
    while (it.hasNext()) pages.push_back(it.next().captured(1).toInt());
    return pages;
  }
  int PdfPageCount() {
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(RunTool("pdfinfo", {QString::fromStdString(target)}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
  }
  bool NothingWritten() { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty(); }

  QTemporaryDir dir;
  std::string target = (dir.path() + "/export.pdf").toStdString();
  TfrxReport report{nullptr};
  TfrxPreview preview;
  std::vector<std::string> errors;
  int filesAsked = 0;
};

TEST_F(ExportFromPreview, TheChosenPagesAreTheExportedOnes) {
  struct Case {
    const char* name;
    std::function<void(ExportDialog&)> choose;
    std::vector<int> pages;
  } cases[] = {
      {"all pages", [](ExportDialog&) {}, {1, 2, 3, 4}},
      {"current page", [](ExportDialog& d) { d.CurPageRB().click(); }, {3}},
      {"typed list keeps its order",
       [](ExportDialog& d) { QTest::keyClicks(&d.PageNumbersE(), QStringLiteral("4, 1-2")); }, {4, 1, 2}},
      {"a range running to the end", [](ExportDialog& d) {
         d.PageNumbersRB().click();
         d.PageNumbersE().setText(QStringLiteral("2-"));
       }, {2, 3, 4}},
      {"typed list, then all again", [](ExportDialog& d) {
         QTest::keyClicks(&d.PageNumbersE(), QStringLiteral("2"));
         d.AllRB().click();
       }, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(QString::fromStdString(target));
    preview.SetCurrentPage(3);
    preview.ExportPagesDialog = [&](ExportDialog& d) {
      c.choose(d);
      d.OkB().click();
      return d.result();
    };
    preview.ExportToPdf();
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(PdfPageCount(), static_cast<int>(c.pages.size()));
    EXPECT_EQ(ExportedPages(), c.pages);
  }
}

TEST_F(ExportFromPreview, AListThatNamesNoPageKeepsTheDialogOpen) {
  const char* bad[] = {"1,,2", "a", "-3", "9", "5-7", "3-1", "99999999999"};
  for (const char* list : bad) {
    SCOPED_TRACE(list);
    errors.clear();
    QFile::remove(QString::fromStdString(target));
    bool stayedOpen = false;
    preview.ExportPagesDialog = [&](ExportDialog& d) {
      d.show();
      d.PageNumbersRB().click();
      d.PageNumbersE().setText(QString::fromLatin1(list));
      d.OkB().click();
      stayedOpen = d.isVisible();
      // The user mends the list; the dialog then closes and the export runs.
      d.PageNumbersE().setText(QStringLiteral("2"));
      d.OkB().click();
      return d.isVisible() ? -1 : d.result();
    };
    preview.ExportToPdf();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(ExportedPages(), std::vector<int>{2});
  }
}

TEST_F(ExportFromPreview, CancellingEitherDialogWritesNothing) {
  preview.ExportPagesDialog = [](ExportDialog& d) {
    d.CancelB().click();
    return d.result();
  };
  preview.ExportToPdf();
  EXPECT_EQ(filesAsked, 0);
  EXPECT_TRUE(NothingWritten());

  preview.ExportPagesDialog = [](ExportDialog& d) {
    d.OkB().click();
    return d.result();
  };
  target.clear();  // the file dialog cancelled
  preview.ExportToPdf();
  EXPECT_EQ(filesAsked, 1);
  EXPECT_TRUE(NothingWritten());
  EXPECT_TRUE(errors.empty());
}

TEST(ExportDialogLayout, EveryControlHasRoomForItsCaption) {
  ExportDialog dialog(12, 1);
  dialog.PageNumbersE().setText(QStringLiteral("1,3,5-12"));
  EXPECT_EQ(testing::DialogLayoutFaults(dialog), std::vector<std::string>{});
  EXPECT_FALSE(testing::SaveDialogPicture(dialog, QStringLiteral("export_dialog")).isEmpty());
}

TEST(ExportDialogLayout, RightToLeftMirrorsTheControls) {
  QApplication::setLayoutDirection(Qt::RightToLeft);
  ExportDialog dialog(3, 1);
  QApplication::setLayoutDirection(Qt::LeftToRight);
  EXPECT_EQ(dialog.OkB().x(), 286 - 120 - 75);
  EXPECT_EQ(dialog.AllRB().x(), 270 - 12 - 200);
  EXPECT_EQ(testing::DialogLayoutFaults(dialog), std::vector<std::string>{});
}

}  // namespace
}  // namespace quarlo
