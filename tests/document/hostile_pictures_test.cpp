// Pictures whose headers claim 100,000 x 100,000 pixels (the largest a JPEG can say,
// 65,535, for JPEG), held by picture objects of a page inline and through the picture
// cache: the page builds, the picture draws as an empty one after the frame with the
// refusal as the page's error, and no allocation of the claimed size is tried.
#include <gtest/gtest.h>
#include <malloc.h>
#include <zlib.h>

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "document/preview_pages.h"
#include "objects/prop_data.h"
#include "platform/stream.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"
#include "support/memory_usage.h"

namespace quarlo {
namespace {

using test::kSanitized;
using test::PeakResidentKb;

constexpr std::uint32_t kHuge = 100000;

std::string LE(std::uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}

std::string BE32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// A bitmap info header of w x h, followed by a few bytes of pixels.
std::string InfoHeader(std::uint32_t w, std::uint32_t h, std::uint16_t bits = 24, std::uint32_t colours = 0,
                       std::uint32_t size = 40) {
  return LE(size, 4) + LE(w, 4) + LE(h, 4) + LE(1, 2) + LE(bits, 2) + LE(0, 4) + LE(0, 4) + LE(2835, 4) +
         LE(2835, 4) + LE(colours, 4) + LE(0, 4) + std::string(64, '\x7F');
}

std::string Bmp(const std::string& info, std::uint32_t pixelsAt = 54) {
  return "BM" + LE(static_cast<std::uint32_t>(14 + info.size()), 4) + LE(0, 4) + LE(pixelsAt, 4) + info;
}

std::string HugeBmp() { return Bmp(InfoHeader(kHuge, kHuge)); }

std::string PngChunk(const std::string& type, const std::string& data) {
  const std::string typed = type + data;
  const auto crc = static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size())));
  return BE32(static_cast<std::uint32_t>(data.size())) + typed + BE32(crc);
}

// Well formed in every byte: valid chunk checksums and a real compressed row.
std::string HugePng(std::uint32_t w = kHuge, std::uint32_t h = kHuge) {
  const std::string raw(1 + 3 * 16, '\0');
  uLongf size = compressBound(raw.size());
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  packed.resize(size);
  return std::string("\x89PNG\r\n\x1A\n", 8) +
         PngChunk("IHDR", BE32(w) + BE32(h) + std::string("\x08\x02\x00\x00\x00", 5)) +
         PngChunk("IDAT", packed) + PngChunk("IEND", "");
}

