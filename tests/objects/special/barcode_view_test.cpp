// The barcode object on a recording canvas: how it sizes and moves itself from the
// symbol, the picture-unit layout of bars and text bands in each rotation, the font
// limit, the error display and the bounds that include text outside the rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <set>
#include <utility>
#include <string>

#include "objects/serializer.h"
#include "objects/class_registry.h"
#include "objects/special/barcode_view.h"
#include "objects/special/barcode_view_paint.h"
#include "objects/special/special_classes.h"
#include "objects/standard_classes.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

class BarcodeView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterStandardClasses(nullptr);
    RegisterSpecialClasses();
  }
};

int NaturalWidth(TfrxBarcodeType type, const std::string& text, bool checksum = false) {
  TfrxBarcode b;
  b.SetTyp(type);
  b.SetText(text);
  b.SetChecksum(checksum);
  return b.Width();
}

TEST_F(BarcodeView, NewObjectIsCode39OfItsDefaultTextAtOnePixelPerModule) {
  TfrxBarCodeView view(nullptr);
  EXPECT_EQ(view.BarType(), bcCode39);
  EXPECT_EQ(view.Text(), "12345678");
  EXPECT_TRUE(view.ShowText());
  EXPECT_EQ(view.Font().Name(), "Arial");
  EXPECT_EQ(view.Font().Size(), 9);
  EXPECT_EQ(view.Color(), clTransparent);
  view.SetBounds(10, 10, 5, 50);
  RecordingCanvas canvas;
  view.Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(view.Width(), NaturalWidth(bcCode39, "12345678"));
  EXPECT_EQ(view.Height(), 50);
  EXPECT_EQ(view.ErrorText(), "");
}

TEST_F(BarcodeView, WritesItsOwnSettingsAndReadsBackFromAPageElement) {
  TfrxBarCodeView view(nullptr);
  TfrxXMLSerializer s;
  const std::string attrs = s.WriteProperties(view);
  // No stored default: always written. With a default equal to the value: left out.
  for (const char* written : {" BarType=\"bcCode39\"", " Rotation=\"0\"", " Text=\"12345678\"",
                              " WideBarRatio=\"2\"", " Zoom=\"1\""}) {
    EXPECT_NE(attrs.find(written), std::string::npos) << written << " in" << attrs;
  }
  for (const char* omitted : {"CalcCheckSum", "ShowText", "HAlign", " Color="}) {
    EXPECT_EQ(attrs.find(omitted), std::string::npos) << omitted << " in" << attrs;
  }

  // A file's element names the class; the registry rebuilds it, Zoom 0 and all.
  std::unique_ptr<TfrxComponent> back(s.ReadObjectLine(
      nullptr, "TfrxBarCodeView BarType=\"bcCodeEAN13\" Text=\"400638133393\" CalcCheckSum=\"True\""
               " Zoom=\"0\" Rotation=\"90\" HAlign=\"haCenter\" Font.Height=\"-16\""));
  auto* bc = As<TfrxBarCodeView>(back.get());
  ASSERT_NE(bc, nullptr);
  EXPECT_EQ(bc->BarType(), bcCodeEAN13);
  EXPECT_TRUE(bc->CalcCheckSum());
  EXPECT_EQ(bc->Zoom(), 0);
  EXPECT_EQ(bc->Rotation(), 90);
  EXPECT_EQ(bc->HAlign(), haCenter);
  EXPECT_EQ(bc->Font().Size(), 9) << "a 12-point font from a file ends up at 9 points";
  RecordingCanvas canvas;
  bc->Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(bc->Zoom(), 1);
  EXPECT_EQ(bc->Height(), 95);
}

TEST_F(BarcodeView, FontLimitKeepsSmallerSizesAndFollowsNoParent) {
  TfrxBarCodeView view(nullptr);
  for (int size : {12, 72, 9}) {
    view.Font().SetSize(size);
    EXPECT_EQ(view.Font().Size(), 9) << size;
  }
  view.Font().SetSize(6);
  EXPECT_EQ(view.Font().Size(), 6);
  TFont big;
  big.SetSize(20);
  big.SetName("Courier New");
  view.SetFont(big);
  EXPECT_EQ(view.Font().Size(), 9);
  EXPECT_EQ(view.Font().Name(), "Courier New");
}

