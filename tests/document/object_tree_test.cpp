#include <gtest/gtest.h>

#include "objects/serializer.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "support/model_fixtures.h"
#include "objects/class_registry.h"
#include "objects/unknown_object.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;
using testing::TTestPage;
using testing::TTestReport;

class ObjectTree : public ::testing::Test {
 protected:
  void SetUp() override { testing::RegisterTestClasses(); }

  // page > band1 (child: band2) > memo1 (flows to memo2), memo2; band2 > line-like view
  void Build(TTestPage& page) {
    page.SetPaperWidth(100);
    page.HGuides()->SetText("5\r\n");
    auto* band1 = new TTestBand(&page);
    band1->SetName("Band1");
    band1->SetBounds(0, 10, 300, 50);
    auto* band2 = new TTestBand(&page);
    band2->SetName("Band2");
    band2->SetBounds(0, 70, 300, 40);
    band1->SetChild(band2);
    auto* memo1 = new TTestMemo(band1);
    memo1->SetName("Memo1");
    memo1->SetBounds(1, 2, 100, 20);
    memo1->Memo()->SetText(u"A\r\nB\r\n");
    memo1->SetHAlign(testing::thCenter);
    memo1->Frame()->SetTyp(15);
    memo1->Frame()->LeftLine()->SetWidth(2.5);
    TFont f;
    f.SetName("\xCB\xCE\xCC\xE5");  // a code page 936 font name
    f.SetStyle(fsBold);
    memo1->SetFont(f);
    auto* memo2 = new TTestMemo(band1);
    memo2->SetName("Memo2");
    memo2->SetHint(u"tip \u4F60");
    memo2->Blob = std::string("\x89PNG\0\1", 6);
    memo1->SetFlowTo(memo2);
    auto* view = new testing::TTestView(band2);
    view->SetName("View1");
    view->SetTagStr("[Page#]");
    view->SetVisible(false);
  }

  // Every published property of every object, spelled by the serializer.
  static std::vector<std::string> Describe(TfrxComponent& root) {
    TfrxXMLSerializer s;
    s.Owner = &root;
    s.SerializeDefaultValues = true;
    std::vector<std::string> out{s.WriteObjectLine(root)};
    for (TfrxComponent* c : root.AllObjects()) {
      out.push_back(c->Name() + " in " + (c->Parent() ? c->Parent()->Name() : "") + ": " +
                    s.WriteObjectLine(*c));
    }
    return out;
  }
};

TEST_F(ObjectTree, WrittenTreeReadsBackEqualPropertyByProperty) {
  for (bool codePage : {true, false}) {
    TTestPage page(nullptr);
    Build(page);
    TfrxXMLDocument doc;
    TfrxXMLSerializer writer;
    writer.CodePageStrings = codePage;
    writer.WriteObjectTree(page, true, doc.Root());

    TTestPage copy(nullptr);
    TfrxXMLSerializer reader;
    reader.CodePageStrings = codePage;
    reader.ReadObjectTree(copy, doc.Root());
    EXPECT_TRUE(reader.Errors().empty()) << *reader.Errors().begin();
    EXPECT_EQ(Describe(copy), Describe(page)) << "code page strings " << codePage;
    auto* memo1 = static_cast<TTestMemo*>(copy.FindObject("Memo1"));
    ASSERT_NE(memo1, nullptr);
    EXPECT_EQ(memo1->FlowTo(), copy.FindObject("Memo2"));
    EXPECT_EQ(static_cast<TTestBand*>(copy.FindObject("Band1"))->Child(), copy.FindObject("Band2"));
    EXPECT_EQ(memo1->Memo()->Count(), 2);
  }
}

TEST_F(ObjectTree, ElementNamesAndRootAttributes) {
  TTestPage page(nullptr);
  Build(page);
  page.FindObject("View1")->SetAncestor(true);
  TfrxXMLDocument doc;
  TfrxXMLSerializer s;
  s.WriteObjectTree(page, true, doc.Root());
  TfrxXMLItem* root = doc.Root();
  EXPECT_EQ(root->Name, "TTestPage");
  EXPECT_EQ(root->Text.find("Name="), std::string::npos);  // the root carries no name
  ASSERT_EQ(root->Count(), 2);
  EXPECT_EQ(root->Items(0)->Name, "TTestBand");
  EXPECT_EQ(root->Items(0)->Text.rfind("Name=\"Band1\" ", 0), 0u);
  EXPECT_EQ(root->Items(1)->Items(0)->Name, "inherited");

  TfrxXMLDocument flat;
  s.WriteObjectTree(page, false, flat.Root());
  EXPECT_EQ(flat.Root()->Count(), 0);
}

