// Barcode objects drawn through the real painter canvas into an image, in every rotation
// and at wide-bar ratios 2 and 3, then read by two independent decoders, zbar and
// zxing-cpp: each must decode exactly the intended data, and the object's printed text
// must be that data too. The decoders' own conventions are written out per case: both
// report UPC-E with its number system digit, Code 39 full ASCII as the base-set pairs
// (neither expands it by default) and a field separator FNC1 of GS1 data as the group
// separator character; zbar reports Codabar with its start and stop characters.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "objects/special/barcode_view.h"
#include "objects/special/barcode_view_paint.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/recording_canvas.h"
#include "support/barcode_scan.h"
#include "support/qt/grey_image.h"

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
  return scan::GreyOf(image);
}

struct Settings {
  TfrxBarcodeType type;
  const char* text;
  bool checksum = false;
  double zoom = 2;
  int rotation = 0;
  double ratio = 2;
};

void Configure(TfrxBarCodeView& view, const Settings& s) {
  view.SetBarType(s.type);
  view.SetText(s.text);
  view.SetCalcCheckSum(s.checksum);
  view.SetZoom(s.zoom);
  view.SetRotation(s.rotation);
  view.SetWideBarRatio(s.ratio);
  // The cross size: 45 narrow modules, so the bars stay tall beside the text band.
  const double cross = 45 * s.zoom;
  if (RightAngleRotation(s.rotation) % 180 == 0) {
    view.SetBounds(0, 0, 10, cross);
  } else {
    view.SetBounds(0, 0, cross, 10);
  }
  RecordingCanvas sizing;
  view.Draw(sizing, 1, 1, 0, 0);
}

// The human-readable text as drawn: every text piece, in drawing order.
std::string PrintedText(TfrxBarCodeView& view) {
  RecordingCanvas canvas;
  view.Draw(canvas, 1, 1, 0, 0);
  std::string printed;
  for (const CanvasRecord* t : canvas.RecordsOf(CanvasRecord::Op::Text)) {
    for (char16_t c : t->text) printed += static_cast<char>(c);
  }
  return printed;
}

struct ScanCase {
  TfrxBarcodeType type;
  const char* text;
  bool checksum;
  const char* printed;            // the object's human-readable text
  const char* decoded = nullptr;  // the data as the decoders report it; the printed text when unset
  bool zbarReads = true;          // zbar has no UPC-E number system 1
  const char* zbarDecoded = nullptr;  // zbar's report where it differs from zxing-cpp's
};

const ScanCase kCases[] = {
    {bcCodeEAN8, "1234567", true, "12345670"},
    {bcCodeEAN13, "400638133393", true, "4006381333931"},
    // Thirteen digits with a wrong last one: the check digit is recomputed.
    {bcCodeEAN13, "4006381333932", true, "4006381333931"},
    {bcCodeUPC_A, "03600029145", true, "036000291452"},
    {bcCodeUPC_E0, "425261", true, "4252614", "04252614"},
    // A wrong seventh digit is not what the parity carries: the text shows the carried one.
    {bcCodeUPC_E0, "4252610", false, "4252614", "04252614"},
    {bcCodeUPC_E1, "425261", true, "4252611", "14252611", false},
    {bcCode39, "CODE 39-1.2", false, "CODE 39-1.2"},
    {bcCode39, "abc", false, "ABC"},
    {bcCode39, "ABC", true, "ABCX"},
    {bcCode39Extended, "a@b", false, "a@b", "+A%V+B"},
    {bcCode39Extended, "Quarlo 1.0", false, "Quarlo 1.0", "Q+U+A+R+L+O 1/N0"},
    {bcCode93, "TEST93", false, "TEST93"},
    {bcCode93Extended, "Quarlo 1.0", false, "Quarlo 1.0"},
    {bcCode128A, "HELLO 128", false, "HELLO 128"},
    {bcCode128B, "Hello, 128!", false, "Hello, 128!"},
    {bcCode128C, "12345", false, "012345"},
    {bcCodeEAN128A, "10ABC&FNC1;3101", false, "10ABC3101", "10ABC\x1d" "3101"},
    {bcCodeEAN128B, "10abc", false, "10abc"},
    {bcCodeEAN128C, "0109501101020917", false, "0109501101020917"},
    // Each digit run between markers is paired on its own; the leading marker is the
    // symbol's own GS1 flag.
    {bcCodeEAN128C, "&FNC1;10123&FNC1;21456", false, "010123021456", "010123\x1d" "021456"},
    {bcCodeEAN128C, "0109501101020917", true, "001095011010209173"},
    {bcCode_2_5_interleaved, "12345", false, "012345"},
    {bcCode_2_5_interleaved, "12345", true, "123457"},
    {bcCodeCodabar, "40156", false, "40156", nullptr, true, "A40156B"},
};

// The symbology name each decoder reports for a type.
struct Names {
  const char* zbar;
  const char* zxing;
};