TEST_F(BarcodeView, SizesFromThePatternTimesZoomAlongTheBars) {
  struct Case {
    TfrxBarcodeType type;
    const char* text;
    bool checksum;
    double zoom;
    int rotation;
    double width, height;  // after the first draw, from 40 x 30
    double ratio = 2;
  } cases[] = {
      {bcCodeEAN13, "400638133393", true, 2, 0, 190, 30},
      {bcCodeEAN13, "400638133393", true, 2, 90, 40, 190},
      {bcCodeEAN13, "400638133393", true, 2, 180, 190, 30},
      {bcCodeEAN13, "400638133393", true, 2, 270, 40, 190},
      {bcCodeEAN8, "1234567", true, 1.5, 0, 67 * 1.5, 30},
      {bcCode128B, "A", false, 3, 0, 46 * 3, 30},
      {bcCode39, "ABC", true, 1, 0, 77, 30},
      {bcCode39, "ABC", true, 0.00001, 0, 77, 30},  // below 0.0001: drawn at 1
      // The ratio widens two-width symbologies only.
      {bcCodeEAN13, "400638133393", true, 2, 0, 190, 30, 3},
      {bcCode128B, "A", false, 3, 90, 40, 46 * 3, 3},
      {bcCode39, "ABC", false, 1, 0, 79, 30, 3},
  };
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(c.type);
    view.SetText(c.text);
    view.SetCalcCheckSum(c.checksum);
    view.SetZoom(c.zoom);
    view.SetRotation(c.rotation);
    view.SetWideBarRatio(c.ratio);
    view.SetBounds(0, 0, 40, 30);
    RecordingCanvas canvas;
    view.Draw(canvas, 1, 1, 0, 0);
    EXPECT_DOUBLE_EQ(view.Width(), c.width) << c.text << " at " << c.rotation;
    EXPECT_DOUBLE_EQ(view.Height(), c.height) << c.text << " at " << c.rotation;
    // Sizing and painting use one build: the check digit is appended once.
    EXPECT_EQ(view.Barcode().Text().size(), std::string(c.text).size() + c.checksum);
  }
}

TEST_F(BarcodeView, HAlignDecidesWhichEdgeStaysWhenTheWidthChanges) {
  const double zoom = 60.0 / NaturalWidth(bcCodeEAN8, "12345670");
  struct Case {
    TfrxHAlign align;
    int rotation;
    double left;
  } cases[] = {{haLeft, 0, 100},  {haRight, 0, 90},  {haCenter, 0, 95},
               {haBlock, 0, 100}, {haRight, 90, 100}, {haCenter, 270, 100}};
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(bcCodeEAN8);
    view.SetText("12345670");
    view.SetZoom(zoom);
    view.SetHAlign(c.align);
    view.SetRotation(c.rotation);
    view.SetBounds(100, 0, 50, 40);
    RecordingCanvas canvas;
    view.Draw(canvas, 1, 1, 0, 0);
    EXPECT_NEAR(view.Left(), c.left, 1e-9) << c.align << " at " << c.rotation;
    // A second draw finds the width right and moves nothing.
    view.Draw(canvas, 1, 1, 0, 0);
    EXPECT_NEAR(view.Left(), c.left, 1e-9) << c.align << " at " << c.rotation;
  }
}

std::vector<const CanvasRecord*> TextsOf(const RecordingCanvas& c) { return c.RecordsOf(CanvasRecord::Op::Text); }

