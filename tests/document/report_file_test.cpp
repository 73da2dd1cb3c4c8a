// The prepared report file as a whole: what loading accepts and refuses, the order of
// sections on saving, the report settings, and the byte-for-byte round trip of a file
// written by this system.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/report.h"
#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "store_fixtures.h"
#include "support/file_encodings.h"
#include "support/report_generator.h"
#include "support/report_generator_pictures.h"
#include "support/sample_report.h"

namespace quarlo {
namespace {

using namespace store_fixtures;
using testing::ReportGenerator;

std::string SaveToString(TfrxPreviewPages& pages) {
  MemoryStream out;
  pages.SaveToStream(out);
  return out.Data();
}

void LoadString(TfrxPreviewPages& pages, const std::string& bytes) {
  MemoryStream in(bytes);
  pages.LoadFromStream(in);
}

std::vector<std::string> SectionNames(const std::string& bytes) {
  TfrxXMLDocument doc;
  MemoryStream in(bytes);
  doc.LoadFromStream(in);
  std::vector<std::string> names;
  for (int i = 0; i < doc.Root()->Count(); ++i) names.push_back(doc.Root()->Items(i)->Name);
  return names;
}

// Text of one section element as written, e.g. "<outline>...</outline>".
std::string SectionText(const std::string& bytes, const std::string& name) {
  const size_t start = bytes.find("<" + name);
  if (start == std::string::npos) return {};
  const size_t close = bytes.find("</" + name + ">", start);
  const size_t selfClose = bytes.find("/>", start);
  const size_t end = close != std::string::npos ? close + name.size() + 3 : selfClose + 2;
  return bytes.substr(start, end - start);
}

// A report with every kind of page element and section this system writes.
std::string RichReport() {
  ReportGenerator g;
  testing::BuildSampleReport(g);
  g.writeLogicalPageNumbers = true;
  g.AddUnknownSection("customsection", "a=\"1\" b=\"&#60;x&#62;\"");
  // The same picture on many pages is stored once.
  for (int i = 0; i < 20; ++i) {
    TfrxReportPage& page = g.AddCompactPage(0);
    auto& band = g.Place(page, "MasterData1");
    g.Place<TfrxPictureView>(page, "Picture1", &band).Picture().LoadFromData(testing::MakeBmp(9, 9));
  }
  return g.Write();
}

class ReportFileTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses(); }
};

TEST_F(ReportFileTest, AFileWrittenByThisSystemIsOneLineAndSavesBackByteForByte) {
  const std::string original = RichReport();
  EXPECT_EQ(original.find('\n'), std::string::npos);
  EXPECT_EQ(original.find('\r'), std::string::npos);
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  LoadString(pages, original);
  // Building and measuring pages changes nothing that is saved.
  for (int i = 0; i < pages.Count(); ++i) pages.PageExtent(i);
  for (int i = 0; i < pages.Count(); ++i) pages.PageObject(i);
  const std::string saved = SaveToString(pages);
  for (const char* section : {"previewpages", "outline", "anchors", "logicalpagenumbers",
                              "customsection", "report", "sourcepages", "dictionary",
                              "picturecache"}) {
    EXPECT_EQ(SectionText(saved, section), SectionText(original, section)) << section;
  }
  EXPECT_EQ(saved, original);
  // And again from the saved bytes.
  TfrxPreviewPages second(&report);
  LoadString(second, saved);
  EXPECT_EQ(SaveToString(second), original);
}

TEST_F(ReportFileTest, APictureUsedOnManyPagesIsStoredOnce) {
  const std::string bytes = RichReport();
  TfrxPreviewPages pages(nullptr);
  LoadString(pages, bytes);
  // Logo, bitmap, JPEG, PNG of the sample plus the one bitmap of the 20 extra pages.
  EXPECT_EQ(pages.PictureCache().Count(), 5);
  const std::string hex = SectionText(SaveToString(pages), "picturecache");
  const std::string bmp = testing::MakeBmp(9, 9);
  std::string bmpHex;
  for (unsigned char c : bmp) {
    bmpHex += "0123456789ABCDEF"[c >> 4];
    bmpHex += "0123456789ABCDEF"[c & 15];
  }
  EXPECT_EQ(hex.find(bmpHex), hex.rfind(bmpHex));
  const int last = pages.Count() - 1;
  const auto* view = As<TfrxPictureView>(pages.PageObject(last)->AllObjects()[1]);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Picture().Data(), bmp);
}

TEST_F(ReportFileTest, NonXmlInputIsAnInvalidFileFormat) {
  const std::string gzip("\x1f\x8b\x08\x00\x00\x00\x00\x00", 8);
  for (const std::string& bad : {std::string(), std::string("hello"), gzip,
                                 std::string("<preparedreport/>"), std::string("\xef\xbb\xbfx")}) {
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(bad);
    try {
      pages.LoadFromStream(in);
      ADD_FAILURE() << "loaded: " << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), "Invalid file format");
    }
  }
}

