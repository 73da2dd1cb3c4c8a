// The outline and links of a report in its exported PDF, read back with qpdf (bookmarks,
// annotations, --check) and placed against the words poppler finds on the pages; the
// archival form keeps its conformance marks with them.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "platform/stream.h"
#include "print/qt/pdf_export.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using spooler::RunCommand;
using spooler::ShellQuote;

struct Bookmark {
  int depth = 0;
  int page = 0;  // 1-based, 0: no destination
  double top = 0;
  std::string title;
};

struct Link {
  int page = 0;
  double left = 0, bottom = 0, right = 0, top = 0;
  std::string uri;
  int destPage = 0;
  double destTop = 0;
};

struct Structure {
  std::vector<Bookmark> bookmarks;
  std::vector<Link> links;
};

Structure ReadStructure(const std::string& pdf) {
  int status = 0;
  const std::string out = RunCommand(
      "/usr/bin/python3 " QUARLO_SOURCE_DIR "/tests/support/pdf_structure_lines.py " + ShellQuote(pdf), &status);
  EXPECT_EQ(status, 0) << out;
  Structure s;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream f(line);
    std::string kind;
    f >> kind;
    if (kind == "bookmark") {
      Bookmark b;
      f >> b.depth >> b.page >> b.top;
      f.get();
      std::getline(f, b.title);
      s.bookmarks.push_back(b);
    } else if (kind == "link") {
      Link l;
      std::string target;
      f >> l.page >> l.left >> l.bottom >> l.right >> l.top >> target;
      if (target == "uri") f >> l.uri;
      else f >> l.destPage >> l.destTop;
      s.links.push_back(l);
    }
  }
  return s;
}

TfrxMemoView& AddMemo(TfrxReportPage& page, double top, const std::string& text, const std::string& url = "") {
  auto* memo = new TfrxMemoView(&page);
  memo->SetBounds(20, top, 300, 24);
  memo->Memo().SetText(Utf8ToWide(text));
  if (!url.empty()) memo->SetURL(url);
  return *memo;
}

// Page 1 (A4) links out and in, page 2 is an A5 across, page 3 a 150 x 100 mm card
// with margins of its own; the outline and an anchor point at words on them.
std::string LinkedReport() {
  testing::ReportGenerator g;
  TfrxReportPage& first = g.AddCompletePage();
  AddMemo(first, 0, "Contents");
  AddMemo(first, 40, "ToThird", "@3");
  AddMemo(first, 80, "ToAnchor", "#Target");  // anchor names ignore case
  AddMemo(first, 120, "WebSite", Utf8ToSystem("https://example.com/报表 1?a=b"));
  AddMemo(first, 160, "Nowhere", "#missing");
  AddMemo(first, 200, "BeyondTheEnd", "@9");
  AddMemo(first, 300, "SectionWord");
  TfrxReportPage& second = g.AddCompletePage();
  second.SetPaperSize(11);
  second.SetOrientation(TPrinterOrientation::poLandscape);
  AddMemo(second, 100, "BackHome", "@1");
  TfrxReportPage& third = g.AddCompletePage();
  third.SetPaperSize(256);
  third.SetPaperWidth(150);
  third.SetPaperHeight(100);
  third.SetTopMargin(20);
  AddMemo(third, 150, "AnchorWord");
  g.AddAnchor("target", 2, 150);
  g.outline = {{Utf8ToSystem("第一章 Chapter"), 0, 0, {{Utf8ToSystem("小节 Section"), 0, 300, {}}, {"Across", 1, 0, {}}}},
               {"Card", 2, 150, {}}};
  return g.Write();
}

class PdfStructureExport : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = (RegisterReportClasses(), true);
    (void)registered;
    ASSERT_TRUE(dir.isValid());
    pdf = (dir.path() + "/linked.pdf").toStdString();
    MemoryStream stream(LinkedReport());
    report.PreviewPages().LoadFromStream(stream);
    filter.FileName = pdf;
    filter.Dpi = 150;
  }
  // Where poppler finds a word: points from the top-left corner of the page.
  spooler::PdfWord Word(int page, const std::string& text) {
    for (const spooler::PdfWord& w : spooler::PdfPageWords(pdf, page))
      if (w.text == text) return w;
    ADD_FAILURE() << text << " not found on page " << page;
    return {};
  }
  double PageHeight(int page) { return spooler::ReadPdfInfo(pdf)->sizes[static_cast<std::size_t>(page - 1)].height; }

  QTemporaryDir dir;
  std::string pdf;
  TfrxReport report{nullptr};
  TfrxPDFExport filter;
};

