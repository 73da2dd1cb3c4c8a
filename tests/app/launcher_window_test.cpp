#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/launcher_window.h"
#include "app/startup_open.h"
#include "platform/color.h"

namespace quarlo {
namespace {

// Services that record what the window asked for and answer from a script.
struct Recorder {
  std::vector<std::optional<QString>> dialogAnswers;  // one per dialog run
  int dialogRuns = 0;
  std::vector<std::string> opened;
  std::vector<QString> errors;
  std::vector<QUrl> urls;
  int trims = 0;
  int quits = 0;

  LauncherServices Services(std::function<void(const std::string&)> open = nullptr) {
    LauncherServices s;
    s.chooseFile = [this](QWidget*) -> std::optional<QString> {
      const size_t run = static_cast<size_t>(dialogRuns++);
      return run < dialogAnswers.size() ? dialogAnswers[run] : std::nullopt;
    };
    s.openFile = [this, open](const std::string& path) {
      opened.push_back(path);
      if (open) open(path);
    };
    s.showError = [this](const QString& message, QWidget*) { errors.push_back(message); };
    s.openUrl = [this](const QUrl& url) { urls.push_back(url); };
    s.trimWorkingSet = [this] { ++trims; };
    s.quitApplication = [this] { ++quits; };
    return s;
  }
};

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("quarlo_launcher_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  QString Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return QString::fromStdString(path.string());
  }

  std::filesystem::path dir;
  Recorder recorder;
  std::shared_ptr<TfrxXMLDocument> document = std::make_shared<TfrxXMLDocument>();
};

TEST_F(LauncherTest, WindowHasTheFixedLayout) {
  TmainForm form(recorder.Services());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  EXPECT_EQ(form.windowTitle(), "Quarlo");
  EXPECT_EQ(form.size(), QSize(289, 51));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.font().family(), QStringLiteral("宋体"));
  EXPECT_EQ(form.font().pixelSize(), 13);
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(form.palette().color(QPalette::Window),
            QColor(face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF));

  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

  struct {
    QWidget* widget;
    QRect geometry;
  } placed[] = {
      {form.Image1(), QRect(7, 12, 96, 27)},
      {form.BitBtn1(), QRect(136, 10, 129, 29)},
  };
  for (const auto& p : placed) EXPECT_EQ(p.widget->geometry(), p.geometry) << p.widget->objectName().toStdString();

