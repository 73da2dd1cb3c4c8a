// The preview window on a small report: page status, navigation, zoom bounds and
// painted paper in the visible part of the viewport.
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "app/report/report.h"
#include "app/report/report_classes.h"
#include "document/preview_pages.h"
#include "document/stream.h"
#include "preview/preview_form.h"
#include "preview/preview_workspace.h"

namespace quarlo {
namespace {

std::string PagesXml(int count) {
  std::string pages;
  for (int i = 0; i < count; ++i) pages += "<page0/>";
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + pages +
         "</previewpages><sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" "
         "PaperHeight=\"297\"/></sourcepages></preparedreport>";
}

class PreviewFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void Load(int count) {
    MemoryStream stream(PagesXml(count));
    report.PreviewPages().LoadFromStream(stream);
    form.Attach();
  }
  TfrxReport report{nullptr};
  TfrxPreviewForm form{&report};
};

TEST_F(PreviewFormTest, NavigationMovesPageAndStatus) {
  Load(3);
  form.resize(600, 400);
  form.show();
  EXPECT_EQ(form.PageLabel().text(), FormatPageOf(QStringLiteral("页 %d / %d"), 1, 3));
  struct Step {
    void (TfrxPreviewForm::*action)();
    int page;
  } steps[] = {{&TfrxPreviewForm::Next, 1}, {&TfrxPreviewForm::Last, 2}, {&TfrxPreviewForm::Next, 2},
               {&TfrxPreviewForm::Prior, 1}, {&TfrxPreviewForm::First, 0}, {&TfrxPreviewForm::Prior, 0}};
  for (const Step& s : steps) {
    (form.*s.action)();
    EXPECT_EQ(form.Workspace().PageNo(), s.page);
    EXPECT_EQ(form.PageLabel().text(), FormatPageOf(QStringLiteral("页 %d / %d"), s.page + 1, 3));
  }
}

TEST_F(PreviewFormTest, VisiblePageIsWhitePaperOnGrey) {
  Load(2);
  form.resize(900, 700);
  form.show();
  const QImage shot = form.Workspace().viewport()->grab().toImage();
  const QRect page = form.Workspace().PageRect(0);
  ASSERT_TRUE(page.isValid());
  EXPECT_EQ(QColor(shot.pixel(page.center())), QColor(Qt::white));
  EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(128, 128, 128));
}

TEST_F(PreviewFormTest, ZoomStaysInBounds) {
  Load(1);
  for (int i = 0; i < 40; ++i) form.ZoomIn();
  EXPECT_DOUBLE_EQ(form.Workspace().Zoom(), TfrxPreviewWorkspace::kMaxZoom);
  for (int i = 0; i < 40; ++i) form.ZoomOut();
  EXPECT_DOUBLE_EQ(form.Workspace().Zoom(), TfrxPreviewWorkspace::kMinZoom);
}

TEST(FormatPageOfTest, FillsOnlyTwoPlaceholders) {
  EXPECT_EQ(FormatPageOf(QStringLiteral("页 %d / %d"), 2, 9), QStringLiteral("页 2 / 9"));
  EXPECT_EQ(FormatPageOf(QStringLiteral("%d %d %d %s"), 1, 2), QStringLiteral("1 2 %d %s"));
}

}  // namespace
}  // namespace quarlo