TEST_F(PdfStructureExport, OutlineBecomesNestedBookmarksOpeningAtTheirTop) {
  ASSERT_TRUE(filter.Run(report.PreviewPages())) << filter.LastError();
  int status = 0;
  RunCommand("qpdf --check " + ShellQuote(pdf) + " >/dev/null 2>&1", &status);
  EXPECT_EQ(status, 0);
  const Structure s = ReadStructure(pdf);
  ASSERT_EQ(s.bookmarks.size(), 4u);
  const struct {
    int depth, page;
    const char* title;
  } expected[] = {{0, 1, "第一章 Chapter"}, {1, 1, "小节 Section"}, {1, 2, "Across"}, {0, 3, "Card"}};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(expected[i].title);
    EXPECT_EQ(s.bookmarks[i].depth, expected[i].depth);
    EXPECT_EQ(s.bookmarks[i].page, expected[i].page);
    EXPECT_EQ(s.bookmarks[i].title, expected[i].title);
  }
  // Top 0 opens the page at its top edge; another top at the words placed there.
  EXPECT_NEAR(s.bookmarks[0].top, PageHeight(1), 0.01);
  EXPECT_NEAR(s.bookmarks[2].top, PageHeight(2), 0.01);
  EXPECT_NEAR(PageHeight(1) - s.bookmarks[1].top, Word(1, "SectionWord").yMin, 3);
  EXPECT_NEAR(PageHeight(3) - s.bookmarks[3].top, Word(3, "AnchorWord").yMin, 3);
}

TEST_F(PdfStructureExport, LinksCoverTheirTextAndLeadWhereThePreviewGoes) {
  ASSERT_TRUE(filter.Run(report.PreviewPages())) << filter.LastError();
  const Structure s = ReadStructure(pdf);
  // "#missing" and "@9" lead nowhere in the file and are left out.
  ASSERT_EQ(s.links.size(), 4u);
  struct Case {
    const char* word;
    int page;
    const char* uri;
    int destPage;
    const char* destWord;  // the word the jump opens at, or none for a page's top edge
  } cases[] = {
      {"ToThird", 1, "", 3, nullptr},
      {"ToAnchor", 1, "", 3, "AnchorWord"},
      {"WebSite", 1, "https://example.com/%E6%8A%A5%E8%A1%A8%201?a=b", 0, nullptr},
      {"BackHome", 2, "", 1, nullptr},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    const Case& c = cases[i];
    const Link& l = s.links[i];
    SCOPED_TRACE(c.word);
    EXPECT_EQ(l.page, c.page);
    const spooler::PdfWord w = Word(c.page, c.word);
    const double height = PageHeight(c.page);
    EXPECT_LE(l.left, w.xMin);
    EXPECT_GE(l.right, w.xMax);
    EXPECT_GE(l.top, height - w.yMin - 1);
    EXPECT_LE(l.bottom, height - w.yMax + 1);
    EXPECT_EQ(l.uri, c.uri);
    EXPECT_EQ(l.destPage, c.destPage);
    if (c.destPage) {
      const double destHeight = PageHeight(c.destPage);
      if (c.destWord) EXPECT_NEAR(destHeight - l.destTop, Word(c.destPage, c.destWord).yMin, 3);
      else EXPECT_NEAR(l.destTop, destHeight, 0.01);
    }
  }
  // poppler sees the web address too.
  EXPECT_NE(RunCommand("pdfinfo -url " + ShellQuote(pdf)).find("https://example.com/%E6%8A%A5%E8%A1%A8%201?a=b"),
            std::string::npos);
}

TEST_F(PdfStructureExport, PageListsKeepOnlyWhatLeadsIntoTheFile) {
  filter.PageNumbers = "3,1";
  ASSERT_TRUE(filter.Run(report.PreviewPages())) << filter.LastError();
  const Structure s = ReadStructure(pdf);
  // Report page 3 is the PDF's first page, report page 1 its second; page 2 is not in it.
  ASSERT_EQ(s.bookmarks.size(), 4u);
  EXPECT_EQ(s.bookmarks[0].page, 2);
  EXPECT_EQ(s.bookmarks[2].page, 0) << "Across: its page is not in the file";
  EXPECT_EQ(s.bookmarks[3].page, 1);
  ASSERT_EQ(s.links.size(), 3u);
  for (const Link& l : s.links) EXPECT_EQ(l.page, 2);
  EXPECT_EQ(s.links[0].destPage, 1);
  EXPECT_EQ(s.links[1].destPage, 1);
}