std::string HugeJpeg() {
  // Start of image, a baseline frame of 65535 x 65535 with three components, a scan.
  std::string f("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 21);
  f += std::string("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 14);
  f += std::string(32, '\x55') + "\xFF\xD9";
  return f;
}

// One icon entry whose image is `image` (a bitmap without file header, or a PNG); the
// directory may claim more entries and the entry another size and place.
std::string Icon(const std::string& image, std::uint16_t entries = 1, std::uint32_t size = 0,
                 std::uint32_t at = 22) {
  return LE(0, 2) + LE(1, 2) + LE(entries, 2) + std::string("\0\0\0\0", 4) + LE(1, 2) + LE(32, 2) +
         LE(size ? size : static_cast<std::uint32_t>(image.size()), 4) + LE(at, 4) + image;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

// The picture's binary property as a picture object stores it.
std::string PictureData(const std::string& image) {
  PropDataWriter w;
  w.WritePropName("Data");
  w.WriteBinary(std::string(1, '\x07') + "TBitmap" + image);
  return w.Bytes();
}

TEST(HostilePictures, HugeClaimedPicturesDrawEmptyWithoutAllocating) {
  store_fixtures::RegisterClasses();
  struct Case {
    const char* name;
    std::string image;
  } cases[] = {
      {"bitmap", HugeBmp()},
      {"png", HugePng()},
      {"jpeg", HugeJpeg()},
      {"icon holding a bitmap", Icon(InfoHeader(kHuge, 2 * kHuge))},
      {"icon holding a png", Icon(HugePng())},
      {"bitmap drawn top down", Bmp(InfoHeader(kHuge, static_cast<std::uint32_t>(-static_cast<int>(kHuge))))},
      {"bitmap of the widest width", Bmp(InfoHeader(0x7FFFFFFF, 1))},
      {"bitmap of a negative width", Bmp(InfoHeader(0x80000000u, 1))},
      {"bitmap palette of 4 G colours", Bmp(InfoHeader(kHuge, kHuge, 8, 0xFFFFFFFF))},
      {"bitmap header of 4 GB", Bmp(InfoHeader(kHuge, kHuge, 24, 0, 0xFFFFFFFF))},
      {"bitmap pixels past the end", Bmp(InfoHeader(kHuge, kHuge), 0xFFFFFFF0)},
      {"png one pixel high and 2^31 wide", HugePng(0x7FFFFFFF, 1)},
      {"icon claiming 65535 entries", Icon(InfoHeader(kHuge, 2 * kHuge), 0xFFFF)},
      {"icon entry of 4 GB", Icon(InfoHeader(kHuge, 2 * kHuge), 1, 0xFFFFFFFF)},
      {"icon entry past the end", Icon(InfoHeader(kHuge, 2 * kHuge), 1, 0, 0xFFFFFFF0)},
  };
  const long peakBefore = PeakResidentKb();
  for (const Case& c : cases) {
    // The same picture inline (with AutoSize, which takes the claimed size) and by
    // index into the picture cache.
    const std::string complete =
        "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
        "<TfrxPictureView Name=\"Inline\" Left=\"10\" Top=\"10\" Width=\"50\" Height=\"50\" AutoSize=\"True\" "
        "Frame.Typ=\"15\" Picture.PropData=\"" +
        Hex(PictureData(c.image)) + "\"/></TfrxReportPage>";
    const std::string compact = "<page0><b1><p1 ImageIndex=\"1\"/></b1></page0>";
    const std::string file = store_fixtures::Document(
        complete + compact, "<picturecache><item stream=\"" + Hex(c.image) + "\"/></picturecache>");
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(file);
    pages.LoadFromStream(in);
    ASSERT_EQ(pages.Count(), 2);
    for (int index : {0, 1}) {
      SCOPED_TRACE(std::string(c.name) + (index == 0 ? ", inline" : ", from the cache"));
      TfrxReportPage* page = pages.PageObject(index);
      ASSERT_NE(page, nullptr);
      const auto* picture = As<TfrxPictureView>(page->FindObject(index == 0 ? "Inline" : "Picture1"));
      ASSERT_NE(picture, nullptr);
      EXPECT_FALSE(picture->Picture().Empty()) << "recognised by its signature";
      EXPECT_LE(picture->Width(), 1 << 20) << "AutoSize is capped";
      RecordingCanvas canvas({0, 0, 1000, 1400}, 96, 96, CanvasKind::Screen);
      std::string error;
      try {
        pages.PaintPage(index, canvas, 1, 1, 0, 0);
      } catch (const Exception& e) {
        error = e.what();
      }
      EXPECT_FALSE(error.empty()) << "the refusal is reported";
      EXPECT_LT(error.size(), 300u) << error;
      EXPECT_TRUE(canvas.RecordsOf(CanvasRecord::Op::Image).empty());
      EXPECT_TRUE(canvas.RecordsOf(CanvasRecord::Op::ImageTransparent).empty());
      if (index == 0) {
        EXPECT_FALSE(canvas.RecordsOf(CanvasRecord::Op::Line).empty()) << "the frame is drawn";
      }
    }
    // Saved and loaded again, the picture bytes are kept as they came.
    MemoryStream out;
    pages.SaveToStream(out);
    EXPECT_NE(out.Data().find(Hex(c.image)), std::string::npos) << c.name;
  }
  // 100,000 x 100,000 pixels would be 30 to 40 GB; nothing near that was asked for.
  if (!kSanitized) {
    EXPECT_LT(PeakResidentKb() - peakBefore, 256 * 1024);
  }
}

// One picture used by very many objects of one page: a small file whose page would
// hold a copy of the picture per object. A page takes at most 256 MB of pictures from
// the cache, the objects past that show none; a picture held by the template is part
// of its line, and the page stops at 256 MB of lines read.
TEST(HostilePictures, OnePictureUsedByManyObjectsOfAPageIsCopiedABoundedNumberOfTimes) {
  store_fixtures::RegisterClasses();
  const std::string bmp = Bmp(InfoHeader(1024, 1024) + std::string(3 << 20, '\x40'));
  std::string objects;
  for (int i = 0; i < 100; ++i) objects += "<p1 ImageIndex=\"1\"/>";
  const std::string fromCache = store_fixtures::Document(
      "<page0><b1>" + objects + "</b1></page0>", "<picturecache><item stream=\"" + Hex(bmp) + "\"/></picturecache>");
  // The same picture held by the template object itself.
  std::string fromTemplate = store_fixtures::Document("<page0><b1>" + objects + "</b1></page0>");
  const std::string plain = "<TfrxPictureView Name=\"Picture1\" Left=\"200\" Top=\"0\" Width=\"30\" Height=\"30\"";
  ASSERT_NE(fromTemplate.find(plain), std::string::npos);
  fromTemplate.replace(fromTemplate.find(plain), plain.size(),
                       plain + " Picture.PropData=\"" + Hex(PictureData(bmp)) + "\"");
  const std::pair<const char*, const std::string*> files[] = {{"from the cache", &fromCache},
                                                              {"from the template", &fromTemplate}};
  for (const auto& [where, file] : files) {
    SCOPED_TRACE(where);
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(*file);
    pages.LoadFromStream(in);
    const struct mallinfo2 before = mallinfo2();
    if (file == &fromTemplate) {
      EXPECT_THROW(pages.PageObject(0), Exception);
      continue;
    }
    TfrxReportPage* page = pages.PageObject(0);
    ASSERT_NE(page, nullptr);
    const struct mallinfo2 after = mallinfo2();
    int shown = 0;
    for (TfrxComponent* c : page->AllObjects()) {
      if (auto* p = As<TfrxPictureView>(c); p && !p->Picture().Empty()) ++shown;
    }
    EXPECT_EQ(shown, static_cast<int>((size_t{256} << 20) / bmp.size()));
    const double heldMb =
        (static_cast<double>(after.uordblks + after.hblkhd) - static_cast<double>(before.uordblks + before.hblkhd)) /
        (1 << 20);
    if (!kSanitized) {
      EXPECT_LT(heldMb, 270);
    }
  }
}

// A template text of a megabyte named by hundreds of compact objects: each object
// reads the template's line again, so a page stops at 256 MB of attribute text read.
TEST(HostilePictures, TemplateTextNamedByManyObjectsStopsThePageAtItsLimit) {
  store_fixtures::RegisterClasses();
  const std::string text(1 << 20, 'T');
  for (int count : {200, 300}) {
    SCOPED_TRACE(count);
    std::string objects;
    for (int i = 0; i < count; ++i) objects += "<m1/>";
    std::string file = store_fixtures::Document("<page0><b1>" + objects + "</b1></page0><page0/>");
    const std::string plain = "Text=\"template\"";
    ASSERT_NE(file.find(plain), std::string::npos);
    file.replace(file.find(plain), plain.size(), "Text=\"" + text + "\"");
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(file);
    pages.LoadFromStream(in);
    std::string error;
    try {
      pages.PageObject(0);
    } catch (const Exception& e) {
      error = e.what();
    }
    EXPECT_EQ(error, count == 200 ? "" : "Page too large: more than 256 MB of object attributes");
    EXPECT_NE(pages.PageObject(1), nullptr) << "the other pages still build";
  }
}

}  // namespace
}  // namespace quarlo
