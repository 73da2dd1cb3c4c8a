// Objects of classes this program does not implement: read and kept as they stand in
// source pages and complete pages, written back byte for byte, and left out of the
// pages that name them while the rest of each page builds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/preview_pages.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/stream.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using namespace store_fixtures;

// Other producers' classes, each with attributes and children of its own.
const std::string kRich =
    "<TfrxRichView Name=\"Rich1\" Left=\"10\" Top=\"30\" Width=\"200\" Height=\"50\" GapX=\"2\" "
    "RichEdit=\"7B5C727466317D\"><TfrxRichLine a=\"&#60;1&#62;\"/><x/></TfrxRichView>";
const std::string kCheck = "<TfrxCheckBoxView Name=\"Check1\" Left=\"1\" Checked=\"True\" CheckStyle=\"csCross\"/>";

std::string Report() {
  return std::string(kHeader) +
         "<preparedreport><previewpages>"
         "<page0><b1><m1 u=\"kept\"/><r1 l=\"5\"/></b1></page0>"
         "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\">" + kCheck +
         "<TfrxMemoView Name=\"M\" Text=\"drawn\"/></TfrxReportPage>"
         "<page0><b1><m1/></b1></page0>"
         "</previewpages><sourcepages><TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
         "<TfrxMasterData Name=\"MasterData1\" Top=\"20\" Width=\"718\" Height=\"90\">"
         "<TfrxMemoView Name=\"Memo1\" Width=\"100\" Height=\"20\" Text=\"template\"/>" + kRich +
         "</TfrxMasterData></TfrxReportPage></sourcepages>"
         "<dictionary><b1 name=\"Page0.MasterData1\"/><m1 name=\"Page0.Memo1\"/><r1 name=\"Page0.Rich1\"/>"
         "</dictionary></preparedreport>";
}

std::string Save(TfrxPreviewPages& pages) {
  MemoryStream out;
  pages.SaveToStream(out);
  return out.Data();
}

TEST(UnknownClasses, PagesBuildWithoutThemAndSayWhichClassesWereLeftOut) {
  RegisterClasses();
  TfrxPreviewPages pages(nullptr);
  MemoryStream in(Report());
  pages.LoadFromStream(in);
  for (int i = 0; i < 3; ++i) ASSERT_NE(pages.PageObject(i), nullptr) << i;
  const auto texts = [&](int index) {
    std::vector<std::u16string> out;
    for (TfrxComponent* c : pages.PageObject(index)->AllObjects())
      if (auto* memo = As<TfrxMemoView>(c)) out.push_back(memo->Memo().Text());
    return out;
  };
  EXPECT_EQ(texts(0), std::vector<std::u16string>{u"kept\r\n"});
  EXPECT_EQ(texts(1), std::vector<std::u16string>{u"drawn\r\n"});
  const std::map<int, std::vector<std::string>> expected{{0, {"TfrxRichView"}}, {1, {"TfrxCheckBoxView"}}};
  EXPECT_EQ(pages.LeftOutClasses(), expected);
}

TEST(UnknownClasses, ASaveWritesThemBackByteForByte) {
  RegisterClasses();
  TfrxPreviewPages pages(nullptr);
  MemoryStream in(Report());
  pages.LoadFromStream(in);
  const std::string once = Save(pages);
  EXPECT_NE(once.find(kRich), std::string::npos) << once;
  EXPECT_NE(once.find(kCheck), std::string::npos) << once;
  EXPECT_NE(once.find("<r1 name=\"Page0.Rich1\"/>"), std::string::npos);

  // Built, edited and saved: a page keeps what it could not draw.
  pages.ReplacePage(1, *pages.PageObject(1));
  const std::string edited = Save(pages);
  EXPECT_NE(edited.find(kCheck), std::string::npos) << edited;

  TfrxPreviewPages again(nullptr);
  MemoryStream second(once);
  again.LoadFromStream(second);
  EXPECT_EQ(Save(again), once);
}

// Attributes of known classes that no property takes, and texts that look like
// references, stay as the file wrote them: in the template a compact object copies,
// in a complete page, and through a save and a page rewritten from its objects.
TEST(UnknownClasses, AttributesNoPropertyTakesAndTemplateTextsStayAsWritten) {
  RegisterClasses();
  const std::string templateMemo =
      "<TfrxMemoView Name=\"Memo1\" Width=\"100\" Height=\"20\" Fill.BackColor=\"255\" "
      "Text=\"say &#38;quot;hi&#38;quot;\"/>";
  const std::string completeMemo =
      "<TfrxMemoView Name=\"M\" Fill.BackColor=\"16\" Text=\"say &#38;quot;hi&#38;quot;\"/>";
  const std::string file = std::string(kHeader) +
                           "<preparedreport><previewpages><page0><m1/></page0>"
                           "<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\">" + completeMemo +
                           "</TfrxReportPage></previewpages><sourcepages>"
                           "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">" + templateMemo +
                           "</TfrxReportPage></sourcepages><dictionary><m1 name=\"Page0.Memo1\"/></dictionary>"
                           "</preparedreport>";
  TfrxPreviewPages pages(nullptr);
  MemoryStream in(file);
  pages.LoadFromStream(in);
  const auto memoText = [&](TfrxPreviewPages& store, int index) {
    for (TfrxComponent* c : store.PageObject(index)->AllObjects())
      if (auto* memo = As<TfrxMemoView>(c)) return memo->Memo().Text();
    return std::u16string(u"no memo");
  };
  EXPECT_EQ(memoText(pages, 0), u"say &quot;hi&quot;\r\n");
  EXPECT_EQ(memoText(pages, 1), memoText(pages, 0));

  const std::string once = Save(pages);
  EXPECT_NE(once.find(templateMemo), std::string::npos) << once;
  EXPECT_NE(once.find(completeMemo), std::string::npos) << once;
  TfrxPreviewPages again(nullptr);
  MemoryStream second(once);
  again.LoadFromStream(second);
  EXPECT_EQ(memoText(again, 0), u"say &quot;hi&quot;\r\n");

  // Pages written again from their objects keep the attributes too, a compact page
  // with its template's.
  pages.ReplacePage(1, *pages.PageObject(1));
  pages.ReplacePage(0, *pages.PageObject(0));
  const std::string rewritten = Save(pages);
  EXPECT_NE(rewritten.find("Fill.BackColor=\"16\""), std::string::npos) << rewritten;
  EXPECT_NE(rewritten.find("<TfrxMemoView Name=\"Memo1\""), std::string::npos) << rewritten;
  const size_t compactRewritten = rewritten.find("<previewpages>");
  EXPECT_NE(rewritten.find("Fill.BackColor=\"255\"", compactRewritten), std::string::npos) << rewritten;
  TfrxPreviewPages third(nullptr);
  MemoryStream thirdIn(rewritten);
  third.LoadFromStream(thirdIn);
  EXPECT_EQ(memoText(third, 0), u"say &quot;hi&quot;\r\n");
  EXPECT_EQ(memoText(third, 1), u"say &quot;hi&quot;\r\n");
}

}  // namespace
}  // namespace quarlo
