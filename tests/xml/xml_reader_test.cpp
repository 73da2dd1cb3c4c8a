#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/stream.h"
#include "xml/xml_document.h"
#include "xml_tree_dump.h"

namespace quarlo {
namespace {

using testing::DumpTree;
using testing::kHeader;

// Hands out at most `chunk` bytes per read, so every tag, comment and header can be
// made to straddle a refill of the reader's buffer.
class TrickleStream : public MemoryStream {
 public:
  TrickleStream(std::string bytes, size_t chunk) : MemoryStream(std::move(bytes)), chunk_(chunk) {}
  size_t Read(void* buffer, size_t count) override {
    return MemoryStream::Read(buffer, std::min(count, chunk_));
  }

 private:
  size_t chunk_;
};

std::string Load(const std::string& bytes, TfrxXMLDocument* out = nullptr) {
  TfrxXMLDocument local;
  TfrxXMLDocument& doc = out ? *out : local;
  MemoryStream stream(bytes);
  doc.LoadFromStream(stream);
  return DumpTree(*doc.Root());
}

struct LoadCase {
  const char* label;
  std::string body;  // after the header
  const char* tree;
};

class LoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, BuildsTheTree) { EXPECT_EQ(Load(kHeader + GetParam().body), GetParam().tree); }

INSTANTIATE_TEST_SUITE_P(
    Forms, LoadTest,
    ::testing::Values(
        LoadCase{"empty_element", "<r><a/></r>", "r{a}"},
        LoadCase{"empty_element_with_attribute", "<r><a x=\"1\"/></r>", "r{a[x=\"1\"]}"},
        LoadCase{"start_and_end_tag", "<r><a x=\"1\"></a></r>", "r{a[x=\"1\"]}"},
        LoadCase{"space_before_slash", "<r><a x=\"1\" /></r>", "r{a[x=\"1\" ]}"},
        LoadCase{"two_spaces_keep_one", "<r><a  x=\"1\"/></r>", "r{a[ x=\"1\"]}"},
        LoadCase{"trailing_space_dropped", "<r ><a ></a ></r>", "r{a}"},
        LoadCase{"tab_is_no_separator", "<r><a\tx/></r>", "r{a\tx}"},
        LoadCase{"nested_and_ordered", "<r><a><b/><c/></a><d/></r>", "r{a{b,c},d}"},
        LoadCase{"text_content_ignored", "<r>\r\n  hello <a/> world\n</r>", "r{a}"},
        LoadCase{"end_tag_ignores_case", "<Root><a></A></rOOT>", "Root{a}"},
        LoadCase{"case_of_names_kept", "<PreparedReport><PAGE0/></PreparedReport>",
                 "PreparedReport{PAGE0}"},
        LoadCase{"raw_greater_than_ends_tag", "<r><a u=\"1>2\"></a></r>", "r{a[u=\"1]}"},
        LoadCase{"root_without_children", "<r x=\"1\"/>", "r[x=\"1\"]"},
        LoadCase{"nothing_after_header", "", ""},
        LoadCase{"missing_end_tags_at_end", "<r><a><b x=\"1\">", "r{a{b[x=\"1\"]}}"},
        LoadCase{"input_ends_in_text", "<r><a/>trailing", "r{a}"},
        LoadCase{"after_root_not_read", "<r/><x y=\"unterminated", "r"},
        LoadCase{"comment_anywhere", "<!-- a --><r><!--b--><a/><!-- c --></r>", "r{a}"},
        LoadCase{"comment_holds_tags", "<r><!-- <a> </a> > --><b/></r>", "r{b}"},
        LoadCase{"three_dashes_do_not_end_comment", "<r><!-- x ---><a/> --><b/></r>", "r{b}"},
        LoadCase{"five_dashes_end_comment", "<r><!-- x -----><b/></r>", "r{b}"},
        LoadCase{"empty_comment", "<r><!----><b/></r>", "r{b}"},
        LoadCase{"comment_open_at_end", "<r><a/><!-- <b/>", "r{a}"},
        LoadCase{"load_mark_dropped", "<r><p x=\"1\" ld=\"0\"><a/></p></r>", "r{p[x=\"1\"]{a}}"},
        LoadCase{"load_mark_any_case", "<r><p x=\"1\" LD=\"0\" y=\"2\"></p></r>",
                 "r{p[x=\"1\" y=\"2\"]}"},
        LoadCase{"load_mark_needs_space", "<r><p ld=\"0\"></p></r>", "r{p[ld=\"0\"]}"},
        LoadCase{"other_load_value_kept", "<r><p x=\"1\" ld=\"1\"></p></r>",
                 "r{p[x=\"1\" ld=\"1\"]}"},
        LoadCase{"load_mark_on_unterminated_element", "<r><p x=\"1\" ld=\"0\"><a/>",
                 "r{p[x=\"1\"]{a}}"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LoadTest, ElementForms_AttributeTextIsTheSameForBothEmptyForms) {
  TfrxXMLDocument doc;
  Load(kHeader + "<r><a x=\"1\" y=\"&#62;\"/><a x=\"1\" y=\"&#62;\"></a></r>", &doc);
  ASSERT_EQ(doc.Root()->Count(), 2);
  EXPECT_EQ(doc.Root()->Items(0)->Text, doc.Root()->Items(1)->Text);
  EXPECT_EQ(doc.Root()->Items(1)->Prop("Y"), ">");
}

TEST(LoadTest, MalformedInputRaisesInvalidFileFormat) {
  const std::string cases[] = {
      "",
      "plain text",
      "<root/>",
      "\x1f\x8b\x08\x00\x00\x00\x00\x00",  // gzip
      "<?xml version=\"1.0\"",
      "<?xml version=\"1.0\" <?>",
      kHeader + "<r><a</r>",
      kHeader + "<r><a x=\"1\"",
      kHeader + "<r><a></b></r>",
      kHeader + "<r></rr>",
      kHeader + "<r><a></a></x>",
      kHeader + "<r><a/></r/>",
      "<!-- only a comment -->",
  };
  for (const std::string& bytes : cases) {
    TfrxXMLDocument doc;
    MemoryStream stream(bytes);
    try {
      doc.LoadFromStream(stream);
      ADD_FAILURE() << "accepted: " << bytes;
    } catch (const TfrxInvalidXMLException& e) {
      EXPECT_STREQ(e.what(), "Invalid file format") << bytes;
    }
  }
}

TEST(LoadTest, HeaderDecidesCodePageStrings) {
  struct {
    const char* header;
    bool code_page;
  } cases[] = {
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", true},
      {"<?xml version=\"1.0\"?>", true},
      {"<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>", false},
      {"<?xml version=\"1.1\" encoding=\"utf-8\"?>", false},
      {"<?xml encoding=\"utf-8\"?>", false},
      {"<?xml version=\"1\"?>", false},
      {"<?xml?>", false},
      {"<?xml-stylesheet version=\"1.0\"?>", true},
      {"\xEF\xBB\xBF<!-- before --><?xml version=\"1.0\"?>", true},
  };
  for (const auto& c : cases) {
    TfrxXMLDocument doc;
    doc.CodePageStrings = !c.code_page;
    EXPECT_EQ(Load(std::string(c.header) + "<r><a/></r>", &doc), "r{a}") << c.header;
    EXPECT_EQ(doc.CodePageStrings, c.code_page) << c.header;
  }
}

TEST(LoadTest, LoadReplacesThePreviousTree) {
  TfrxXMLDocument doc;
  Load(kHeader + "<old x=\"1\"><a/><b/></old>", &doc);
  EXPECT_EQ(Load(kHeader + "<new/>", &doc), "new");
  EXPECT_EQ(Load(kHeader, &doc), "");
}

// The reader buffers ahead; what it did not use must be left in the stream.
TEST(LoadTest, StreamIsLeftJustAfterTheLastConsumedByte) {
  const std::string small = kHeader + "<r><a/></r>";
  std::string big = kHeader + "<r>";
  for (int i = 0; i < 500; ++i) big += "<m1 l=\"" + std::to_string(i) + "\" t=\"7.5\"/>";
  big += "</r>";
  const std::string tail = "<next/>TAIL" + std::string(5000, 'z');
  for (const std::string& doc : {small, big}) {
    for (size_t chunk : {size_t{1}, size_t{7}, size_t{4096}}) {
      TrickleStream stream("JUNK" + doc + tail, chunk);
      stream.SetPosition(4);
      TfrxXMLDocument xml;
      xml.LoadFromStream(stream);
      EXPECT_EQ(stream.Position(), static_cast<int64_t>(4 + doc.size())) << chunk;
    }
  }
  MemoryStream open_end(kHeader + "<r><a>");
  TfrxXMLDocument xml;
  xml.LoadFromStream(open_end);
  EXPECT_EQ(open_end.Position(), open_end.Size());
}

// Every tag, comment and reference placed across a refill gives the same tree.
TEST(LoadTest, TagsStraddlingBufferRefillsReadTheSame) {
  std::string doc = "\xEF\xBB\xBF<!-- lead --->--><?xml version=\"1.0\"?>\r\n<preparedreport>";
  std::string expected = "preparedreport{";
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    doc += "<!-- c" + n + " <x> --->--><m" + n + " l=\"" + n + "\" u=\"a&#62;b\"/>text";
    doc += "<p" + n + "  k=\"v\"></P" + n + " >";
    expected += (i ? "," : "") + ("m" + n + "[l=\"" + n + "\" u=\"a&#62;b\"]") + ",p" + n +
                "[ k=\"v\"]";
  }
  doc += "</preparedreport>";
  expected += "}";
  for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}, size_t{5}, size_t{64}, size_t{4096}}) {
    TrickleStream stream(doc, chunk);
    TfrxXMLDocument xml;
    xml.LoadFromStream(stream);
    EXPECT_EQ(DumpTree(*xml.Root()), expected) << "chunk " << chunk;
    EXPECT_TRUE(xml.CodePageStrings);
  }
  // The same document shifted across the real 4096-byte boundary.
  for (size_t pad = 4060; pad < 4110; ++pad) {
    const std::string shifted =
        "<?xml version=\"1.0\"?>" + std::string(pad, ' ') + doc.substr(doc.find("\r\n"));
    TfrxXMLDocument xml;
    EXPECT_EQ(Load(shifted, &xml), expected) << "pad " << pad;
  }
}

