// Picture placement, decoding of untrusted image data, transparency, and whole-page
// drawing: paper clip, margins, mirrored margins, culling, printable views and the
// error rule.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/errors.h"
#include "draw_test_raster.h"
#include "objects/band.h"
#include "objects/image_decode.h"
#include "objects/page_draw.h"
#include "objects/picture_draw.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

// A 24-bit bottom-up bitmap file; `pixel(x, y)` gives 0xRRGGBB.
std::string MakeBmp(int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::string s(54 + static_cast<std::size_t>(stride) * h, '\0');
  s[0] = 'B', s[1] = 'M';
  Put32(s, 2, static_cast<std::uint32_t>(s.size()));
  Put32(s, 10, 54);
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<std::uint32_t>(w));
  Put32(s, 22, static_cast<std::uint32_t>(h));
  s[26] = 1, s[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = pixel(x, y);
      char* d = s.data() + 54 + static_cast<std::size_t>(h - 1 - y) * stride + x * 3;
      d[0] = static_cast<char>(p), d[1] = static_cast<char>(p >> 8), d[2] = static_cast<char>(p >> 16);
    }
  return s;
}

std::string QtEncoded(const char* format, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, format);
  return bytes.toStdString();
}

TEST(PicturePlacement, StretchedAspectCentredAndNatural) {
  struct Case {
    const char* name;
    CanvasRect target;
    double pw, ph;
    bool stretched, keep, center;
    double scale;
    CanvasRect expected;
  };
  const Case cases[] = {
      {"aspect: wide picture at the top", {0, 0, 100, 100}, 200, 100, true, true, false, 1, {0, 0, 100, 50}},
      {"aspect and centred: moved down 25", {0, 0, 100, 100}, 200, 100, true, true, true, 1, {0, 25, 100, 75}},
      {"aspect: tall picture at the left", {10, 10, 110, 60}, 50, 100, true, true, false, 1, {10, 10, 35, 60}},
      {"stretched fills the object", {5, 5, 105, 55}, 7, 3, true, false, true, 1, {5, 5, 105, 55}},
      {"natural size centred at scale 2", {0, 0, 200, 200}, 50, 50, false, false, true, 2, {50, 50, 150, 150}},
      {"natural size in the corner", {0, 0, 200, 200}, 50, 50, false, false, false, 2, {0, 0, 100, 100}},
  };
  for (const Case& c : cases) {
    PicturePlacementInput in{c.target, c.pw, c.ph, c.stretched, c.keep, c.center, c.scale, c.scale};
    EXPECT_EQ(PicturePlacement(in), c.expected) << c.name;
  }
}

TEST(ImageDecode, ValidImagesOfEveryRasterKind) {
  const std::string bmp = MakeBmp(3, 2, [](int x, int y) { return x == 0 && y == 0 ? 0xFF0000u : 0x0000FFu; });
  struct Case {
    const char* name;
    TGraphicKind kind;
    std::string bytes;
    int w, h;
  };
  const Case cases[] = {
      {"bitmap", TGraphicKind::Bitmap, bmp, 3, 2},
      {"png", TGraphicKind::Png, QtEncoded("PNG", 5, 4), 5, 4},
      {"jpeg", TGraphicKind::Jpeg, QtEncoded("JPG", 9, 7), 9, 7},
  };
  for (const Case& c : cases) {
    const DecodedImage d = DecodeGraphic(c.kind, c.bytes);
    ASSERT_TRUE(d.Ok()) << c.name << ": " << d.error;
    EXPECT_EQ(d.image.width, c.w) << c.name;
    EXPECT_EQ(d.image.height, c.h) << c.name;
  }
  const DecodedImage d = DecodeBmp(bmp);
  EXPECT_EQ(d.image.pixels[0], 0xFFFF0000u) << "top-left of a bottom-up bitmap";
  EXPECT_EQ(d.image.pixels[4], 0xFF0000FFu);
}

TEST(ImageDecode, PngWrittenAndReadBackKeepsPixelsAndAlpha) {
  CanvasImage image{3, 2, {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF123456u, 0xFFFFFFFFu, 0xFF000000u}};
  const DecodedImage back = DecodePng(EncodePng(image));
  ASSERT_TRUE(back.Ok()) << back.error;
  EXPECT_EQ(back.image.pixels, image.pixels);
}

