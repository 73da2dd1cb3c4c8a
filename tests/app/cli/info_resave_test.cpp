// quarlo-cli info and resave on generated reports: the JSON a script reads, and a
// resave that never leaves a broken or half-written output.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli_test_support.h"
#include "objects/band.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "support/report_generator.h"
#include "support/sample_report.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;
using testing::ReportGenerator;

QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  return doc.object();
}

// Two source pages (A4, A5 landscape), three compact pages, one complete custom page,
// a nested outline and two anchors of the same name.
std::string GeneratedReport() {
  ReportGenerator g;
  TfrxReportPage& a4 = g.AddSourcePage();
  auto* band = new TfrxMasterData(&a4);
  band->SetName("MasterData1");
  auto* memo = new TfrxMemoView(band);
  memo->SetName("Memo1");
  TfrxReportPage& a5 = g.AddSourcePage();
  a5.SetPaperSize(11);
  a5.SetOrientation(TPrinterOrientation::poLandscape);
  for (int source : {0, 1, 0}) {
    TfrxReportPage& page = g.AddCompactPage(source);
    if (source == 0) {
      auto& b = g.Place(page, "MasterData1");
      g.Place<TfrxMemoView>(page, "Memo1", &b).Memo().SetText(u"第一页");
    }
  }
  TfrxReportPage& custom = g.AddCompletePage();
  custom.SetPaperWidth(100);
  custom.SetPaperHeight(50.3);
  g.settings.name = Utf8ToSystem("销售 \"Q3\"");
  g.settings.dotMatrix = true;
  g.settings.outlineVisible = true;
  g.settings.outlineWidth = 222;
  g.outline.push_back({Utf8ToSystem("第一章"), 0, 15, {{"1.1", 1, 40, {{"1.1.1", 2, 7, {}}}}}});
  g.outline.push_back({"Appendix", 3, 0, {}});
  g.AddAnchor("end", 3, 10);
  g.AddAnchor("END", 2, 20);
  return g.Write();
}