int Depth(const TfrxXMLItem* item) {
  int depth = 0;
  while (item->Count() > 0) {
    item = item->Items(0);
    ++depth;
  }
  return depth;
}

// Crafted input nested a million levels must not reach the call stack anywhere.
TEST(DeepNestingTest, MillionLevelsLoadSaveAndDestroy) {
  constexpr int kDepth = 1000000;
  std::string bytes = kHeader;
  bytes.reserve(bytes.size() + kDepth * 8);
  for (int i = 0; i < kDepth; ++i) bytes += "<a>";
  std::string closed = bytes;
  for (int i = 0; i < kDepth; ++i) closed += "</a>";

  // The innermost element has no children, so it is written in its empty form.
  std::string saved = kHeader;
  for (int i = 1; i < kDepth; ++i) saved += "<a>";
  saved += "<a/>";
  for (int i = 1; i < kDepth; ++i) saved += "</a>";

  for (const std::string* input : {&closed, &bytes}) {
    auto doc = std::make_unique<TfrxXMLDocument>();
    MemoryStream in(*input);
    doc->LoadFromStream(in);
    EXPECT_EQ(Depth(doc->Root()), kDepth - 1);
    MemoryStream out;
    doc->SaveToStream(out);
    EXPECT_TRUE(out.Data() == saved);
    doc.reset();
  }
}

}  // namespace
}  // namespace quarlo
