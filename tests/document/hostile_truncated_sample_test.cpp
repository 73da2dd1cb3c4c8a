// The bundled sample cut at every 1 KB boundary, as a download or copy broken off
// part way: each cut loads as far as it goes or fails with the format error, and every
// page that loaded builds and paints on the recording canvas or reports why it cannot.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "report/report.h"
#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"
#include "support/sample_report.h"

namespace quarlo {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What became of one cut of the file.
struct CutResult {
  std::string loadError;  // empty when the load succeeded
  int pages = 0;
  int built = 0;    // pages that built
  int painted = 0;  // pages that painted without an error
};

CutResult LoadBuildAndPaint(const std::string& bytes) {
  CutResult r;
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  MemoryStream in(bytes);
  try {
    pages.LoadFromStream(in);
  } catch (const Exception& e) {
    r.loadError = e.what();
    return r;
  }
  r.pages = pages.Count();
  for (int i = 0; i < r.pages; ++i) {
    // Only the store's own errors may come out; anything else fails the test.
    try {
      if (!pages.PageObject(i)) continue;
      ++r.built;
    } catch (const Exception&) {
      continue;
    }
    try {
      RecordingCanvas canvas({0, 0, 1600, 2400}, 96, 96, CanvasKind::Screen);
      pages.PaintPage(i, canvas, 1.5, 1.5, 10, 10);
      EXPECT_FALSE(canvas.HasClip()) << "page " << i + 1 << " leaves its clip on the canvas";
      ++r.painted;
    } catch (const Exception&) {
    }
  }
  return r;
}

TEST(HostileTruncatedSample, EveryKilobyteCutLoadsPartlyOrFailsWithTheFormatError) {
  store_fixtures::RegisterClasses();
  const std::string sample = ReadFile(testing::SampleReportPath());
  ASSERT_GT(sample.size(), 10000u);
  const CutResult whole = LoadBuildAndPaint(sample);
  ASSERT_EQ(whole.loadError, "");
  ASSERT_GE(whole.pages, 9);
  EXPECT_EQ(whole.built, whole.pages);
  EXPECT_EQ(whole.painted, whole.pages);

  std::map<std::string, int> outcomes;  // shown when something is off
  int loaded = 0;
  for (size_t cut = 0; cut < sample.size(); cut += 1024) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    const CutResult r = LoadBuildAndPaint(sample.substr(0, cut));
    if (!r.loadError.empty()) {
      // Cut inside a tag (or before the header): the format error, nothing else.
      EXPECT_EQ(r.loadError, "Invalid file format");
      ++outcomes[r.loadError];
      continue;
    }
    ++loaded;
    ++outcomes["loaded " + std::to_string(r.pages) + " pages, built " + std::to_string(r.built)];
    EXPECT_LE(r.pages, whole.pages);
    EXPECT_LE(r.built, r.pages);
  }
  EXPECT_GT(loaded, 0);

  // The same cuts moved back to the end of the last whole tag: files whose end tags are
  // missing, which load as far as they go. Once the dictionary is whole every page
  // builds and paints; pictures not yet read are empty, not errors.
  const size_t dictionaryEnd = sample.find("</dictionary>");
  ASSERT_NE(dictionaryEnd, std::string::npos);
  int previousPages = 0;
  for (size_t cut = 1024; cut < sample.size(); cut += 1024) {
    const size_t end = sample.rfind('>', cut) + 1;
    SCOPED_TRACE("cut after the tag ending at " + std::to_string(end));
    const CutResult r = LoadBuildAndPaint(sample.substr(0, end));
    EXPECT_EQ(r.loadError, "");
    ++outcomes["after a tag: loaded " + std::to_string(r.pages) + " pages, built " + std::to_string(r.built) +
               ", painted " + std::to_string(r.painted)];
    EXPECT_GE(r.pages, previousPages) << "a longer cut never holds fewer pages";
    previousPages = r.pages;
    if (end > dictionaryEnd) {
      EXPECT_EQ(r.pages, whole.pages);
      EXPECT_EQ(r.built, r.pages);
      EXPECT_EQ(r.painted, r.pages);
    }
  }
  std::string summary;
  for (const auto& [what, n] : outcomes) summary += what + ": " + std::to_string(n) + "\n";
  std::printf("%s", summary.c_str());
}

}  // namespace
}  // namespace quarlo
