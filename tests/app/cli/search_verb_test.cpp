// quarlo-cli search on a generated report: one line per match in the order repeated
// finds reach them, the case and start-page flags, and what a script sees without a
// match or with a wrong command line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "support/search_report.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

struct Line {
  int page;
  CanvasRect rect;
};

std::vector<Line> ParseLines(const std::string& out) {
  std::vector<Line> lines;
  std::istringstream in(out);
  std::string text;
  while (std::getline(in, text)) {
    std::istringstream fields(text);
    Line l{};
    fields >> l.page >> l.rect.left >> l.rect.top >> l.rect.right >> l.rect.bottom;
    EXPECT_TRUE(fields && fields.peek() == EOF) << "malformed line: " << text;
    lines.push_back(l);
  }
  return lines;
}

class CliSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.Write("s.fp3", testing::SearchReport()); }
  std::string Report() const { return folder.Path("s.fp3"); }
  ScratchFolder folder{"search"};
};

TEST_F(CliSearchTest, ListsEveryMatchInOrder) {
  struct Case {
    std::vector<std::string> flags;
    std::string text;
    std::vector<int> pages;  // 1-based page of each line
  } cases[] = {
      {{}, "apple", {1, 2}},
      {{"--case"}, "apple", {1}},
      {{}, "销售", {1, 3}},
      {{"--from", "2"}, "销售", {3}},
      {{"--case", "--from", "1"}, "Q3销售", {3}},
      {{}, "Banana", {1}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"search", Report(), c.text};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const auto r = RunCli(args);
    SCOPED_TRACE(c.text);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<Line> lines = ParseLines(r.out);
    ASSERT_EQ(lines.size(), c.pages.size()) << r.out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].page, c.pages[i]);
      const CanvasRect memo = testing::SearchReportMemoRect(0);
      EXPECT_GE(lines[i].rect.left, memo.left);
      EXPECT_GT(lines[i].rect.right, lines[i].rect.left);
      EXPECT_GT(lines[i].rect.bottom, lines[i].rect.top);
    }
  }
}

TEST_F(CliSearchTest, NoMatchIsStatusOneWithNothingPrinted) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"search", Report(), "melon strawberry"}, {"search", Report(), "strawberry melon"},
        {"search", Report(), ""}, {"search", Report(), "APPLE", "--case", "--from", "3"},
        {"search", Report(), "apple", "--from", "9"}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 1) << args[2];
    EXPECT_EQ(r.out, "") << args[2];
  }
}

TEST_F(CliSearchTest, CommandLineErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"search"},
      {"search", Report()},
      {"search", Report(), "x", "--from", "0"},
      {"search", Report(), "x", "--from", "two"},
      {"search", Report(), "x", "--bogus"},
      {"search", Report(), "x", "y"},
  };
  for (const auto& args : cases) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: quarlo-cli search"), std::string::npos) << r.err;
  }
}

TEST_F(CliSearchTest, AnUnreadableFileIsAnErrorNotANoMatch) {
  const auto r = RunCli({"search", folder.Path("missing.fp3"), "x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(r.err.empty());
}

TEST_F(CliSearchTest, HelpSaysWhatNoMatchGives) {
  const auto r = RunCli({"search", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("1 with none"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("2 for any error"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quarlo