  ASSERT_NE(form.Image1()->pixmap().isNull(), true);
  EXPECT_EQ(form.Image1()->pixmap().size(), QSize(96, 27));
  EXPECT_EQ(form.Image1()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(form.BitBtn1()->text(), QStringLiteral("打开报表文件"));
  EXPECT_FALSE(form.BitBtn1()->icon().isNull());
  EXPECT_EQ(form.BitBtn1()->iconSize(), QSize(16, 16));
  EXPECT_EQ(form.focusProxy(), form.BitBtn1());

  EXPECT_TRUE(form.Timer1()->isActive());
  EXPECT_FALSE(form.Timer1()->isSingleShot());
  EXPECT_EQ(form.Timer1()->interval(), 2000);

  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(std::abs(form.geometry().center().x() - area.center().x()), 2)
      << form.geometry().x() << " " << area.width() << " " << form.frameGeometry().x();
  EXPECT_LE(std::abs(form.geometry().center().y() - area.center().y()), 2)
      << form.geometry().y() << " " << area.height() << " " << form.frameGeometry().y();
}

TEST_F(LauncherTest, CancellingTheDialogOpensNothing) {
  TmainForm form(recorder.Services());
  QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(recorder.dialogRuns, 1);
  EXPECT_TRUE(recorder.opened.empty());
  EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(LauncherTest, CancellingKeepsTheOpenDocument) {
  recorder.dialogAnswers = {Write("good.fp3", "<?xml version=\"1.0\"?><preparedreport><a/></preparedreport>"),
                            std::nullopt};
  TmainForm form(recorder.Services(XmlDocumentOpener(document)));
  QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
  QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(recorder.dialogRuns, 2);
  EXPECT_EQ(recorder.opened.size(), 1u);
  EXPECT_EQ(document->Root()->Name, "preparedreport");
  EXPECT_EQ(document->Root()->Count(), 1);
}

// What the user sees for each kind of chosen file, and that the launcher stays usable.
TEST_F(LauncherTest, MalformedFilesAreReportedAndTheNextFileStillOpens) {
  struct {
    const char* label;
    std::string bytes;
    const char* error;  // nullptr: none
    const char* root;   // root element name afterwards
  } cases[] = {
      {"valid", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport/>", nullptr, "preparedreport"},
      {"not_xml", "PK\x03\x04 zipped", "Invalid file format", ""},
      {"empty", "", "Invalid file format", ""},
      {"mismatched", "<?xml version=\"1.0\"?><preparedreport><a></b>", "Invalid file format", ""},
      {"bad_reference_is_fine_until_read", "<?xml version=\"1.0\"?><r u=\"&#x1;\"/>", nullptr, "r"},
  };
  for (const auto& c : cases) {
    recorder = Recorder();
    recorder.dialogAnswers = {Write(std::string(c.label) + ".fp3", c.bytes),
                              Write("after.fp3", "<?xml version=\"1.0\"?><after/>")};
    TmainForm form(recorder.Services(XmlDocumentOpener(document)));
    QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
    if (c.error) {
      ASSERT_EQ(recorder.errors.size(), 1u) << c.label;
      EXPECT_EQ(recorder.errors[0], QString::fromUtf8(c.error)) << c.label;
    } else {
      EXPECT_TRUE(recorder.errors.empty()) << c.label;
    }
    EXPECT_EQ(document->Root()->Name, c.root) << c.label;
    EXPECT_EQ(document->Root()->Count(), 0) << c.label;

    QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
    EXPECT_EQ(document->Root()->Name, "after") << c.label;
    EXPECT_LE(recorder.errors.size(), 1u) << c.label;
  }
}

TEST_F(LauncherTest, MissingFileOpensAnEmptyDocumentWithoutError) {
  const QString missing = QString::fromStdString((dir / "typed name.fp3").string());
  document->Root()->Name = "stale";
  document->Root()->Add();
  recorder.dialogAnswers = {missing};
  TmainForm form(recorder.Services(XmlDocumentOpener(document)));
  QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
  EXPECT_TRUE(recorder.errors.empty());
  EXPECT_EQ(document->Root()->Name, "");
  EXPECT_EQ(document->Root()->Count(), 0);
}

// A path with Chinese characters reaches the open step as the local file name bytes.
TEST_F(LauncherTest, CommandLineAndDialogPathsArriveAsFileNameBytes) {
  const QString path = Write("报表 1.fp3", "<?xml version=\"1.0\"?><preparedreport/>");
  TmainForm form(recorder.Services(XmlDocumentOpener(document)));
  form.OpenFile(path);
  ASSERT_EQ(recorder.opened.size(), 1u);
  EXPECT_EQ(recorder.opened[0], (dir / "报表 1.fp3").string());
  EXPECT_EQ(document->Root()->Name, "preparedreport");
}

TEST_F(LauncherTest, LogoClickOpensTheWebAddress) {
  TmainForm form(recorder.Services());
  form.show();
  QTest::mouseClick(form.Image1(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(form.Image1(), Qt::RightButton, {}, QPoint(10, 10));
  ASSERT_EQ(recorder.urls.size(), 1u);
  EXPECT_EQ(recorder.urls[0], QUrl("https://quarlo.example.org"));
}

TEST_F(LauncherTest, TimerTrimsTheWorkingSetAndNothingElse) {
  TmainForm form(recorder.Services());
  form.Timer1()->setInterval(5);  // the tick itself, not its period, is under test
  QTest::qWait(60);
  EXPECT_GE(recorder.trims, 2);
  EXPECT_TRUE(recorder.opened.empty());
  EXPECT_TRUE(recorder.errors.empty());
  TrimWorkingSet();  // the real one returns and leaves the process working
}

TEST_F(LauncherTest, ClosingTheLauncherEndsTheProgramWhileOtherWindowsAreOpen) {
  TmainForm form(recorder.Services());
  form.show();
  QWidget other;
  other.show();
  form.close();
  EXPECT_EQ(recorder.quits, 1);
  EXPECT_FALSE(form.Timer1()->isActive());
}

TEST(OpenDialogTest, OffersOnlyPreparedReportFiles) {
  QFileDialog dialog;
  ConfigureOpenDialog(dialog);
  EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("fp3报表文件 (*.fp3)")});
  EXPECT_EQ(dialog.defaultSuffix(), "fp3");
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
}

}  // namespace
}  // namespace quarlo

namespace quarlo {
namespace {

TEST_F(LauncherTest, CommandLineFilesThatCannotBeOpenedAreNamedWithTheReason) {
  const QString readable = Write("命令行.fp3", "<?xml version=\"1.0\"?><preparedreport/>");
  const QString locked = Write("locked.fp3", "x");
  std::filesystem::permissions(dir / "locked.fp3", std::filesystem::perms::none);
  const bool root = ::geteuid() == 0;  // root reads any file
  const QString folder = QString::fromStdString(dir.string());
  const QString missing = folder + QString::fromUtf8("/没有.fp3");
  struct Case {
    QString argument;
    QString opened;  // the path opened; empty when nothing is
    QString error;   // what the box says; empty when the file opens
  } cases[] = {
      {readable, readable, {}},
      {QUrl::fromLocalFile(readable).toString(QUrl::FullyEncoded), readable, {}},
      {missing, {}, "无法打开文件“" + missing + "”：没有那个文件或目录"},
      {folder, {}, "无法打开文件“" + folder + "”：是一个目录"},
      {locked, root ? locked : QString(), root ? QString() : "无法打开文件“" + locked + "”：权限不够"},
      {"https://example.org/a.fp3", {}, "无法打开“https://example.org/a.fp3”：只能打开本机的文件（路径或 file:// 地址）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    recorder.opened.clear();
    recorder.errors.clear();
    TmainForm form(recorder.Services());
    EXPECT_EQ(form.OpenCommandLineFile(c.argument), !c.opened.isEmpty());
    if (!c.opened.isEmpty()) {
      ASSERT_EQ(recorder.opened.size(), 1u);
      EXPECT_EQ(QString::fromLocal8Bit(recorder.opened[0].c_str()), c.opened);
      EXPECT_TRUE(recorder.errors.empty());
    } else {
      EXPECT_TRUE(recorder.opened.empty());
      ASSERT_EQ(recorder.errors.size(), 1u);
      EXPECT_EQ(recorder.errors[0], c.error);
    }
  }
  std::filesystem::permissions(dir / "locked.fp3", std::filesystem::perms::owner_all);
}

TEST_F(LauncherTest, ADroppedReportIsOpened) {
  const QString report = Write("dropped.fp3", "x");
  TmainForm form(recorder.Services());
  EXPECT_TRUE(form.acceptDrops());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Write("notes.txt", "x")), QUrl::fromLocalFile(report)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);
  QApplication::processEvents();
  ASSERT_EQ(recorder.opened.size(), 1u);
  EXPECT_EQ(QString::fromLocal8Bit(recorder.opened[0].c_str()), report);
}

}  // namespace
}  // namespace quarlo
