// A page holding objects of classes this program does not implement still renders and
// prints; the verbs warn which page left out which class and keep exit status 0.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

std::string Report() {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>"
         "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\"><TfrxMemoView Name=\"M\" Width=\"200\" "
         "Height=\"30\" Text=\"first\"/></TfrxReportPage>"
         "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\"><TfrxMemoView Name=\"M\" Width=\"200\" "
         "Height=\"30\" Text=\"second\"/><TfrxRichView Name=\"R\" Width=\"50\" Height=\"50\"/>"
         "<TfrxOLEView Name=\"O\"/><TfrxRichView Name=\"R2\"/></TfrxReportPage>"
         "</previewpages></preparedreport>";
}

TEST(LeftOutClasses, RenderAndPdfWarnNamingPageAndClass) {
  ScratchFolder folder("left-out");
  folder.Write("r.fp3", Report());
  const std::string warning =
      "warning: page 2: left out objects of class TfrxOLEView, TfrxRichView (not supported)\n";
  struct Case {
    std::vector<std::string> args;
    std::string verb;
  } cases[] = {
      {{"render", folder.Path("r.fp3"), "-o", folder.Path("p.png"), "--pages", "1-2"}, "render"},
      {{"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf")}, "pdf"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 0) << c.verb << ": " << r.err;
    EXPECT_EQ(r.err, "quarlo-cli " + c.verb + ": " + warning) << c.verb;
  }
  EXPECT_TRUE(folder.Exists("p-2.png"));
  // The page without them gives no warning.
  const auto first = RunCli({"render", folder.Path("r.fp3"), "-o", folder.Path("p.png"), "--pages", "1"});
  EXPECT_EQ(first.err, "");
}

}  // namespace
}  // namespace quarlo
