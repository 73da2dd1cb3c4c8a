// Minimising the preview window: a modal preview takes the application's other windows
// with it and brings them back when the application is activated; a non-modal preview,
// or one meant as an MDI child, minimises alone.
#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "report/report.h"
#include "report/report_classes.h"
#include "app/report_file_opener.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "preview/preview_form.h"

namespace quarlo {
namespace {

class PreviewFormMinimizeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    ConfigureLauncherReport(report);
    MemoryStream stream(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0/></previewpages>"
        "<sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\"/></sourcepages>"
        "</preparedreport>");
    report.PreviewPages().LoadFromStream(stream);
    launcher.resize(289, 51);
    launcher.show();
  }
  void ShowForm(bool modal) {
    form.Setup();
    if (modal) form.setWindowModality(Qt::ApplicationModal);
    form.show();
    QCoreApplication::processEvents();
  }
  void MinimizeForm() {
    form.setWindowState(form.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
  }

  TfrxReport report{nullptr};
  QWidget launcher;
  TfrxPreviewForm form{&report};
};

TEST_F(PreviewFormMinimizeTest, ModalPreviewMinimisesTheApplicationAndComesBackWithIt) {
  ShowForm(true);
  MinimizeForm();
  EXPECT_TRUE(form.ApplicationMinimized());
  EXPECT_TRUE(launcher.isMinimized());
  EXPECT_TRUE(form.isMinimized());

  form.ApplicationActivated();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.ApplicationMinimized());
  EXPECT_FALSE(launcher.isMinimized());
  EXPECT_FALSE(form.isMinimized());
  // Activated again without a minimise in between: nothing changes.
  launcher.setWindowState(Qt::WindowMaximized);
  form.ApplicationActivated();
  EXPECT_TRUE(launcher.isMaximized());
}

TEST_F(PreviewFormMinimizeTest, AWindowsStateBeforeIsWhatComesBack) {
  launcher.setWindowState(Qt::WindowMaximized);
  ShowForm(true);
  MinimizeForm();
  ASSERT_TRUE(launcher.isMinimized());
  form.ApplicationActivated();
  EXPECT_TRUE(launcher.isMaximized());
  EXPECT_FALSE(launcher.isMinimized());
}

TEST_F(PreviewFormMinimizeTest, NonModalOrMdiChildPreviewMinimisesAlone) {
  struct Case {
    const char* name;
    bool modal;
    bool mdiChild;
  };
  for (const Case& c : {Case{"non-modal", false, false}, Case{"MDI child", true, true}}) {
    SCOPED_TRACE(c.name);
    report.PreviewOptions().SetMDIChild(c.mdiChild);
    ShowForm(c.modal);
    MinimizeForm();
    EXPECT_TRUE(form.isMinimized());
    EXPECT_FALSE(launcher.isMinimized());
    EXPECT_FALSE(form.ApplicationMinimized());
    form.setWindowState(Qt::WindowNoState);
    form.hide();
    form.setWindowModality(Qt::NonModal);
  }
}

}  // namespace
}  // namespace quarlo
