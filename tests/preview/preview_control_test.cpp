// The preview control on small hand-made reports: page and zoom rules, keys, the left
// panel, the outline, links and hints under the mouse, painting each page once, page
// errors shown once, files, page setup and the busy message.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "document/preview_pages_print.h"
#include "platform/recording_canvas.h"
#include "platform/stream.h"
#include "objects/report_page.h"
#include "objects/view.h"
#include "preview/preview_control.h"
#include "preview/preview_workspace.h"
#include "preview/search_dialog.h"
#include "preview/text_search.h"
#include "preview/text_selection.h"
#include "resources/resources.h"
#include "support/file_encodings.h"
#include "support/link_report.h"
#include "support/search_report.h"

namespace quarlo {
namespace {

using namespace quarlo::testing;

// count pages of A4 built from one source page; "<pageN/>" with N beyond the source
// pages is a page that cannot be built.
std::string PagesXml(int count, const std::string& extra = "") {
  std::string pages;
  for (int i = 0; i < count; ++i) pages += "<page0/>";
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + pages + extra +
         "</previewpages><sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" "
         "PaperHeight=\"297\"/></sourcepages></preparedreport>";
}

// A store that counts how often each page is built for drawing.
class CountingPages final : public TfrxPreviewPages {
 public:
  CountingPages() : TfrxPreviewPages(nullptr) {}
  TfrxReportPage* PageObject(int index) override {
    ++built[index];
    return TfrxPreviewPages::PageObject(index);
  }
  std::map<int, int> built;
};

class PreviewControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    TfrxResources::SetErrorBoxHandler([this](const std::string&, const std::string& m) { errors.push_back(m); });
    preview.resize(900, 700);
    preview.show();
    QApplication::processEvents();
  }
  void TearDown() override {
    TfrxResources::SetErrorBoxHandler(nullptr);
    SetPrintPagesHandler(nullptr);
  }
  void Load(const std::string& xml) {
    MemoryStream stream(xml);
    report.PreviewPages().LoadFromStream(stream);
    report.SetPreview(&preview);
    QApplication::processEvents();
  }
  QWidget* View() { return preview.Workspace().viewport(); }
  // A point of page 1 in viewport coordinates, from report pixels on the paper.
  QPoint OnFirstPage(const LinkViewPlace& at) {
    const QRect page = preview.Workspace().PageRect(0);
    const double z = preview.Zoom();
    return page.topLeft() + QPoint(int((at.left + at.width / 2) * z), int((at.top + at.height / 2) * z));
  }
  void Send(QEvent::Type type, const QPoint& p, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton
                                                                                                  : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(p), View()->mapToGlobal(QPointF(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QApplication::sendEvent(View(), &event);
  }
  void Click(const QPoint& p, Qt::MouseButton button = Qt::LeftButton) {
    Send(QEvent::MouseButtonPress, p, button);
    Send(QEvent::MouseButtonRelease, p, button);
  }

  std::vector<std::string> errors;
  TfrxReport report{nullptr};
  TfrxPreview preview;
};

TEST_F(PreviewControlTest, CurrentPageIsClampedAndAlwaysAnnounced) {
  Load(PagesXml(5));
  std::vector<int> announced;
  QObject::connect(&preview, &TfrxPreview::PageChanged, [&](int page) { announced.push_back(page); });
  struct Case {
    int set, expect;
  } cases[] = {{99, 5}, {0, 1}, {-3, 1}, {3, 3}, {5, 5}};
  for (const Case& c : cases) {
    preview.SetCurrentPage(c.set);
    EXPECT_EQ(preview.CurrentPage(), c.expect) << c.set;
    EXPECT_EQ(announced.back(), c.expect);
  }
  announced.clear();
  preview.NextPage();  // on the last page: stays, announced again
  preview.PriorPage();
  preview.FirstPage();
  preview.PriorPage();
  preview.LastPage();
  EXPECT_EQ(announced, (std::vector<int>{5, 4, 1, 1, 5}));
  EXPECT_EQ(report.PreviewPages().CurrentPreviewPage, 5);

  report.PreviewPages().Clear();
  preview.SetCurrentPage(3);
  EXPECT_EQ(preview.CurrentPage(), 0);
}

TEST_F(PreviewControlTest, NavigationScrollsThePageToTheTop) {
  Load(PagesXml(5));
  preview.SetCurrentPage(3);
  EXPECT_EQ(preview.Workspace().OffsetY(), preview.Workspace().DocumentPageRect(2).top() - 10);
  EXPECT_EQ(preview.Workspace().PageRect(2).top(), 10);
}

TEST_F(PreviewControlTest, ZoomSetterFloorAndMode) {
  Load(PagesXml(2));
  struct Case {
    double set, expect;
  } cases[] = {{0.1, 0.25}, {0.25, 0.25}, {-4, 0.25}, {1.5, 1.5}, {3, 3}};
  for (const Case& c : cases) {
    preview.SetZoomMode(zmPageWidth);
    preview.SetZoom(c.set);
    EXPECT_DOUBLE_EQ(preview.Zoom(), c.expect) << c.set;
    EXPECT_EQ(preview.ZoomMode(), zmDefault);
    EXPECT_DOUBLE_EQ(preview.Workspace().Zoom(), c.expect);
  }
}

TEST_F(PreviewControlTest, WheelZoomsInTenthsWithItsOwnFloor) {
  Load(PagesXml(2));
  struct Case {
    double from;
    int delta;
    double expect;
  } cases[] = {{0.35, -120, 0.3}, {0.3, -120, 0.3}, {1.0, 120, 1.1}, {1.0, -1, 0.9}, {1.0, 0, 1.0}};
  for (const Case& c : cases) {
    preview.SetZoom(c.from);
    preview.WheelScroll(c.delta, false, true);
    EXPECT_NEAR(preview.Zoom(), c.expect, 1e-9) << c.from << " " << c.delta;
  }
  preview.SetZoomMode(zmPageWidth);
  const double fitted = preview.Zoom();
  preview.WheelScroll(120, false, true);
  EXPECT_EQ(preview.ZoomMode(), zmDefault);
  EXPECT_NEAR(preview.Zoom(), fitted + 0.1, 1e-9);
}

TEST_F(PreviewControlTest, WheelWithoutCtrlScrollsTwentyPixels) {
  Load(PagesXml(3));
  preview.Workspace().SetScrollPosition(Qt::Vertical, 500);
  preview.WheelScroll(120, false, false);
  EXPECT_EQ(preview.Workspace().OffsetY(), 480);
  QWheelEvent down(QPointF(50, 50), View()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(View(), &down);
  EXPECT_EQ(preview.Workspace().OffsetY(), 500);
}

TEST_F(PreviewControlTest, WholePageInAWideWindowIsLimitedByTheHeight) {
  Load(PagesXml(2));
  preview.resize(1600, 600);
  QApplication::processEvents();
  preview.SetZoomMode(zmWholePage);
  EXPECT_DOUBLE_EQ(preview.Zoom(), (preview.Workspace().height() - 26) / 1123.0);
  preview.SetZoomMode(zmPageWidth);
  const int scrollBar = preview.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  EXPECT_DOUBLE_EQ(preview.Zoom(), (preview.Workspace().width() - scrollBar - 26) / 794.0);
}

TEST_F(PreviewControlTest, KeysScrollAndPage) {
  Load(PagesXml(5));
  preview.SetZoom(2);  // wider than the window, so it scrolls both ways
  struct Case {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    int dx, dy;
    int page;  // 0: unchanged
  } cases[] = {
      {"down", Qt::Key_Down, Qt::NoModifier, 0, 8, 0},
      {"up", Qt::Key_Up, Qt::NoModifier, 0, -8, 0},
      {"right", Qt::Key_Right, Qt::NoModifier, 8, 0, 0},
      {"left", Qt::Key_Left, Qt::NoModifier, -8, 0, 0},
      {"page down", Qt::Key_PageDown, Qt::NoModifier, 0, 300, 0},
      {"page up", Qt::Key_PageUp, Qt::NoModifier, 0, -300, 0},
      {"ctrl page down", Qt::Key_PageDown, Qt::ControlModifier, 0, 0, 3},
      {"ctrl page up", Qt::Key_PageUp, Qt::ControlModifier, 0, 0, 1},
      {"end", Qt::Key_End, Qt::NoModifier, 0, 0, 5},
      {"home", Qt::Key_Home, Qt::NoModifier, 0, 0, 1},
      {"a letter", Qt::Key_A, Qt::NoModifier, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    preview.SetCurrentPage(2);
    preview.Workspace().SetScrollPosition(Qt::Horizontal, 100);
    preview.Workspace().SetScrollPosition(Qt::Vertical, preview.Workspace().OffsetY() + 400);
    const int x = preview.Workspace().OffsetX(), y = preview.Workspace().OffsetY();
    const int page = preview.CurrentPage();
    QTest::keyClick(&preview.Workspace(), static_cast<Qt::Key>(c.key), c.mods);
    if (c.page == 0) {
      EXPECT_EQ(preview.Workspace().OffsetX(), x + c.dx);
      EXPECT_EQ(preview.Workspace().OffsetY(), y + c.dy);
    } else {
      EXPECT_EQ(preview.CurrentPage(), c.page);
    }
    if (c.dy == 0 && c.page == 0) {
      EXPECT_EQ(preview.CurrentPage(), page);
    }
  }
}

TEST_F(PreviewControlTest, CommandKeysFollowTheButtons) {
  Load(PagesXml(2));
  int printed = 0;
  int dialogs = 0;
  SetPrintPagesHandler([&](TfrxPreviewPages&) { return ++printed, true; });
  preview.ChooseFile = [&](bool, const QString&) { return ++dialogs, QString(); };
  struct Case {
    int buttons;
    int key;
    int printed, dialogs;
    bool handled;
  } cases[] = {
      {PreviewButtonBit(pbPrint), Qt::Key_P, 1, 0, true},
      {PreviewButtonBit(pbLoad), Qt::Key_P, 0, 0, false},
      {PreviewButtonBit(pbLoad), Qt::Key_O, 0, 1, true},
      {PreviewButtonBit(pbSave), Qt::Key_S, 0, 1, true},
      {PreviewButtonBit(pbPrint), Qt::Key_S, 0, 0, false},
      // A set without search: Ctrl+F and F3 are not taken.
      {PreviewButtonBit(pbPrint) | PreviewButtonBit(pbLoad) | PreviewButtonBit(pbSave), Qt::Key_F, 0, 0, false},
  };
  for (const Case& c : cases) {
    printed = dialogs = 0;
    report.PreviewOptions().SetButtons(c.buttons);
    EXPECT_EQ(preview.HandleKey(c.key, Qt::ControlModifier), c.handled) << c.key;
    EXPECT_EQ(printed, c.printed) << c.key;
    EXPECT_EQ(dialogs, c.dialogs) << c.key;
  }
  EXPECT_FALSE(preview.HandleKey(Qt::Key_F3, Qt::NoModifier));
  EXPECT_FALSE(preview.HandleKey(Qt::Key_P, Qt::NoModifier));
}

TEST_F(PreviewControlTest, OutlineAndThumbnailsNeverShowTogether) {
  Load(PagesXml(3));
  struct Step {
    bool outline;  // which setter
    bool value;
    bool outlineShown, thumbnailsShown;
  } steps[] = {
      {true, true, true, false}, {false, true, false, true}, {true, true, true, false},
      {true, false, false, false}, {false, true, false, true}, {false, false, false, false},
  };
  for (const Step& s : steps) {
    if (s.outline)
      preview.SetOutlineVisible(s.value);
    else
      preview.SetThumbnailVisible(s.value);
    QApplication::processEvents();
    EXPECT_EQ(preview.OutlineVisible(), s.outlineShown);
    EXPECT_EQ(preview.ThumbnailVisible(), s.thumbnailsShown);
    EXPECT_EQ(preview.OutlineTree().isVisible(), s.outlineShown);
    EXPECT_EQ(preview.ThumbnailWorkspace().isVisible(), s.thumbnailsShown);
    if (s.outlineShown || s.thumbnailsShown) {
      EXPECT_EQ((s.outlineShown ? static_cast<QWidget&>(preview.OutlineTree())
                                : static_cast<QWidget&>(preview.ThumbnailWorkspace()))
                    .width(),
                preview.OutlineWidth());
    }
  }
}

TEST_F(PreviewControlTest, AttachTakesThePanelsAndZoomFromTheOptions) {
  report.PreviewOptions().SetThumbnailVisible(true);
  report.PreviewOptions().SetOutlineWidth(150);
  report.PreviewOptions().SetZoom(0.1);  // taken without the setter's floor
  Load(PagesXml(2));
  EXPECT_TRUE(preview.ThumbnailVisible());
  EXPECT_EQ(preview.OutlineWidth(), 150);
  EXPECT_DOUBLE_EQ(preview.Zoom(), 0.1);
  EXPECT_DOUBLE_EQ(preview.ThumbnailWorkspace().Zoom(), 0.1);
}

TEST_F(PreviewControlTest, OutlineTreeJumpsAndItsMenuFoldsIt) {
  report.PreviewOptions().SetOutlineVisible(true);
  report.PreviewOptions().SetOutlineExpand(false);
  Load(LinkReportXml());
  QTreeWidget& tree = preview.OutlineTree();
  ASSERT_EQ(tree.topLevelItemCount(), 2);
  QTreeWidgetItem* chapter = tree.topLevelItem(0);
  EXPECT_EQ(chapter->text(0), QStringLiteral("Chapter"));
  ASSERT_EQ(chapter->childCount(), 1);
  EXPECT_EQ(tree.topLevelItem(1)->text(0), QStringLiteral("Tail"));
  EXPECT_FALSE(chapter->isExpanded());

  // The menu: collapse first, then expand, with their resource texts.
  const QList<QAction*> items = preview.OutlineMenu().actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), QStringLiteral("全部闭合"));
  EXPECT_EQ(items[1]->text(), QStringLiteral("全部展开"));
  items[1]->trigger();
  EXPECT_TRUE(chapter->isExpanded());
  items[0]->trigger();
  EXPECT_FALSE(chapter->isExpanded());
  items[1]->trigger();
  QApplication::processEvents();

  // "Section": page 4 at 50 report pixels into its printable area (no margins here).
  QTreeWidgetItem* section = chapter->child(0);
  const QRect r = tree.visualItemRect(section);
  ASSERT_TRUE(r.isValid());
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  EXPECT_EQ(preview.CurrentPage(), 4);
  EXPECT_EQ(preview.Workspace().OffsetY(), preview.Workspace().DocumentPageRect(3).top() + 50 - 10);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, tree.visualItemRect(chapter).center());
  EXPECT_EQ(preview.CurrentPage(), 2);
}

TEST_F(PreviewControlTest, LinksJumpToPagesAndAnchors) {
  Load(LinkReportXml());
  Click(OnFirstPage(kPageLink));
  EXPECT_EQ(preview.CurrentPage(), 3);
  EXPECT_EQ(preview.Workspace().OffsetY(), preview.Workspace().DocumentPageRect(2).top() - 10);

  preview.FirstPage();
  Click(OnFirstPage(kAnchorLink));
  EXPECT_EQ(preview.CurrentPage(), 4);
  EXPECT_EQ(preview.Workspace().OffsetY(), preview.Workspace().DocumentPageRect(3).top() + 100 - 10);

  preview.FirstPage();
  Click(OnFirstPage(kMissingAnchor));
  EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(PreviewControlTest, APageSaysOnceInTheStatusBarWhichClassesItLeftOut) {
  QStringList hints;
  QObject::connect(&preview, &TfrxPreview::StatusTextShown, [&](const QString& t, bool hint) {
    if (hint && !t.isEmpty()) hints << t;
  });
  const std::string page = "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\"><TfrxMemoView Name=\"M\" "
                           "Width=\"90\" Height=\"20\" Text=\"x\"/>";
  Load("<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + page +
       "</TfrxReportPage>" + page + "<TfrxRichView Name=\"R\"/><TfrxGaugeView Name=\"G\"/></TfrxReportPage>" +
       "</previewpages></preparedreport>");
  for (int i = 0; i < 3; ++i) {
    preview.NextPage();
    preview.FirstPage();
  }
  EXPECT_EQ(hints, QStringList{QStringLiteral("第 2 页未显示不支持的对象：TfrxGaugeView, TfrxRichView")});
}

// After a print job, one status line names the printed pages that left objects out;
// a page only looked at is not named.
TEST_F(PreviewControlTest, PrintingSaysWhichPrintedPagesLeftClassesOut) {
  QStringList hints;
  const std::string page = "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\"><TfrxMemoView Name=\"M\" "
                           "Width=\"90\" Height=\"20\" Text=\"x\"/>";
  Load("<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + page +
       "</TfrxReportPage>" + page + "<TfrxRichView Name=\"R\"/></TfrxReportPage>" + page +
       "<TfrxGaugeView Name=\"G\"/></TfrxReportPage></previewpages></preparedreport>");
  preview.LastPage();
  QObject::connect(&preview, &TfrxPreview::StatusTextShown, [&](const QString& t, bool hint) {
    if (hint && !t.isEmpty()) hints << t;
  });
  SetPrintPagesHandler([](TfrxPreviewPages& pages) {
    RecordingCanvas canvas;
    for (int index : {0, 1}) pages.PaintPage(index, canvas, 1, 1, 0, 0);
    return true;
  });
  preview.PrintReport();
  EXPECT_EQ(hints, QStringList{QStringLiteral("打印的页面未输出不支持的对象：第 2 页 TfrxRichView")});

  hints.clear();
  SetPrintPagesHandler([](TfrxPreviewPages&) { return false; });  // cancelled in the dialog
  preview.PrintReport();
  EXPECT_TRUE(hints.isEmpty());
}

TEST_F(PreviewControlTest, HoverShowsLinkHintAndCursor) {
  Load(LinkReportXml());
  std::vector<std::pair<QString, bool>> texts;
  QObject::connect(&preview, &TfrxPreview::StatusTextShown,
                   [&](const QString& t, bool hint) { texts.emplace_back(t, hint); });
  Send(QEvent::MouseMove, OnFirstPage(kPageLink));
  EXPECT_EQ(View()->cursor().shape(), Qt::PointingHandCursor);
  ASSERT_FALSE(texts.empty());
  // Only the final text of each area reaches the window.
  EXPECT_EQ(texts, (std::vector<std::pair<QString, bool>>{{QStringLiteral("@3"), false}, {QString(), true}}));

  texts.clear();
  Send(QEvent::MouseMove, OnFirstPage(kHintView));
  EXPECT_EQ(preview.TooltipText(), QStringLiteral("short"));
  EXPECT_EQ(View()->toolTip(), QStringLiteral("short"));
  EXPECT_EQ(texts, (std::vector<std::pair<QString, bool>>{{QString(), false}, {QStringLiteral("long"), true}}));

  Send(QEvent::MouseMove, OnFirstPage(kPageLink));
  EXPECT_EQ(preview.TooltipText(), QString());
  preview.SetUseReportHints(false);
  Send(QEvent::MouseMove, OnFirstPage(kHintView));
  EXPECT_EQ(preview.TooltipText(), QString());
}

// Strings of a file other than texts reach the screen decoded, whether the file holds
// them as code page bytes or, as its header says, in UTF-8: the outline, a hint's
// tooltip and status text, and the full target of a link the user is asked about.
TEST_F(PreviewControlTest, StringsOfTheFileReachTheScreenDecoded) {
  report.PreviewOptions().SetOutlineVisible(true);
  for (const FileEncoding& c : kFileEncodings) {
    SCOPED_TRACE(c.label);
    auto memo = [](const LinkViewPlace& at, const std::string& more) {
      return "<TfrxMemoView Name=\"M" + std::to_string(at.top) + "\" Left=\"" + std::to_string(at.left) +
             "\" Top=\"" + std::to_string(at.top) + "\" Width=\"" + std::to_string(at.width) + "\" Height=\"" +
             std::to_string(at.height) + "\" Text=\"x\" " + more + "/>";
    };
    Load(std::string(c.header) +
         "<preparedreport><previewpages><TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" LeftMargin=\"0\" "
         "TopMargin=\"0\" RightMargin=\"0\" BottomMargin=\"0\">" +
         memo(kHintView, "Hint=\"" + c.Encode("短提示|长提示") + "\" ShowHint=\"True\"") +
         memo(kPageLink, "URL=\"" + c.Encode("/tmp/报表 一.xls") + "\"") +
         "</TfrxReportPage></previewpages><outline><item text=\"" + c.Encode("第一章") +
         "\" page=\"0\" top=\"0\"/></outline></preparedreport>");

    ASSERT_EQ(preview.OutlineTree().topLevelItemCount(), 1);
    EXPECT_EQ(preview.OutlineTree().topLevelItem(0)->text(0), QStringLiteral("第一章"));

    QStringList hints;
    auto connection = QObject::connect(&preview, &TfrxPreview::StatusTextShown, [&](const QString& t, bool hint) {
      if (hint && !t.isEmpty()) hints << t;
    });
    Send(QEvent::MouseMove, OnFirstPage(kHintView));
    EXPECT_EQ(preview.TooltipText(), QStringLiteral("短提示"));
    EXPECT_EQ(hints, QStringList{QStringLiteral("长提示")});
    QObject::disconnect(connection);

    // The question names the whole target; answered No, nothing opens.
    QString asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        asked = box->text();
        box->done(QMessageBox::No);
      }
    });
    answer.start(20);
    Click(OnFirstPage(kPageLink));
    answer.stop();
    EXPECT_TRUE(asked.contains(QStringLiteral("/tmp/报表 一.xls"))) << asked.toStdString();
  }
}

