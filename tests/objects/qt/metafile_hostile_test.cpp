// Crafted metafiles that lie about sizes, counts, offsets and handles: playing them
// draws what it can, stays within the bytes given, and finishes quickly on a raster
// canvas as well as on a recording.

#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <functional>

#include "objects/metafile_player.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/recording_canvas.h"
#include "support/metafile_builder.h"

namespace quarlo {
namespace {

using testing::Dib24;
using testing::EmfBuilder;
using testing::WmfBuilder;
using Op = CanvasRecord::Op;

constexpr std::int32_t kHuge = 0x7FFFFFFF;

std::string Words(std::initializer_list<std::uint32_t> words) {
  std::string s;
  for (std::uint32_t w : words)
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
  return s;
}

struct HostileCase {
  const char* name;
  std::function<std::string()> file;
  bool rectangleSurvives;  // a rectangle drawn before the bad part is still drawn
};

// An EMF with a rectangle, then `bad`.
std::string EmfWith(const std::function<void(EmfBuilder&)>& bad) {
  EmfBuilder b;
  b.Record(43, {1, 1, 9, 9});
  bad(b);
  return b.Finish();
}

std::string WmfWith(const std::function<void(WmfBuilder&)>& bad) {
  WmfBuilder b(0, 0, 100, 100, 96);
  b.Record(0x041B, {9, 9, 1, 1});
  bad(b);
  return b.Finish();
}

const HostileCase kCases[] = {
    {"record size past the end",
     [] {
       std::string f = EmfWith([](EmfBuilder& b) { b.Raw(3, Words({0, 0, 0, 0, 3, 1, 1, 2, 2, 3, 3}), 4000); });
       return f.substr(0, f.size() - 20);  // without the end record, the last size lies
     },
     true},
    {"file cut inside a record",
     [] {
       std::string f = EmfWith([](EmfBuilder& b) { b.Points(3, {{0, 0}, {5, 5}, {0, 5}}); });
       return f.substr(0, f.size() - 30);
     },
     true},
    {"record size zero", [] { return EmfWith([](EmfBuilder& b) { b.Raw(43, Words({1, 1, 5, 5}), 0xFFFFFFFF); }); },
     true},
    {"point count far beyond the record",
     [] { return EmfWith([](EmfBuilder& b) { b.Raw(3, Words({0, 0, 0, 0, 0x7FFFFFFF, 1, 1, 2, 2})); }); }, true},
    {"16-bit point count beyond the record",
     [] { return EmfWith([](EmfBuilder& b) { b.Raw(86, Words({0, 0, 0, 0, 0x40000000, 0x00010001})); }); }, true},
    {"poly-polygon counts that do not add up",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Raw(8, Words({0, 0, 0, 0, 2, 3, 0xFFFFFFFF, 2, 0, 0, 1, 1, 2, 2}));
         b.Raw(8, Words({0, 0, 0, 0, 0x7FFFFFFF, 3, 1, 1, 1, 0, 0, 1, 1, 2, 2}));
       });
     },
     true},
    {"text offsets and counts outside the record",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Font(1, -12, u"Arial").Select(1);
         std::string p = Words({0, 0, 0, 0, 1, 0, 0, 10, 10, 0x7FFFFFFF, 76, 0, 0, 0, 0, 0, 0xFFFFFFF0});
         b.Raw(84, p);
         b.Raw(84, Words({0, 0, 0, 0, 1, 0, 0, 10, 10, 4, 0xFFFFFF00, 0, 0, 0, 0, 0, 0}));
         b.Raw(83, Words({0, 0, 0, 0, 1, 0, 0, 10, 10, 1000, 76, 0, 0, 0, 0, 0, 0}));
         b.Raw(108, Words({10, 10, 0x7FFFFFFF, 0x300, 0, 0, 0}));
       });
     },
     true},
    {"font face without its terminator and absurd height",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Font(1, kHuge, u"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA").Select(1);
         b.TextW(5, 5, u"big");
         b.Font(2, -kHuge, u"Arial").Select(2).TextW(5, 5, u"big");
       });
     },
     true},
    {"bitmap claiming 100000 x 100000 pixels",
     [] {
       return EmfWith([](EmfBuilder& b) {
         std::string dib = Dib24(2, 2, {0, 0, 0, 0});
         dib[4] = '\xA0', dib[5] = '\x86', dib[6] = '\x01';  // width 100000
         dib[8] = '\xA0', dib[9] = '\x86', dib[10] = '\x01';
         b.StretchDib(0, 0, 10, 10, dib, 2, 2);
       });
     },
     true},
    {"bitmap offsets past the record",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Raw(81, Words({0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 0xFFFFFFF0, 100, 0, 0xCC0020, 10, 10}));
         b.Raw(76, Words({0, 0, 0, 0, 0, 0, 10, 10, 0xCC0020, 0, 0, 0x3F800000, 0, 0, 0x3F800000, 0, 0, 0, 0,
                          0x7FFFFFF0, 0x7FFFFFF0, 0, 0}));
       });
     },
     true},
    {"object handles far out of range",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Pen(0xFFFFFFF0, 0, 1, 0).Pen(0x7FFFFFFF, 0, 1, 0).Select(0xFFFFFFF0).Select(0x80001234).Delete(0x7FFFFFFF);
         for (int i = 0; i < 2000; ++i) b.Brush(static_cast<std::uint32_t>(i * 100000), 0, 0);
       });
     },
     true},
    {"giant coordinates and extents",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Pen(1, 0x10000, 1, 0).Select(1);
         b.Points(4, {{-kHuge, -kHuge}, {kHuge, kHuge}, {kHuge, -kHuge + 3}});
         b.Points(3, {{-kHuge, 0}, {kHuge, 5}, {0, kHuge}});
         b.Record(42, {-kHuge, -kHuge, kHuge, kHuge});
         b.Record(44, {-kHuge, -kHuge, kHuge, kHuge, kHuge, kHuge});
         b.Record(45, {-kHuge, -kHuge, kHuge, kHuge, 0, 0, 1, 1});
         b.Record(27, {-kHuge, 3}).Record(54, {kHuge, 7});
         b.Record(17, {8}).Record(9, {1, 1}).Record(11, {kHuge, kHuge}).Record(43, {0, 0, 2, 2});
         b.Xform(35, 1e30f, 0, 0, 1e30f, 0, 0).Record(43, {0, 0, 2, 2});
         b.Xform(35, 1, 0, 0, 1, 0, 0).Record(17, {1});
         b.StretchDib(-kHuge, -kHuge, kHuge, kHuge, Dib24(1, 1, {0xFF0000}), 1, 1);
       });
     },
     true},
    {"a pen a billion pixels wide",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Pen(1, 0x10000, 1000000000, 0).Select(1).Points(4, {{0, 0}, {50, 50}}).Record(43, {0, 0, 50, 50});
       });
     },
     true},
    {"saved states without end and restores past the start",
     [] {
       return EmfWith([](EmfBuilder& b) {
         for (int i = 0; i < 5000; ++i) b.Record(33, {});
         b.Record(34, {-100000}).Record(34, {-kHuge - 1}).Record(34, {kHuge}).Record(34, {0});
       });
     },
     true},
    {"paths never closed and closed twice",
     [] {
       return EmfWith([](EmfBuilder& b) {
         b.Record(62, {0, 0, 0, 0}).Record(60, {}).Record(61, {}).Record(59, {}).Record(59, {});
         b.Points(3, {{0, 0}, {9, 9}, {0, 9}});
       });
     },
     true},
    {"region data larger than its record",
     [] { return EmfWith([](EmfBuilder& b) { b.Record(75, {0x7FFFFFF0, 5, 32, 1, 1000000, 0}); }); }, true},
    {"many tiny records", [] { return EmfWith([](EmfBuilder& b) { for (int i = 0; i < 50000; ++i) b.Record(33, {}).Record(34, {-1}); }); },
     true},
    {"header that claims more than it holds",
     [] {
       std::string f = EmfBuilder().Finish(0xFFFF);
       f[4] = '\x10', f[5] = '\x27';  // header size 10000
       return f;
     },
     false},
    {"placeable: record size past the end",
     [] { return WmfWith([](WmfBuilder& b) { b.Raw(0x0324, std::string(8, '\x01'), 100000); }); }, true},
    {"placeable: counts beyond the record",
     [] {
       return WmfWith([](WmfBuilder& b) {
         b.Record(0x0324, {32000, 1, 1});
         b.Record(0x0538, {3, 32000, 32000, 32000, 1, 1});
         b.Record(0x0521, {32000, 0x4141});
         b.Record(0x0A32, {5, 5, 32000, 6, 0, 0, 100, 100});
       });
     },
     true},
    {"placeable: objects past the table and bad bitmaps",
     [] {
       return WmfWith([](WmfBuilder& b) {
         for (int i = 0; i < 300; ++i) b.Pen(0, 1, 0);
         b.Select(32767).Select(-1).Delete(-5);
         std::string dib = Dib24(1, 1, {0});
         dib[0] = '\x10', dib[1] = '\x27';  // header size 10000
         b.StretchDib(0, 0, 10, 10, dib, 1, 1);
         b.Record(0x0F43, {0, 0, 0});
       });
     },
     true},
};

