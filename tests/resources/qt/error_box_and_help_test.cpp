// The two user-facing services behind TfrxResources once the windowed program has
// installed them: the modal error box and F1 opening the shipped user guide.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "resources/qt/help_viewer.h"
#include "resources/qt/resource_services.h"
#include "resources/qt/resource_text.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

struct SeenBox {
  bool found = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool modal = false;
};

TEST(ErrorBox, IsModalWithTheErrorCaptionAndIcon) {
  InstallResourceServices();
  SeenBox seen;
  // The box blocks in exec(): inspect and close it from the event loop it runs.
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {true, box->windowTitle(), box->text(), box->icon(), box->isModal()};
    box->accept();
  });
  frxResources().ShowErrorMsg("打印机没有响应");
  TfrxResources::SetErrorBoxHandler(nullptr);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, QStringLiteral("错误"));
  EXPECT_EQ(seen.text, QStringLiteral("打印机没有响应"));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_TRUE(seen.modal);
}

TEST(ResourceText, GivesWidgetsTheTextsAsQStrings) {
  EXPECT_EQ(ResText("clClose"), QStringLiteral("关闭(&X)"));
  EXPECT_EQ(ResText(102), QStringLiteral("打印"));
  EXPECT_EQ(ResText(215), QStringLiteral("215"));
}

// Stands in for the desktop's browser: QDesktopServices hands file URLs to it.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

class Help : public testing::Test {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);  // cache copies go to a test folder
    QDesktopServices::setUrlHandler("file", &catcher_, "open");
    InstallResourceServices();
  }
  void TearDown() override {
    QDesktopServices::unsetUrlHandler("file");
    TfrxResources::SetHelpHandler(nullptr);
    TfrxResources::SetErrorBoxHandler(nullptr);
  }
  UrlCatcher catcher_;
};

QByteArray ShippedGuide() {
  QFile file(QStringLiteral(QUARLO_SOURCE_DIR "/src/resources/help/quarlo-help.html"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

TEST_F(Help, EveryFormOpensTheShippedGuide) {
  for (const char* form : {"TfrxPreviewForm", "TfrxPrintDialog", "TfrxPageSettingsForm", "TfrxSearchDialog"})
    frxResources().ShowHelp(form);
  ASSERT_EQ(catcher_.urls.size(), 4);
  for (const QUrl& url : catcher_.urls) {
    ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    QFile opened(url.toLocalFile());
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), ShippedGuide());
  }
  const QString guide = QString::fromUtf8(ShippedGuide());
  EXPECT_TRUE(guide.contains(QStringLiteral("lang=\"zh-CN\"")));
  EXPECT_TRUE(guide.contains(QStringLiteral("使用说明")));
}

TEST_F(Help, LocationsResolveOnlyInsideTheHelpFolder) {
  struct Case {
    const char* location;
    bool opens;
  };
  const Case cases[] = {
      {"quarlo-help.html", true},
      {"quarlo-help.html::/Diagrams.htm", true},  // pages of designer forms: the guide's start
      {"../help/quarlo-help.html", true},          // directories are dropped
      {"missing.chm", false},
      {"../../etc/passwd", false},
      {"", false},
      {"::/Diagrams.htm", false},
  };
  for (const Case& c : cases) {
    catcher_.urls.clear();
    EXPECT_EQ(OpenHelp(c.location), c.opens) << c.location;
    EXPECT_EQ(catcher_.urls.size(), c.opens ? 1 : 0) << c.location;
    if (c.opens) {
      EXPECT_TRUE(catcher_.urls.front().toLocalFile().endsWith("/quarlo-help.html")) << c.location;
    }
  }
}

TEST_F(Help, F1InAFormAsksForItsHelp) {
  std::vector<std::string> asked;
  TfrxResources::SetHelpHandler([&](const std::string& location) { asked.push_back(location); });
  QWidget form;
  InstallHelpShortcut(&form, "TfrxPrintDialog");
  QWidget child(&form);
  child.setFocusPolicy(Qt::StrongFocus);
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  child.setFocus();
  QTest::keyClick(&child, Qt::Key_F1);
  QTest::keyClick(&child, Qt::Key_F2);
  EXPECT_EQ(asked, std::vector<std::string>{"quarlo-help.html"});
}

}  // namespace
}  // namespace quarlo

#include "error_box_and_help_test.moc"