TEST_F(PreviewControlTest, QuickSecondClickIsADoubleClickAndAThirdIsSingleAgain) {
  Load(LinkReportXml());
  std::vector<char> events;
  report.Events().OnClickObject = [&](TfrxView*, TMouseButton, TShiftState, bool&) { events.push_back('c'); };
  report.Events().OnDblClickObject = [&](TfrxView*, TMouseButton, TShiftState, bool&) { events.push_back('d'); };
  const QPoint p = OnFirstPage(kCursorView);
  for (int i = 0; i < 3; ++i) Click(p);
  EXPECT_EQ(events, (std::vector<char>{'c', 'd', 'c'}));
  // The right button changes the current page only.
  events.clear();
  Click(p, Qt::RightButton);
  EXPECT_TRUE(events.empty());
}

TEST_F(PreviewControlTest, ClickHandlerChangingTheViewStoresThePage) {
  Load(LinkReportXml());
  report.Events().OnClickObject = [&](TfrxView* view, TMouseButton, TShiftState, bool& modified) {
    view->SetURL("@2");
    modified = true;
  };
  Click(OnFirstPage(kCursorView));
  report.Events().OnClickObject = nullptr;
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  Click(OnFirstPage(kCursorView));
  EXPECT_EQ(preview.CurrentPage(), 2);
}