Names NamesOf(TfrxBarcodeType type) {
  switch (type) {
    case bcCodeEAN8: return {"EAN-8", "EAN8"};
    case bcCodeEAN13: return {"EAN-13", "EAN13"};
    case bcCodeUPC_A: return {"UPC-A", "UPCA"};
    case bcCodeUPC_E0:
    case bcCodeUPC_E1: return {"UPC-E", "UPCE"};
    case bcCode39:
    case bcCode39Extended: return {"CODE-39", "Code39"};
    case bcCode93:
    case bcCode93Extended: return {"CODE-93", "Code93"};
    case bcCode_2_5_interleaved: return {"I2/5", "ITF"};
    case bcCodeCodabar: return {"Codabar", "Codabar"};
    default: return {"CODE-128", "Code128"};
  }
}

// zbar reports UPC symbols only when asked to, as EAN-13 otherwise.
std::vector<std::string> ZbarSettings(TfrxBarcodeType type) {
  if (type == bcCodeUPC_A) return {"upca.enable"};
  if (type == bcCodeUPC_E0 || type == bcCodeUPC_E1) return {"upce.enable"};
  return {};
}

struct Param {
  ScanCase symbol;
  int rotation;
  double ratio;
};

class BarcodeViewScan : public ::testing::TestWithParam<Param> {
 protected:
  void SetUp() override {
    if (!scan::ZbarAvailable() || !scan::ZxingAvailable()) GTEST_SKIP() << "zbarimg or zxing-cpp is not installed";
  }
};

TEST_P(BarcodeViewScan, BothDecodersReadTheIntendedDataAndTheTextShowsIt) {
  const Param& p = GetParam();
  const ScanCase& c = p.symbol;
  TfrxBarCodeView view(nullptr);
  Configure(view, {c.type, c.text, c.checksum, 2, p.rotation, p.ratio});
  ASSERT_EQ(view.ErrorText(), "");
  EXPECT_EQ(PrintedText(view), c.printed);

  const std::string data = c.decoded ? c.decoded : c.printed;
  const Names names = NamesOf(c.type);
  const int quiet = 56;
  const scan::GreyImage image = Render({{&view, static_cast<double>(quiet)}}, quiet);
  if (c.zbarReads) {
    const std::string zbarData = c.zbarDecoded ? c.zbarDecoded : data;
    EXPECT_EQ(scan::ZbarDecode(image, ZbarSettings(c.type)),
              std::vector<std::string>{std::string(names.zbar) + ":" + zbarData})
        << "zbar";
  }
  EXPECT_EQ(scan::ZxingDecode(image), std::string(names.zxing) + ":" + data) << "zxing-cpp";
}

std::vector<Param> AllParams() {
  std::vector<Param> params;
  for (const ScanCase& c : kCases) {
    for (int rotation : {0, 90, 180, 270}) {
      for (double ratio : {2.0, 3.0}) params.push_back({c, rotation, ratio});
    }
  }
  // Angles are taken modulo 360; what is then no right angle draws as 0.
  const ScanCase angleCases[] = {{bcCodeEAN13, "400638133393", true, "4006381333931"},
                                 {bcCode128B, "Hello, 128!", false, "Hello, 128!"}};
  for (const ScanCase& c : angleCases) {
    for (int rotation : {360, -90, 450, -180, 45, 100}) params.push_back({c, rotation, 2.0});
  }
  return params;
}

INSTANTIATE_TEST_SUITE_P(TypesRotationsRatios, BarcodeViewScan, ::testing::ValuesIn(AllParams()),
                         [](const auto& info) {
                           const int r = info.param.rotation;
                           return std::string(BarcodeTypeName(info.param.symbol.type)) + "_" +
                                  (r < 0 ? "minus" + std::to_string(-r) : std::to_string(r)) + "_ratio" +
                                  std::to_string(static_cast<int>(info.param.ratio)) + "_" +
                                  std::to_string(info.index);
                         });

// An EAN-13 object with a two- or five-digit add-on object beside it: zbar reads both.
TEST(BarcodeViewScanAddOn, MainSymbolAndAddOnObjectBothDecode) {
  if (!scan::ZbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
  struct Case {
    TfrxBarcodeType addOn;
    const char* text;
    const char* decoded;
  } cases[] = {{bcCodeUPC_Supp5, "52495", "EAN-5:52495"}, {bcCodeUPC_Supp2, "12", "EAN-2:12"}};
  for (const Case& c : cases) {
    TfrxBarCodeView main(nullptr), addOn(nullptr);
    Configure(main, {bcCodeEAN13, "978020137962", true});
    Configure(addOn, {c.addOn, c.text});
    const double quiet = 60;
    const auto lines = scan::ZbarDecode(Render({{&main, quiet}, {&addOn, quiet + main.Width() + 18}}, 60),
                                        {"ean2.enable", "ean5.enable"});
    EXPECT_EQ(lines, (std::vector<std::string>{c.decoded, "EAN-13:9780201379624"})) << c.text;
  }
}

}  // namespace
}  // namespace quarlo
