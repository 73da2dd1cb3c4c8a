// Pages kept as text must read and write exactly like the XML tree: for every input the
// bytes written, the errors raised and the page elements built agree with loading and
// saving the same input through TfrxXMLDocument.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/report_file_document.h"
#include "platform/stream.h"
#include "xml/xml_document.h"

namespace quarlo {
namespace {

struct Outcome {
  bool failed = false;
  std::string bytes;
};

Outcome ThroughTree(const std::string& input) {
  TfrxXMLDocument doc;
  MemoryStream in(input), out;
  try {
    doc.LoadFromStream(in);
  } catch (const TfrxInvalidXMLException&) {
    return {true, {}};
  }
  doc.SaveToStream(out);
  return {false, out.Data()};
}

Outcome ThroughBodies(const std::string& input, TfrxXMLDocument& doc, PageBodies& bodies) {
  MemoryStream in(input), out;
  try {
    ReadReportDocument(in, doc, bodies);
  } catch (const TfrxInvalidXMLException&) {
    return {true, {}};
  }
  WriteReportDocument(out, doc, bodies);
  return {false, out.Data()};
}

const char* const kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

TEST(ReportFileDocumentTest, ReadsAndWritesLikeTheTree) {
  const char* const bodies[] = {
      "<r><previewpages><page0><b1 t=\"1\"><m1 u=\"x\"/></b1></page0><page1/></previewpages></r>",
      // An element written with an end tag but no children prints as empty.
      "<r><previewpages><page0><b1 t=\"1\"></b1><m2></m2></page0></previewpages></r>",
      // The load mark goes where an element with an end tag closes, not on empty tags.
      "<r><previewpages><page0 ld=\"0\"><b1 a=\"1\" ld=\"0\"><m1 ld=\"0\"/></b1></page0>"
      "</previewpages></r>",
      // The mark in any case and in the middle of the text; a look-alike stays.
      "<r><previewpages><page0><b1 a=\"1\" LD=\"0\" z=\"2\"><m1 ld=\"00\"/></b1><b2 Ld=\"0\"></b2>"
      "</page0></previewpages></r>",
      // A page nested less deeply than the one before it checks its own end tags.
      "<r><previewpages><page0><a><b><c></c></b></a></page0><page1><x><y/></x></page1></previewpages></r>",
      "<r><previewpages><page0><a><b><c/></b></a></page0><page1><x></b></page1></previewpages></r>",
      "<r><previewpages><page0><a><b><c/></b></a></page0><page1><x></x></b></page1></previewpages></r>",
      // Spaces: two after the name, one before the closing slash.
      "<r><previewpages><page0  a=\"1\"><m1 u=\"y\" /><m2/></page0></previewpages></r>",
      // End tags compare ignoring case and are printed with the start tag's spelling.
      "<r><PreviewPages><Page0><B1><m1/></b1></PAGE0></previewPAGES></r>",
      // Only the first pages section is special; the second is an ordinary section.
      "<r><previewpages><page0><m1/></page0></previewpages><previewpages><page0><m2/></page0>"
      "</previewpages><outline><item text=\"a\"><item/></item></outline></r>",
      // Input ending inside pages: every open element just ends.
      "<r><previewpages><page0><b1><m1 u=\"z\"/>",
      "<r><previewpages><page0><b1>",
      "<r><previewpages><page0>",
      // An empty tag ends the current list without a name check.
      "<r><previewpages><page0><b1><m1/><></page0></previewpages></r>",
      // Comments and text content are skipped.
      "<r><!-- c --><previewpages>text<page0><!--x--><m1/>more</page0></previewpages></r>",
      // Mismatched end tags are format errors, inside pages and outside.
      "<r><previewpages><page0><b1></b2></page0></previewpages></r>",
      "<r><previewpages><page0><b1/></page1></previewpages></r>",
      "<r><previewpages><page0/></previewpage></r>",
      "<r><previewpages/><outline></outlines></r>",
      // Documents without pages, or with nothing at all.
      "<r/>",
      "<r><report><TfrxReport a=\"1\"/></report></r>",
      "",
  };
  for (const char* body : bodies) {
    const std::string input = std::string(kHeader) + body;
    TfrxXMLDocument doc;
    PageBodies pageBodies;
    const Outcome tree = ThroughTree(input);
    const Outcome kept = ThroughBodies(input, doc, pageBodies);
    EXPECT_EQ(kept.failed, tree.failed) << body;
    // Without a root element the tree prints a nameless one, which is no XML; the
    // report file names it as every report file's root is named.
    const std::string expected = *body ? tree.bytes : std::string(kHeader) + "<preparedreport/>";
    EXPECT_EQ(kept.bytes, expected) << body;
  }
}

TEST(ReportFileDocumentTest, PageObjectsAreKeptAsTextAndExpandToTheTreesElements) {
  const std::string input = std::string(kHeader) +
                            "<r><previewpages><page0 x=\"1\"><b1 t=\"5\"><m1 u=\"a\"/><m1/></b1>"
                            "<b2/></page0><page3/></previewpages></r>";
  TfrxXMLDocument doc;
  PageBodies bodies;
  MemoryStream in(input);
  ReadReportDocument(in, doc, bodies);
  const TfrxXMLItem* pages = doc.Root()->Items(0);
  ASSERT_EQ(pages->Count(), 2);
  EXPECT_EQ(pages->Items(0)->Count(), 0);
  ASSERT_EQ(bodies.count(pages->Items(0)), 1u);
  EXPECT_EQ(bodies.at(pages->Items(0)), "<b1 t=\"5\"><m1 u=\"a\"/><m1/></b1><b2/>");
  EXPECT_EQ(bodies.count(pages->Items(1)), 0u);

  const std::unique_ptr<TfrxXMLItem> page =
      ExpandPageElement(*pages->Items(0), bodies.at(pages->Items(0)));
  EXPECT_EQ(page->Name, "page0");
  EXPECT_EQ(page->Text, "x=\"1\"");
  ASSERT_EQ(page->Count(), 2);
  EXPECT_EQ(page->Items(0)->Name, "b1");
  EXPECT_EQ(page->Items(0)->Text, "t=\"5\"");
  ASSERT_EQ(page->Items(0)->Count(), 2);
  EXPECT_EQ(page->Items(0)->Items(0)->Prop("u"), "a");
  EXPECT_EQ(page->Items(1)->Name, "b2");
}

TEST(ReportFileDocumentTest, APageGivenElementsOfItsOwnIsWrittenFromThem) {
  const std::string input =
      std::string(kHeader) + "<r><previewpages><page0><m1/></page0><page0><m2/></page0></previewpages></r>";
  TfrxXMLDocument doc;
  PageBodies bodies;
  MemoryStream in(input);
  ReadReportDocument(in, doc, bodies);
  TfrxXMLItem* edited = doc.Root()->Items(0)->Items(1);
  bodies.erase(edited);
  edited->Name = "TfrxReportPage";
  edited->Add()->Name = "TfrxMemoView";
  MemoryStream out;
  WriteReportDocument(out, doc, bodies);
  EXPECT_EQ(out.Data(), std::string(kHeader) +
                            "<r><previewpages><page0><m1/></page0><TfrxReportPage><TfrxMemoView/>"
                            "</TfrxReportPage></previewpages></r>");
}

}  // namespace
}  // namespace quarlo
