// The progress window: its layout, cancel by button and Esc, the disabled window it
// leaves behind and restores, dragging, and cancelling work that runs on the
// user-interface thread through the report object.
#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "app/progress_window.h"
#include "report/report.h"
#include "report/report_progress.h"
#include "app/report_ui_services.h"

namespace quarlo {
namespace {

// The progress windows that exist now (top-level, not yet deleted).
QList<TfrxProgress*> ProgressWindows() {
  QList<TfrxProgress*> found;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* p = qobject_cast<TfrxProgress*>(w)) found << p;
  }
  return found;
}

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(300, 200);
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_EQ(QApplication::activeWindow(), &owner);
  }
  void TearDown() override {
    SetProgressWindowFactory(nullptr);
    SetMessagePump(nullptr);
  }

  QWidget owner;
};

TEST_F(ProgressWindowTest, LayoutIsTheFixedBorderlessForm) {
  TfrxProgress p;
  EXPECT_EQ(p.size(), QSize(271, 101));
  EXPECT_TRUE(p.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(p.Panel1()->geometry(), QRect(0, 0, 271, 101));
  EXPECT_EQ(p.Panel1()->lineWidth(), 2);
  EXPECT_EQ(p.LMessage()->x(), 16);
  EXPECT_EQ(p.LMessage()->width(), 237);
  EXPECT_TRUE(p.LMessage()->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(p.LMessage()->font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(p.LMessage()->font().pointSize(), 8);
  EXPECT_EQ(p.Bar()->geometry(), QRect(16, 37, 237, 17));
  EXPECT_EQ(p.Bar()->minimum(), 0);
  EXPECT_EQ(p.Bar()->maximum(), 100);
  EXPECT_EQ(p.Bar()->value(), 0);
  EXPECT_EQ(p.CancelB()->geometry(), QRect(100, 64, 75, 25));
  EXPECT_EQ(p.CancelB()->text(), QStringLiteral("取消"));
}

TEST_F(ProgressWindowTest, ExecutePlacesTheMessageByWhetherTheBarShows) {
  struct {
    bool showBar;
    bool showCancel;
    int messageTop;
  } const cases[] = {{false, true, 35}, {true, true, 15}, {true, false, 15}, {false, false, 35}};
  TfrxProgress p;
  for (const auto& c : cases) {
    p.SetTerminated(true);
    p.Execute(40, QStringLiteral("打印页 1"), c.showBar, c.showCancel);
    EXPECT_FALSE(p.Terminated()) << "each run starts uncancelled";
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.LMessage()->y(), c.messageTop);
    EXPECT_EQ(p.Bar()->isVisible(), c.showBar);
    EXPECT_EQ(p.CancelB()->isVisible(), c.showCancel);
    EXPECT_EQ(p.Bar()->maximum(), 40);
    EXPECT_EQ(p.Message(), QStringLiteral("打印页 1"));
  }
  p.SetPosition(500);
  EXPECT_EQ(p.Position(), 40) << "a position past the range stops at its end";
}

TEST_F(ProgressWindowTest, CancelButtonAndEscSetTerminated) {
  enum How { Click, Escape, EscapeOnButton };
  for (How how : {Click, Escape, EscapeOnButton}) {
    TfrxProgress p;
    p.Execute(0, QString(), false, true);
    ASSERT_FALSE(p.Terminated());
    if (how == Click) QTest::mouseClick(p.CancelB(), Qt::LeftButton);
    if (how == Escape) QTest::keyClick(&p, Qt::Key_Escape);
    if (how == EscapeOnButton) QTest::keyClick(p.CancelB(), Qt::Key_Escape);
    EXPECT_TRUE(p.Terminated()) << how;
  }
}

TEST_F(ProgressWindowTest, ActiveWindowIsDisabledUntilTheProgressWindowGoes) {
  {
    TfrxProgress p;
    EXPECT_EQ(p.DisabledWindow(), &owner);
    EXPECT_FALSE(owner.isEnabled());
    p.Execute(0, QString(), false, true);
    p.hide();
    EXPECT_TRUE(owner.isEnabled()) << "hiding gives the window back";
  }
  EXPECT_TRUE(owner.isEnabled());
  QApplication::setActiveWindow(&owner);  // the shown progress window took the focus
  {
    TfrxProgress p;
    p.Execute(0, QString(), false, true);
    EXPECT_FALSE(owner.isEnabled());
  }
  EXPECT_TRUE(owner.isEnabled()) << "destroying gives the window back";

  // A window the user disabled for other reasons stays disabled.
  QApplication::setActiveWindow(&owner);
  owner.setEnabled(false);
  {
    TfrxProgress p;
    EXPECT_EQ(p.DisabledWindow(), nullptr);
  }
  EXPECT_FALSE(owner.isEnabled());
  owner.setEnabled(true);
}

TEST_F(ProgressWindowTest, AnyPointOfTheClientAreaDragsTheWindow) {
  TfrxProgress p;
  p.Execute(0, QString(), true, true);
  p.move(100, 100);
  const QPoint start = p.pos();
  for (QWidget* grip : std::initializer_list<QWidget*>{p.LMessage(), p.Panel1(), &p}) {
    const QPoint before = p.pos();
    const QPoint local(5, 5);
    const QPoint global = grip->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grip, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(local + QPoint(30, 20)),
                     QPointF(global + QPoint(30, 20)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&p, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), QPointF(global + QPoint(30, 20)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&p, &release);
    EXPECT_EQ(p.pos(), before + QPoint(30, 20)) << grip->objectName().toStdString();
  }
  EXPECT_EQ(p.pos(), start + QPoint(90, 60));
}

TEST(FitInsideTest, WindowIsMovedFullyOntoTheArea) {
  const QRect area(1920, 0, 1280, 1024);  // a second monitor
  struct {
    QRect window;
    QRect expected;
  } const cases[] = {
      {QRect(2000, 100, 271, 101), QRect(2000, 100, 271, 101)},  // inside: unchanged
      {QRect(100, 100, 271, 101), QRect(1920, 100, 271, 101)},   // on the first monitor
      {QRect(3100, 990, 271, 101), QRect(2929, 923, 271, 101)},  // over the far corner
      {QRect(1900, -50, 271, 101), QRect(1920, 0, 271, 101)},
  };
  for (const auto& c : cases) EXPECT_EQ(FitInside(c.window, area), c.expected) << c.window.x();
}

TEST_F(ProgressWindowTest, ReportDrivesTheWindowAndCancelTerminatesThePrintLoop) {
  InstallReportUiServices();
  TfrxReport report(nullptr);
  report.ProgressStart(ptPrinting);
  ASSERT_EQ(ProgressWindows().size(), 1);
  TfrxProgress* window = ProgressWindows().first();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_FALSE(window->Bar()->isVisible());
  EXPECT_EQ(window->LMessage()->y(), 35);

  // The work runs on this thread; only the steps let the press through.
  QTimer::singleShot(20, window->CancelB(), [window] { window->CancelB()->click(); });
  QElapsedTimer clock;
  clock.start();
  int page = 0;
  while (!report.Terminated() && page < 100000 && clock.elapsed() < 5000) {
    QElapsedTimer busy;
    busy.start();
    while (busy.elapsed() < 1) {
    }
    report.ProgressStep(ptPrinting, ++page);
  }
  EXPECT_TRUE(report.Terminated());
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(window->Message(), QStringLiteral("打印页 %1").arg(page));

  report.ProgressStop(ptPrinting);
  EXPECT_TRUE(ProgressWindows().isEmpty());
  EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
}  // namespace quarlo
