// The launcher's open step on the report object: a chosen file goes into the page
// store and the preview shows it; a malformed one is reported and leaves no pages.
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/launcher_window.h"
#include "report/preview_host.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "app/report_file_opener.h"

namespace quarlo {
namespace {

// Two compact pages on one source page, with report settings the load applies.
const char* const kTwoPages =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport>"
    "<previewpages><page0/><page0/></previewpages>"
    "<report><TfrxReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"1\" "
    "PreviewOptions.OutlineWidth=\"200\" ReportOptions.Name=\"R1\"/></report>"
    "<sourcepages><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\"/></sourcepages>"
    "<dictionary/><picturecache/></preparedreport>";

const char* const kOnePage =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport>"
    "<previewpages><page0/></previewpages>"
    "<sourcepages><TfrxReportPage Name=\"Page1\"/></sourcepages></preparedreport>";

struct Shown {
  int windows = 0;
  int attaches = 0;
  int pagesAtLastAttach = -1;
};

class CountingControl final : public PreviewControl {
 public:
  explicit CountingControl(Shown& shown) : shown_(shown) {}
  ~CountingControl() override {
    if (report_) report_->ForgetPreview(this);
  }
  void AssignReport(TfrxReport* report, TfrxPreviewPages* pages) override {
    report_ = report;
    pages_ = pages;
  }
  void Attach() override {
    ++shown_.attaches;
    shown_.pagesAtLastAttach = pages_ ? pages_->Count() : -1;
  }

 private:
  Shown& shown_;
  TfrxReport* report_ = nullptr;
  TfrxPreviewPages* pages_ = nullptr;
};

class CountingWindow final : public PreviewWindow {
 public:
  explicit CountingWindow(Shown& shown) : control_(shown) { ++shown.windows; }
  PreviewControl& Control() override { return control_; }
  void Setup() override { control_.Attach(); }
  void SetCentred(bool) override {}
  void ShowModal() override {}
  void ShowNonModal(bool) override {}
  void ShowStatusText(const std::string&, bool) override {}
  void Close() override {}

 private:
  CountingControl control_;
};

class CountingHost final : public PreviewHost {
 public:
  explicit CountingHost(Shown& shown) : shown_(shown) {}
  PreviewWindow* CreatePreviewWindow(TfrxReport&) override {
    windows.push_back(std::make_unique<CountingWindow>(shown_));
    return windows.back().get();
  }
  void DestroyPreviewWindow(PreviewWindow*) override {}
  std::vector<std::unique_ptr<CountingWindow>> windows;

 private:
  Shown& shown_;
};

class ReportFileOpenerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    SetPreviewHost(&host);
    ConfigureLauncherReport(*report);
  }
  void TearDown() override {
    report.reset();
    SetPreviewHost(nullptr);
  }

  std::string Write(const char* name, const std::string& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
    return QFile::encodeName(path).toStdString();
  }

  QTemporaryDir dir;
  Shown shown;
  CountingHost host{shown};
  std::unique_ptr<TfrxReport> report = std::make_unique<TfrxReport>(nullptr);
};

TEST_F(ReportFileOpenerTest, EachKindOfFileLeavesTheStoreAndPreviewAsTheUserExpects) {
  struct {
    const char* label;
    std::optional<std::string> bytes;  // no value: the file does not exist
    bool raises;
    int pages;
    int windows;
  } const cases[] = {
      {"valid", std::string(kTwoPages), false, 2, 1},
      {"missing", std::nullopt, false, 0, 1},
      {"not_xml", std::string("PK\x03\x04 zipped"), true, 0, 0},
      {"empty", std::string(), true, 0, 0},
      {"cut_short", std::string(kTwoPages).substr(0, 120), true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    shown = Shown();
    host.windows.clear();
    report = std::make_unique<TfrxReport>(nullptr);
    ConfigureLauncherReport(*report);
    const std::string path = c.bytes ? Write(c.label, *c.bytes)
                                     : QFile::encodeName(dir.filePath("absent.fp3")).toStdString();
    bool raised = false;
    try {
      const ReportFileOpener open(*report);
      open(path);
    } catch (const std::exception& error) {
      raised = true;
      EXPECT_STREQ(error.what(), "Invalid file format");
    }
    EXPECT_EQ(raised, c.raises);
    EXPECT_EQ(report->PreviewPages().Count(), c.pages);
    EXPECT_EQ(shown.windows, c.windows);
  }
}

TEST_F(ReportFileOpenerTest, LoadedSettingsReachTheReportObject) {
  const ReportFileOpener open(*report);
  open(Write("two.fp3", kTwoPages));
  EXPECT_EQ(report->PreviewOptions().OutlineWidth(), 200);
  EXPECT_TRUE(report->PreviewOptions().OutlineVisible());
  EXPECT_EQ(report->ReportOptions().Name(), "R1");
  EXPECT_FALSE(report->PreviewOptions().Modal()) << "the launcher's own settings stay";
}

// Through the launcher's button: the second file replaces the pages in the same
// preview; a malformed file is shown as an error and empties the open preview.
TEST_F(ReportFileOpenerTest, LauncherReusesOnePreviewAndReportsAMalformedFile) {
  std::deque<std::optional<QString>> answers = {
      QString::fromStdString(Write("a.fp3", kTwoPages)),
      QString::fromStdString(Write("b.fp3", kOnePage)),
      QString::fromStdString(Write("bad.fp3", "<?xml version=\"1.0\"?><preparedreport><a></b>")),
      std::nullopt,
  };
  std::vector<QString> errors;
  LauncherServices services;
  services.chooseFile = [&answers](QWidget*) {
    std::optional<QString> next = answers.front();
    answers.pop_front();
    return next;
  };
  services.openFile = ReportFileOpener(*report);
  services.showError = [&errors](const QString& message, QWidget*) { errors.push_back(message); };
  TmainForm launcher(services);

  QTest::mouseClick(launcher.BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(report->PreviewPages().Count(), 2);
  EXPECT_EQ(shown.windows, 1);
  EXPECT_EQ(shown.pagesAtLastAttach, 2);

  QTest::mouseClick(launcher.BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(report->PreviewPages().Count(), 1);
  EXPECT_EQ(shown.windows, 1) << "no second window";
  EXPECT_EQ(shown.pagesAtLastAttach, 1);

  QTest::mouseClick(launcher.BitBtn1(), Qt::LeftButton);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], QStringLiteral("Invalid file format"));
  EXPECT_EQ(report->PreviewPages().Count(), 0);
  EXPECT_EQ(shown.pagesAtLastAttach, 0) << "the open preview no longer shows the old pages";

  const int attaches = shown.attaches;
  QTest::mouseClick(launcher.BitBtn1(), Qt::LeftButton);  // cancelled
  EXPECT_EQ(shown.attaches, attaches);
  EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
}  // namespace quarlo
