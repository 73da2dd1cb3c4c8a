// Barcode objects drawn through the real painter canvas into an image, at zoom 2 and 3
// and in each rotation, then read by zbar: the decoded data must be what the object
// shows as its text (zbar keeps the Code 39 check character, does not expand Code 39
// full ASCII, reports Codabar with its start and stop characters and UPC-E with its
// number system digit, so those cases name zbar's literal output).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "objects/special/barcode_view.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/recording_canvas.h"
#include "support/barcode_scan.h"

namespace quarlo {
namespace {

struct Placed {
  TfrxBarCodeView* view;
  double left;  // report pixels from the image's left edge
};

// Draws the views (already sized by a first draw) onto a white image with quiet zones
// around them and returns it in grey levels.
scan::GreyImage Render(const std::vector<Placed>& views, int margin) {
  double right = 0, bottom = 0;
  for (const Placed& p : views) {
    p.view->SetLeft(p.left);
    p.view->SetTop(margin);
    right = std::max(right, p.left + p.view->Width());
    bottom = std::max(bottom, margin + p.view->Height());
  }
  QImage image(static_cast<int>(right) + margin, static_cast<int>(bottom) + margin, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainterCanvas canvas(image);
    for (const Placed& p : views) p.view->Draw(canvas, 1, 1, 0, 0);
  }
  scan::GreyImage grey;
  grey.width = image.width();
  grey.height = image.height();
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  for (int y = 0; y < grey.height; ++y) {
    for (int x = 0; x < grey.width; ++x) {
      grey.pixels[static_cast<size_t>(y) * grey.width + x] = static_cast<unsigned char>(qGray(image.pixel(x, y)));
    }
  }
  return grey;
}

void Configure(TfrxBarCodeView& view, TfrxBarcodeType type, const char* text, bool checksum, double zoom,
               int rotation) {
  view.SetBarType(type);
  view.SetText(text);
  view.SetCalcCheckSum(checksum);
  view.SetZoom(zoom);
  view.SetRotation(rotation);
  // The cross size: 45 narrow modules, so the bars stay tall beside the text band.
  if (rotation == 0 || rotation == 180) {
    view.SetBounds(0, 0, 10, 45 * zoom);
  } else {
    view.SetBounds(0, 0, 45 * zoom, 10);
  }
  RecordingCanvas sizing;
  view.Draw(sizing, 1, 1, 0, 0);
}

struct ScanCase {
  TfrxBarcodeType type;
  const char* text;
  bool checksum;
  const char* shown;    // the object's text after drawing
  const char* decoded;  // zbarimg's line
  const char* setting;  // zbar option enabling the symbology's own report form
};

const ScanCase kCases[] = {
    {bcCodeEAN8, "1234567", true, "12345670", "EAN-8:12345670", nullptr},
    {bcCodeEAN13, "400638133393", true, "4006381333931", "EAN-13:4006381333931", nullptr},
    {bcCodeUPC_A, "03600029145", true, "036000291452", "UPC-A:036000291452", "upca.enable"},
    {bcCodeUPC_E0, "425261", true, "4252614", "UPC-E:04252614", "upce.enable"},
    {bcCode39, "CODE 39", false, "CODE 39", "CODE-39:CODE 39", nullptr},
    {bcCode39, "ABC", true, "ABC", "CODE-39:ABCX", nullptr},
    {bcCode39Extended, "a@b", false, "a@b", "CODE-39:+A%V+B", nullptr},
    {bcCode93, "TEST93", false, "TEST93", "CODE-93:TEST93", nullptr},
    {bcCode93Extended, "Quarlo 1.0", false, "Quarlo 1.0", "CODE-93:Quarlo 1.0", nullptr},
    {bcCode128A, "HELLO 128", false, "HELLO 128", "CODE-128:HELLO 128", nullptr},
    {bcCode128B, "Hello, 128!", false, "Hello, 128!", "CODE-128:Hello, 128!", nullptr},
    {bcCode128C, "12345", false, "012345", "CODE-128:012345", nullptr},
    {bcCodeEAN128A, "10ABC&FNC1;3101", false, "10ABC&FNC1;3101", "CODE-128:10ABC\x1d" "3101", nullptr},
    {bcCodeEAN128B, "10abc", false, "10abc", "CODE-128:10abc", nullptr},
    {bcCodeEAN128C, "0109501101020917", false, "0109501101020917", "CODE-128:0109501101020917", nullptr},
    {bcCode_2_5_interleaved, "12345", true, "123457", "I2/5:123457", nullptr},
    {bcCodeCodabar, "12345", false, "12345", "Codabar:A12345B", nullptr},
};

struct Param {
  ScanCase symbol;
  int rotation;
  double zoom;
};

class BarcodeViewZbar : public ::testing::TestWithParam<Param> {
 protected:
  void SetUp() override {
    if (!scan::ZbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
  }
};

TEST_P(BarcodeViewZbar, RenderedObjectDecodesToItsText) {
  const Param& p = GetParam();
  const ScanCase& c = p.symbol;
  TfrxBarCodeView view(nullptr);
  Configure(view, c.type, c.text, c.checksum, p.zoom, p.rotation);
  ASSERT_EQ(view.ErrorText(), "");
  EXPECT_EQ(view.Barcode().Text(), c.shown);
  const int quiet = static_cast<int>(20 * p.zoom) + 16;
  std::vector<std::string> settings;
  if (c.setting) settings.push_back(c.setting);
  const auto lines = scan::ZbarDecode(Render({{&view, static_cast<double>(quiet)}}, quiet), settings);
  ASSERT_EQ(lines.size(), 1u) << c.shown;
  EXPECT_EQ(lines[0], c.decoded);
}

std::vector<Param> AllParams() {
  std::vector<Param> params;
  for (const ScanCase& c : kCases) {
    for (int rotation : {0, 90, 180, 270}) params.push_back({c, rotation, rotation == 0 ? 3.0 : 2.0});
  }
  return params;
}

INSTANTIATE_TEST_SUITE_P(TypesAndRotations, BarcodeViewZbar, ::testing::ValuesIn(AllParams()),
                         [](const auto& info) {
                           return std::string(BarcodeTypeName(info.param.symbol.type)) + "_" +
                                  std::to_string(info.param.rotation) + "_" + std::to_string(info.index);
                         });

// An EAN-13 object with a two- or five-digit add-on object beside it: both decode.
TEST(BarcodeViewZbarAddOn, MainSymbolAndAddOnObjectBothDecode) {
  if (!scan::ZbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
  struct Case {
    TfrxBarcodeType addOn;
    const char* text;
    const char* decoded;
  } cases[] = {{bcCodeUPC_Supp5, "52495", "EAN-5:52495"}, {bcCodeUPC_Supp2, "12", "EAN-2:12"}};
  for (const Case& c : cases) {
    TfrxBarCodeView main(nullptr), addOn(nullptr);
    Configure(main, bcCodeEAN13, "978020137962", true, 2, 0);
    Configure(addOn, c.addOn, c.text, false, 2, 0);
    const double quiet = 60;
    const auto lines = scan::ZbarDecode(Render({{&main, quiet}, {&addOn, quiet + main.Width() + 18}}, 60),
                                        {"ean2.enable", "ean5.enable"});
    EXPECT_EQ(lines, (std::vector<std::string>{c.decoded, "EAN-13:9780201379624"})) << c.text;
  }
}

}  // namespace
}  // namespace quarlo