TEST_F(BarcodeView, SymbolThatCannotBeBuiltShowsTheMessageInRedInsideItsRectangle) {
  struct Case {
    TfrxBarcodeType type;
    const char* text;
    const char* message;
  } cases[] = {{bcCodeEAN13, "ABC", "Barcode must be numeric"},
               {bcCodeEAN8, "123456789", "Invalid Text len (EAN8)"}};
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(c.type);
    view.SetText(c.text);
    view.SetColor(clYellow);
    view.Frame().SetTyp(15);
    view.SetBounds(10, 20, 150, 40);
    view.SetHAlign(haRight);
    RecordingCanvas canvas;
    view.Draw(canvas, 2, 2, 5, 7);
    EXPECT_EQ(view.ErrorText(), c.message);
    EXPECT_EQ(view.Width(), 150);
    EXPECT_EQ(view.Left(), 10);
    const auto texts = TextsOf(canvas);
    ASSERT_FALSE(texts.empty());
    std::u16string shown;
    for (const CanvasRecord* t : texts) {
      EXPECT_EQ(t->font.name, "Arial");
      EXPECT_EQ(t->font.color, clRed);
      EXPECT_EQ(t->font.height, canvas.FontHeightForPoints(16));
      if (!shown.empty()) shown += u' ';
      shown += t->text;
    }
    EXPECT_EQ(shown, std::u16string(c.message, c.message + std::string(c.message).size()));
    // Background (the fill colour) and frame are still drawn.
    const auto fills = canvas.RecordsOf(CanvasRecord::Op::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0]->brush.color, clYellow);
    const auto& records = canvas.Records();
    EXPECT_NE(records.back().op, CanvasRecord::Op::Text) << "the frame comes after the message";
  }
}

// On a printer the scale holds the resolution: the message is 8 points on paper at zoom 1,
// as on the screen, not the scaled size read at the printer's resolution once more.
TEST_F(BarcodeView, ErrorMessageHasTheSameSizeOnPaperAsOnTheScreen) {
  struct Case {
    CanvasKind kind;
    int dpi;
    double scale;
    int height;  // of the message's font, device pixels
  } cases[] = {{CanvasKind::Screen, 96, 1, -11}, {CanvasKind::Screen, 96, 2, -21},
               {CanvasKind::Printer, 600, 6.25, -67}, {CanvasKind::Printer, 300, 3.125, -33}};
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(bcCodeEAN13);
    view.SetText("ABC");
    view.SetBounds(0, 0, 150, 40);
    RecordingCanvas canvas({0, 0, 10000, 10000}, c.dpi, c.dpi, c.kind);
    view.Draw(canvas, c.scale, c.scale, 0, 0);
    const auto texts = TextsOf(canvas);
    ASSERT_FALSE(texts.empty()) << c.dpi;
    EXPECT_EQ(texts[0]->font.height, c.height) << c.dpi << " dpi at " << c.scale;
  }
}

TEST_F(BarcodeView, LongErrorMessageWrapsBetweenWordsTwoPixelsInside) {
  TfrxBarCodeView view(nullptr);
  view.SetBarType(bcCodeEAN13);
  view.SetText("ABC");
  view.SetBounds(0, 0, 60, 200);
  RecordingCanvas canvas;
  view.Draw(canvas, 1, 1, 30, 40);
  const auto texts = TextsOf(canvas);
  ASSERT_GE(texts.size(), 2u) << "\"Barcode must be numeric\" does not fit 58 pixels";
  std::u16string joined;
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i]->bounds.left, 32) << i;
    EXPECT_TRUE(texts[i]->hasTextClip);
    EXPECT_EQ(texts[i]->textClip, (CanvasRect{32, 42, 90, 240}));
    if (i) {
      EXPECT_GT(texts[i]->bounds.top, texts[i - 1]->bounds.top);
      joined += u' ';
    }
    joined += texts[i]->text;
  }
  EXPECT_EQ(joined, u"Barcode must be numeric");
  EXPECT_EQ(texts[0]->bounds.top, 42);
}

TEST_F(BarcodeView, TransparentColourPaintsTheSpacesWhiteAnyOtherColourPaintsThem) {
  for (TColor color : {clTransparent, clAqua}) {
    TfrxBarCodeView view(nullptr);
    view.SetColor(color);
    view.SetShowText(false);
    view.SetBounds(0, 0, 10, 20);
    RecordingCanvas canvas;
    view.Draw(canvas, 1, 1, 0, 0);
    const TColor spaces = color == clTransparent ? clWhite : color;
    int bars = 0, gaps = 0, other = 0;
    for (const CanvasRecord* f : canvas.RecordsOf(CanvasRecord::Op::FillRect)) {
      if (f->brush.color == clBlack) ++bars;
      else if (f->brush.color == spaces) ++gaps;
      else ++other;
    }
    EXPECT_GT(bars, 0);
    // Code 39: every character has 5 bars and 4 spaces, with a gap between characters;
    // a coloured object also fills its background first.
    EXPECT_EQ(gaps, bars - 1 + (color == clTransparent ? 0 : 1)) << color;
    EXPECT_EQ(other, 0);
  }
}