TEST_F(PreviewControlTest, DraggingScrollsThePages) {
  Load(PagesXml(3));
  preview.Workspace().SetScrollPosition(Qt::Vertical, 300);
  Send(QEvent::MouseButtonPress, QPoint(400, 300));
  QMouseEvent move(QEvent::MouseMove, QPointF(400, 250), View()->mapToGlobal(QPointF(400, 250)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View(), &move);
  EXPECT_EQ(preview.Workspace().OffsetY(), 350);
  Send(QEvent::MouseButtonRelease, QPoint(400, 250));
}

TEST_F(PreviewControlTest, ScrollingTracksTheCurrentPage) {
  Load(PagesXml(4));
  const QRect second = preview.Workspace().DocumentPageRect(1);
  // Reached once its top is within a fifth of its height below the window top.
  const int fifth = (second.height() + 2) / 5;
  preview.Workspace().SetScrollPosition(Qt::Vertical, second.top() - fifth - 1);
  EXPECT_EQ(preview.CurrentPage(), 1);
  preview.Workspace().SetScrollPosition(Qt::Vertical, second.top() - fifth + 1);
  EXPECT_EQ(preview.CurrentPage(), 2);
  // Tracking does not pull the view back to the page top.
  EXPECT_EQ(preview.Workspace().OffsetY(), second.top() - fifth + 1);
}

TEST_F(PreviewControlTest, EachVisiblePageIsPaintedOnce) {
  CountingPages pages;
  MemoryStream stream(PagesXml(60));
  pages.LoadFromStream(stream);
  preview.SetPreviewPages(&pages);
  preview.SetThumbnailVisible(true);
  preview.SetZoom(0.25);
  QApplication::processEvents();
  for (TfrxPreviewWorkspace* ws : {&preview.Workspace(), &preview.ThumbnailWorkspace()}) {
    SCOPED_TRACE(ws->objectName().toStdString());
    pages.built.clear();
    ws->viewport()->repaint();
    int visible = 0;
    for (int i = 0; i < 60; ++i) {
      const bool shown = ws->PageRect(i).intersects(ws->viewport()->rect());
      visible += shown;
      EXPECT_EQ(pages.built[i], shown ? 1 : 0) << i;
    }
    EXPECT_GT(visible, 3);
    EXPECT_LT(visible, 60);
  }
  // The paper is white and the space around it grey, nothing painted over twice.
  const QImage shot = preview.Workspace().viewport()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(preview.Workspace().PageRect(0).center())), QColor(Qt::white));
  EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(128, 128, 128));
}

