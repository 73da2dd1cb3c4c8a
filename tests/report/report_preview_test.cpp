// The report's bookkeeping of the preview that shows it, against a fake preview layer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/preview_host.h"
#include "report/report.h"

namespace quarlo {
namespace {

struct PreviewLog {
  int windowsMade = 0;
  int windowsAlive = 0;
  int attaches = 0;
  int setups = 0;
  int modalRuns = 0;
  std::vector<bool> nonModalShows;  // the own-taskbar-button flag of each show
  std::vector<bool> centring;
  std::vector<std::string> statusTexts;
  int closes = 0;
};

class FakeControl final : public PreviewControl {
 public:
  explicit FakeControl(PreviewLog& log) : log_(log) {}
  ~FakeControl() override {
    if (report) report->ForgetPreview(this);
  }
  void AssignReport(TfrxReport* r, TfrxPreviewPages* p) override {
    report = r;
    pages = p;
  }
  void Attach() override { ++log_.attaches; }

  TfrxReport* report = nullptr;
  TfrxPreviewPages* pages = nullptr;

 private:
  PreviewLog& log_;
};

class FakeWindow final : public PreviewWindow {
 public:
  explicit FakeWindow(PreviewLog& log) : log_(log), control_(log) {
    ++log_.windowsMade;
    ++log_.windowsAlive;
  }
  ~FakeWindow() override { --log_.windowsAlive; }
  PreviewControl& Control() override { return control_; }
  FakeControl& Fake() { return control_; }
  void Setup() override {
    ++log_.setups;
    control_.Attach();
  }
  void SetCentred(bool centred) override { log_.centring.push_back(centred); }
  void ShowModal() override { ++log_.modalRuns; }
  void ShowNonModal(bool ownTaskbarButton) override { log_.nonModalShows.push_back(ownTaskbarButton); }
  void ShowStatusText(const std::string& text, bool hint) override {
    log_.statusTexts.push_back((hint ? "hint:" : "plain:") + text);
  }
  void Close() override {
    ++log_.closes;
    closeRequested = true;
  }
  bool closeRequested = false;

 private:
  PreviewLog& log_;
  FakeControl control_;
};

// Owns the windows it makes, like the application does; a test "closes" a window
// by destroying it.
class FakeHost final : public PreviewHost {
 public:
  explicit FakeHost(PreviewLog& log) : log_(log) {}
  PreviewWindow* CreatePreviewWindow(TfrxReport&) override {
    windows.push_back(std::make_unique<FakeWindow>(log_));
    return windows.back().get();
  }
  void DestroyPreviewWindow(PreviewWindow* window) override {
    std::erase_if(windows, [window](const auto& w) { return w.get() == window; });
  }
  std::vector<std::unique_ptr<FakeWindow>> windows;

 private:
  PreviewLog& log_;
};

class ReportPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override { SetPreviewHost(&host); }
  void TearDown() override { SetPreviewHost(nullptr); }

