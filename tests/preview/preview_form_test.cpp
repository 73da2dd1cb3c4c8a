// The preview window driven offscreen: which toolbar items this program shows, the
// right-click menu built from them, the zoom combo and page field, the status panels,
// full screen, Esc, closing while pages are built, and a second file replacing the
// pages of the open window.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <fstream>

#include "report/report.h"
#include "report/report_classes.h"
#include "app/report_file_opener.h"
#include "document/preview_pages.h"
#include "document/preview_pages_print.h"
#include "platform/stream.h"
#include "preview/export_dialog.h"
#include "preview/preview_control.h"
#include "preview/preview_form.h"
#include "preview/preview_status_panels.h"
#include "preview/preview_workspace.h"
#include "preview/search_dialog.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

std::string PagesXml(int count, const std::string& name = std::string()) {
  std::string pages;
  for (int i = 0; i < count; ++i) pages += "<page0/>";
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><report><TfrxReport ReportOptions.Name=\"" + name +
         "\"/></report><previewpages>" + pages +
         "</previewpages><sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" "
         "PaperHeight=\"297\"/></sourcepages></preparedreport>";
}

std::vector<QString> Names(std::initializer_list<const char*> names) {
  std::vector<QString> out;
  for (const char* n : names) out.push_back(QString::fromUtf8(n));
  return out;
}

class PreviewFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    ConfigureLauncherReport(report);
    TfrxResources::SetErrorBoxHandler([this](const std::string&, const std::string& message) { errors.push_back(message); });
  }
  void TearDown() override { TfrxResources::SetErrorBoxHandler(nullptr); }
  void Load(int count) {
    MemoryStream stream(PagesXml(count));
    report.PreviewPages().LoadFromStream(stream);
    form.Setup();
  }
  // Types into the zoom combo and presses Enter, then lets the posted update run.
  void TypeZoom(const QString& text) {
    form.ZoomCB().setFocus();
    form.ZoomCB().lineEdit()->clear();
    QTest::keyClicks(form.ZoomCB().lineEdit(), text);
    QTest::keyClick(form.ZoomCB().lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  QString Panel(int i) { return form.Panels().Text(i); }

  TfrxReport report{nullptr};
  TfrxPreviewForm form{&report};
  std::vector<std::string> errors;
};

TEST_F(PreviewFormTest, ToolbarShowsExactlyTheButtonsTheSetSelects) {
  const int program = report.PreviewOptions().Buttons();
  struct Case {
    const char* name;
    int buttons;
    std::vector<QString> visible;
  } cases[] = {
      {"this program", program,
       Names({"PrintB", "OpenB", "SaveB", "ExportB", "FindB", "Sep1", "ZoomPlusB", "Sep3", "ZoomMinusB", "FullScreenBtn",
              "Sep2", "PageSettingsB", "Sep5", "FirstB", "PriorB", "Sep4", "NextB", "LastB", "frTBPanel1", "CancelB"})},
      {"defaults", kDefaultPreviewButtons,
       Names({"PrintB", "OpenB", "SaveB", "ExportB", "PdfB", "FindB", "Sep1", "ZoomPlusB", "Sep3", "ZoomMinusB",
              "FullScreenBtn", "Sep2", "OutlineB", "ThumbB", "PageSettingsB", "DesignerB", "Sep5", "FirstB",
              "PriorB", "Sep4", "NextB", "LastB", "frTBPanel1", "CancelB"})},
      {"navigator only, no close", PreviewButtonBit(pbNavigator) | PreviewButtonBit(pbNoClose),
       Names({"Sep5", "FirstB", "PriorB", "Sep4", "NextB", "LastB", "frTBPanel1"})},
      {"zoom without full screen", PreviewButtonBit(pbZoom) | PreviewButtonBit(pbNoFullScreen),
       Names({"Sep1", "ZoomPlusB", "Sep3", "ZoomMinusB", "frTBPanel1", "CancelB"})},
      {"edit keeps the second separator", PreviewButtonBit(pbEdit),
       Names({"Sep2", "DesignerB", "frTBPanel1", "CancelB"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    report.PreviewOptions().SetButtons(c.buttons);
    Load(2);
    EXPECT_EQ(form.VisibleToolItems(), c.visible);
  }
}

TEST_F(PreviewFormTest, RightMenuIsBuiltFromTheToolbar) {
  Load(2);
  form.Setup();  // a second Setup builds the menu afresh
  std::vector<QString> items;
  for (QAction* a : form.RightMenu().actions()) {
    if (a->isVisible()) items.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
  }
  EXPECT_EQ(items, Names({"打印", "打开", "保存", "导出", "寻找", "-", "放大", "缩小", "全屏"}));
  // The export item drops down the PDF export, as the toolbar button does.
  for (QAction* a : form.RightMenu().actions()) {
    if (a->text() != QStringLiteral("导出")) continue;
    ASSERT_TRUE(a->menu());
    ASSERT_EQ(a->menu()->actions().size(), 1);
    EXPECT_EQ(a->menu()->actions()[0]->text(), QStringLiteral("导出PDF格式..."));
  }
  // An item runs its button's handler.
  for (QAction* a : form.RightMenu().actions()) {
    if (a->text() == QStringLiteral("放大")) a->trigger();
  }
  EXPECT_DOUBLE_EQ(form.Preview().Zoom(), 1.25);
}

TEST_F(PreviewFormTest, ExportMenuWritesThePagesIntoTheChosenPdf) {
  Load(3);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string target = (dir.path() + "/export.pdf").toStdString();
  int asked = 0;
  form.Preview().ExportPagesDialog = [](ExportDialog& dialog) { return dialog.Accepted; };
  form.Preview().ExportFileDialog = [&] {
    ++asked;
    return asked == 1 ? std::string() : target;  // first cancelled, then a file
  };
  const auto* item = form.Item(QStringLiteral("ExportB"));
  ASSERT_TRUE(item && item->action->menu());
  QAction* pdf = item->action->menu()->actions().value(0);
  ASSERT_TRUE(pdf);
  pdf->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(target)));
  pdf->trigger();
  QFile file(QString::fromStdString(target));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(form.isEnabled());
}

TEST_F(PreviewFormTest, EmptyStoreDisablesTheFileButtonsAndTheirMenuItems) {
  for (int pages : {0, 1}) {
    SCOPED_TRACE(pages);
    Load(pages);
    for (const char* name : {"PrintB", "OpenB", "SaveB", "PageSettingsB"}) {
      const auto* item = form.Item(QString::fromLatin1(name));
      ASSERT_TRUE(item);
      EXPECT_EQ(item->action->isEnabled(), pages > 0) << name;
      if (item->menuItem) {
        EXPECT_EQ(item->menuItem->isEnabled(), pages > 0) << name;
      }
    }
    EXPECT_TRUE(form.Item(QStringLiteral("NextB"))->action->isEnabled());
  }
}

TEST_F(PreviewFormTest, ZoomComboReadsPerCents) {
  Load(1);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  struct Case {
    QString typed;
    double zoom;  // expected zoom afterwards
    QString shown;
    bool error;
  } cases[] = {
      {QStringLiteral("150"), 1.5, QStringLiteral("150%"), false},
      {QStringLiteral("150 %"), 1.5, QStringLiteral("150%"), false},
      {QStringLiteral("33.3"), 0.333, QStringLiteral("33%"), false},
      {QStringLiteral("10"), 0.25, QStringLiteral("25%"), false},
      {QStringLiteral("62,5%"), 0.625, QStringLiteral("62%"), false},  // 62.5 rounds to even
      {QStringLiteral(" 2 0 0 "), 2.0, QStringLiteral("200%"), false},
      {QStringLiteral("%"), 2.0, QStringLiteral("200%"), false},  // nothing to read: zoom stays
      {QStringLiteral("abc"), 2.0, QStringLiteral("abc"), true},
      {QStringLiteral("50%%"), 2.0, QStringLiteral("50%%"), true},
      {QStringLiteral("inf"), 2.0, QStringLiteral("inf"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    errors.clear();
    TypeZoom(c.typed);
    EXPECT_NEAR(form.Preview().Zoom(), c.zoom, 1e-9);
    EXPECT_EQ(form.ZoomCB().currentText(), c.shown);
    EXPECT_EQ(errors.size(), c.error ? 1u : 0u);
    EXPECT_EQ(form.Preview().ZoomMode(), zmDefault);
  }
  // List items: per cents, then the page-width and whole-page modes.
  form.ZoomCBClick(4);
  EXPECT_DOUBLE_EQ(form.Preview().Zoom(), 1.5);
  form.ZoomCBClick(6);
  EXPECT_EQ(form.Preview().ZoomMode(), zmPageWidth);
  form.ZoomCBClick(7);
  EXPECT_EQ(form.Preview().ZoomMode(), zmWholePage);
}

TEST_F(PreviewFormTest, ZoomButtonsStepAndKeepTheFloor) {
  Load(1);
  form.ZoomPlusBClick();
  EXPECT_DOUBLE_EQ(form.Preview().Zoom(), 1.25);
  QCoreApplication::processEvents();
  EXPECT_EQ(form.ZoomCB().currentText(), QStringLiteral("125%"));
  for (int i = 0; i < 40; ++i) form.ZoomMinusBClick();
  EXPECT_DOUBLE_EQ(form.Preview().Zoom(), 0.25);
  for (int i = 0; i < 40; ++i) form.ZoomPlusBClick();
  EXPECT_LE(form.Preview().Zoom(), TfrxPreview::kMaxZoom);
}

TEST_F(PreviewFormTest, NavigationAndPageFieldMoveThePageAndTheStatus) {
  Load(3);
  form.resize(600, 400);
  form.show();
  EXPECT_EQ(Panel(0), QStringLiteral("页 1 / 3"));
  struct Step {
    void (TfrxPreviewForm::*action)();
    const char* typed;  // into the page field first, when set
    int page;
  } steps[] = {{&TfrxPreviewForm::NextBClick, nullptr, 2}, {&TfrxPreviewForm::LastBClick, nullptr, 3},
               {&TfrxPreviewForm::NextBClick, nullptr, 3}, {&TfrxPreviewForm::PriorBClick, nullptr, 2},
               {&TfrxPreviewForm::FirstBClick, nullptr, 1}, {&TfrxPreviewForm::PriorBClick, nullptr, 1},
               {nullptr, "2", 2},   {nullptr, "99", 3},
               {nullptr, "0", 1},   {nullptr, "x3", 3}};  // letters are refused by the field
  for (const Step& s : steps) {
    if (s.action) {
      (form.*s.action)();
    } else {
      form.PageE().clear();
      QTest::keyClicks(&form.PageE(), QString::fromLatin1(s.typed));
      QTest::keyClick(&form.PageE(), Qt::Key_Return);
    }
    EXPECT_EQ(form.Preview().CurrentPage(), s.page);
    EXPECT_EQ(Panel(0), QStringLiteral("页 %1 / 3").arg(s.page));
    EXPECT_EQ(form.PageE().text(), QString::number(s.page));
  }
}

TEST_F(PreviewFormTest, StatusPanelsTextsAndWidths) {
  Load(1);
  struct Step {
    std::string text;
    bool hint;
    QString panel2, panel3;
  } steps[] = {
      {"", true, QString(), QString()},
      {"long hint", true, QString(), QStringLiteral("long hint")},
      {"http://x", false, QStringLiteral("http://x"), QStringLiteral("long hint")},
      {"", true, QStringLiteral("http://x"), QString()},
      {"", false, QString(), QString()},
  };
  for (const Step& s : steps) {
    form.ShowStatusText(s.text, s.hint);
    EXPECT_EQ(Panel(1), s.panel2) << s.text;
    EXPECT_EQ(Panel(2), s.panel3) << s.text;
  }
  for (int width : {803, 900, 300}) {
    form.resize(width, 500);
    form.show();
    QCoreApplication::processEvents();
    const int rest = form.width() - 200;
    EXPECT_EQ(form.Panels().PanelWidth(0), 200);
    EXPECT_EQ(form.Panels().PanelWidth(1), form.Panels().PanelWidth(2));
    EXPECT_LE(std::abs(form.Panels().PanelWidth(1) * 2 - rest), 1) << width;
  }
  EXPECT_LE(form.statusBar()->height(), 24);
}

TEST_F(PreviewFormTest, FullScreenByKeyButtonAndDoubleClick) {
  Load(1);
  form.show();
  const auto check = [&](bool full) {
    EXPECT_EQ(form.FullScreen(), full);
    EXPECT_EQ(form.ToolBar().isVisible(), !full);
    EXPECT_EQ(form.statusBar()->isVisible(), !full);
    EXPECT_EQ(bool(form.windowFlags() & Qt::FramelessWindowHint), full);
    EXPECT_TRUE(form.isVisible());
  };
  QTest::keyClick(&form.Preview(), Qt::Key_F11);
  check(true);
  form.Preview().OnDblClick();
  check(false);
  form.Preview().OnDblClick();  // a double click only leaves full screen
  check(false);
  form.Item(QStringLiteral("FullScreenBtn"))->action->trigger();
  check(true);
  QTest::keyClick(&form.Preview(), Qt::Key_F11);
  check(false);
}

TEST_F(PreviewFormTest, EscClosesButNotWhilePagesAreBuilt) {
  Load(2);
  form.show();
  form.Preview().BuildStarted();
  ASSERT_TRUE(form.Preview().Running());
  EXPECT_EQ(form.CancelB().text(), QString::fromStdString(frxResources().Get("clCancel")));
  EXPECT_FALSE(form.Item(QStringLiteral("PrintB"))->action->isEnabled());
  // While a first pass runs the page panel counts the pages made so far.
  report.SetFinalPass(false);
  form.ShowPageNumber(1);
  EXPECT_TRUE(Panel(0).startsWith(QStringLiteral("第一次处理过程: 页 "))) << Panel(0).toStdString();
  report.SetFinalPass(true);
  form.ShowPageNumber(1);
  EXPECT_TRUE(Panel(0).startsWith(QStringLiteral("页 1 / "))) << Panel(0).toStdString();
  QTest::keyClick(&form.Preview(), Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible()) << "Esc cancels the build instead";
  EXPECT_TRUE(report.Terminated());
  EXPECT_FALSE(form.close());
  form.Preview().BuildFinished();
  EXPECT_EQ(form.CancelB().text(), QString::fromStdString(frxResources().Get("clClose")));
  QTest::keyClick(&form.Preview(), Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(PreviewFormTest, OptionsShapeTheWindow) {
  struct Case {
    bool maximized, showCaptions;
    double zoom;
    const char* shownZoom;
  } cases[] = {{true, false, 1.0, "100%"}, {false, true, 0.1, "25%"}, {false, false, 1.5, "150%"}};
  for (const Case& c : cases) {
    TfrxPreviewForm window(&report);
    report.PreviewOptions().SetMaximized(c.maximized);
    report.PreviewOptions().SetShowCaptions(c.showCaptions);
    report.PreviewOptions().SetZoom(c.zoom);
    window.Setup();
    EXPECT_EQ(bool(window.windowState() & Qt::WindowMaximized), c.maximized);
    EXPECT_EQ(window.ToolBar().toolButtonStyle() != Qt::ToolButtonIconOnly, c.showCaptions);
    EXPECT_EQ(window.ZoomCB().currentText(), QString::fromLatin1(c.shownZoom));
  }
}

TEST_F(PreviewFormTest, KeysOfThisProgramsButtons) {
  Load(2);
  form.show();
  int printed = 0;
  SetPrintPagesHandler([&](TfrxPreviewPages&) {
    ++printed;
    return true;
  });
  int notFound = 0;
  SetTextNotFoundHandler([&] { ++notFound; });
  std::vector<std::string> help;
  TfrxResources::SetHelpHandler([&](const std::string& location) { help.push_back(location); });
  TfrxPreviewWorkspace& pages = form.Preview().Workspace();
  // The find button is in the set: Ctrl+F asks for the text, F3 searches again.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TfrxSearchDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->TextE().setText(QStringLiteral("nowhere"));
    dialog->accept();
  });
  QTest::keyClick(&pages, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(notFound, 1);
  QTest::keyClick(&pages, Qt::Key_F3);
  EXPECT_EQ(notFound, 2);
  QTest::keyClick(&pages, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(printed, 1);
  form.PrintBClick();
  EXPECT_EQ(printed, 2);
  EXPECT_TRUE(form.isEnabled());
  QTest::keyClick(&form.ZoomCB(), Qt::Key_F1);
  EXPECT_EQ(help.size(), 1u);
  EXPECT_TRUE(form.isVisible());
  SetPrintPagesHandler(nullptr);
  SetTextNotFoundHandler(nullptr);
  TfrxResources::SetHelpHandler(nullptr);
}

TEST_F(PreviewFormTest, VisiblePageIsWhitePaperOnGrey) {
  Load(2);
  form.resize(900, 700);
  form.show();
  QCoreApplication::processEvents();
  TfrxPreviewWorkspace& workspace = form.Preview().Workspace();
  const QImage shot = workspace.viewport()->grab().toImage();
  const QRect page = workspace.PageRect(0);
  ASSERT_TRUE(page.isValid());
  EXPECT_EQ(QColor(shot.pixel(page.center())), QColor(Qt::white));
  EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(128, 128, 128));
}

TEST(PreviewFormFileTest, SecondFileReplacesThePagesAndTheCaption) {
  RegisterReportClasses();
  TfrxReport report(nullptr);
  ConfigureLauncherReport(report);
  const std::string first = ::testing::TempDir() + "preview_form_first.fp3";
  const std::string second = ::testing::TempDir() + "preview_form_second.fp3";
  std::ofstream(first, std::ios::binary) << PagesXml(3, "Quarterly");
  std::ofstream(second, std::ios::binary) << PagesXml(1, "");
  report.PreviewPages().LoadFromFile(first, true);
  TfrxPreviewForm form(&report);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("预览"));
  form.Setup();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Quarterly"));
  EXPECT_EQ(form.Panels().Text(0), QStringLiteral("页 1 / 3"));
  form.Preview().LastPage();
  form.Preview().OpenReport(second);
  EXPECT_EQ(form.Preview().PageCount(), 1);
  EXPECT_EQ(form.Panels().Text(0), QStringLiteral("页 1 / 1"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("预览"));
  form.Preview().OpenReport(first);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Quarterly"));
  EXPECT_EQ(form.Preview().PageCount(), 3);
}

TEST(PreviewFormShowTest, NonModalWindowRaisesItsEventsAndFreesItself) {
  RegisterReportClasses();
  PreviewFormHost host;
  SetPreviewHost(&host);
  TfrxReport report(nullptr);
  ConfigureLauncherReport(report);
  MemoryStream stream(PagesXml(2));
  report.PreviewPages().LoadFromStream(stream);
  int previews = 0, closes = 0;
  report.Events().OnPreview = [&](TfrxReport&) { ++previews; };
  report.Events().OnClosePreview = [&](TfrxReport&) { ++closes; };
  report.ShowPreparedReport();
  auto* form = dynamic_cast<TfrxPreviewForm*>(report.PreviewForm());
  ASSERT_TRUE(form);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(form->windowType(), Qt::Window) << "its own task bar entry";
  report.ShowPreparedReport();  // the open window is reused
  EXPECT_EQ(report.PreviewForm(), form);
  EXPECT_EQ(previews, 1);
  form->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(report.Preview(), nullptr);
  EXPECT_EQ(report.PreviewForm(), nullptr);
  SetPreviewHost(nullptr);
}

TEST(FormatPageOfTest, FillsOnlyTwoPlaceholders) {
  EXPECT_EQ(FormatPageOf(QStringLiteral("页 %d / %d"), 2, 9), QStringLiteral("页 2 / 9"));
  EXPECT_EQ(FormatPageOf(QStringLiteral("%d %d %d %s"), 1, 2), QStringLiteral("1 2 %d %s"));
}

}  // namespace
}  // namespace quarlo