TEST_F(ObjectTree, AnUnknownClassIsKeptWholeAndWrittenBackAsItWasRead) {
  TfrxXMLDocument doc;
  TfrxXMLItem* root = doc.Root();
  root->Name = "TTestPage";
  TfrxXMLItem* alien = root->Add();
  alien->Name = "TfrxAlienView";
  alien->Text = "Name=\"Alien\"";
  TfrxXMLItem* inside = alien->Add();
  inside->Name = "TTestMemo";
  inside->Text = "Name=\"Inside\"";
  TfrxXMLItem* second = root->Add();
  second->Name = "TfrxAlienView";
  TfrxXMLItem* band = root->Add();
  band->Name = "TTestBand";
  band->Text = "Name=\"Band1\" Top=\"bad\" Height=\"5\"";

  TTestPage page(nullptr);
  TfrxXMLSerializer s;
  s.ReadObjectTree(page, root);
  std::vector<std::string> errors(s.Errors().begin(), s.Errors().end());
  EXPECT_EQ(errors, (std::vector<std::string>{"'bad' is not a valid floating point value"}));
  ASSERT_EQ(page.Objects().size(), 3u);
  const auto* kept = As<TfrxUnknownObject>(page.Objects()[0]);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Name(), "Alien");
  EXPECT_EQ(kept->FileClassName(), "TfrxAlienView");
  EXPECT_EQ(page.Objects()[2]->Name(), "Band1");
  EXPECT_DOUBLE_EQ(page.Objects()[2]->Height(), 5);
  EXPECT_EQ(page.FindObject("Inside"), nullptr);  // what is inside stays XML
  EXPECT_EQ(UnknownClassesIn(page), std::vector<std::string>{"TfrxAlienView"});

  TfrxXMLDocument written;
  s.WriteObjectTree(page, true, written.Root());
  ASSERT_EQ(written.Root()->Count(), 3);
  const TfrxXMLItem& back = *written.Root()->Items(0);
  EXPECT_EQ(back.Name, "TfrxAlienView");
  EXPECT_EQ(back.Text, "Name=\"Alien\"");
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.Items(0)->Name, "TTestMemo");
  EXPECT_EQ(back.Items(0)->Text, "Name=\"Inside\"");
  EXPECT_EQ(written.Root()->Items(1)->Name, "TfrxAlienView");
}

TEST_F(ObjectTree, NamedChildIsReadOntoTheComponentOwnedByOwner) {
  TTestReport report(nullptr);
  auto* page = new TTestPage(&report);
  auto* existing = new TTestMemo(page);
  existing->SetName("Memo1");
  existing->SetTagStr("kept");

  TfrxXMLDocument doc;
  doc.Root()->Name = "TTestPage";
  TfrxXMLItem* child = doc.Root()->Add();
  child->Name = "TTestMemo";
  child->Text = "Name=\"memo1\" Left=\"9\"";
  TfrxXMLSerializer s;
  s.Owner = &report;
  s.ReadObjectTree(*page, doc.Root());
  ASSERT_EQ(page->Objects().size(), 1u);
  EXPECT_EQ(page->Objects()[0], existing);
  EXPECT_DOUBLE_EQ(existing->Left(), 9);
  EXPECT_EQ(existing->TagStr(), "kept");
}

TEST_F(ObjectTree, DeepNestingIsCutAndReported) {
  TfrxXMLDocument doc;
  TfrxXMLItem* item = doc.Root();
  item->Name = "TTestPage";
  for (int i = 0; i < 2000; ++i) {
    item = item->Add();
    item->Name = "TTestMemo";
  }
  TTestPage page(nullptr);
  TfrxXMLSerializer s;
  s.ReadObjectTree(page, doc.Root());
  ASSERT_EQ(s.Errors().size(), 1u);
  EXPECT_EQ(s.Errors().begin()->rfind("Object tree too deep", 0), 0u);
  EXPECT_EQ(page.AllObjects().size(), 256u);
}

TEST_F(ObjectTree, ObjectLinesRoundTripAndUnknownClassRaises) {
  TTestPage page(nullptr);
  Build(page);
  TfrxXMLSerializer s;
  auto* memo1 = page.FindObject("Memo1");
  std::string line = s.WriteObjectLine(*memo1);
  EXPECT_EQ(line.rfind("TTestMemo ", 0), 0u);
  TfrxComponent* copy = s.ReadObjectLine(&page, "  " + line + "  ");
  EXPECT_EQ(copy->Parent(), &page);
  EXPECT_EQ(s.WriteObjectLine(*copy), line);
  EXPECT_EQ(static_cast<TTestMemo*>(copy)->FlowTo(), page.FindObject("Memo2"));
  EXPECT_THROW(s.ReadObjectLine(&page, "TNoSuch Left=\"1\""), EClassNotFound);
}

TEST_F(ObjectTree, LoadAndSaveThroughStreamsAndAssign) {
  TTestPage page(nullptr);
  Build(page);
  MemoryStream stream;
  page.SaveToStream(stream);
  EXPECT_EQ(stream.Data().rfind("<?xml", 0), 0u);
  stream.SetPosition(0);
  TTestPage loaded(nullptr);
  new TTestMemo(&loaded);  // cleared first
  loaded.LoadFromStream(stream);
  EXPECT_EQ(Describe(loaded), Describe(page));

  // Assign copies the properties, not the children, including values at their defaults.
  auto* source = static_cast<TTestMemo*>(page.FindObject("Memo1"));
  TTestMemo target(nullptr);
  target.SetGapX(9);
  target.SetTagStr("old");
  target.Assign(*source);
  EXPECT_DOUBLE_EQ(target.GapX(), 2);
  EXPECT_EQ(target.TagStr(), "");
  EXPECT_EQ(target.Memo()->Count(), 2);

  TTestPage whole(nullptr);
  whole.AssignWithChildren(page);
  EXPECT_EQ(Describe(whole), Describe(page));
}

TEST_F(ObjectTree, LoadFromStreamHandsTheErrorsToTheReport) {
  TTestReport report(nullptr);
  auto* page = new TTestPage(&report);
  auto* memo = new TTestMemo(page);
  new TTestMemo(memo);  // cleared by loading
  MemoryStream stream(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><TTestMemo Left=\"x\" Top=\"4\"/>");
  memo->LoadFromStream(stream);
  EXPECT_TRUE(memo->Objects().empty());
  EXPECT_DOUBLE_EQ(memo->Top(), 4);
  EXPECT_EQ(report.errors, std::set<std::string>{"'x' is not a valid floating point value"});
}

}  // namespace
}  // namespace quarlo
