#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "xml/xml_document.h"
#include "xml_tree_dump.h"

namespace quarlo {
namespace {

using testing::DumpTree;

struct PropReadCase {
  const char* label;
  const char* text;
  const char* name;
  const char* value;  // nullptr: absent
};

class PropReadTest : public ::testing::TestWithParam<PropReadCase> {};

TEST_P(PropReadTest, FindsAttributesOnlyWhereTheLookupRulesAllow) {
  const PropReadCase& c = GetParam();
  TfrxXMLItem item;
  item.Text = c.text;
  EXPECT_EQ(item.HasProp(c.name), c.value != nullptr);
  EXPECT_EQ(item.Prop(c.name), c.value ? c.value : "");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PropReadTest,
    ::testing::Values(
        PropReadCase{"first", "l=\"1\" t=\"2\"", "l", "1"},
        PropReadCase{"second", "l=\"1\" t=\"2\"", "t", "2"},
        PropReadCase{"upper_case_name", "left=\"5\"", "LEFT", "5"},
        PropReadCase{"leading_space_kept_by_reader", " a=\"1\"", "a", "1"},
        PropReadCase{"suffix_of_other_name", "Font.Name=\"Arial\" Name=\"M\"", "Name", "M"},
        PropReadCase{"only_suffix_present", "Font.Name=\"Arial\"", "Name", nullptr},
        PropReadCase{"name_inside_a_value", "x=\" a=&#34;1\"", "a", nullptr},
        PropReadCase{"space_before_equals", "a =\"1\"", "a", nullptr},
        PropReadCase{"single_quotes", "a='1'", "a", nullptr},
        PropReadCase{"empty_value", "a=\"\" b=\"2\"", "a", ""},
        PropReadCase{"unescaped", "u=\"1&#60;2&#38;3\"", "u", "1<2&3"},
        PropReadCase{"missing_closing_quote", "a=\"open", "a", "open"},
        PropReadCase{"absent", "a=\"1\"", "b", nullptr},
        PropReadCase{"empty_text", "", "a", nullptr},
        PropReadCase{"empty_name", "a=\"1\"", "", nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

struct PropWriteCase {
  const char* label;
  const char* before;
  const char* name;
  const char* value;
  const char* after;
};

class PropWriteTest : public ::testing::TestWithParam<PropWriteCase> {};

TEST_P(PropWriteTest, ReplacesInPlaceOrAppends) {
  const PropWriteCase& c = GetParam();
  TfrxXMLItem item;
  item.Text = c.before;
  item.Prop(c.name, c.value);
  EXPECT_EQ(item.Text, c.after);
  EXPECT_EQ(item.Prop(c.name), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PropWriteTest,
    ::testing::Values(
        PropWriteCase{"into_empty", "", "a", "1", "a=\"1\""},
        PropWriteCase{"append", "a=\"1\"", "b", "2", "a=\"1\" b=\"2\""},
        PropWriteCase{"append_after_space", "a=\"1\" ", "b", "2", "a=\"1\" b=\"2\""},
        PropWriteCase{"replace_keeps_place", "a=\"1\" b=\"2\" c=\"3\"", "b", "xyz",
                      "a=\"1\" b=\"xyz\" c=\"3\""},
        PropWriteCase{"replace_first", "a=\"1\" b=\"2\"", "A", "9", "A=\"9\" b=\"2\""},
        PropWriteCase{"escapes_value", "", "u", "<\"&>", "u=\"&#60;&#34;&#38;&#62;\""},
        PropWriteCase{"replace_leading_space", " a=\"1\"", "a", "2", " a=\"2\""},
        PropWriteCase{"suffix_is_another_name", "Font.Name=\"x\"", "Name", "M",
                      "Font.Name=\"x\" Name=\"M\""}),
    [](const auto& info) { return std::string(info.param.label); });

// A fixture tree: root{a,b{b1,b2},c}
class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root.Name = "root";
    for (const char* n : {"a", "b", "c"}) root.Add()->Name = n;
    b = root.Items(1);
    b->Add()->Name = "b1";
    b->Add()->Name = "b2";
  }
  TfrxXMLItem root;
  TfrxXMLItem* b = nullptr;
};

TEST_F(TreeTest, FindIgnoresCaseAndFindItemCreatesMissingSections) {
  EXPECT_EQ(root.Find("B"), 1);
  EXPECT_EQ(root.Find("d"), -1);
  EXPECT_EQ(root.FindItem("C"), root.Items(2));
  TfrxXMLItem* d = root.FindItem("d");
  EXPECT_EQ(d->Name, "d");
  EXPECT_EQ(d->Parent(), &root);
  EXPECT_EQ(root.Count(), 4);
  EXPECT_EQ(root.FindItem("D"), d);
}

TEST_F(TreeTest, MovingANodeTakesItOutOfItsOldParent) {
  TfrxXMLItem* b1 = b->Items(0);
  root.AddItem(b1);
  EXPECT_EQ(DumpTree(root), "root{a,b{b2},c,b1}");
  EXPECT_EQ(b1->Parent(), &root);

  root.InsertItem(0, root.Items(2));  // c to the front, within the same parent
  EXPECT_EQ(DumpTree(root), "root{c,a,b{b2},b1}");
  b->InsertItem(0, root.Items(0));
  EXPECT_EQ(DumpTree(root), "root{a,b{c,b2},b1}");
  b->InsertItem(99, root.Items(0));  // index past the end: last
  EXPECT_EQ(DumpTree(root), "root{b{c,b2,a},b1}");
}

TEST_F(TreeTest, MovingANodeBelowItselfIsRefused) {
  EXPECT_THROW(b->Items(0)->AddItem(b), Exception);
  EXPECT_THROW(b->AddItem(b), Exception);
  EXPECT_EQ(DumpTree(root), "root{a,b{b1,b2},c}");
}

TEST_F(TreeTest, DeletingANodeLeavesItsParent) {
  delete b;
  EXPECT_EQ(DumpTree(root), "root{a,c}");
  std::unique_ptr<TfrxXMLItem> a = root.Extract(0);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(DumpTree(root), "root{c}");
  root.Clear();
  EXPECT_EQ(root.Count(), 0);
  root.Add()->Name = "again";
  EXPECT_EQ(DumpTree(root), "root{again}");
}

TEST_F(TreeTest, IndexOutOfRangeThrows) {
  EXPECT_EQ(root.IndexOf(b), 1);
  EXPECT_EQ(root.IndexOf(&root), -1);
  EXPECT_THROW(root.Items(3), Exception);
  EXPECT_THROW(root.Items(-1), Exception);
  EXPECT_THROW(root.Extract(3), Exception);
}

}  // namespace
}  // namespace quarlo
