#include "objects/special/barcode_view.h"

#include <algorithm>
#include <cmath>

#include "objects/memo_view.h"
#include "objects/special/barcode_view_paint.h"
#include "platform/charset.h"
#include "platform/codepage.h"
#include "platform/recording_canvas.h"
#include "resources/resources.h"

namespace quarlo {

const EnumInfo& BarcodeTypeNames() {
  static const EnumInfo names{
      "bcCode_2_5_interleaved", "bcCode_2_5_industrial", "bcCode_2_5_matrix", "bcCode39",
      "bcCode39Extended",       "bcCode128A",            "bcCode128B",        "bcCode128C",
      "bcCode93",               "bcCode93Extended",      "bcCodeMSI",         "bcCodePostNet",
      "bcCodeCodabar",          "bcCodeEAN8",            "bcCodeEAN13",       "bcCodeUPC_A",
      "bcCodeUPC_E0",           "bcCodeUPC_E1",          "bcCodeUPC_Supp2",   "bcCodeUPC_Supp5",
      "bcCodeEAN128A",          "bcCodeEAN128B",         "bcCodeEAN128C"};
  return names;
}

const ClassInfo& TfrxBarCodeView::StaticClass() {
  static const ClassInfo info = [] {
    using B = TfrxBarCodeView;
    auto b = QUARLO_CLASS_BUILDER(TfrxBarCodeView, TfrxView);
    b.Enum("BarType", BarcodeTypeNames(), &B::BarType, &B::SetBarType);
    PublishViewProperty(b, "BrushStyle");
    b.Bool("CalcCheckSum", &B::CalcCheckSum, &B::SetCalcCheckSum).Default(false);
    PublishViewProperty(b, "Color");
    PublishViewProperty(b, "Cursor");
    PublishViewProperty(b, "DataField");
    PublishViewProperty(b, "DataSet");
    PublishViewProperty(b, "DataSetName");
    b.String("Expression", &B::Expression, &B::SetExpression);
    PublishFontProperty(b, "Font");
    PublishViewProperty(b, "Frame");
    b.Enum("HAlign", HAlignNames(), &B::HAlign, &B::SetHAlign).Default(haLeft);
    b.Integer("Rotation", &B::Rotation, &B::SetRotation);
    b.Bool("ShowText", &B::ShowText, &B::SetShowText).Default(true);
    PublishViewProperty(b, "TagStr");
    b.String("Text", &B::Text, &B::SetText);
    PublishViewProperty(b, "URL");
    b.Float("WideBarRatio", &B::WideBarRatio, &B::SetWideBarRatio);
    b.Float("Zoom", &B::Zoom, &B::SetZoom);
    return b.Build();
  }();
  return info;
}

TfrxBarCodeView::TfrxBarCodeView(TComponent* owner) : TfrxView(owner) {
  TFont font;
  font.SetSize(kMaxFontSize);
  SetFont(font);
}

std::string TfrxBarCodeView::GetDescription() const { return frxResources().Get("obBarC"); }

void TfrxBarCodeView::NotifyFontChanged() {
  // Setting the size notifies again, and then the size is within the limit.
  if (Font().Size() > kMaxFontSize) Font().SetSize(kMaxFontSize);
}

void TfrxBarCodeView::PrepareBarcode() {
  barcode_.SetAngle(RightAngleRotation(rotation_));
  barcode_.SetFont(Font());
  barcode_.SetChecksum(calcCheckSum_);
  barcode_.SetTyp(barType_);
  barcode_.SetRatio(wideBarRatio_);
  barcode_.SetColor(Color() == clTransparent ? clWhite : Color());
  barcode_.SetText(text_);
}

void TfrxBarCodeView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY) {
  PrepareBarcode();
  const double oldWidth = Width();
  error_.clear();
  // A zoom that is not a usable positive number (0 in a file, NaN) draws at 1.
  if (!(zoom_ >= 0.0001) || !std::isfinite(zoom_)) zoom_ = 1;

  try {
    const double size = barcode_.Width() * zoom_;
    const int rotation = RightAngleRotation(rotation_);
    if (rotation == 0 || rotation == 180) {
      SetWidth(size);
    } else {
      SetHeight(size);
    }
  } catch (const std::exception& e) {
    barcode_.SetText("12345678");
    error_ = e.what();
  }

  if (hAlign_ == haRight) {
    SetLeft(Left() + oldWidth - Width());
  } else if (hAlign_ == haCenter) {
    SetLeft(Left() + (oldWidth - Width()) / 2);
  }

  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  PaintBackground();
  if (error_.empty()) {
    try {
      PaintBarcode(barcode_, canvas, {DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom()}, showText_);
    } catch (const std::exception& e) {
      error_ = e.what();
    }
  }
  if (!error_.empty()) PaintError(canvas);
  PaintFrame();
}

