// Metafiles cut at every byte and metafiles whose headers lie about their size, record
// count and description, each played from a buffer of exactly its bytes (so a read past
// the end is a sanitizer finding): they play what they hold or nothing, and every
// drawing operation happens inside the clip of the target rectangle.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/metafile_player.h"
#include "platform/recording_canvas.h"
#include "support/metafile_builder.h"

namespace quarlo {
namespace {

using testing::Dib24;
using testing::EmfBuilder;
using testing::WmfBuilder;
using Op = CanvasRecord::Op;

constexpr CanvasRect kTarget{10, 10, 110, 110};

std::string RichEmf() {
  EmfBuilder b;
  b.Record(43, {1, 1, 9, 9});
  b.Pen(1, 0, 2, 0x0000FF).Select(1).Brush(2, 0, 0x00FF00).Select(2);
  b.Points(3, {{0, 0}, {50, 50}, {0, 50}});
  b.PolyPoly(8, {{{0, 0}, {10, 0}, {10, 10}}, {{20, 20}, {30, 20}, {30, 30}}});
  b.Font(3, -12, u"Arial").Select(3).TextW(5, 60, u"cut here", {7, 7, 7, 7, 7, 7, 7, 7});
  b.StretchDib(60, 60, 30, 30, Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}), 2, 2);
  b.Record(42, {70, 0, 99, 20});
  return b.Finish();
}

std::string RichWmf() {
  WmfBuilder b(0, 0, 100, 100, 96);
  b.Record(0x041B, {9, 9, 1, 1});
  b.Pen(0, 1, 0x0000FF).Select(0).Brush(0, 0x00FF00).Select(1);
  b.Poly(0x0324, {{0, 0}, {50, 50}, {0, 50}});
  b.Font(12, "Arial").Select(2).ExtTextOut(5, 60, "cut here", {7, 7, 7, 7, 7, 7, 7, 7});
  b.StretchDib(60, 60, 30, 30, Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}), 2, 2);
  return b.Finish();
}

void Put32(std::string& s, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Put16(std::string& s, size_t at, std::uint16_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8);
}

bool Inside(const CanvasRect& inner, const CanvasRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Plays `bytes` from a heap block of exactly their size; checks the clip rule.
MetafilePlayResult PlayExact(const std::string& bytes) {
  std::unique_ptr<char[]> exact(new char[bytes.size() + (bytes.empty() ? 1 : 0)]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  RecordingCanvas canvas({0, 0, 200, 200}, 96, 96, CanvasKind::Screen);
  const MetafilePlayResult result = PlayMetafile(canvas, kTarget, std::string_view(exact.get(), bytes.size()));
  bool clipped = false;
  CanvasRect clip{};
  for (const CanvasRecord& r : canvas.Records()) {
    if (r.op == Op::Clip) {
      clipped = true;
      clip = r.rect;
      continue;
    }
    EXPECT_TRUE(clipped && (Inside(clip, kTarget) || clip.left >= clip.right || clip.top >= clip.bottom))
        << "an operation drawn outside the picture's rectangle";
  }
  EXPECT_FALSE(canvas.HasClip()) << "the clip is given back";
  return result;
}

TEST(MetafileTruncated, EveryCutPlaysItsWholeRecordsOrNothing) {
  struct Case {
    const char* name;
    std::string file;
    size_t header;  // shorter than this: nothing is played
  } cases[] = {{"enhanced", RichEmf(), 88}, {"placeable", RichWmf(), 22 + 18}};
  for (const Case& c : cases) {
    const MetafilePlayResult whole = PlayExact(c.file);
    ASSERT_TRUE(whole.played) << c.name << ": " << whole.error;
    for (size_t cut = 0; cut < c.file.size(); ++cut) {
      SCOPED_TRACE(std::string(c.name) + " cut at " + std::to_string(cut));
      const MetafilePlayResult r = PlayExact(c.file.substr(0, cut));
      if (cut < c.header) {
        EXPECT_FALSE(r.played);
        EXPECT_FALSE(r.error.empty());
      }
      if (r.played) {
        EXPECT_LE(r.records, whole.records);
      }
    }
  }
}

TEST(MetafileTruncated, HeadersThatClaimMoreThanTheFileHolds) {
  const std::string emf = RichEmf();
  const std::string wmf = RichWmf();
  struct Case {
    const char* name;
    std::string file;
  } cases[] = {
      {"emf size of 4 GB", [&] { std::string f = emf; Put32(f, 48, 0xFFFFFFFF); return f; }()},
      {"emf of two billion records", [&] { std::string f = emf; Put32(f, 52, 0x7FFFFFFF); return f; }()},
      {"emf of 65535 handles", [&] { std::string f = emf; Put16(f, 56, 0xFFFF); return f; }()},
      {"emf description past the end",
       [&] { std::string f = emf; Put32(f, 60, 0x40000000); Put32(f, 64, 0xFFFFFFF0); return f; }()},
      {"emf palette past the end", [&] { std::string f = emf; Put32(f, 68, 0x7FFFFFFF); return f; }()},
      {"emf header size past the end", [&] { std::string f = emf; Put32(f, 4, 0x7FFFFFF0); return f; }()},
      {"emf with its size and the file cut", [&] { std::string f = emf; Put32(f, 48, 100000); return f.substr(0, 200); }()},
      {"wmf size of 4 G words", [&] { std::string f = wmf; Put32(f, 22 + 6, 0xFFFFFFFF); return f; }()},
      {"wmf of 65535 objects", [&] { std::string f = wmf; Put16(f, 22 + 10, 0xFFFF); return f; }()},
      {"wmf largest record of 4 G words", [&] { std::string f = wmf; Put32(f, 22 + 12, 0xFFFFFFFF); return f; }()},
      {"wmf header of 65535 words", [&] { std::string f = wmf; Put16(f, 22 + 2, 0xFFFF); return f; }()},
      {"wmf with an empty bounding box", [&] { std::string f = wmf; Put16(f, 10, 0); Put16(f, 12, 0); return f; }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MetafilePlayResult r = PlayExact(c.file);
    if (!r.played) {
      EXPECT_FALSE(r.error.empty());
    }
  }
}

}  // namespace
}  // namespace quarlo
