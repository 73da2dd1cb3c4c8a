// Names a file holds as code page bytes (or, when its header says so, as UTF-8) reach
// the outputs decoded: the report's name, outline and anchors in `info` as Python's JSON
// parser reads them, and the name and outline as the PDF's title and bookmarks as
// poppler reads them.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"
#include "support/file_encodings.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

std::string Report(const testing::FileEncoding& encoding) {
  auto encode = [&](const char* utf8) { return encoding.Encode(utf8); };
  return std::string(encoding.header) +
         "<preparedreport><previewpages><TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
         "<TfrxMemoView Name=\"M\" Width=\"300\" Height=\"30\" Text=\"one\"/></TfrxReportPage>"
         "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
         "<TfrxMemoView Name=\"M\" Width=\"300\" Height=\"30\" Text=\"two\"/></TfrxReportPage></previewpages>"
         "<outline><item text=\"" + encode("第一章") + "\" page=\"0\" top=\"0\"><item text=\"" + encode("第二节 &amp; 附录") +
         "\" page=\"1\" top=\"0\"/></item></outline>"
         "<anchors><item text=\"" + encode("锚点") + "\" page=\"1\" top=\"0\"/></anchors>"
         "<report><TfrxReport ReportOptions.Name=\"" + encode("销售报表") + "\"/></report></preparedreport>";
}

TEST(CodePageNames, ReachJsonAndPdfDecoded) {
  ScratchFolder folder("code-page-names");
  for (const testing::FileEncoding& c : testing::kFileEncodings) {
    SCOPED_TRACE(c.label);
    folder.Write("r.fp3", Report(c));

    const auto info = RunCli({"info", folder.Path("r.fp3")});
    ASSERT_EQ(info.status, 0) << info.err;
    folder.Write("info.json", info.out);
    const std::string read = spooler::RunCommand(
        "python3 -c 'import json,sys; d=json.load(open(sys.argv[1], encoding=\"utf-8\")); "
        "o=d[\"outline\"][0]; print(d[\"report\"][\"name\"], o[\"text\"], o[\"children\"][0][\"text\"], "
        "d[\"anchors\"][0][\"text\"], sep=\"|\")' " + spooler::ShellQuote(folder.Path("info.json")) + " 2>&1");
    EXPECT_EQ(read, "销售报表|第一章|第二节 & 附录|锚点\n");

    const auto pdf = RunCli({"pdf", folder.Path("r.fp3"), "-o", folder.Path("r.pdf")});
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    const auto pdfInfo = spooler::ReadPdfInfo(folder.Path("r.pdf"));
    ASSERT_TRUE(pdfInfo);
    EXPECT_EQ(pdfInfo->title, "销售报表");
    // poppler's outline, one line per entry: its page and its title.
    const std::string bookmarks = spooler::RunCommand(
        "pdftohtml -xml -stdout -i -q " + spooler::ShellQuote(folder.Path("r.pdf")) +
        " | sed -n 's/^<item page=\"\\([0-9]*\\)\">\\(.*\\)<\\/item>$/\\1 \\2/p'");
    EXPECT_EQ(bookmarks, "1 第一章\n2 第二节 &amp; 附录\n");
  }
}

}  // namespace
}  // namespace quarlo