namespace {

// Word-wrapped text in a rectangle, clipped to it: words move to the next line when they
// do not fit; a word wider than the rectangle stays whole on its own line.
void DrawWrapped(Canvas& canvas, const std::u16string& text, const CanvasRect& rect) {
  const int lineHeight = std::max(1, canvas.TextMetrics().height);
  int y = rect.top;
  size_t pos = 0;
  while (pos < text.size() && y < rect.bottom) {
    size_t end = text.find(u'\n', pos);
    if (end == std::u16string::npos) end = text.size();
    std::u16string_view paragraph(text.data() + pos, end - pos);
    pos = end + 1;
    do {
      // Take words while they fit.
      size_t take = 0;
      size_t next = 0;
      while (next < paragraph.size()) {
        size_t wordEnd = paragraph.find(u' ', next);
        if (wordEnd == std::u16string_view::npos) wordEnd = paragraph.size();
        const int width = canvas.MeasureText(paragraph.substr(0, wordEnd), {});
        if (take > 0 && width > rect.Width()) break;
        take = wordEnd;
        next = wordEnd + 1;
      }
      canvas.TextOut(rect.left, y, paragraph.substr(0, take), {}, &rect, kTextClipped);
      y += lineHeight;
      paragraph = next < paragraph.size() ? paragraph.substr(next) : std::u16string_view{};
    } while (!paragraph.empty() && y < rect.bottom);
  }
}

}  // namespace

void TfrxBarCodeView::PaintError(Canvas& canvas) {
  CanvasStateSaver saver(canvas);
  CanvasFont font;
  font.name = "Arial";
  // 8 points scaled like the page. The scale already holds the device's resolution, so
  // the points are taken at 96 pixels per inch on every device; a printer's own
  // resolution would count it twice and print the message six times too large.
  font.height = -static_cast<int>(std::lrint(std::nearbyint(DrawScaleY() * 8) * 96 / 72.0));
  font.color = clRed;
  canvas.SetFont(font);
  DrawWrapped(canvas, Utf8ToWide(error_), {DeviceLeft() + 2, DeviceTop() + 2, DeviceRight(), DeviceBottom()});
}

ReportRect TfrxBarCodeView::RealBounds() const {
  auto& self = const_cast<TfrxBarCodeView&>(*this);
  RecordingCanvas scratch;
  self.Draw(scratch, 1, 1, 0, 0);

  ReportRect r = TfrxReportComponent::RealBounds();
  double e1 = 0, e2 = 0;
  const int rotation = RightAngleRotation(rotation_);
  if (rotation == 0 || rotation == 180) {
    CanvasFont font;
    font.name = WideToUtf8(AnsiToWide(Font().Name(), Font().Charset()));
    font.height = Font().Height();
    font.style = Font().Style();
    scratch.SetFont(font);
    const std::u16string text = AnsiToWide(barcode_.Text(), Font().Charset());
    const int t = scratch.MeasureText(text, {});
    if (Width() < t) e1 = e2 = std::nearbyint((t - Width()) / 2) + 2;
  }
  if (barType_ == bcCodeEAN13 || barType_ == bcCodeUPC_A) e1 = 8;
  if (barType_ == bcCodeUPC_A || barType_ == bcCodeUPC_E0 || barType_ == bcCodeUPC_E1) e2 = 8;
  switch (rotation) {
    case 0:
      r.Left -= e1;
      r.Right += e2;
      break;
    case 90:
      r.Bottom += e1;
      r.Top -= e2;
      break;
    case 180:
      r.Left -= e2;
      r.Right += e1;
      break;
    case 270:
      r.Bottom += e2;
      r.Top -= e1;
      break;
    default:
      break;
  }
  return r;
}

}  // namespace quarlo