TEST_F(PdfStructureExport, ArchivalPdfKeepsItsMarksWithTheStructure) {
  filter.PdfA = true;
  ASSERT_TRUE(filter.Run(report.PreviewPages())) << filter.LastError();
  int status = 0;
  RunCommand("qpdf --check " + ShellQuote(pdf) + " >/dev/null 2>&1", &status);
  EXPECT_EQ(status, 0);
  const std::string info = RunCommand("pdfinfo " + ShellQuote(pdf));
  EXPECT_NE(info.find("PDF version:     1.4\n"), std::string::npos) << info;
  const std::string xmp = RunCommand("pdfinfo -meta " + ShellQuote(pdf));
  EXPECT_NE(xmp.find("pdfaid:part=\"1\""), std::string::npos) << xmp;
  EXPECT_NE(xmp.find("pdfaid:conformance=\"B\""), std::string::npos) << xmp;
  const Structure s = ReadStructure(pdf);
  EXPECT_EQ(s.bookmarks.size(), 4u);
  EXPECT_EQ(s.links.size(), 4u);
  // No object streams or cross-reference streams, which PDF 1.4 does not have; every
  // annotation printable; an output intent and every font embedded.
  const std::string raw = RunCommand("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a -c '/Type /ObjStm'");
  EXPECT_EQ(raw, "0\n");
  const std::string json = RunCommand("qpdf --json --json-key=qpdf " + ShellQuote(pdf));
  EXPECT_EQ(json.find("\"/F\": 4") == std::string::npos, false);
  EXPECT_NE(json.find("/OutputIntents"), std::string::npos);
  EXPECT_EQ(RunCommand("pdffonts " + ShellQuote(pdf) + " | tail -n +3 | awk '{print $(NF-4)}' | sort -u"), "yes\n");
}

// The sample's first page with another outline spelled into it.
std::string WithOutline(const std::string& items) {
  testing::ReportGenerator g;
  AddMemo(g.AddCompletePage(), 0, "Outlined");
  std::string fp3 = g.Write();
  const std::size_t at = fp3.find("<outline");
  if (at != std::string::npos) fp3.erase(at, fp3.find("</outline>", at) + 10 - at);
  fp3.insert(at != std::string::npos ? at : fp3.find("</previewpages>") + 15, "<outline>" + items + "</outline>");
  return fp3;
}

// Outlines as a hostile file may hold them: nested ten thousand levels deep, and more
// entries than a PDF is given.
TEST(PdfStructureHostile, OutlinesAreWalkedWithoutRecursionAndBounded) {
  static const bool registered = (RegisterReportClasses(), true);
  (void)registered;
  constexpr int kDepth = 10000;
  constexpr int kWide = 100010;
  std::string deep, wide;
  for (int i = 0; i < kDepth; ++i) deep += "<item text=\"level\" page=\"0\" top=\"" + std::to_string(i % 500) + "\">";
  for (int i = 0; i < kDepth; ++i) deep += "</item>";
  for (int i = 0; i < kWide; ++i) wide += "<item text=\"level\" page=\"0\" top=\"1\"/>";
  struct Case {
    const char* name;
    std::string items;
    int bookmarks;
    const char* note;
    bool check;  // qpdf --check, which takes seconds for a hundred thousand entries
  } cases[] = {
      {"deep", deep, kDepth, "", true},
      {"wide", wide, 100000, "the PDF leaves out 10 outline entries beyond the first 100000", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    TfrxReport report(nullptr);
    MemoryStream stream(WithOutline(c.items));
    report.PreviewPages().LoadFromStream(stream);
    TfrxPDFExport filter;
    filter.FileName = (dir.path() + "/outline.pdf").toStdString();
    filter.Dpi = 96;
    ASSERT_TRUE(filter.Run(report.PreviewPages())) << filter.LastError();
    EXPECT_EQ(filter.StructureNote(), c.note);
    if (c.check) {
      int status = 0;
      RunCommand("qpdf --check " + ShellQuote(filter.FileName) + " >/dev/null 2>&1", &status);
      EXPECT_EQ(status, 0);
    }
    // The file has no object streams, so every entry's title stands in it as written.
    const std::string count = RunCommand("grep -a -o '/Title (level)' " + ShellQuote(filter.FileName) + " | wc -l");
    EXPECT_EQ(std::atoi(count.c_str()), c.bookmarks);
  }
}

}  // namespace
}  // namespace quarlo