TEST(ImageDecode, PngOfRowsWithPaddingTakesOnlyTheRowsPixels) {
  // Two opaque rows of 3 pixels, 5 words apart; the padding is transparent garbage that
  // must neither show up nor make the file carry alpha.
  const std::vector<std::uint32_t> words = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0x00ABCDEFu, 0x12345678u,
                                            0xFF123456u, 0xFFFFFFFFu, 0xFF000000u, 0x00ABCDEFu, 0x12345678u};
  const std::string png = EncodePng(words.data(), 3, 2, 5);
  ASSERT_GT(png.size(), 26u);
  EXPECT_EQ(png[25], 2) << "colour type RGB: every pixel is opaque";
  // An independent reader sees the same pixels.
  const QImage read = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()));
  ASSERT_EQ(read.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(read.pixel(x, y), words[static_cast<std::size_t>(y * 5 + x)]) << x << "," << y;

  struct Refused {
    const std::uint32_t* pixels;
    int width, height;
    std::size_t stride;
  } refused[] = {{nullptr, 3, 2, 5}, {words.data(), 3, 2, 2}, {words.data(), 0, 2, 5}, {words.data(), 3, 0, 5}};
  for (const Refused& r : refused) EXPECT_EQ(EncodePng(r.pixels, r.width, r.height, r.stride), "") << r.stride;
}

TEST(ImageDecode, BrokenTruncatedAndHugeImagesAreRefusedWithoutAllocating) {
  const std::string bmp = MakeBmp(40, 30, [](int, int) { return 0u; });
  const std::string png = QtEncoded("PNG", 40, 30);
  const std::string jpeg = QtEncoded("JPG", 40, 30);
  std::string hugeBmp = bmp;
  Put32(hugeBmp, 18, 100000);
  Put32(hugeBmp, 22, 100000);
  std::string hugePng = png;  // IHDR width and height are big-endian at 16 and 20
  for (std::size_t at : {16u, 20u}) {
    const std::uint32_t v = 100000;
    hugePng[at] = 0, hugePng[at + 1] = static_cast<char>(v >> 16), hugePng[at + 2] = static_cast<char>(v >> 8),
    hugePng[at + 3] = static_cast<char>(v);
  }
  // A side chunk after the header whose length field claims 1.8 GB in a file of a few bytes.
  std::string claimingChunk = png.substr(0, 33) + std::string("\x6F\x6F\x6F\x6FtEXtdate:25", 16) + png.substr(33);
  std::string hugeJpeg = jpeg;  // the frame header's height and width
  const std::size_t sof = hugeJpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  hugeJpeg[sof + 5] = hugeJpeg[sof + 7] = static_cast<char>(0xEA);
  hugeJpeg[sof + 6] = hugeJpeg[sof + 8] = 0x60;
  struct Case {
    const char* name;
    TGraphicKind kind;
    std::string bytes;
    const char* errorPart;
  };
  const Case cases[] = {
      {"bitmap cut in its pixels", TGraphicKind::Bitmap, bmp.substr(0, 200), "truncated"},
      {"bitmap header only", TGraphicKind::Bitmap, bmp.substr(0, 20), "truncated"},
      {"bitmap of 100000 x 100000", TGraphicKind::Bitmap, hugeBmp, "refused"},
      {"png cut after the header", TGraphicKind::Png, png.substr(0, 40), "broken"},
      {"png of 100000 x 100000", TGraphicKind::Png, hugePng, ""},
      {"png chunk longer than the file", TGraphicKind::Png, claimingChunk, "longer than the data"},
      {"jpeg cut at the start", TGraphicKind::Jpeg, jpeg.substr(0, 30), "broken"},
      {"jpeg of 60000 x 60000", TGraphicKind::Jpeg, hugeJpeg, "refused"},
      {"icon with an entry past the end", TGraphicKind::Icon, std::string("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\xFF\0\0\0\xF0\0\0\0", 22), "truncated"},
  };
  for (const Case& c : cases) {
    const DecodedImage d = DecodeGraphic(c.kind, c.bytes);
    EXPECT_TRUE(d.image.IsEmpty()) << c.name;
    EXPECT_TRUE(d.image.pixels.empty()) << c.name;
    EXPECT_FALSE(d.error.empty()) << c.name;
    EXPECT_NE(d.error.find(c.errorPart), std::string::npos) << c.name << ": " << d.error;
  }
}

