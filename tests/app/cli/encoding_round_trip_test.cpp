// A saved report reads back exactly as it was read: a file of code-page strings stays
// one, a file whose header makes its strings UTF-8 keeps that header and gets its
// regenerated sections in UTF-8. Checked by a second load and redraw (PNG bytes), the
// report described again, and libxml2 for well-formedness.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"
#include "platform/codepage.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

// One compact page whose memo takes font, hint and name from its template; strings
// other than texts are spelled by encode (code page bytes or UTF-8).
std::string Report(const std::string& header, std::string (*encode)(const std::string&)) {
  return header +
         "<preparedreport><previewpages><page0><b1><m1 u=\"第一行 &#38; more\"/></b1></page0></previewpages>"
         "<outline><item text=\"" + encode("第一章") + "\" page=\"0\" top=\"0\"/></outline>"
         "<report><TfrxReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"1\" "
         "PreviewOptions.OutlineWidth=\"120\" ReportOptions.Name=\"" + encode("销售报表") + "\"/></report>"
         "<sourcepages><TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\" PaperSize=\"256\">"
         "<TfrxMasterData Name=\"MasterData1\" Top=\"10\" Width=\"370\" Height=\"60\">"
         "<TfrxMemoView Name=\"Memo1\" Left=\"4\" Width=\"300\" Height=\"40\" Font.Name=\"" + encode("黑体") +
         "\" Font.Height=\"-24\" Hint=\"" + encode("提示") + "\" Text=\"模板\"/>"
         "</TfrxMasterData></TfrxReportPage></sourcepages>"
         "<dictionary><b1 name=\"Page0.MasterData1\"/><m1 name=\"Page0.Memo1\"/></dictionary></preparedreport>";
}

std::string AsCodePage(const std::string& utf8) { return Utf8ToSystem(utf8); }
std::string AsUtf8(const std::string& utf8) { return utf8; }

// libxml2's verdict on the structure; code-page bytes are not UTF-8, so the bytes above
// 127 are masked for files that mix the two, as every code-page file does.
bool WellFormed(const std::string& path, bool utf8) {
  int status = -1;
  const std::string masked = utf8 ? "cat " : "LC_ALL=C tr '\\200-\\377' x < ";
  spooler::RunCommand(masked + spooler::ShellQuote(path) + " | xmllint --noout - 2>&1", &status);
  return status == 0;
}

TEST(EncodingRoundTrip, ASaveReadsBackAsTheFileWasRead) {
  ScratchFolder folder("encodings");
  struct Case {
    const char* what;
    std::string header;
    bool utf8;
  } cases[] = {
      {"code page", "<?xml version=\"1.0\" encoding=\"utf-8\"?>", false},
      {"standalone no", "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>", true},
      {"standalone yes", "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", true},
  };
  for (const Case& c : cases) {
    folder.Write("in.fp3", Report(c.header, c.utf8 ? AsUtf8 : AsCodePage));
    ASSERT_EQ(RunCli({"resave", folder.Path("in.fp3"), folder.Path("once.fp3")}).status, 0) << c.what;
    ASSERT_EQ(RunCli({"resave", folder.Path("once.fp3"), folder.Path("twice.fp3")}).status, 0) << c.what;
    const std::string once = folder.Read("once.fp3");
    EXPECT_EQ(once.rfind(c.header, 0), 0u) << c.what << ": " << once.substr(0, 80);
    EXPECT_EQ(folder.Read("twice.fp3"), once) << c.what;
    // The regenerated template carries its strings in the file's encoding.
    const std::string font = c.utf8 ? std::string("黑体") : AsCodePage("黑体");
    EXPECT_NE(once.find("Font.Name=\"" + font + "\""), std::string::npos) << c.what;
    const std::string name = c.utf8 ? std::string("销售报表") : AsCodePage("销售报表");
    EXPECT_NE(once.find("ReportOptions.Name=\"" + name + "\""), std::string::npos) << c.what;
    EXPECT_TRUE(WellFormed(folder.Path("in.fp3"), c.utf8)) << c.what;
    EXPECT_TRUE(WellFormed(folder.Path("once.fp3"), c.utf8)) << c.what;

    const auto before = RunCli({"info", folder.Path("in.fp3")});
    const auto after = RunCli({"info", folder.Path("once.fp3")});
    ASSERT_EQ(before.status, 0) << c.what << before.err;
    EXPECT_NE(before.out.find("销售报表"), std::string::npos) << c.what << before.out;
    EXPECT_NE(before.out.find("第一章"), std::string::npos) << c.what << before.out;
    EXPECT_EQ(after.out.substr(after.out.find("\"pageCount\"")), before.out.substr(before.out.find("\"pageCount\"")))
        << c.what;

    ASSERT_EQ(RunCli({"render", folder.Path("in.fp3"), "-o", folder.Path("in.png")}).status, 0) << c.what;
    ASSERT_EQ(RunCli({"render", folder.Path("once.fp3"), "-o", folder.Path("once.png")}).status, 0) << c.what;
    EXPECT_EQ(folder.Read("once.png"), folder.Read("in.png")) << c.what;
  }
}

TEST(EncodingRoundTrip, AFileWithoutARootElementIsSavedWellFormed) {
  ScratchFolder folder("header-only");
  for (const std::string& bytes : {std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>"),
                                   std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?></x>")}) {
    folder.Write("in.fp3", bytes);
    const auto r = RunCli({"resave", folder.Path("in.fp3"), folder.Path("out.fp3")});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string out = folder.Read("out.fp3");
    EXPECT_NE(out.find("<preparedreport>"), std::string::npos) << out;
    EXPECT_TRUE(WellFormed(folder.Path("out.fp3"), true)) << out;
  }
}

}  // namespace
}  // namespace quarlo