TEST_F(PreviewControlTest, ThumbnailsOfALongReportBuildOnlyVisiblePages) {
  CountingPages pages;
  MemoryStream stream(PagesXml(2000));
  pages.LoadFromStream(stream);
  preview.SetPreviewPages(&pages);
  preview.SetThumbnailVisible(true);
  QApplication::processEvents();
  pages.built.clear();
  preview.ThumbnailWorkspace().SetScrollPosition(Qt::Vertical, 50000);
  preview.ThumbnailWorkspace().viewport()->repaint();
  int total = 0;
  for (const auto& [index, n] : pages.built) {
    EXPECT_TRUE(preview.ThumbnailWorkspace().PageRect(index).intersects(preview.ThumbnailWorkspace().viewport()->rect()))
        << index;
    total += n;
  }
  EXPECT_GT(total, 0);
  EXPECT_LE(total, 10);
}

TEST_F(PreviewControlTest, PageThatCannotBeBuiltIsReportedOnce) {
  // Page 2 names a source page that does not exist.
  Load(PagesXml(1, "<page7/><page0/>"));
  for (int i = 0; i < 3; ++i) {
    View()->repaint();
    preview.SetZoom(1 + i * 0.25);
    preview.ThumbnailWorkspace().viewport()->repaint();
    QApplication::processEvents();
  }
  QApplication::processEvents();
  EXPECT_EQ(errors.size(), 1u);
  // The others are still drawn and usable.
  preview.SetCurrentPage(3);
  EXPECT_EQ(preview.CurrentPage(), 3);
  EXPECT_FALSE(preview.Locked());
}