// Picture-unit layout of EAN-13 4006381333931 at rotation 0: guard bars run down into
// the text band, the digit bars end where the bands begin, the leading digit stands
// left of the bars.
TEST_F(BarcodeView, Ean13GuardBarsReachBelowTheDigitBarsAndDigitsSitOutsideTheBars) {
  TfrxBarcode b;
  b.SetTyp(bcCodeEAN13);
  b.SetText("400638133393");
  b.SetChecksum(true);
  RecordingCanvas canvas;
  const BarcodePicture p = LayoutBarcode(b, canvas, 190, 120, true);
  ASSERT_EQ(p.width, 95);
  ASSERT_EQ(p.height, 60);
  const int h = 14;  // 9 points at 96 ppi plus 2
  EXPECT_EQ(p.barHeight, p.height - h / 2);
  // The first three fills are the left guard: bar, space, bar.
  ASSERT_GT(p.fills.size(), 95u / 7);
  EXPECT_EQ(p.fills[0].box, (CanvasRect{0, 0, 1, p.height - 7}));
  EXPECT_EQ(p.fills[0].color, clBlack);
  EXPECT_EQ(p.fills[1].color, clWhite);
  // The three text bands, filled over the bars in the background colour.
  std::vector<CanvasRect> bands;
  for (size_t i = p.fills.size() - 3; i < p.fills.size(); ++i) bands.push_back(p.fills[i].box);
  EXPECT_EQ(bands, (std::vector<CanvasRect>{{-8, p.height - h - 2, -1, p.height},
                                            {3, p.height - h - 2, 45, p.height},
                                            {49, p.height - h - 2, 92, p.height}}));
  ASSERT_EQ(p.texts.size(), 3u);
  EXPECT_EQ(p.texts[0].text, u"4");
  EXPECT_EQ(p.texts[0].at, (CanvasPoint{-8, p.height - h}));
  EXPECT_EQ(p.texts[1].text, u"006381");
  EXPECT_EQ(p.texts[2].text, u"333931");
}

// Where the pattern starts and where the text lies, per rotation: 90 reads bottom to
// top with the text on the right, 180 right to left upside down with the text on top,
// 270 top to bottom with the text on the left.
TEST_F(BarcodeView, EachRotationPlacesTheStartAndTheTextOnItsOwnSide) {
  struct Case {
    int angle;
    int width, height;         // target rectangle
    CanvasRect firstBar;       // the start character's first bar, in picture units
    CanvasRect band;           // the text band
  } cases[] = {
      // Code 128 B "A": 46 units; text band 16 units (h + 2) across.
      {0, 92, 80, {0, 0, 2, 40 - 16}, {0, 40 - 16, 47, 40}},
      {90, 80, 92, {0, 44, 40 - 16, 46}, {40 - 14, -1, 40, 46}},
      {180, 92, 80, {44, 16, 46, 40}, {-1, 0, 46, 16}},
      {270, 80, 92, {16, 0, 40, 2}, {0, 0, 14, 47}},
  };
  for (const Case& c : cases) {
    TfrxBarcode b;
    b.SetTyp(bcCode128B);
    b.SetText("A");
    b.SetAngle(c.angle);
    RecordingCanvas canvas;
    const BarcodePicture p = LayoutBarcode(b, canvas, c.width, c.height, true);
    ASSERT_GT(p.fills.size(), 2u);
    EXPECT_TRUE(p.fills[0].axisAligned);
    EXPECT_EQ(p.fills[0].box, c.firstBar) << c.angle;
    EXPECT_EQ(p.fills.back().box, c.band) << c.angle;
    ASSERT_EQ(p.texts.size(), 1u);
    EXPECT_EQ(p.font.escapement, c.angle * 10);
  }
}

