// A document of very many small pages, made on demand by a stream so that the test
// never holds the file itself: it loads in one pass, a page far in builds and paints,
// saving writes it all again, and the memory taken stays in proportion to the file.
//
// HeavyHostileLargeDocument reads a whole gigabyte and is left out of the sanitizer run.
#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"
#include "support/memory_usage.h"

namespace quarlo {
namespace {

using test::kSanitized;
using test::PeakResidentKb;

constexpr int kDigits = 8;
constexpr int kMemosPerPage = 10;

// The bytes of a prepared report with `pages` compact pages of ten text objects, each
// naming its page number, produced from the position asked for.
class GeneratedReportStream : public Stream {
 public:
  explicit GeneratedReportStream(int64_t pages) : pages_(pages) {
    prefix_ = std::string(store_fixtures::kHeader) + "<preparedreport>" + store_fixtures::SourcePages() +
              store_fixtures::Dictionary() + "<previewpages>";
    suffix_ = "</previewpages></preparedreport>";
    page_ = "<page0><b1 t=\"20\">";
    for (int m = 0; m < kMemosPerPage; ++m) {
      page_ += "<m1 l=\"" + std::to_string(5 + m * 70) + "\" t=\"" + std::to_string(m * 60) + "\" u=\"Page ";
      digitsAt_[m] = page_.size();
      page_ += std::string(kDigits, '0') + ", line " + std::to_string(m) + " of a small page\"/>";
    }
    page_ += "</b1></page0>";
  }

  static int64_t PagesFor(int64_t bytes) { return bytes / static_cast<int64_t>(GeneratedReportStream(1).page_.size()); }

  size_t Read(void* buffer, size_t count) override {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count && position_ < Size()) {
      const size_t n = Produce(out + done, count - done);
      done += n;
      position_ += static_cast<int64_t>(n);
    }
    return done;
  }
  void Write(const void*, size_t) override { throw EStreamError("read-only stream"); }
  int64_t Position() const override { return position_; }
  void SetPosition(int64_t position) override { position_ = std::clamp<int64_t>(position, 0, Size()); }
  int64_t Size() const override {
    return static_cast<int64_t>(prefix_.size() + suffix_.size()) + pages_ * static_cast<int64_t>(page_.size());
  }

 private:
  // Copies from where position_ is, up to the end of the piece it lies in.
  size_t Produce(char* out, size_t room) {
    const auto pre = static_cast<int64_t>(prefix_.size());
    const int64_t body = pages_ * static_cast<int64_t>(page_.size());
    if (position_ < pre) return CopyFrom(prefix_, static_cast<size_t>(position_), out, room);
    if (position_ >= pre + body) return CopyFrom(suffix_, static_cast<size_t>(position_ - pre - body), out, room);
    const int64_t page = (position_ - pre) / static_cast<int64_t>(page_.size());
    if (page != filled_) {
      char digits[24];
      std::snprintf(digits, sizeof digits, "%0*lld", kDigits, static_cast<long long>(page + 1));
      for (size_t at : digitsAt_) std::memcpy(&page_[at], digits, kDigits);
      filled_ = page;
    }
    return CopyFrom(page_, static_cast<size_t>((position_ - pre) % static_cast<int64_t>(page_.size())), out, room);
  }
  static size_t CopyFrom(const std::string& piece, size_t at, char* out, size_t room) {
    const size_t n = std::min(room, piece.size() - at);
    std::memcpy(out, piece.data() + at, n);
    return n;
  }

  int64_t pages_;
  int64_t position_ = 0;
  int64_t filled_ = -1;
  std::string prefix_, suffix_, page_;
  size_t digitsAt_[kMemosPerPage] = {};
};

// Takes what is saved and only counts it.
class CountingStream : public Stream {
 public:
  size_t Read(void*, size_t) override { return 0; }
  void Write(const void*, size_t count) override { size_ += static_cast<int64_t>(count); }
  int64_t Position() const override { return size_; }
  void SetPosition(int64_t) override {}
  int64_t Size() const override { return size_; }

 private:
  int64_t size_ = 0;
};

// Heap bytes in use now (0 where the allocator does not say, as under a sanitizer).
double HeapInUseMb() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024 * 1024);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::u16string Utf16(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

void LoadBuildPaintAndSave(int64_t bytes) {
  store_fixtures::RegisterClasses();
  const int64_t count = GeneratedReportStream::PagesFor(bytes);
  GeneratedReportStream in(count);
  const long peakBefore = PeakResidentKb();
  const double heapBefore = HeapInUseMb();
  auto start = std::chrono::steady_clock::now();
  TfrxPreviewPages pages(nullptr);
  pages.LoadFromStream(in);
  const double loadSeconds = SecondsSince(start);
  ASSERT_EQ(pages.Count(), count);
  const double heldMb = HeapInUseMb() - heapBefore;

  // A page far in: its own numbers, drawn as text.
  const int far = static_cast<int>(count - 2);
  start = std::chrono::steady_clock::now();
  TfrxReportPage* page = pages.PageObject(far);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->AllObjects().size(), 1u + kMemosPerPage);
  char number[24];
  std::snprintf(number, sizeof number, "%0*d", kDigits, far + 1);
  RecordingCanvas canvas({0, 0, 800, 1200}, 96, 96, CanvasKind::Screen);
  pages.PaintPage(far, canvas, 1, 1, 0, 0);
  std::u16string text;
  for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Text)) text += r->text;
  EXPECT_NE(text.find(Utf16(number)), std::u16string::npos);
  EXPECT_EQ(pages.PageExtent(far).Width, 794);
  const double buildSeconds = SecondsSince(start);

  start = std::chrono::steady_clock::now();
  CountingStream out;
  pages.SaveToStream(out);
  const double saveSeconds = SecondsSince(start);
  // The same pages again; only the regenerated sections may be spelt differently.
  EXPECT_NEAR(static_cast<double>(out.Size()), static_cast<double>(in.Size()), 2000.0);

  const long peakKb = PeakResidentKb();
  const double fileMb = static_cast<double>(in.Size()) / (1024 * 1024);
  const double grownMb = static_cast<double>(peakKb - peakBefore) / 1024;
  std::printf("%.0f MB, %lld pages: load %.2f s, page %d %.3f s, save %.2f s, held %.0f MB, peak %.0f MB (+%.0f MB)\n",
              fileMb, static_cast<long long>(count), loadSeconds, far + 1, buildSeconds, saveSeconds, heldMb,
              static_cast<double>(peakKb) / 1024, grownMb);
  // The pages are kept as their text plus one element each: a little over the file's
  // size, not the twice as much that bodies grown piece by piece would hold.
  if (!kSanitized) {
    EXPECT_LT(heldMb, 1.4 * fileMb + 16);
    EXPECT_LT(grownMb, 1.5 * fileMb + 64);
  }
}

TEST(HostileLargeDocument, SixtyFourMegabytesOfSmallPages) { LoadBuildPaintAndSave(int64_t{64} << 20); }

TEST(HeavyHostileLargeDocument, OneGigabyteOfSmallPages) { LoadBuildPaintAndSave(int64_t{1} << 30); }

}  // namespace
}  // namespace quarlo