  PreviewLog log;
  FakeHost host{log};
};

TEST_F(ReportPreviewTest, NonModalPreviewStaysOpenAndIsReattachedNotDuplicated) {
  TfrxReport report(nullptr);
  report.PreviewOptions().SetModal(false);
  int previews = 0;
  report.Events().OnPreview = [&previews](TfrxReport&) { ++previews; };

  report.ShowPreparedReport();
  ASSERT_EQ(host.windows.size(), 1u);
  FakeWindow& window = *host.windows[0];
  EXPECT_EQ(report.PreviewForm(), &window);
  EXPECT_EQ(report.Preview(), &window.Fake());
  EXPECT_EQ(window.Fake().report, &report);
  EXPECT_EQ(window.Fake().pages, &report.PreviewPages());
  EXPECT_EQ(log.setups, 1);
  EXPECT_EQ(log.nonModalShows, (std::vector<bool>{true}));
  EXPECT_EQ(previews, 1);

  report.ShowPreparedReport();
  EXPECT_EQ(log.windowsMade, 1) << "a second call keeps one window";
  EXPECT_EQ(log.attaches, 2);
  EXPECT_EQ(log.nonModalShows.size(), 1u);
  EXPECT_EQ(previews, 1) << "re-attaching is no new preview";
  report.ShowStatusText("第 2 页", false);
  EXPECT_EQ(log.statusTexts, (std::vector<std::string>{"plain:第 2 页"}))
      << "the re-attached window is still the report's";
}

TEST_F(ReportPreviewTest, OptionsChooseModalityTaskbarEntryAndCentring) {
  struct {
    const char* label;
    bool modal;
    bool mdiChild;
    bool maximized;
    int modalRuns;
    std::vector<bool> nonModalShows;
    std::vector<bool> centring;
    int windowsAliveAfter;
  } const cases[] = {
      {"non-modal", false, false, false, 0, {true}, {}, 1},
      {"non-modal child", false, true, false, 0, {false}, {}, 1},
      {"maximised", false, false, true, 0, {true}, {false}, 1},
      {"modal", true, false, true, 1, {}, {false}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    host.windows.clear();
    log = PreviewLog();
    TfrxReport report(nullptr);
    report.PreviewOptions().SetModal(c.modal);
    report.PreviewOptions().SetMDIChild(c.mdiChild);
    report.PreviewOptions().SetMaximized(c.maximized);
    report.ShowPreparedReport();
    EXPECT_EQ(log.modalRuns, c.modalRuns);
    EXPECT_EQ(log.nonModalShows, c.nonModalShows);
    EXPECT_EQ(log.centring, c.centring);
    EXPECT_EQ(log.windowsAlive, c.windowsAliveAfter);
    if (c.modal) {
      EXPECT_EQ(report.PreviewForm(), nullptr);
      EXPECT_EQ(report.Preview(), nullptr);
    }
  }
}

TEST_F(ReportPreviewTest, ClosedWindowIsForgottenAndTheNextShowMakesANewOne) {
  TfrxReport report(nullptr);
  report.PreviewOptions().SetModal(false);
  report.ShowPreparedReport();
  host.windows.clear();  // the user closed it
  EXPECT_EQ(report.Preview(), nullptr);
  EXPECT_EQ(report.PreviewForm(), nullptr);
  report.ShowStatusText("nowhere", true);
  EXPECT_TRUE(log.statusTexts.empty());

  report.ShowPreparedReport();
  EXPECT_EQ(log.windowsMade, 2);
  EXPECT_EQ(host.windows.size(), 1u);
}

TEST_F(ReportPreviewTest, StatusTextGoesToTheHintOrPlainArea) {
  TfrxReport report(nullptr);
  report.PreviewOptions().SetModal(false);
  report.ShowStatusText("before any window", false);
  report.ShowPreparedReport();
  report.ShowStatusText("提示", true);
  report.ShowStatusText("plain", false);
  EXPECT_EQ(log.statusTexts, (std::vector<std::string>{"hint:提示", "plain:plain"}));
}

TEST_F(ReportPreviewTest, SettingPreviewMovesTheReportToTheNewControl) {
  TfrxReport report(nullptr);
  report.PreviewOptions().SetModal(false);
  report.ShowPreparedReport();
  FakeControl& first = host.windows[0]->Fake();
  FakeControl second(log);
  const int attaches = log.attaches;
  report.SetPreview(&second);
  EXPECT_EQ(first.report, nullptr);
  EXPECT_EQ(first.pages, nullptr);
  EXPECT_EQ(second.report, &report);
  EXPECT_EQ(second.pages, &report.PreviewPages());
  EXPECT_EQ(log.attaches, attaches + 1);
  EXPECT_EQ(report.PreviewForm(), nullptr) << "the window belongs to the old control";
  report.SetPreview(nullptr);
  EXPECT_EQ(second.report, nullptr);
}

TEST_F(ReportPreviewTest, DestroyedReportClosesItsWindowAndLeavesTheControlDetached) {
  FakeWindow* window = nullptr;
  {
    TfrxReport report(nullptr);
    report.PreviewOptions().SetModal(false);
    report.ShowPreparedReport();
    window = host.windows[0].get();
  }
  EXPECT_TRUE(window->closeRequested);
  EXPECT_EQ(window->Fake().report, nullptr);
  host.windows.clear();  // freed later: must not reach the gone report
}

TEST_F(ReportPreviewTest, WithoutAPreviewLayerNothingIsShown) {
  SetPreviewHost(nullptr);
  TfrxReport report(nullptr);
  report.ShowPreparedReport();
  EXPECT_EQ(report.Preview(), nullptr);
  EXPECT_EQ(report.PreviewForm(), nullptr);
}

TEST(ReportClickTest, DoubleClicksAndClicksReachTheirOwnHandler) {
  struct {
    bool doubleClick;
    bool withClickHandler;
    bool withDoubleHandler;
    const char* fired;
  } const cases[] = {
      {false, true, true, "click"},
      {true, true, true, "double"},
      {true, true, false, ""},  // a double click never falls back to the click handler
      {false, false, true, ""},
  };
  for (const auto& c : cases) {
    TfrxReport report(nullptr);
    std::string fired;
    if (c.withClickHandler) {
      report.Events().OnClickObject = [&fired](TfrxView*, TMouseButton b, TShiftState s, bool& m) {
        fired = "click";
        EXPECT_EQ(b, mbRight);
        EXPECT_EQ(s, ssCtrl | ssRight);
        m = true;
      };
    }
    if (c.withDoubleHandler) {
      report.Events().OnDblClickObject = [&fired](TfrxView*, TMouseButton, TShiftState, bool& m) {
        fired = "double";
        m = true;
      };
    }
    bool modified = false;
    report.ClickObject(nullptr, mbRight, ssCtrl | ssRight, modified, c.doubleClick);
    EXPECT_EQ(fired, c.fired);
    EXPECT_EQ(modified, !fired.empty()) << "the handler's change reaches the page store";
  }
}

TEST(ReportObjectTest, OwnsItsPageStoreAndKeepsTheFixedValues) {
  TfrxReport report(nullptr);
  EXPECT_EQ(report.PreviewPages().Report(), &report);
  EXPECT_EQ(report.PreviewPages().Count(), 0);
  EXPECT_EQ(report.Version(), "4.9.32");
  EXPECT_EQ(report.IniFile(), "\\Software\\Vozarera");
  EXPECT_FALSE(report.DotMatrixReport());
  EXPECT_FALSE(report.Terminated());
}

}  // namespace
}  // namespace quarlo
