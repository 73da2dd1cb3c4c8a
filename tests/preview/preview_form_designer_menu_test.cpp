// The edit button's hidden menu: releasing the right mouse button over it pops the menu up
// at the button's top-left corner; the left button does not.
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "preview/preview_form.h"

namespace quarlo {
namespace {

TEST(PreviewFormDesignerMenu, RightButtonOverTheEditButtonPopsUpTheHiddenMenu) {
  RegisterReportClasses();
  TfrxReport report{nullptr};
  report.PreviewOptions().SetButtons(PreviewButtonBit(pbEdit));
  report.PreviewOptions().SetAllowEdit(true);
  MemoryStream stream(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0/></previewpages>"
      "<sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\"/></sourcepages>"
      "</preparedreport>");
  report.PreviewPages().LoadFromStream(stream);
  TfrxPreviewForm form{&report};
  form.Setup();
  form.show();
  const TfrxPreviewForm::ToolItem* designer = form.Item(QStringLiteral("DesignerB"));
  ASSERT_NE(designer, nullptr);
  QWidget* button = form.ToolBar().widgetForAction(designer->action);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible() && button->isEnabled());

  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(form.HiddenMenu().isVisible());
  QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(2, 2));
  EXPECT_TRUE(form.HiddenMenu().isVisible());
  EXPECT_EQ(form.HiddenMenu().pos(), button->mapToGlobal(QPoint(0, 0)));
  form.HiddenMenu().hide();
}

}  // namespace
}  // namespace quarlo