TEST(ImageDecode, ShortJpegClaimingMillionsOfPixelsStopsWhereItsDataEnds) {
  // A 40 x 30 picture whose frame header claims 6000 x 6000: its data ends within the
  // first rows, and the decoder leaves the rest white instead of decoding filler.
  std::string jpeg = QtEncoded("JPG", 40, 30);
  const std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg[sof + 5] = jpeg[sof + 7] = static_cast<char>(6000 >> 8);
  jpeg[sof + 6] = jpeg[sof + 8] = static_cast<char>(6000 & 0xFF);
  const DecodedImage d = DecodeGraphic(TGraphicKind::Jpeg, jpeg);
  ASSERT_TRUE(d.error.empty()) << d.error;
  ASSERT_EQ(d.image.width, 6000);
  ASSERT_EQ(d.image.height, 6000);
  const std::size_t last = d.image.pixels.size() - 1;
  EXPECT_EQ(d.image.pixels[last], 0xFFFFFFFFu);
  EXPECT_EQ(d.image.pixels[last / 2], 0xFFFFFFFFu);
}

TEST(PictureDraw, TransparentWhiteLetsThePageShowThrough) {
  TfrxPictureView view(nullptr);
  view.SetBounds(0, 0, 10, 10);
  view.SetStretched(false);
  ASSERT_TRUE(view.Picture().LoadFromData(MakeBmp(10, 10, [](int x, int) { return x < 5 ? 0xFFFFFFu : 0x0000FFu; })));
  for (bool transparent : {false, true}) {
    view.SetTransparent(transparent);
    const QImage img = drawtest::Paint(12, 12, [&](Canvas& c) {
      c.SetBrush(CanvasBrush::SolidColor(clYellow));
      c.FillRect({0, 0, 12, 12});
      view.Draw(c, 1, 1, 0, 0);
    });
    EXPECT_EQ(drawtest::Row(img, 5, 0, 11), transparent ? "yyyyybbbbbyy" : ".....bbbbbyy");
  }
}

TEST(PictureDraw, BrokenPictureDrawsFillAndFrameThenReports) {
  TfrxPictureView view(nullptr);
  view.SetBounds(0, 0, 10, 10);
  view.SetColor(clYellow);
  view.Frame().SetTyp(ftAll);
  std::string bmp = MakeBmp(10, 10, [](int, int) { return 0u; });
  ASSERT_TRUE(view.Picture().LoadFromData(bmp.substr(0, 100)));
  QImage img;
  EXPECT_THROW(img = drawtest::Paint(12, 12, [&](Canvas& c) {
                 try {
                   view.Draw(c, 1, 1, 0, 0);
                 } catch (...) {
                   img = QImage();
                   throw;
                 }
               }),
               Exception);
  img = drawtest::Paint(12, 12, [&](Canvas& c) { EXPECT_THROW(view.Draw(c, 1, 1, 0, 0), Exception); });
  EXPECT_EQ(drawtest::Row(img, 5, 0, 11), "#yyyyyyyyy#.");
}

// A page with one band holding shapes, A4 with 10 mm margins unless changed.
struct TestPage {
  TfrxReportPage page{nullptr};
  TfrxMasterData* band;
  TestPage() {
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetTopMargin(10);
    page.SetBottomMargin(10);
    band = new TfrxMasterData(&page);
    band->SetBounds(0, 0, 700, 200);
  }
  TfrxShapeView* Shape(double left, double top, double w = 10, double h = 10) {
    auto* s = new TfrxShapeView(band);
    s->SetBounds(left, top, w, h);
    return s;
  }
};

std::vector<CanvasRect> Rectangles(const RecordingCanvas& c) {
  std::vector<CanvasRect> out;
  for (const CanvasRecord* r : c.RecordsOf(CanvasRecord::Op::Rectangle)) out.push_back(r->rect);
  return out;
}

TEST(PageDraw, PaperClipAndMarginOffsets) {
  TestPage t;
  t.Shape(0, 0);
  RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
  DrawReportPage(t.page, 0, canvas, 1, 1, 0, 0);
  const auto clips = canvas.RecordsOf(CanvasRecord::Op::Clip);
  ASSERT_GE(clips.size(), 2u);
  EXPECT_EQ(clips[0]->rect, (CanvasRect{0, 0, 793, 1122}));
  EXPECT_FALSE(canvas.HasClip()) << "clip restored";
  EXPECT_EQ(Rectangles(canvas), (std::vector<CanvasRect>{{38, 38, 49, 49}}));
  EXPECT_EQ(t.page.Width(), 794);
}

