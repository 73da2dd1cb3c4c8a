// The preview window as the launcher opens it: its caption in the report's code page,
// a second report re-captioning the open window, the first layout made from the size
// the window is shown at, and a report dropped on the window.
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/report_file_opener.h"
#include "platform/codepage.h"
#include "preview/dropped_report.h"
#include "preview/preview_control.h"
#include "preview/preview_form.h"
#include "preview/preview_status_panels.h"
#include "preview/preview_workspace.h"
#include "report/preview_host.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

// count A4 pages; name is UTF-8 and stored in code page 936 as real files store it;
// options are further attributes of the report element.
std::string ReportXml(int count, const std::string& name, const std::string& options = std::string()) {
  std::string pages;
  for (int i = 0; i < count; ++i) pages += "<page0/>";
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><report><TfrxReport ReportOptions.Name=\"" +
         Utf8ToSystem(name) + "\" " + options + "/></report><previewpages>" + pages +
         "</previewpages><sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" "
         "PaperHeight=\"297\"/></sourcepages></preparedreport>";
}

std::string WriteReport(const std::string& file, const std::string& xml) {
  const std::string path = ::testing::TempDir() + file;
  std::ofstream(path, std::ios::binary) << xml;
  return path;
}

class PreviewWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    SetPreviewHost(&host);
    ConfigureLauncherReport(report);
    TfrxResources::SetErrorBoxHandler([this](const std::string&, const std::string& m) { errors.push_back(m); });
  }
  void TearDown() override {
    CloseWindow();
    SetPreviewHost(nullptr);
    TfrxResources::SetErrorBoxHandler(nullptr);
  }
  // The preview window frees itself once closed.
  void CloseWindow() {
    if (auto* preview = dynamic_cast<TfrxPreview*>(report.Preview())) preview->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Opens the file as the launcher's button does and waits for the window.
  TfrxPreviewForm* Open(const std::string& path) {
    const ReportFileOpener open(report);
    open(path);
    auto* preview = dynamic_cast<TfrxPreview*>(report.Preview());
    if (!preview) return nullptr;
    auto* form = qobject_cast<TfrxPreviewForm*>(preview->window());
    if (form && !QTest::qWaitForWindowExposed(form)) return nullptr;
    QApplication::processEvents();
    return form;
  }

  PreviewFormHost host;
  TfrxReport report{nullptr};
  std::vector<std::string> errors;
};

TEST_F(PreviewWindowTest, CaptionIsTheReportNameInItsCodePageAndFollowsTheNextReport) {
  const std::string sample = WriteReport("caption_sample.fp3", ReportXml(2, "示例报表 Sample report"));
  const std::string second = WriteReport("caption_second.fp3", ReportXml(1, "第二季度"));
  const std::string unnamed = WriteReport("caption_unnamed.fp3", ReportXml(1, ""));
  TfrxPreviewForm* form = Open(sample);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("示例报表 Sample report"));
  // The launcher opens the next report into the window that is still open.
  EXPECT_EQ(Open(second), form);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("第二季度"));
  EXPECT_EQ(Open(unnamed), form);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("预览"));
}

TEST_F(PreviewWindowTest, FirstLayoutIsMadeForTheShownWindow) {
  struct Case {
    const char* name;
    std::string options;
  } cases[] = {
      {"whole page", "PreviewOptions.ZoomMode=\"zmWholePage\""},
      {"page width", "PreviewOptions.ZoomMode=\"zmPageWidth\""},
      {"25 per cent", "PreviewOptions.ZoomMode=\"zmDefault\" PreviewOptions.Zoom=\"0.25\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TfrxPreviewForm* form = Open(WriteReport("first_layout.fp3", ReportXml(9, "R", c.options)));
    ASSERT_TRUE(form);
    TfrxPreviewWorkspace& ws = form->Preview().Workspace();
    const QSize view = ws.viewport()->size();
    ASSERT_GT(view.width(), 700);
    const QRect first = ws.PageRect(0), second = ws.PageRect(1);
    if (std::string(c.name) == "whole page") {
      // The whole first page fits the height, and uses most of it.
      EXPECT_GE(first.top(), 0);
      EXPECT_LE(first.bottom(), view.height());
      EXPECT_GT(first.height(), view.height() - 40);
    } else if (std::string(c.name) == "page width") {
      EXPECT_GT(first.width(), view.width() - 40);
      EXPECT_LE(first.right(), view.width());
    } else {
      // A4 at 25% is 198 pixels wide: several pages share the first row, centred.
      EXPECT_EQ(first.width(), 198);
      EXPECT_EQ(second.top(), first.top());
      EXPECT_GT(first.left(), 10);
    }
    CloseWindow();
  }
}

// What `quarlo --page N` does: the page is asked for before the window shows.
TEST_F(PreviewWindowTest, APageChosenBeforeTheWindowShowsIsAtTheTopOnceShown) {
  std::ofstream(::testing::TempDir() + "page_before_show.fp3", std::ios::binary)
      << ReportXml(9, "R", "PreviewOptions.ZoomMode=\"zmPageWidth\"");
  report.PreviewPages().LoadFromFile(::testing::TempDir() + "page_before_show.fp3", true);
  TfrxPreviewForm form(&report);
  form.Setup();
  form.Preview().SetCurrentPage(5);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QApplication::processEvents();
  EXPECT_EQ(form.Preview().CurrentPage(), 5);
  EXPECT_EQ(form.Preview().Workspace().PageRect(4).top(), TfrxPreviewWorkspace::kGap);
  EXPECT_EQ(form.Panels().Text(0), QStringLiteral("页 5 / 9"));
}

TEST_F(PreviewWindowTest, ADroppedReportOpensInTheWindow) {
  TfrxPreviewForm* form = Open(WriteReport("drop_first.fp3", ReportXml(2, "甲")));
  ASSERT_TRUE(form);
  const std::string dropped = WriteReport("drop_second.FP3", ReportXml(5, "乙"));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &drop);
  QApplication::processEvents();
  EXPECT_EQ(form->Preview().PageCount(), 5);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("乙"));
}

TEST(DroppedReportTest, TheFirstLocalFp3IsTaken) {
  struct Case {
    const char* name;
    QList<QUrl> urls;
    std::optional<QString> file;
  } cases[] = {
      {"one report", {QUrl::fromLocalFile("/r/a.fp3")}, QString("/r/a.fp3")},
      {"any letter case", {QUrl::fromLocalFile("/r/A.Fp3")}, QString("/r/A.Fp3")},
      {"other files first", {QUrl::fromLocalFile("/r/a.txt"), QUrl::fromLocalFile("/r/b.fp3")}, QString("/r/b.fp3")},
      {"a web address is no file", {QUrl("https://example.org/a.fp3")}, std::nullopt},
      {"no report", {QUrl::fromLocalFile("/r/a.pdf")}, std::nullopt},
      {"nothing", {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QMimeData data;
    data.setUrls(c.urls);
    EXPECT_EQ(DroppedReportFile(&data), c.file);
  }
  QMimeData text;
  text.setText(QStringLiteral("/r/a.fp3"));
  EXPECT_EQ(DroppedReportFile(&text), std::nullopt);
  EXPECT_EQ(DroppedReportFile(nullptr), std::nullopt);
}

}  // namespace
}  // namespace quarlo
