// The preview window's quick PDF button: shown only when the report's buttons ask for
// it, and running the same export as the export drop-down (page dialog, then file).
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "report/report.h"
#include "report/report_classes.h"
#include "app/report_file_opener.h"
#include "platform/stream.h"
#include "preview/export_dialog.h"
#include "preview/preview_control.h"
#include "preview/preview_form.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

std::string PagesXml(int count) {
  std::string pages;
  for (int i = 0; i < count; ++i) pages += "<page0/>";
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + pages +
         "</previewpages><sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" "
         "PaperHeight=\"297\"/></sourcepages></preparedreport>";
}

class PdfButton : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    ConfigureLauncherReport(report);
    launcherButtons = report.PreviewOptions().Buttons();
    TfrxResources::SetErrorBoxHandler([this](const std::string&, const std::string& m) { errors.push_back(m); });
    MemoryStream stream(PagesXml(3));
    report.PreviewPages().LoadFromStream(stream);
  }
  void TearDown() override { TfrxResources::SetErrorBoxHandler(nullptr); }
  bool Shown(const char* name) {
    const auto items = form.VisibleToolItems();
    return std::find(items.begin(), items.end(), QString::fromLatin1(name)) != items.end();
  }
  bool InRightMenu(const QString& text) {
    for (QAction* a : form.RightMenu().actions())
      if (a->isVisible() && a->text() == text) return true;
    return false;
  }

  TfrxReport report{nullptr};
  TfrxPreviewForm form{&report};
  int launcherButtons = 0;
  std::vector<std::string> errors;
};

TEST_F(PdfButton, ShownExactlyWhenTheButtonsHoldTheQuickExport) {
  const int quick = PreviewButtonBit(pbExportQuick);
  struct Case {
    const char* name;
    int buttons;
    bool shown;
  } cases[] = {
      {"the launcher's set", launcherButtons, false},
      {"the launcher's set and the quick export", launcherButtons | quick, true},
      {"the quick export alone", quick, true},
      {"the export drop-down alone", PreviewButtonBit(pbExport), false},
      {"the defaults", kDefaultPreviewButtons, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    report.PreviewOptions().SetButtons(c.buttons);
    form.Setup();
    EXPECT_EQ(Shown("PdfB"), c.shown);
    // The right-click menu follows the toolbar.
    EXPECT_EQ(InRightMenu(QStringLiteral("导出PDF格式")), c.shown);
  }
}

TEST_F(PdfButton, ClickingItExportsThroughThePageDialog) {
  report.PreviewOptions().SetButtons(launcherButtons | PreviewButtonBit(pbExportQuick));
  form.Setup();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string target = (dir.path() + "/quick.pdf").toStdString();
  int dialogs = 0;
  form.Preview().ExportPagesDialog = [&](ExportDialog& d) {
    ++dialogs;
    d.CurPageRB().click();
    d.OkB().click();
    return d.result();
  };
  form.Preview().ExportFileDialog = [&] { return target; };
  const auto* item = form.Item(QStringLiteral("PdfB"));
  ASSERT_TRUE(item);
  ASSERT_TRUE(item->action->isEnabled());
  item->action->trigger();
  EXPECT_EQ(dialogs, 1);
  QFile file(QString::fromStdString(target));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(form.isEnabled());
}

}  // namespace
}  // namespace quarlo
