// The viewer's command line: options, files and URLs, and what is refused.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace quarlo {
namespace {

using Action = ViewerCommandLine::Action;

TEST(ViewerCommandLineTest, OptionsAndFiles) {
  struct Case {
    QStringList arguments;
    Action action;
    QStringList files;
    int page;
  } cases[] = {
      {{}, Action::Run, {}, 0},
      {{"a.fp3"}, Action::Run, {"a.fp3"}, 0},
      {{"a.fp3", "b.fp3", "c.fp3"}, Action::Run, {"a.fp3", "b.fp3", "c.fp3"}, 0},
      {{"--page", "3", "a.fp3", "b.fp3"}, Action::Run, {"a.fp3", "b.fp3"}, 3},
      {{"a.fp3", "--page=12"}, Action::Run, {"a.fp3"}, 12},
      {{"--", "--page", "-x.fp3"}, Action::Run, {"--page", "-x.fp3"}, 0},
      {{"-"}, Action::Run, {"-"}, 0},
      {{"--help"}, Action::Help, {}, 0},
      {{"-h", "a.fp3"}, Action::Help, {"a.fp3"}, 0},
      {{"--version"}, Action::Version, {}, 0},
      {{"--zoom", "2", "a.fp3"}, Action::Usage, {}, 0},
      {{"-x"}, Action::Usage, {}, 0},
      {{"--page"}, Action::Usage, {}, 0},
      {{"--page", "0", "a.fp3"}, Action::Usage, {}, 0},
      {{"--page", "two", "a.fp3"}, Action::Usage, {}, 0},
      {{"--page=-1"}, Action::Usage, {}, 0},
      {{"--page", "+4"}, Action::Usage, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    const ViewerCommandLine line = ParseViewerCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    if (c.action == Action::Usage) {
      EXPECT_FALSE(line.problem.isEmpty());
      continue;
    }
    EXPECT_EQ(line.files, c.files);
    EXPECT_EQ(line.page, c.page);
  }
}

TEST(ViewerCommandLineTest, UnknownOptionIsNamedInTheProblem) {
  EXPECT_TRUE(ParseViewerCommandLine({"--zoom"}).problem.contains("--zoom"));
  EXPECT_TRUE(ViewerUsageText().startsWith("usage: quarlo"));
}

TEST(ViewerCommandLineTest, FileArgumentsBecomeLocalPaths) {
  struct Case {
    QString argument;
    QString path;  // empty: refused
  } cases[] = {
      {"/tmp/a.fp3", "/tmp/a.fp3"},
      {"reports/a.fp3", "reports/a.fp3"},
      {"file:///tmp/a.fp3", "/tmp/a.fp3"},
      {"file://localhost/tmp/a.fp3", "/tmp/a.fp3"},
      {"FILE:///tmp/a.fp3", "/tmp/a.fp3"},
      // Percent-encoded UTF-8, as file managers pass Chinese names.
      {"file:///tmp/%E7%A4%BA%E4%BE%8B%20%E6%8A%A5%E8%A1%A8.fp3", QString::fromUtf8("/tmp/示例 报表.fp3")},
      {"file:///tmp/100%25.fp3", "/tmp/100%.fp3"},
      {"http://example.org/a.fp3", ""},
      {"smb://server/share/a.fp3", ""},
      {"file://otherhost/tmp/a.fp3", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    const LocalFileArgument file = LocalFileOf(c.argument);
    EXPECT_EQ(file.path, c.path);
    if (c.path.isEmpty()) {
      EXPECT_TRUE(file.error.contains(c.argument)) << file.error.toStdString();
    } else {
      EXPECT_TRUE(file.error.isEmpty());
    }
  }
}

TEST(ViewerCommandLineTest, AnExistingFileThatLooksLikeAUrlIsAPath) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  QFile file(QStringLiteral("http:report.fp3"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(LocalFileOf(QStringLiteral("http:report.fp3")).path, QStringLiteral("http:report.fp3"));
  QDir::setCurrent(QDir::tempPath());
}

TEST(ViewerCommandLineTest, FurtherFilesKeepThePageAndCannotBeReadAsOptions) {
  EXPECT_EQ(ArgumentsForFile("-b.fp3", 0), (QStringList{"--", "-b.fp3"}));
  EXPECT_EQ(ArgumentsForFile("b.fp3", 4), (QStringList{"--page", "4", "--", "b.fp3"}));
  // What the program is started with parses back to the same file and page.
  const ViewerCommandLine again = ParseViewerCommandLine(ArgumentsForFile("--page", 4));
  EXPECT_EQ(again.files, QStringList{"--page"});
  EXPECT_EQ(again.page, 4);
}

}  // namespace
}  // namespace quarlo