// A rotation is taken modulo 360, and one that is then no right angle draws as 0: the
// object sizes the same side and paints the same records as at the angle it stands for.
TEST_F(BarcodeView, AnglesAreTakenModulo360AndOthersDrawAsZero) {
  struct Case {
    int rotation;
    int drawnAs;
  } cases[] = {{360, 0},   {-90, 270}, {450, 90}, {-180, 180}, {990, 270},
               {45, 0},    {-45, 0},   {100, 0},  {1000000000, 0}};
  auto draw = [](int rotation, RecordingCanvas& canvas) {
    auto view = std::make_unique<TfrxBarCodeView>(nullptr);
    view->SetBarType(bcCodeEAN13);
    view->SetText("400638133393");
    view->SetCalcCheckSum(true);
    view->SetZoom(2);
    view->SetRotation(rotation);
    view->SetBounds(10, 20, 40, 30);
    view->Draw(canvas, 1, 1, 0, 0);
    return view;
  };
  for (const Case& c : cases) {
    RecordingCanvas drawn, expected;
    const auto view = draw(c.rotation, drawn);
    const auto reference = draw(c.drawnAs, expected);
    EXPECT_EQ(view->Width(), reference->Width()) << c.rotation;
    EXPECT_EQ(view->Height(), reference->Height()) << c.rotation;
    const auto fills = drawn.RecordsOf(CanvasRecord::Op::FillRect);
    const auto expectedFills = expected.RecordsOf(CanvasRecord::Op::FillRect);
    ASSERT_EQ(fills.size(), expectedFills.size()) << c.rotation;
    for (size_t i = 0; i < fills.size(); ++i) {
      EXPECT_EQ(fills[i]->rect, expectedFills[i]->rect) << c.rotation << " fill " << i;
      EXPECT_EQ(fills[i]->brush.color, expectedFills[i]->brush.color) << c.rotation << " fill " << i;
    }
    const auto texts = TextsOf(drawn);
    const auto expectedTexts = TextsOf(expected);
    ASSERT_EQ(texts.size(), expectedTexts.size()) << c.rotation;
    for (size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i]->bounds, expectedTexts[i]->bounds) << c.rotation << " text " << i;
      EXPECT_EQ(texts[i]->font.escapement, expectedTexts[i]->font.escapement) << c.rotation;
    }
    const ReportRect bounds = view->RealBounds(), expectedBounds = reference->RealBounds();
    EXPECT_EQ((std::array{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom}),
              (std::array{expectedBounds.Left, expectedBounds.Top, expectedBounds.Right, expectedBounds.Bottom}))
        << c.rotation;
  }
}

TEST_F(BarcodeView, ShortBarsStandOnTheBottomEdgeAtTwoFifthsOfTheBarHeight) {
  TfrxBarcode probe;
  probe.SetTyp(bcCodePostNet);
  probe.SetText("12345");
  const int w = probe.Width();
  for (int angle : {0, 90}) {
    TfrxBarcode b;
    b.SetTyp(bcCodePostNet);
    b.SetText("12345");
    b.SetAngle(angle);
    RecordingCanvas canvas;
    const BarcodePicture p =
        angle == 0 ? LayoutBarcode(b, canvas, 2 * w, 42, false) : LayoutBarcode(b, canvas, 42, 2 * w, false);
    ASSERT_EQ(p.barHeight, 21);
    std::set<std::pair<int, int>> extents;  // across the bars: from, to
    for (const BarcodePictureFill& f : p.fills) {
      if (f.color != clBlack) continue;
      extents.insert(angle == 0 ? std::pair(f.box.top, f.box.bottom) : std::pair(f.box.left, f.box.right));
    }
    // 21 * 2 div 5 = 8: short bars cover the 8 units at the bars' foot, which is the
    // side the text would take: the bottom at 0, the right at 90.
    EXPECT_EQ(extents, (std::set<std::pair<int, int>>{{0, 21}, {13, 21}})) << angle;
  }
}