TEST_F(ReportFileTest, DictionaryErrorsFailTheWholeLoad) {
  struct Case {
    const char* entry;
    const char* message;
  };
  const Case cases[] = {
      {"<m1 name=\"PageX.Memo1\"/>", "'X' is not a valid integer value"},
      {"<m1 name=\"Page9.Memo1\"/>", "List index out of bounds (9)"},
      {"<m1  name=\"Page0.Memo1\"/>", "'e0' is not a valid integer value"},  // a second space
      {"<m1/>", "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    const std::string doc = std::string(kHeader) +
                            "<preparedreport><previewpages><page0/></previewpages>" +
                            SourcePages() + "<dictionary>" + c.entry + "</dictionary></preparedreport>";
    TfrxPreviewPages pages(nullptr);
    try {
      LoadString(pages, doc);
      ADD_FAILURE() << "loaded with " << c.entry;
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.entry;
    }
  }
}

TEST_F(ReportFileTest, SectionsKeepTheirOrderAndMissingOnesAreAppendedInTheirOrder) {
  struct Case {
    std::string sections;
    std::vector<std::string> saved;
  };
  const Case cases[] = {
      {"<picturecache/><zzz/><previewpages/>",
       {"picturecache", "zzz", "previewpages", "report", "sourcepages", "dictionary"}},
      {"", {"previewpages", "report", "sourcepages", "dictionary", "picturecache"}},
      {"<outline/><dictionary/><report/>",
       {"outline", "dictionary", "report", "previewpages", "sourcepages", "picturecache"}},
  };
  for (const Case& c : cases) {
    TfrxPreviewPages pages(nullptr);
    LoadString(pages, std::string(kHeader) + "<whatever>" + c.sections + "</whatever>");
    const std::string saved = SaveToString(pages);
    EXPECT_EQ(SectionNames(saved), c.saved) << c.sections;
    EXPECT_NE(saved.find("<whatever>"), std::string::npos) << "root name kept";
  }
  // A fresh store writes every section and a root named preparedreport.
  TfrxPreviewPages fresh(nullptr);
  const std::string saved = SaveToString(fresh);
  EXPECT_EQ(SectionNames(saved), (std::vector<std::string>{"previewpages", "report", "sourcepages",
                                                           "dictionary", "picturecache"}));
  EXPECT_EQ(saved.substr(0, 54), "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport>");
}

TEST_F(ReportFileTest, ReportSettingsAreAppliedOnLoadAndWrittenInTheirFixedOrder) {
  const std::string name = Utf8ToSystem("月报 \"A&B\"");
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  LoadString(pages, Document("<page0/>", "<report><TfrxReport Name=\"Ignored\" "
                                         "ReportOptions.Name=\"" + frxEscape(name) +
                                             "\" PreviewOptions.OutlineWidth=\"200\" "
                                             "PreviewOptions.OutlineVisible=\"1\" "
                                             "DotMatrixReport=\"True\" PreviewOptions.Zoom=\"2\"/>"
                                             "</report>"));
  EXPECT_EQ(report.ReportOptions().Name(), name);
  EXPECT_TRUE(report.PreviewOptions().OutlineVisible());
  EXPECT_EQ(report.PreviewOptions().OutlineWidth(), 200);
  EXPECT_TRUE(report.DotMatrixReport());
  EXPECT_DOUBLE_EQ(report.PreviewOptions().Zoom(), 2);  // any published property applies
  EXPECT_EQ(report.Name(), "");
  EXPECT_EQ(SectionText(SaveToString(pages), "report"),
            "<report><TfrxReport DotMatrixReport=\"1\" PreviewOptions.OutlineVisible=\"1\" "
            "PreviewOptions.OutlineWidth=\"200\" ReportOptions.Name=\"" + frxEscape(name) +
                "\" Name=\"Ignored\" PreviewOptions.Zoom=\"2\"/></report>");  // the rest kept as read
  TfrxPreviewPages withoutReport(nullptr);
  EXPECT_EQ(SectionText(SaveToString(withoutReport), "report"),
            "<report><TfrxReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"0\" "
            "PreviewOptions.OutlineWidth=\"120\" ReportOptions.Name=\"\"/></report>");
}

TEST_F(ReportFileTest, AFilesSettingsLastOnlyUntilTheNextLoadAndNeverChooseWhereOutputGoes) {
  TfrxReport report(nullptr);
  report.PrintOptions().SetPrinter("Office");
  report.SetIniFile("/home/user/.quarlo.ini");
  report.PreviewOptions().SetButtons(kDefaultPreviewButtons & ~(1 << pbExportQuick));
  const TfrxPrintOptions launcherPrint = report.PrintOptions();
  TfrxPreviewPages pages(&report);
  LoadString(pages, Document("<page0/>", "<report><TfrxReport PrintOptions.Copies=\"9999\" "
                                         "PrintOptions.ShowDialog=\"0\" PrintOptions.Printer=\"Elsewhere\" "
                                         "PrintOptions.Reverse=\"1\" IniFile=\"/tmp/evil.ini\" "
                                         "EngineOptions.NewSilentMode=\"simSilent\" "
                                         "PreviewOptions.Buttons=\"1\" PreviewOptions.Zoom=\"3\"/></report>"));
  // Presets for the print dialog and display settings are the file's...
  EXPECT_EQ(report.PrintOptions().Copies(), 9999);
  EXPECT_TRUE(report.PrintOptions().Reverse());
  EXPECT_EQ(report.PreviewOptions().Buttons(), 1);
  EXPECT_DOUBLE_EQ(report.PreviewOptions().Zoom(), 3);
  // ...whether the dialog shows, the printer, the settings store and errors are not.
  EXPECT_TRUE(report.PrintOptions().ShowDialog());
  EXPECT_EQ(report.PrintOptions().Printer(), "Office");
  EXPECT_EQ(report.IniFile(), "/home/user/.quarlo.ini");
  EXPECT_EQ(report.EngineOptions().NewSilentMode(), TfrxSilentMode::simMessageBoxes);

  // The next file, with settings and without, starts from the program's configuration.
  for (const std::string& more : {std::string("<report><TfrxReport PreviewOptions.OutlineVisible=\"1\"/></report>"),
                                  std::string()}) {
    LoadString(pages, Document("<page0/>", more));
    EXPECT_EQ(report.PrintOptions().Copies(), launcherPrint.Copies()) << more;
    EXPECT_EQ(report.PrintOptions().Reverse(), launcherPrint.Reverse()) << more;
    EXPECT_EQ(report.PreviewOptions().Buttons(), kDefaultPreviewButtons & ~(1 << pbExportQuick)) << more;
    EXPECT_DOUBLE_EQ(report.PreviewOptions().Zoom(), 1) << more;
    EXPECT_EQ(report.PreviewOptions().OutlineVisible(), !more.empty()) << more;
  }
}

TEST_F(ReportFileTest, TheReportElementsChildrenAreWrittenBackAsTheyCame) {
  const std::string children =
      "<Datasets><item DataSet=\"frxDBDataset1\" DataSetName=\"" + Utf8ToSystem("客户") + "\"/></Datasets>"
      "<Variables><item Name=\" Group\"/><item Name=\"Total\" Value=\"&#60;Sum&#62;\"/></Variables>"
      "<ScriptText Text=\"begin&#13;&#10;end.\"/><TfrxDataPage Name=\"Data\" Height=\"1000\"/>";
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  LoadString(pages, Document("<page0/>", "<report><TfrxReport ReportOptions.Name=\"R\">" + children +
                                             "</TfrxReport></report>"));
  const std::string once = SaveToString(pages);
  EXPECT_EQ(SectionText(once, "report"),
            "<report><TfrxReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"0\" "
            "PreviewOptions.OutlineWidth=\"120\" ReportOptions.Name=\"R\">" + children + "</TfrxReport></report>");
  LoadString(pages, once);
  EXPECT_EQ(SaveToString(pages), once);
}

// Names read from a file are kept as they stand, in a file of code page strings and in
// one whose header says its strings are UTF-8: the dictionary finds them either way (an
// escaped character in the entry as in the Name attribute), and the classes a page left
// out are named in UTF-8.
TEST_F(ReportFileTest, NamesReadFromAFileAreKeptAsTheyStand) {
  const std::string name = Utf8ToSystem("备注&1");  // in memory: code page bytes
  for (const testing::FileEncoding& c : testing::kFileEncodings) {
    SCOPED_TRACE(c.label);
    const std::string inFile = c.Encode("备注&#38;1");
    const std::string klass = c.Encode("类甲");
    const std::string source = "<sourcepages><TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
                               "<TfrxMemoView Name=\"" + inFile + "\" Width=\"100\" Height=\"20\" Text=\"t\"/>"
                               "</TfrxReportPage></sourcepages><dictionary><m1 name=\"Page0." + inFile +
                               "\"/><k1 name=\"Page0.Gone\"/></dictionary>";
    TfrxPreviewPages pages(nullptr);
    LoadString(pages, std::string(c.header) + "<preparedreport><previewpages><page0><m1 u=\"x\"/></page0>"
                      "<TfrxReportPage><TfrxMemoView Name=\"" + inFile + "\"/></TfrxReportPage>"
                      "<page0><" + klass + "1/></page0></previewpages>" + source + "</preparedreport>");
    for (int page : {0, 1}) {
      ASSERT_EQ(pages.PageObject(page)->Objects().size(), 1u) << page;
      EXPECT_EQ(pages.PageObject(page)->Objects()[0]->Name(), name) << page;
    }
    EXPECT_NE(SaveToString(pages).find("<TfrxMemoView Name=\"" + inFile + "\""), std::string::npos);
    // A designer's rename still has to be an identifier.
    EXPECT_THROW(pages.PageObject(0)->Objects()[0]->SetName(Utf8ToSystem("备注2")), Exception);
    // An element of a class this program does not know is left out, and named in UTF-8.
    ASSERT_NE(pages.PageObject(2), nullptr);
    EXPECT_EQ(pages.LeftOutClasses().at(2), std::vector<std::string>{"类甲1"});
  }
}

TEST_F(ReportFileTest, ChineseTextIsUtf8InTextsAndCodePageBytesElsewhere) {
  ReportGenerator g;
  TfrxReportPage& source = g.AddSourcePage();
  auto* memo = new TfrxMemoView(&source);
  memo->SetName("Memo1");
  TfrxReportPage& page = g.AddCompactPage(0);
  auto& copy = g.Place<TfrxMemoView>(page, "Memo1");
  copy.Memo().SetText(u"中文");
  copy.SetHint(Utf8ToSystem("中文"));
  copy.SetURL(Utf8ToSystem("中文"));
  const std::string bytes = g.Write();
  EXPECT_NE(bytes.find("u=\"\xe4\xb8\xad\xe6\x96\x87\""), std::string::npos);  // UTF-8
  EXPECT_NE(bytes.find("URL=\"\xd6\xd0\xce\xc4\""), std::string::npos);        // code page 936
  TfrxPreviewPages pages(nullptr);
  LoadString(pages, bytes);
  const auto* loaded = As<TfrxMemoView>(pages.PageObject(0)->Objects()[0]);
  EXPECT_EQ(loaded->Memo().Text(), u"中文\r\n");
  EXPECT_EQ(loaded->URL(), Utf8ToSystem("中文"));
}

class ReportFileOnDiskTest : public ReportFileTest {
 protected:
  void SetUp() override {
    ReportFileTest::SetUp();
    folder = std::filesystem::temp_directory_path() /
             ("quarlo-file-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path folder;
};

TEST_F(ReportFileOnDiskTest, AMissingFileChangesNothingUnlessAskedToFail) {
  TfrxPreviewPages pages(nullptr);
  LoadString(pages, Document("<page0/><page0/>"));
  const std::string missing = (folder / "missing.fp3").string();
  EXPECT_FALSE(pages.LoadFromFile(missing));
  EXPECT_EQ(pages.Count(), 2);
  EXPECT_THROW(pages.LoadFromFile(missing, true), EStreamError);
}

TEST_F(ReportFileOnDiskTest, SavingToFileReplacesTheFileOnlyWhenComplete) {
  const std::filesystem::path file = folder / "report.fp3";
  TfrxPreviewPages pages(nullptr);
  LoadString(pages, Document("<page0/>"));
  pages.SaveToFile(file.string());
  const std::string first = Read(file);
  TfrxPreviewPages reread(nullptr);
  EXPECT_TRUE(reread.LoadFromFile(file.string()));
  EXPECT_EQ(reread.Count(), 1);

  // A disk that fills up half way (a file size limit stands in for it): the save fails
  // with an error, the old file keeps its bytes and no temporary file is left.
  TfrxPreviewPages big(nullptr);
  LoadString(big, RichReport());
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit limit {}, saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  limit = saved;
  limit.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_THROW(big.SaveToFile(file.string()), EStreamError);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_EQ(Read(file), first);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
  // The store itself is untouched by the failure and saves fine afterwards.
  big.SaveToFile(file.string());
  TfrxPreviewPages after(nullptr);
  after.LoadFromFile(file.string(), true);
  EXPECT_EQ(after.Count(), big.Count());
}

TEST_F(ReportFileOnDiskTest, TheBundledSampleIsWhatTheGeneratorWritesToday) {
  const std::string committed = Read(testing::SampleReportPath());
  ASSERT_FALSE(committed.empty()) << "samples/sample.fp3 is missing";
  EXPECT_TRUE(committed == testing::SampleReportBytes())
      << "samples/sample.fp3 is out of date: run quarlo-make-sample";
  TfrxPreviewPages pages(nullptr);
  LoadString(pages, committed);
  // Every page of the sample builds: a page naming an unregistered class fails here.
  ASSERT_GE(pages.Count(), 9);
  for (int i = 0; i < pages.Count(); ++i) EXPECT_NE(pages.PageObject(i), nullptr) << "page " << i + 1;
  for (int i = 0; i < pages.Count(); ++i) EXPECT_NE(pages.PageObject(i), nullptr);
}

}  // namespace
}  // namespace quarlo