TEST_F(PreviewControlTest, FilesOpenReplaceAndFail) {
  QTemporaryDir dir;
  const QString good = dir.filePath(QStringLiteral("two.fp3"));
  const QString bad = dir.filePath(QStringLiteral("bad.fp3"));
  {
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(PagesXml(2)));
    QFile b(bad);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write(QByteArray::fromStdString(PagesXml(3)).left(200));
  }
  Load(PagesXml(5));
  preview.SetCurrentPage(4);
  QString chosen;
  QString filter;
  preview.ChooseFile = [&](bool, const QString& f) { return filter = f, chosen; };
  int opened = 0;
  QObject::connect(&preview, &TfrxPreview::ReportOpened, [&] { ++opened; });

  chosen = good;
  preview.OpenWithDialog();
  EXPECT_EQ(filter, QStringLiteral("报表文件 (*.fp3)"));
  EXPECT_EQ(preview.PageCount(), 2);
  EXPECT_EQ(preview.CurrentPage(), 1);
  EXPECT_EQ(preview.Workspace().PageList().Count(), 2);
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(errors.empty());

  // A file that breaks off: the error once, no pages, nothing left locked.
  chosen = bad;
  preview.OpenWithDialog();
  QApplication::processEvents();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(preview.PageCount(), 0);
  EXPECT_EQ(preview.Workspace().PageList().Count(), 0);
  EXPECT_FALSE(preview.Locked());
  EXPECT_FALSE(preview.Workspace().Locked());
  EXPECT_FALSE(preview.MessagePanel().isVisible());

  // Saving changes the extension; cancelling does nothing.
  chosen = good;
  preview.OpenWithDialog();
  chosen = dir.filePath(QStringLiteral("copy.txt"));
  preview.SaveWithDialog();
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("copy.fp3"))));
  chosen.clear();
  preview.OpenWithDialog();
  EXPECT_EQ(preview.PageCount(), 2);
}

