// Links from a file: web and mail addresses open directly, anything else only after the
// user confirmed its full target, programs never; the system's URL handler is a
// stand-in on PATH that records what it was asked to open.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "preview/report_link.h"

namespace quarlo {
namespace {

namespace fs = std::filesystem;

TEST(ReportLink, WebAndMailOpenDirectlyOthersAskProgramsAreRefused) {
  const fs::path folder = fs::temp_directory_path() / ("quarlo-links-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string program = (folder / "tool.sh").string();
  std::ofstream(program) << "#!/bin/sh\n";
  ::chmod(program.c_str(), 0755);
  std::ofstream((folder / "notes.txt").string()) << "notes";
  struct Case {
    QString text;
    ReportLinkAction action;
    QString shownPart;
  } cases[] = {
      {"http://example.com/a?b=1", ReportLinkAction::Open, "http://example.com/a?b=1"},
      {"HTTPS://example.com", ReportLinkAction::Open, "example.com"},
      {"www.example.com", ReportLinkAction::Open, "http://www.example.com"},
      {"mailto:sales@example.com", ReportLinkAction::Open, "sales@example.com"},
      {QString::fromStdString((folder / "notes.txt").string()), ReportLinkAction::Confirm, "file://"},
      {"file:///etc/passwd", ReportLinkAction::Confirm, "/etc/passwd"},
      {"smb://server/share/报表.xls", ReportLinkAction::Confirm, "smb://server/share/报表.xls"},
      {"javascript:alert(1)", ReportLinkAction::Confirm, "javascript:alert(1)"},
      {"http://", ReportLinkAction::Confirm, "http://"},
      {QString::fromStdString(program), ReportLinkAction::Refuse, "tool.sh"},
      {"file:///usr/share/applications/x.desktop", ReportLinkAction::Refuse, "x.desktop"},
      {"", ReportLinkAction::Refuse, ""},
  };
  for (const Case& c : cases) {
    const ReportLink link = ClassifyReportLink(c.text);
    EXPECT_EQ(link.action, c.action) << c.text.toStdString();
    EXPECT_TRUE(link.shown.contains(c.shownPart)) << c.text.toStdString() << " -> " << link.shown.toStdString();
  }
  fs::remove_all(folder);
}

TEST(ReportLink, OnlyConfirmedTargetsReachTheHandler) {
  for (bool yes : {false, true}) {
    QStringList asked, opened, refused;
    ReportLinkServices s;
    s.confirm = [&](const QString& shown) {
      asked << shown;
      return yes;
    };
    s.refused = [&](const QString& shown) { refused << shown; };
    s.open = [&](const QUrl& url) { opened << url.toString(); };
    EXPECT_TRUE(FollowReportLink("https://example.com", s));
    EXPECT_EQ(FollowReportLink("ftp://example.com/x", s), yes);
    EXPECT_FALSE(FollowReportLink("file:///usr/share/applications/x.desktop", s));
    EXPECT_EQ(asked, QStringList{"ftp://example.com/x"});
    EXPECT_EQ(refused.size(), 1);
    EXPECT_EQ(opened, yes ? QStringList({"https://example.com", "ftp://example.com/x"})
                          : QStringList{"https://example.com"});
  }
}

TEST(ReportLink, TheDesktopHandlerGetsTheAddressAsOneArgument) {
  const fs::path folder = fs::temp_directory_path() / ("quarlo-handler-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path log = folder / "requests";
  const fs::path handler = folder / "xdg-open";
  std::ofstream(handler) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" << log.string() << "'\n";
  ::chmod(handler.c_str(), 0755);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(folder.string()) + ":" + path);
  ReportLinkServices s = DesktopReportLinkServices(nullptr);
  s.confirm = [](const QString&) { return true; };
  EXPECT_TRUE(FollowReportLink("http://example.com/a b;$(touch x)", s));
  EXPECT_TRUE(FollowReportLink("mailto:a@example.com", s));
  QElapsedTimer wait;
  wait.start();
  std::string requests;
  while (wait.elapsed() < 10000) {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    requests = text.str();
    if (std::count(requests.begin(), requests.end(), '\n') >= 2) break;
    QThread::msleep(50);
  }
  qputenv("PATH", path);
  EXPECT_NE(requests.find("1|http://example.com/a%20b;$(touch%20x)\n"), std::string::npos) << requests;
  EXPECT_NE(requests.find("1|mailto:a@example.com\n"), std::string::npos) << requests;
  EXPECT_FALSE(fs::exists(folder / "x"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quarlo
