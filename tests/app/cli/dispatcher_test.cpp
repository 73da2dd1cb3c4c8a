// The verb dispatcher: help texts, unknown verbs and the exit statuses scripts rely on.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "cli_test_support.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;

TEST(CliDispatcherTest, StatusesAndWhereTheTextGoes) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* onOut;  // expected in standard output ("" = nothing there)
    const char* onErr;
  };
  const Case cases[] = {
      {{}, 2, "", "usage: quarlo-cli VERB"},
      {{"help"}, 0, "  info ", ""},
      {{"--help"}, 0, "  resave ", ""},
      {{"help", "resave"}, 0, "usage: quarlo-cli resave IN OUT", ""},
      {{"info", "--help"}, 0, "usage: quarlo-cli info FILE", ""},
      {{"info", "-h"}, 0, "usage: quarlo-cli info FILE", ""},
      {{"help", "render"}, 0, "  --dpi N, -r N ", ""},
      {{"frobnicate"}, 2, "", "unknown verb 'frobnicate'"},
      {{"info"}, 2, "", "usage: quarlo-cli info FILE"},
      {{"info", "a", "b"}, 2, "", "expects one file name"},
      {{"resave", "a"}, 2, "", "usage: quarlo-cli resave IN OUT"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    const std::string what = c.args.empty() ? "(no arguments)" : c.args[0];
    EXPECT_EQ(r.status, c.status) << what;
    if (*c.onOut) {
      EXPECT_NE(r.out.find(c.onOut), std::string::npos) << what << ": " << r.out;
    } else {
      EXPECT_EQ(r.out, "") << what;
    }
    if (*c.onErr) {
      EXPECT_NE(r.err.find(c.onErr), std::string::npos) << what << ": " << r.err;
    } else {
      EXPECT_EQ(r.err, "") << what;
    }
  }
}

TEST(CliDispatcherTest, TheVerbListIsSorted) {
  const auto verbs = cli::Verbs();
  ASSERT_GE(verbs.size(), 2u);
  for (size_t i = 1; i < verbs.size(); ++i) {
    EXPECT_LT(std::string(verbs[i - 1]->name), std::string(verbs[i]->name));
  }
}

TEST(CliDispatcherTest, TheBuiltProgramRunsVerbsAndReportsFailures) {
  QProcess program;
  program.start(QUARLO_CLI_PATH, QStringList{"info", QUARLO_SOURCE_DIR "/samples/sample.fp3"});
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(program.readAllStandardOutput().contains("\"pageCount\": 9"));

  // Standard error is silent on success, also where Qt would warn about its
  // surroundings (no runtime directory).
  cli_testing::ScratchFolder folder("built-program");
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("XDG_RUNTIME_DIR");
  environment.remove("QT_QPA_PLATFORM");
  program.setProcessEnvironment(environment);
  const QString png = QString::fromStdString(folder.Path("p.png"));
  program.start(QUARLO_CLI_PATH, QStringList{"render", QUARLO_SOURCE_DIR "/samples/sample.fp3", "-o", png, "--pages",
                                             "2", "--zoom", "0.25"});
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(program.readAllStandardOutput().toStdString(), png.toStdString() + "\n");
  EXPECT_EQ(program.readAllStandardError().toStdString(), "");

  program.start(QUARLO_CLI_PATH, QStringList{"info", "/nonexistent/x.fp3"});
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 1);
  EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
  EXPECT_TRUE(program.readAllStandardError().contains("Cannot open file"));
}

}  // namespace
}  // namespace quarlo