TEST_F(PreviewControlTest, AttachingAnEmptiedStoreShowsNoPages) {
  // The launcher's failed load: the store is emptied and the open preview attached again.
  Load(LinkReportXml());
  report.PreviewPages().Clear();
  preview.Attach();
  EXPECT_EQ(preview.Workspace().PageList().Count(), 0);
  EXPECT_EQ(preview.ThumbnailWorkspace().PageList().Count(), 0);
  EXPECT_EQ(preview.CurrentPage(), 0);
  EXPECT_EQ(preview.OutlineTree().topLevelItemCount(), 0);
  const QImage shot = View()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(shot.width() / 2, 100)), QColor(128, 128, 128));
}

TEST_F(PreviewControlTest, PageSetupReplacesTheCurrentOrEveryPage) {
  Load(PagesXml(3));
  preview.SetCurrentPage(2);
  bool all = false;
  bool accept = true;
  preview.PageSettingsDialog = [&](TfrxReportPage& page, TfrxReport&) {
    page.SetOrientation(TPrinterOrientation::poLandscape);
    page.SetLeftMargin(33);
    PageSettingsResult r;
    r.Accepted = accept;
    r.ApplyToAll = all;
    return r;
  };
  auto margins = [&] {
    std::vector<double> out;
    for (int i = 0; i < 3; ++i) out.push_back(report.PreviewPages().PageObject(i)->LeftMargin());
    return out;
  };
  const double before = margins()[0];
  preview.PageSetup();
  EXPECT_EQ(margins(), (std::vector<double>{before, 33, before}));
  // The landscape page is laid out wider than it is high.
  const QRect second = preview.Workspace().DocumentPageRect(1);
  EXPECT_GT(second.width(), second.height());

  all = true;
  preview.PageSetup();
  EXPECT_EQ(margins(), (std::vector<double>{33, 33, 33}));
  EXPECT_FALSE(preview.Locked());

  accept = false;
  preview.PageSetup();
  EXPECT_FALSE(preview.Locked());
}

TEST_F(PreviewControlTest, PrintingGivesTheCurrentPageAndUnlocks) {
  Load(PagesXml(3));
  preview.SetCurrentPage(3);
  int seen = 0;
  SetPrintPagesHandler([&](TfrxPreviewPages& pages) { return seen = pages.CurrentPreviewPage, true; });
  preview.PrintReport();
  EXPECT_EQ(seen, 3);
  SetPrintPagesHandler([](TfrxPreviewPages&) -> bool { throw Exception("no paper"); });
  preview.PrintReport();
  EXPECT_FALSE(preview.Locked());
  EXPECT_EQ(errors, std::vector<std::string>{"no paper"});
}