TEST(MetafileHostile, CraftedFilesPlayWhatTheyCanAndStayBounded) {
  for (const HostileCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string file = c.file();
    const auto start = std::chrono::steady_clock::now();
    RecordingCanvas recording;
    const MetafilePlayResult result = PlayMetafile(recording, {0, 0, 100, 100}, file);
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainterCanvas canvas(image);
      PlayMetafile(canvas, {50, 50, 150, 150}, file);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 3000);
    if (c.rectangleSurvives) {
      EXPECT_TRUE(result.played) << result.error;
      const auto rects = recording.RecordsOf(Op::Rectangle);
      ASSERT_FALSE(rects.empty());
      EXPECT_EQ(rects[0]->rect, (CanvasRect{1, 1, 9, 9}));
    }
    EXPECT_FALSE(recording.HasClip());
    int outside = 0;  // painted pixels outside the picture's rectangle
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x)
        if ((x < 50 || x >= 150 || y < 50 || y >= 150) && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++outside;
    EXPECT_EQ(outside, 0);
  }
}

TEST(MetafileHostile, BadRecordsAreCountedAndTheRestStillPlays) {
  EmfBuilder b;
  b.Raw(3, Words({0, 0, 0, 0, 1000, 1, 1}));  // a polygon that does not fit its record
  b.Record(43, {2, 2, 8, 8});
  RecordingCanvas canvas;
  const MetafilePlayResult result = PlayMetafile(canvas, {0, 0, 100, 100}, b.Finish());
  EXPECT_TRUE(result.played);
  EXPECT_EQ(result.skippedRecords, 1);
  EXPECT_TRUE(canvas.RecordsOf(Op::Polygon).empty());
  EXPECT_EQ(canvas.RecordsOf(Op::Rectangle).size(), 1u);
}

TEST(MetafileHostile, NotAMetafileDrawsNothing) {
  const std::string inputs[] = {"", "BM", std::string(200, '\0'), std::string("\xD7\xCD\xC6\x9A", 4) + std::string(18, '\0'),
                                std::string("\xD7\xCD\xC6\x9A", 4) + std::string(60, '\x7F')};
  for (const std::string& in : inputs) {
    RecordingCanvas canvas;
    const MetafilePlayResult result = PlayMetafile(canvas, {0, 0, 100, 100}, in);
    EXPECT_FALSE(result.played);
    EXPECT_FALSE(result.error.empty());
    for (const CanvasRecord& r : canvas.Records()) EXPECT_EQ(r.op, Op::Clip);
  }
}

}  // namespace
}  // namespace quarlo