TEST(CliInfoTest, DescribesPagesSettingsOutlineAndAnchors) {
  ScratchFolder folder("info");
  folder.Write("r.fp3", GeneratedReport());
  const auto r = RunCli({"info", folder.Path("r.fp3")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const QJsonObject info = ParseJson(r.out);
  EXPECT_EQ(info["pageCount"].toInt(), 4);
  const QJsonArray pages = info["pages"].toArray();
  ASSERT_EQ(pages.size(), 4);
  // The paper as a printing tool names it: A4 is 210 x 297 mm, A5 148 x 210 mm.
  const struct {
    int width, height;
    double widthMm, heightMm;
    const char* paper;
    const char* orientation;
  } sizes[4] = {{794, 1123, 210, 297, "A4", "portrait"},
                {794, 559, 210, 148, "A5", "landscape"},
                {794, 1123, 210, 297, "A4", "portrait"},
                {378, 190, 100, 50.3, "custom", "landscape"}};
  for (int i = 0; i < 4; ++i) {
    const QJsonObject page = pages[i].toObject();
    EXPECT_EQ(page["pageNumber"].toInt(), i + 1);
    EXPECT_EQ(page["width"].toInt(), sizes[i].width) << i;
    EXPECT_EQ(page["height"].toInt(), sizes[i].height) << i;
    EXPECT_EQ(page["widthMm"].toDouble(), sizes[i].widthMm) << i;
    EXPECT_EQ(page["heightMm"].toDouble(), sizes[i].heightMm) << i;
    EXPECT_EQ(page["paper"].toString(), sizes[i].paper) << i;
    EXPECT_EQ(page["orientation"].toString(), sizes[i].orientation) << i;
  }
  const QJsonObject report = info["report"].toObject();
  EXPECT_EQ(report["name"].toString(), QString::fromUtf8("销售 \"Q3\""));
  EXPECT_TRUE(report["dotMatrixReport"].toBool());
  EXPECT_TRUE(report["outlineVisible"].toBool());
  EXPECT_EQ(report["outlineWidth"].toInt(), 222);

  const QJsonArray outline = info["outline"].toArray();
  ASSERT_EQ(outline.size(), 2);
  const QJsonObject chapter = outline[0].toObject();
  EXPECT_EQ(chapter["text"].toString(), QString::fromUtf8("第一章"));
  EXPECT_EQ(chapter["page"].toInt(), 0);
  EXPECT_EQ(chapter["pageNumber"].toInt(), 1);
  EXPECT_EQ(chapter["top"].toInt(), 15);
  const QJsonObject deepest =
      chapter["children"].toArray()[0].toObject()["children"].toArray()[0].toObject();
  EXPECT_EQ(deepest["text"].toString(), "1.1.1");
  EXPECT_EQ(deepest["page"].toInt(), 2);
  EXPECT_EQ(deepest["pageNumber"].toInt(), 3);
  EXPECT_TRUE(deepest["children"].toArray().isEmpty());
  EXPECT_EQ(outline[1].toObject()["text"].toString(), "Appendix");

  const QJsonArray anchors = info["anchors"].toArray();
  ASSERT_EQ(anchors.size(), 2);
  EXPECT_EQ(anchors[1].toObject()["text"].toString(), "END");
  EXPECT_EQ(anchors[1].toObject()["top"].toInt(), 20);
  EXPECT_EQ(anchors[1].toObject()["page"].toInt(), 2);
  EXPECT_EQ(anchors[1].toObject()["pageNumber"].toInt(), 3);
}

TEST(CliInfoTest, ABadPageIsReportedInItsEntryAndTheStatus) {
  ScratchFolder folder("badpage");
  std::string bytes = GeneratedReport();
  const size_t at = bytes.find("<page1");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 6, "<page9");
  folder.Write("r.fp3", bytes);
  const auto r = RunCli({"info", folder.Path("r.fp3")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("page 2: List index out of bounds (9)"), std::string::npos) << r.err;
  const QJsonArray pages = ParseJson(r.out)["pages"].toArray();
  EXPECT_EQ(pages[1].toObject()["error"].toString(), "List index out of bounds (9)");
  EXPECT_EQ(pages[2].toObject()["width"].toInt(), 794);
}

TEST(CliInfoTest, AFileThatCannotBeReadPrintsNothingOnStandardOutput) {
  ScratchFolder folder("unreadable");
  folder.Write("text.fp3", "just text");
  folder.Write("dict.fp3", "<?xml version=\"1.0\"?><r><dictionary><m1 name=\"PageZ.M\"/></dictionary></r>");
  struct Case {
    std::string path;
    const char* message;
  };
  const Case cases[] = {{folder.Path("text.fp3"), "Invalid file format"},
                        {folder.Path("missing.fp3"), "Cannot open file"},
                        {folder.Path("dict.fp3"), "'Z' is not a valid integer value"}};
  for (const Case& c : cases) {
    const auto r = RunCli({"info", c.path});
    EXPECT_EQ(r.status, 1) << c.path;
    EXPECT_EQ(r.out, "") << c.path;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST(CliResaveTest, AnUneditedFileIsWrittenBackByteForByte) {
  ScratchFolder folder("resave");
  const std::string sample = testing::SampleReportBytes();
  for (const std::string& bytes : {GeneratedReport(), sample}) {
    folder.Write("in.fp3", bytes);
    const auto r = RunCli({"resave", folder.Path("in.fp3"), folder.Path("out.fp3")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(folder.Read("out.fp3") == bytes);
  }
  // Saving over the input itself works too.
  const auto r = RunCli({"resave", folder.Path("in.fp3"), folder.Path("in.fp3")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(folder.Read("in.fp3") == sample);
}

TEST(CliResaveTest, NothingIsWrittenToTheOutputWhenAnythingFails) {
  ScratchFolder folder("resave-fail");
  folder.Write("bad.fp3", "<not xml");
  folder.Write("good.fp3", GeneratedReport());
  folder.Write("old.fp3", "previous content");
  struct Case {
    std::string in, out;
    const char* message;
  };
  const Case cases[] = {
      {folder.Path("bad.fp3"), folder.Path("old.fp3"), "Invalid file format"},
      {folder.Path("bad.fp3"), folder.Path("new.fp3"), "Invalid file format"},
      {folder.Path("missing.fp3"), folder.Path("new.fp3"), "Cannot open file"},
      {folder.Path("good.fp3"), folder.Path("no-folder/new.fp3"), "Cannot create file"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli({"resave", c.in, c.out});
    EXPECT_EQ(r.status, 1) << c.in << " -> " << c.out;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(folder.Read("old.fp3"), "previous content");
  EXPECT_FALSE(folder.Exists("new.fp3"));
}

}  // namespace
}  // namespace quarlo

namespace quarlo {
namespace {

TEST(CliInfoTest, ADeeplyNestedOutlineIsWalkedWithoutRecursionOrRunawayOutput) {
  constexpr int kDepth = 20000;
  std::string items;
  for (int i = 0; i < kDepth; ++i) items += "<item text=\"x\" page=\"0\" top=\"1\">";
  for (int i = 0; i < kDepth; ++i) items += "</item>";
  cli_testing::ScratchFolder folder("deep");
  folder.Write("deep.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><outline>" +
                               items + "</outline></preparedreport>");
  const auto r = cli_testing::RunCli({"info", folder.Path("deep.fp3")});
  ASSERT_EQ(r.status, 0) << r.err;
  // Linear in the depth: fully indented it would be about 40 times larger.
  EXPECT_LT(r.out.size(), static_cast<size_t>(kDepth) * 1000);
  // One object per entry plus the document and its report settings.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '{'), kDepth + 2);
}

}  // namespace
}  // namespace quarlo
