#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/stream.h"
#include "xml/xml_document.h"
#include "xml_tree_dump.h"

namespace quarlo {
namespace {

using testing::kHeader;

// root{page0[x="1"]{m1[l="2" u="a&#60;"]},empty,spaced[ k="v"]}
void BuildSample(TfrxXMLDocument& doc) {
  TfrxXMLItem* root = doc.Root();
  root->Name = "preparedreport";
  TfrxXMLItem* page = root->Add();
  page->Name = "page0";
  page->Prop("x", "1");
  TfrxXMLItem* memo = page->Add();
  memo->Name = "m1";
  memo->Prop("l", "2");
  memo->Prop("u", "a<");
  root->Add()->Name = "empty";
  TfrxXMLItem* spaced = root->Add();
  spaced->Name = "spaced";
  spaced->Text = " k=\"v\"";
}

std::string Save(const TfrxXMLDocument& doc) {
  MemoryStream out;
  doc.SaveToStream(out);
  return out.Data();
}

TEST(SaveTest, OneLineOutputHasNoLineBreakAtAll) {
  TfrxXMLDocument doc;
  BuildSample(doc);
  EXPECT_EQ(Save(doc), kHeader +
                           "<preparedreport><page0 x=\"1\"><m1 l=\"2\" u=\"a&#60;\"/></page0>"
                           "<empty/><spaced k=\"v\"/></preparedreport>");
}

TEST(SaveTest, IndentedOutputPutsEveryElementOnItsOwnLine) {
  TfrxXMLDocument doc;
  BuildSample(doc);
  doc.Indented = true;
  EXPECT_EQ(Save(doc), kHeader +
                           "\r\n"
                           "<preparedreport>\r\n"
                           "  <page0 x=\"1\">\r\n"
                           "    <m1 l=\"2\" u=\"a&#60;\"/>\r\n"
                           "  </page0>\r\n"
                           "  <empty/>\r\n"
                           "  <spaced k=\"v\"/>\r\n"
                           "</preparedreport>\r\n");
}

TEST(SaveTest, WhatIsSavedLoadsBackToTheSameTreeAndBytes) {
  TfrxXMLDocument doc;
  BuildSample(doc);
  doc.Root()->Items(0)->Items(0)->Prop("u", "line\r\nbreak \"&quot;\" \xe4\xb8\xad > end");
  doc.Root()->Items(2)->Text = "k=\"v\"";  // the reader does not give back a leading space
  for (bool indented : {false, true}) {
    doc.Indented = indented;
    const std::string first = Save(doc);
    TfrxXMLDocument again;
    MemoryStream in(first);
    again.LoadFromStream(in);
    EXPECT_EQ(testing::DumpTree(*again.Root()), testing::DumpTree(*doc.Root()));
    EXPECT_EQ(again.Root()->Items(0)->Items(0)->Prop("u"),
              "line\r\nbreak \"&quot;\" \xe4\xb8\xad > end");
    again.Indented = indented;
    EXPECT_EQ(Save(again), first);
  }
}

TEST(SaveTest, WriterAppendsAtTheStreamPosition) {
  TfrxXMLDocument doc;
  doc.Root()->Name = "r";
  MemoryStream out(std::string("PREFIX"));
  out.SetPosition(6);
  doc.SaveToStream(out);
  EXPECT_EQ(out.Data(), "PREFIX" + kHeader + "<r/>");
}

// Records the size of every write the document makes.
class WriteLog : public MemoryStream {
 public:
  void Write(const void* buffer, size_t count) override {
    sizes.push_back(count);
    MemoryStream::Write(buffer, count);
  }
  using MemoryStream::Write;
  std::vector<size_t> sizes;
};

TEST(SaveTest, OutputGoesOutInBlocksOfMoreThan4096Bytes) {
  TfrxXMLDocument doc;
  doc.Root()->Name = "r";
  for (int i = 0; i < 3000; ++i) doc.Root()->Add()->Name = "m" + std::to_string(i);
  WriteLog out;
  doc.SaveToStream(out);
  ASSERT_GT(out.sizes.size(), 2u);
  for (size_t i = 0; i + 1 < out.sizes.size(); ++i) {
    EXPECT_GT(out.sizes[i], 4096u);
    EXPECT_LT(out.sizes[i], 4096u + 64);
  }
  EXPECT_LE(out.sizes.back(), 4096u + 64);
}

TEST(SaveTest, FilesAreReplacedOnlyByCompleteOutput) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("quarlo_xml_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "a.fp3").string();
  TfrxXMLDocument doc;
  BuildSample(doc);
  doc.Root()->Items(2)->Text = "k=\"v\"";
  doc.SaveToFile(path);
  TfrxXMLDocument loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(testing::DumpTree(*loaded.Root()), testing::DumpTree(*doc.Root()));
  EXPECT_THROW(loaded.LoadFromFile((dir / "missing.fp3").string()), EStreamError);
  EXPECT_THROW(doc.SaveToFile((dir / "no" / "such" / "dir.fp3").string()), EStreamError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quarlo