TEST_F(BarcodeView, PictureStretchesOntoTheDeviceRectangleBarsTilingIt) {
  TfrxBarCodeView view(nullptr);
  view.SetBarType(bcCode128C);
  view.SetText("123456");
  view.SetShowText(false);
  view.SetZoom(2);
  view.SetBounds(10, 5, 1, 30);
  RecordingCanvas canvas;
  view.Draw(canvas, 1.5, 1.5, 3, 4);
  // Bars and spaces cover the device rectangle from left to right without gaps.
  int x = view.DeviceLeft();
  for (const CanvasRecord* f : canvas.RecordsOf(CanvasRecord::Op::FillRect)) {
    EXPECT_EQ(f->rect.left, x);
    EXPECT_EQ(f->rect.top, view.DeviceTop());
    EXPECT_EQ(f->rect.bottom, view.DeviceBottom());
    x = f->rect.right;
  }
  EXPECT_EQ(x, view.DeviceRight());
}

TEST_F(BarcodeView, AbsurdSettingsDrawWithoutFailing) {
  struct Case {
    double zoom;
    int rotation;
    double ratio;
  } cases[] = {{1e300, 0, 2}, {1e9, 90, 2}, {2, 45, 2}, {2, -90, 2}, {2, 1000000000, 2},
               {std::nan(""), 0, std::nan("")}, {-5, 180, 1e300}};
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(bcCodeEAN13);
    view.SetText("400638133393");
    view.SetZoom(c.zoom);
    view.SetRotation(c.rotation);
    view.SetWideBarRatio(c.ratio);
    view.SetBounds(0, 0, 100, 60);
    RecordingCanvas canvas({0, 0, 800, 600});
    EXPECT_NO_THROW(view.Draw(canvas, 1, 1, 0, 0)) << c.zoom << " " << c.rotation;
    EXPECT_NO_THROW(view.RealBounds());
  }
}

TEST_F(BarcodeView, RealBoundsIncludeDigitsOutsideTheBars) {
  struct Case {
    TfrxBarcodeType type;
    const char* text;
    int rotation;
    double dl, dt, dr, db;  // growth of left, top, right, bottom beyond the rectangle
  } cases[] = {
      {bcCodeEAN13, "4006381333931", 0, 8, 0, 0, 0},
      {bcCodeUPC_A, "03600029145", 0, 8, 0, 8, 0},
      {bcCodeUPC_A, "03600029145", 90, 0, 8, 0, 8},
      {bcCodeEAN13, "4006381333931", 180, 0, 0, 8, 0},
      {bcCodeEAN13, "4006381333931", 270, 0, 8, 0, 0},
      {bcCodeUPC_E0, "4252614", 0, 0, 0, 8, 0},
      {bcCodeEAN8, "12345670", 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TfrxBarCodeView view(nullptr);
    view.SetBarType(c.type);
    view.SetText(c.text);
    view.SetCalcCheckSum(c.type == bcCodeUPC_A);
    view.SetRotation(c.rotation);
    view.SetBounds(100, 50, 10, 10);
    const ReportRect r = view.RealBounds();
    EXPECT_EQ(view.Left() - r.Left, c.dl) << c.text << " " << c.rotation;
    EXPECT_EQ(view.Top() - r.Top, c.dt) << c.text << " " << c.rotation;
    EXPECT_EQ(r.Right - (view.Left() + view.Width()), c.dr) << c.text << " " << c.rotation;
    EXPECT_EQ(r.Bottom - (view.Top() + view.Height()), c.db) << c.text << " " << c.rotation;
  }
}

TEST_F(BarcodeView, RealBoundsWidenForATextLongerThanTheSymbol) {
  TfrxBarCodeView view(nullptr);
  view.SetBarType(bcCode128C);
  view.SetText("12");  // 35 units wide, its text with a wide font wider still
  TFont wide;
  wide.SetSize(9);
  view.SetFont(wide);
  view.SetText("1212121212121212");
  view.SetBarType(bcCode128C);
  view.SetZoom(0.5);
  view.SetBounds(0, 0, 10, 10);
  const ReportRect r = view.RealBounds();
  RecordingCanvas m;
  CanvasFont f;
  f.height = view.Font().Height();
  m.SetFont(f);
  const int t = m.MeasureText(u"1212121212121212", {});
  ASSERT_GT(t, view.Width());
  const double e = std::nearbyint((t - view.Width()) / 2) + 2;
  EXPECT_EQ(r.Left, -e);
  EXPECT_EQ(r.Right, view.Width() + e);
}

}  // namespace
}  // namespace quarlo