TEST_F(PreviewControlTest, BusyMessageSitsAboveTheMiddle) {
  Load(PagesXml(1));
  preview.resize(800, 600);
  preview.LockView();
  preview.ShowBusyMessage(QStringLiteral("载入文件..."));
  EXPECT_TRUE(preview.MessagePanel().isVisible());
  EXPECT_EQ(preview.MessagePanel().geometry(), QRect((800 - 260) / 2, (600 - 75) / 3, 260, 75));
  EXPECT_EQ(preview.MessageLabel().text(), QStringLiteral("载入文件..."));
  // Locked: background only, pages not drawn.
  const QImage shot = View()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(preview.Workspace().PageRect(0).center())), QColor(128, 128, 128));
  preview.UnlockView();
  EXPECT_FALSE(preview.MessagePanel().isVisible());
}

// Answers the find dialog as soon as it shows.
void AnswerFindDialog(const QString& text, bool fromTop) {
  QTimer::singleShot(0, [text, fromTop] {
    auto* dialog = qobject_cast<TfrxSearchDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->TextE().setText(text);
    dialog->TopCB().setChecked(fromTop);
    dialog->accept();
  });
}

TEST_F(PreviewControlTest, FindShowsEachMatchThenTextNotFound) {
  Load(LinkReportXml());  // "Body" is written once on each of pages 2 to 5
  int notFound = 0;
  SetTextNotFoundHandler([&] { ++notFound; });
  preview.SetCurrentPage(3);
  AnswerFindDialog(QStringLiteral("body"), false);
  preview.FindText();
  EXPECT_TRUE(preview.FindEnabled());
  ASSERT_TRUE(SearchState().matchFound);
  EXPECT_EQ(preview.Workspace().Search().MatchPage(), 2);  // from the current page
  std::vector<int> pages;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(&preview.Workspace(), Qt::Key_F3);
    pages.push_back(SearchState().matchFound ? preview.Workspace().Search().MatchPage() : -1);
  }
  EXPECT_EQ(pages, (std::vector<int>{3, 4, -1}));
  EXPECT_EQ(notFound, 1);
  // The match is scrolled into view.
  preview.SetCurrentPage(1);
  AnswerFindDialog(QStringLiteral("BODY"), true);
  preview.FindText();
  EXPECT_EQ(preview.Workspace().Search().MatchPage(), 1);
  const QRect page = preview.Workspace().PageRect(1);
  EXPECT_GE(page.top() + SearchState().matchRect.top, 0);
  EXPECT_LE(page.top() + SearchState().matchRect.bottom, View()->height());
  // Any layout switches F3 off until the next search.
  preview.SetZoom(1.5);
  QTest::keyClick(&preview.Workspace(), Qt::Key_F3);
  EXPECT_EQ(preview.Workspace().Search().MatchPage(), 1);
  EXPECT_EQ(notFound, 1);
  SetTextNotFoundHandler(nullptr);
}

TEST_F(PreviewControlTest, MatchIsShownInverted) {
  Load(LinkReportXml());
  SetTextNotFoundHandler([] {});
  AnswerFindDialog(QStringLiteral("CursorView"), true);
  preview.FindText();
  ASSERT_TRUE(SearchState().matchFound);
  const CanvasRect m = SearchState().matchRect;
  const QRect page = preview.Workspace().PageRect(0);
  const QImage shot = View()->grab().toImage();
  // White paper inside the match turns black; outside it stays white.
  EXPECT_EQ(QColor(shot.pixel(page.left() + m.left, page.top() + m.top)), QColor(Qt::black));
  EXPECT_EQ(QColor(shot.pixel(page.left() + m.left, page.top() + m.bottom + 3)), QColor(Qt::white));
  SetTextNotFoundHandler(nullptr);
}

TEST_F(PreviewControlTest, ClearPagesEmptiesStoreAndView) {
  Load(LinkReportXml());
  preview.ClearPages();
  EXPECT_EQ(preview.PageCount(), 0);
  EXPECT_EQ(preview.CurrentPage(), 0);
  EXPECT_EQ(preview.OutlineTree().topLevelItemCount(), 0);
  EXPECT_EQ(preview.Workspace().VerticalRange(), 0);
  EXPECT_FALSE(preview.Locked());
}

TEST_F(PreviewControlTest, BuildHooksKeepTheViewUpToDate) {
  std::vector<bool> running;
  QObject::connect(&preview, &TfrxPreview::RunningChanged, [&](bool r) { running.push_back(r); });
  preview.AssignReport(&report, &report.PreviewPages());
  preview.BuildStarted();
  EXPECT_TRUE(preview.Running());
  // Nothing that replaces the pages runs meanwhile.
  int dialogs = 0;
  preview.ChooseFile = [&](bool, const QString&) { return ++dialogs, QString(); };
  preview.OpenWithDialog();
  EXPECT_EQ(dialogs, 0);
  MemoryStream stream(PagesXml(3));
  report.PreviewPages().LoadFromStream(stream);
  for (int i = 0; i < 3; ++i) preview.BuildProgress(i);
  preview.BuildFinished();
  EXPECT_FALSE(preview.Running());
  EXPECT_EQ(running, (std::vector<bool>{true, false}));
  EXPECT_EQ(preview.Workspace().PageList().Count(), 3);
  EXPECT_EQ(preview.ThumbnailWorkspace().PageList().Count(), 3);
}

}  // namespace
}  // namespace quarlo

