#pragma once
// TfrxBarCodeView: the barcode object of a page. It keeps what to encode and how, and
// every time it is drawn it sizes itself to the symbol's natural width (times Zoom) and
// paints the bars through its generator. A symbol that cannot be built is not an error
// of the page: the object shows the generator's message in red instead.

#include <string>

#include "objects/special/barcode.h"
#include "objects/text_layout.h"
#include "objects/view.h"
#include "platform/canvas.h"

namespace quarlo {

const EnumInfo& BarcodeTypeNames();  // bcCode_2_5_interleaved .. bcCodeEAN128C

class TfrxBarCodeView : public TfrxView {
  QUARLO_CLASS(TfrxBarCodeView)
 public:
  // The human-readable text never grows beyond this size.
  static constexpr int kMaxFontSize = 9;

  explicit TfrxBarCodeView(TComponent* owner);

  TfrxBarcodeType BarType() const { return barType_; }
  void SetBarType(TfrxBarcodeType v) { barType_ = v; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v) { text_ = v; }
  bool CalcCheckSum() const { return calcCheckSum_; }
  void SetCalcCheckSum(bool v) { calcCheckSum_ = v; }
  int Rotation() const { return rotation_; }
  void SetRotation(int v) { rotation_ = v; }
  bool ShowText() const { return showText_; }
  void SetShowText(bool v) { showText_ = v; }
  // Report pixels per narrow module.
  double Zoom() const { return zoom_; }
  void SetZoom(double v) { zoom_ = v; }
  double WideBarRatio() const { return wideBarRatio_; }
  void SetWideBarRatio(double v) { wideBarRatio_ = v; }
  TfrxHAlign HAlign() const { return hAlign_; }
  void SetHAlign(TfrxHAlign v) { hAlign_ = v; }
  // Report-engine expression yielding Text; kept, never evaluated here.
  const std::string& Expression() const { return expression_; }
  void SetExpression(const std::string& v) { expression_ = v; }

  // The generator as the last Draw left it (Text possibly rewritten with a check digit).
  const TfrxBarcode& Barcode() const { return barcode_; }
  // The message of the last Draw whose symbol could not be built; empty otherwise.
  const std::string& ErrorText() const { return error_; }

  // Sizes the object from the symbol, moves it by HAlign, then paints background, bars
  // (or the error message) and frame.
  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  // The object's rectangle widened by the human-readable text that sticks out of it.
  // Draws the object once (off-screen) so that its size is up to date.
  ReportRect RealBounds() const override;
  std::string GetDescription() const override;
  // Replaces the base rule (which would turn ParentFont off) by the size limit.
  void NotifyFontChanged() override;

 private:
  void PrepareBarcode();
  void PaintError(Canvas& canvas);

  TfrxBarcodeType barType_ = bcCode39;
  std::string text_ = "12345678";
  bool calcCheckSum_ = false;
  int rotation_ = 0;
  bool showText_ = true;
  double zoom_ = 1.0;
  double wideBarRatio_ = 2.0;
  TfrxHAlign hAlign_ = haLeft;
  std::string expression_;
  TfrxBarcode barcode_;
  std::string error_;
};

}  // namespace quarlo