TEST(PageDraw, MirroredMarginsSwapOnOddPagesAndAreRestored) {
  struct Case {
    int index;
    bool mirror;
    int left;
  };
  for (const Case& c : {Case{0, true, 76}, Case{1, true, 38}, Case{1, false, 76}, Case{2, true, 76}}) {
    TestPage t;
    t.page.SetLeftMargin(20);
    t.page.SetMirrorMargins(c.mirror);
    t.Shape(0, 0);
    RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
    DrawReportPage(t.page, c.index, canvas, 1, 1, 0, 0);
    ASSERT_EQ(Rectangles(canvas).size(), 1u);
    EXPECT_EQ(Rectangles(canvas)[0].left, c.left) << c.index << c.mirror;
    EXPECT_EQ(t.page.LeftMargin(), 20);
  }
}

TEST(PageDraw, CullingWithTheTwentyPixelGrowAndPrintableViews) {
  TestPage t;
  t.page.SetLeftMargin(0);
  t.page.SetTopMargin(0);
  t.Shape(10, 10);                                // visible
  t.Shape(120, 10);                               // grown, it starts at the clip's right edge
  t.Shape(100, 10);                               // reaches into the clip through the grow
  t.Shape(-59, 10, 40, 40)->SetPrintable(false);  // grown, it ends at x 1: drawn on screen only
  RecordingCanvas screen({0, 0, 100, 100}, 96, 96, CanvasKind::Screen);
  DrawReportPage(t.page, 0, screen, 1, 1, 0, 0);
  std::vector<int> lefts;
  for (const CanvasRect& r : Rectangles(screen)) lefts.push_back(r.left);
  EXPECT_EQ(lefts, (std::vector<int>{10, 100, -59}));

  RecordingCanvas scaled({0, 0, 100, 100}, 96, 96, CanvasKind::Screen);
  DrawReportPage(t.page, 0, scaled, 0.5, 0.5, 0, 0);  // at half size all four reach the clip
  EXPECT_EQ(Rectangles(scaled).size(), 4u);

  RecordingCanvas printer({0, 0, 5000, 5000}, 96, 96, CanvasKind::Printer);
  DrawReportPage(t.page, 0, printer, 1, 1, 0, 0);
  EXPECT_EQ(Rectangles(printer).size(), 3u) << "non-printable left out, nothing clipped";
  EXPECT_TRUE(printer.RecordsOf(CanvasRecord::Op::Clip).empty());
}

TEST(PageDraw, OneFailingViewDoesNotBlankThePage) {
  TestPage t;
  t.Shape(0, 0);
  auto* broken = new TfrxPictureView(t.band);
  broken->SetBounds(20, 0, 10, 10);
  ASSERT_TRUE(broken->Picture().LoadFromData(MakeBmp(10, 10, [](int, int) { return 0u; }).substr(0, 60)));
  t.Shape(40, 0);
  t.page.SetMirrorMargins(true);
  t.page.SetLeftMargin(20);
  RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
  EXPECT_THROW(DrawReportPage(t.page, 1, canvas, 1, 1, 0, 0), Exception);
  EXPECT_EQ(Rectangles(canvas).size(), 2u) << "the views after the broken one are drawn";
  EXPECT_FALSE(canvas.HasClip());
  EXPECT_EQ(t.page.LeftMargin(), 20);
  EXPECT_FALSE(broken->IsPrinting());
}

TEST(PageDraw, BackgroundColourAndFrameInsideTheMargins) {
  TestPage t;
  t.page.SetColor(clYellow);
  t.page.Frame().SetTyp(ftAll);
  RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
  DrawReportPage(t.page, 0, canvas, 1, 1, 0, 0);
  const auto fills = canvas.RecordsOf(CanvasRecord::Op::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->rect, (CanvasRect{38, 38, 756, 1085}));
  canvas.Clear();
  t.page.SetBackPicturePrintable(false);
  RecordingCanvas printer({0, 0, 2000, 2000}, 96, 96, CanvasKind::Printer);
  DrawReportPage(t.page, 0, printer, 1, 1, 0, 0);
  EXPECT_TRUE(printer.RecordsOf(CanvasRecord::Op::FillRect).empty());
}

}  // namespace
}  // namespace quarlo
