// quarlo-cli thumbnail and the freedesktop thumbnailer that runs it: the first page
// fitted into the square asked for, the line the .thumbnailer file declares, and the
// files that get no thumbnail.
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

const std::string kSample = QUARLO_SOURCE_DIR "/samples/sample.fp3";

// Pixels of the image that are not white.
int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
  return inked;
}

std::string LandscapeReport() {
  testing::ReportGenerator g;
  TfrxReportPage& page = g.AddCompletePage();
  page.SetPaperSize(9);
  page.SetOrientation(TPrinterOrientation::poLandscape);
  auto* memo = new TfrxMemoView(&page);
  memo->SetBounds(0, 0, 1000, 700);
  memo->SetColor(0x00C0C0C0);
  memo->Memo().SetText(u"横向 Landscape");
  return g.Write();
}

TEST(ThumbnailVerb, FitsTheFirstPageIntoTheSquare) {
  ScratchFolder folder("thumbnail");
  folder.Write("landscape.fp3", LandscapeReport());
  struct Case {
    std::string file;
    std::string size;
    int width, height;
    double inked;  // at least this part of the image is not white
  } cases[] = {
      {kSample, "128", 91, 128, 0.05},  // A4 portrait: 210 x 297 mm
      {kSample, "256", 181, 256, 0.05},
      {kSample, "16", 11, 16, 0.05},
      // Most of the page is a grey memo.
      {folder.Path("landscape.fp3"), "128", 128, 91, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " at " + c.size);
    const std::string out = folder.Path("thumb.png");
    const auto r = RunCli({"thumbnail", "-s", c.size, c.file, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out + "\n");
    const QImage image(QString::fromStdString(out));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    // The page's content shows, on white paper.
    const double area = image.width() * image.height();
    EXPECT_GE(InkedPixels(image), c.inked * area);
    EXPECT_LE(InkedPixels(image), 0.9 * area);
  }
}

TEST(ThumbnailVerb, FilesThatGetNoThumbnail) {
  ScratchFolder folder("thumbnail-errors");
  folder.Write("empty.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport/>");
  folder.Write("broken.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0");
  // Larger than a thumbnail may cost: refused without being read.
  folder.Write("huge.fp3", "");
  std::filesystem::resize_file(folder.Path("huge.fp3"), 65u << 20);
  const std::string out = folder.Path("t.png");
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"thumbnail", "-s", "128", folder.Path("empty.fp3"), "-o", out}, 1, "has no page"},
      {{"thumbnail", "-s", "128", folder.Path("broken.fp3"), "-o", out}, 1, "Invalid file format"},
      {{"thumbnail", "-s", "128", folder.Path("huge.fp3"), "-o", out}, 1, "larger than 64 MB"},
      {{"thumbnail", "-s", "128", "/nonexistent/r.fp3", "-o", out}, 1, ""},
      {{"thumbnail", "-s", "0", kSample, "-o", out}, 2, "-s takes"},
      {{"thumbnail", "-s", "4096", kSample, "-o", out}, 2, "-s takes"},
      {{"thumbnail", "-s", "12px", kSample, "-o", out}, 2, "-s takes"},
      {{"thumbnail", "-s", "128", kSample}, 2, "expects FILE and -o"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[3]);
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(folder.Exists("t.png"));
  }
}

// The file managers' way: the Exec line of the .thumbnailer file with its fields filled.
TEST(Thumbnailer, TheDeclaredLineWritesTheThumbnail) {
  std::ifstream in(QUARLO_SOURCE_DIR "/config/desktop/quarlo.thumbnailer");
  std::string entry{std::istreambuf_iterator<char>(in), {}};
  std::smatch exec, mime;
  ASSERT_TRUE(std::regex_search(entry, exec, std::regex("\nExec=([^\n]*)")));
  ASSERT_TRUE(std::regex_search(entry, mime, std::regex("\nMimeType=([^\n]*)")));
  EXPECT_EQ(mime[1].str(), "application/x-quarlo-prepared-report;");

  ScratchFolder folder("thumbnailer");
  const std::string out = folder.Path("thumb.png");
  std::string line = exec[1];
  for (const auto& [field, value] : std::vector<std::pair<std::string, std::string>>{
           {"%s", "256"}, {"%i", spooler::ShellQuote(kSample)}, {"%o", spooler::ShellQuote(out)}}) {
    const std::size_t at = line.find(field);
    ASSERT_NE(at, std::string::npos) << line;
    line.replace(at, field.size(), value);
  }
  const std::string bin = std::filesystem::path(QUARLO_CLI_PATH).parent_path().string();
  int status = -1;
  spooler::RunCommand("env -u QT_QPA_PLATFORM PATH=" + spooler::ShellQuote(bin) + ":\"$PATH\" " + line +
                          " >/dev/null 2>&1",
                      &status);
  ASSERT_EQ(status, 0) << line;
  const QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.width(), 181);
  EXPECT_EQ(image.height(), 256);
}

}  // namespace
}  // namespace quarlo
