// The report's progress operations against a recording progress window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_progress.h"

namespace quarlo {
namespace {

struct WindowLog {
  int made = 0;
  int alive = 0;
  int executes = 0;
  std::vector<std::string> messages;
  bool cancelPressed = false;
};

class RecordingProgressWindow final : public ProgressWindow {
 public:
  explicit RecordingProgressWindow(WindowLog& log) : log_(log) {
    ++log_.made;
    ++log_.alive;
  }
  ~RecordingProgressWindow() override { --log_.alive; }
  void Execute(int, const std::string& message, bool showBar, bool showCancel) override {
    ++log_.executes;
    EXPECT_TRUE(showCancel);
    log_.messages.push_back(message);
  }
  void SetMessage(const std::string& message) override { log_.messages.push_back(message); }
  void SetPosition(int) override {}
  bool Terminated() const override { return log_.cancelPressed; }

 private:
  WindowLog& log_;
};

class ReportProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgressWindowFactory([this] { return std::make_unique<RecordingProgressWindow>(log); });
    SetMessagePump([this] { ++pumped; });
  }
  void TearDown() override {
    SetProgressWindowFactory(nullptr);
    SetMessagePump(nullptr);
  }

  WindowLog log;
  int pumped = 0;
};

TEST_F(ReportProgressTest, WindowOpensForExportAndPrintButForRunsOnlyInOldStyle) {
  struct {
    TfrxProgressType kind;
    bool showProgress;
    bool oldStyle;
    bool window;
  } const cases[] = {
      {ptPrinting, true, false, true},  {ptExporting, true, false, true},
      {ptRunning, true, false, false},  {ptRunning, true, true, true},
      {ptPrinting, false, false, false}, {ptRunning, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " show " << c.showProgress
                                    << " old " << c.oldStyle);
    log = WindowLog();
    pumped = 0;
    TfrxReport report(nullptr);
    report.SetShowProgress(c.showProgress);
    report.SetOldStyleProgress(c.oldStyle);
    report.ProgressStart(c.kind);
    EXPECT_EQ(log.alive, c.window ? 1 : 0);
    EXPECT_EQ(log.executes, c.window ? 1 : 0);
    report.ProgressStop(c.kind);
    EXPECT_EQ(log.alive, 0);
    EXPECT_EQ(pumped, 2) << "start and stop both let messages run";
  }
}

TEST_F(ReportProgressTest, StepTextsFollowTheKindAndPass) {
  struct {
    TfrxProgressType kind;
    bool finalPass;
    const char* text;
  } const cases[] = {
      {ptPrinting, true, "打印页 7"},
      {ptExporting, true, "导出页 7"},
      {ptRunning, true, "准备页 7"},
      {ptRunning, false, "第一次过程: 页 7"},
      {ptPrinting, false, "打印页 7"},
  };
  for (const auto& c : cases) {
    log = WindowLog();
    TfrxReport report(nullptr);
    report.SetOldStyleProgress(true);
    report.SetFinalPass(c.finalPass);
    report.ProgressStart(c.kind);
    report.ProgressStep(c.kind, 7);
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages.back(), c.text);
    report.ProgressStop(c.kind);
  }
}

TEST_F(ReportProgressTest, CancelTurnsIntoTerminatedAtTheNextStep) {
  TfrxReport report(nullptr);
  report.ProgressStart(ptPrinting);
  report.ProgressStep(ptPrinting, 1);
  EXPECT_FALSE(report.Terminated());
  log.cancelPressed = true;
  EXPECT_FALSE(report.Terminated()) << "only a step reads the button";
  report.ProgressStep(ptPrinting, 2);
  EXPECT_TRUE(report.Terminated());
  report.ProgressStop(ptPrinting);
  EXPECT_EQ(log.alive, 0);
}

// A press that the pump itself delivers counts at that same step.
TEST_F(ReportProgressTest, CancelDeliveredWhileMessagesRunCountsAtOnce) {
  SetMessagePump([this] { log.cancelPressed = true; });
  TfrxReport report(nullptr);
  report.ProgressStart(ptPrinting);
  log.cancelPressed = false;
  report.ProgressStep(ptPrinting, 1);
  EXPECT_TRUE(report.Terminated());
  report.ProgressStop(ptPrinting);
}

TEST_F(ReportProgressTest, StartReplacesAWindowLeftOpen) {
  TfrxReport report(nullptr);
  report.ProgressStart(ptPrinting);
  report.ProgressStart(ptExporting);
  EXPECT_EQ(log.made, 2);
  EXPECT_EQ(log.alive, 1);
}

TEST_F(ReportProgressTest, WindowLeftOpenGoesWithTheReport) {
  {
    TfrxReport report(nullptr);
    report.ProgressStart(ptPrinting);
    EXPECT_EQ(log.alive, 1);
  }
  EXPECT_EQ(log.alive, 0);
}

TEST_F(ReportProgressTest, EventsCarryKindAndProgress) {
  std::vector<std::string> seen;
  TfrxReport report(nullptr);
  auto record = [&seen](const char* what) {
    return [&seen, what](TfrxReport&, TfrxProgressType kind, int progress) {
      seen.push_back(std::string(what) + " " + std::to_string(kind) + " " + std::to_string(progress));
    };
  };
  report.Events().OnProgressStart = record("start");
  report.Events().OnProgress = record("step");
  report.Events().OnProgressStop = record("stop");
  report.ProgressStart(ptPrinting);
  report.ProgressStep(ptPrinting, 3);
  report.ProgressStop(ptPrinting);
  EXPECT_EQ(seen, (std::vector<std::string>{"start 2 0", "step 2 3", "stop 2 0"}));
}

TEST(ReportProgressWithoutWindowTest, StepsWorkWithNothingInstalled) {
  TfrxReport report(nullptr);
  report.ProgressStart(ptPrinting);
  report.ProgressStep(ptPrinting, 1);
  report.ProgressStop(ptPrinting);
  EXPECT_FALSE(report.Terminated());
}

TEST(FormatWithNumberTest, ReplacesOnlyTheFirstNumberMarkAndNothingElse) {
  struct {
    const char* text;
    const char* expected;
  } const cases[] = {
      {"打印页 %d", "打印页 12"},
      {"%d", "12"},
      {"no mark", "no mark"},
      {"%s and %d%%", "%s and 12%%"},
      {"%d of %d", "12 of %d"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatWithNumber(c.text, 12), c.expected) << c.text;
  EXPECT_EQ(FormatWithNumber("%d", -2147483647 - 1), "-2147483648");
}

}  // namespace
}  // namespace quarlo