namespace quarlo {
namespace {

class PreviewViewingTest : public PreviewControlTest {
 protected:
  // The page under viewport point p and where on it, in report pixels.
  struct Spot {
    int page;
    double x, y;
  };
  Spot SpotAt(const QPoint& p) {
    TfrxPreviewWorkspace& ws = preview.Workspace();
    const int x = p.x() + ws.OffsetX(), y = p.y() + ws.OffsetY();
    const int page = ws.PageAtPoint(y, x);
    const QRect r = ws.DocumentPageRect(page);
    return {page, (x - r.left()) / preview.Zoom(), (y - r.top()) / preview.Zoom()};
  }
  void SendWithModifiers(QEvent::Type type, const QPoint& p, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
    QMouseEvent event(type, QPointF(p), View()->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, keys);
    QApplication::sendEvent(View(), &event);
  }
};

TEST_F(PreviewViewingTest, ADragRightAfterAClickScrolls) {
  Load(PagesXml(3));
  preview.Workspace().SetScrollPosition(Qt::Vertical, 300);
  Click(QPoint(400, 300));
  // The second press within the double-click time arrives as a double click.
  SendWithModifiers(QEvent::MouseButtonDblClick, QPoint(400, 300), Qt::LeftButton, Qt::NoModifier);
  SendWithModifiers(QEvent::MouseMove, QPoint(400, 250), Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(preview.Workspace().OffsetY(), 350);
  Send(QEvent::MouseButtonRelease, QPoint(400, 250));
}

TEST_F(PreviewViewingTest, ZoomKeepsThePointOfThePageWhereItWas) {
  Load(PagesXml(40));
  const QPoint centre(View()->width() / 2, View()->height() / 2);
  const QPoint corner(60, 80);
  struct Case {
    const char* name;
    double from;
    std::function<void()> zoom;
    QPoint held;
    // Where the page is narrower than the view it is centred, and cannot follow sideways.
    bool sideways;
  } cases[] = {
      {"180% to 30%, pages in rows of three", 1.8, [&] { preview.SetZoom(0.3); }, centre, false},
      {"zooming in", 1.0, [&] { preview.SetZoom(2.0); }, centre, true},
      {"Ctrl+wheel: the point under the mouse", 1.5, [&] { preview.WheelScroll(120, false, true, corner); }, corner,
       true},
      {"page width", 0.5, [&] { preview.SetZoomMode(zmPageWidth); }, centre, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    preview.SetZoom(c.from);
    preview.Workspace().SetScrollPosition(Qt::Vertical, preview.Workspace().DocumentPageRect(3).top() + 200);
    preview.Workspace().SetScrollPosition(Qt::Horizontal, 40);
    const Spot before = SpotAt(c.held);
    c.zoom();
    // Where that point of that page is in the view now.
    TfrxPreviewWorkspace& ws = preview.Workspace();
    const QRect page = ws.DocumentPageRect(before.page);
    const double x = page.left() + before.x * preview.Zoom() - ws.OffsetX();
    const double y = page.top() + before.y * preview.Zoom() - ws.OffsetY();
    EXPECT_NEAR(y, c.held.y(), 1.5);
    if (c.sideways) {
      EXPECT_NEAR(x, c.held.x(), 1.5);
    }
  }
}

TEST_F(PreviewViewingTest, ShiftDragSelectsTextShownInvertedAndCtrlCCopiesIt) {
  MemoryStream stream(SearchReport());
  report.PreviewPages().LoadFromStream(stream);
  report.SetPreview(&preview);
  QApplication::processEvents();
  preview.SetZoom(1.0);
  preview.SetCurrentPage(2);
  QApplication::processEvents();
  const QRect page = preview.Workspace().PageRect(1);
  // A rectangle over the first memo of page 2, whose text wraps onto two lines.
  const CanvasRect memo = SearchReportMemoRect(0);
  const QPoint from = page.topLeft() + QPoint(memo.left + 2, memo.top + 2);
  const QPoint to = page.topLeft() + QPoint(memo.left + 60, memo.bottom - 4);
  SendWithModifiers(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::ShiftModifier);
  SendWithModifiers(QEvent::MouseMove, to, Qt::LeftButton, Qt::ShiftModifier);
  SendWithModifiers(QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::ShiftModifier);
  EXPECT_EQ(preview.Workspace().OffsetY(), preview.Workspace().DocumentPageRect(1).top() - 10) << "no drag scroll";
  ASSERT_EQ(preview.Selection().Page(), 1);
  EXPECT_EQ(preview.Selection().Text(), u"strawberry\nmelon");

  const QImage shot = View()->grab().toImage();
  // White paper inside the marked text turns black; beside it, it stays white.
  const CanvasRect first = preview.Selection().Rects().front();
  EXPECT_EQ(QColor(shot.pixel(page.left() + first.left, page.top() + first.top)), QColor(Qt::black));
  EXPECT_EQ(QColor(shot.pixel(page.left() + first.right + 4, page.top() + first.top)), QColor(Qt::white));

  QApplication::clipboard()->clear();
  QTest::keyClick(&preview.Workspace(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("strawberry\nmelon"));

  // Ctrl+A takes the current page whole, lines in reading order.
  preview.SetCurrentPage(1);
  QTest::keyClick(&preview.Workspace(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(preview.Selection().Page(), 0);
  EXPECT_EQ(preview.Selection().Text(), u"apple and apple\nBanana\n第一季度销售");
  QTest::keyClick(&preview.Workspace(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("apple and apple\nBanana\n第一季度销售"));

  // Another file takes the selection away.
  preview.OpenReport(::testing::TempDir() + "no such file.fp3");
  EXPECT_TRUE(preview.Selection().Empty());
}

}  // namespace
}  // namespace quarlo
