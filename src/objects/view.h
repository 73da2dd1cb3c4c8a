#pragma once
// TfrxView: every object that occupies a rectangle on a page (texts, lines, shapes,
// pictures and the special objects). It holds the fill, the frame, the preview's
// cursor, hint and link, and the device rectangle that one Draw call computes.
// TfrxStretcheable adds the stretch mode used by the report engine.
//
// A view publishes only part of what it holds: each descendant publishes the fill,
// frame, cursor and link settings it uses (see PublishViewProperty below), the
// others keep their defaults.

#include <stdexcept>
#include <string>
#include <string_view>

#include "objects/component.h"
#include "objects/frame.h"
#include "platform/color.h"

namespace quarlo {

enum TfrxShiftMode : int { smDontShift, smAlways, smWhenOverlapped };
const EnumInfo& ShiftModeNames();

enum TfrxStretchMode : int { smDontStretch, smActualHeight, smMaxHeight };
const EnumInfo& StretchModeNames();

enum TBrushStyle : int {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};
const EnumInfo& BrushStyleNames();

class TfrxView : public TfrxReportComponent {
  QUARLO_CLASS(TfrxView)
 public:
  explicit TfrxView(TComponent* owner);
  ~TfrxView() override;

  bool IsView() const override { return true; }
  TfrxAlign Align() const override { return align_; }
  void SetAlign(TfrxAlign v) { align_ = v; }

  TBrushStyle BrushStyle() const { return brushStyle_; }
  void SetBrushStyle(TBrushStyle v) { brushStyle_ = v; }
  TColor Color() const { return color_; }
  virtual void SetColor(TColor v) { color_ = v; }
  int Cursor() const { return cursor_; }
  void SetCursor(int v) { cursor_ = v; }
  TfrxFrame& Frame() { return frame_; }
  const TfrxFrame& Frame() const { return frame_; }
  TfrxFrame* FrameObject() const { return const_cast<TfrxFrame*>(&frame_); }
  bool Printable() const { return printable_; }
  void SetPrintable(bool v) { printable_ = v; }
  TfrxShiftMode ShiftMode() const { return shiftMode_; }
  void SetShiftMode(TfrxShiftMode v) { shiftMode_ = v; }
  const std::string& TagStr() const { return tagStr_; }
  void SetTagStr(const std::string& v) { tagStr_ = v; }
  const std::string& URL() const { return url_; }
  void SetURL(const std::string& v) { url_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Data binding of the report engine. The data set is a plain link: data sets live
  // outside prepared pages, so in this system it is normally unset.
  TfrxComponent* DataSet() const { return dataSet_; }
  void SetDataSet(TfrxComponent* v) { dataSet_ = v; }
  const std::string& DataSetName() const { return dataSetName_; }
  void SetDataSetName(const std::string& v) { dataSetName_ = v; }
  const std::string& DataField() const { return dataField_; }
  void SetDataField(const std::string& v) { dataField_ = v; }

  // Names of script procedures; kept, never run.
  const std::string& OnAfterData() const { return onAfterData_; }
  void SetOnAfterData(const std::string& v) { onAfterData_ = v; }
  const std::string& OnAfterPrint() const { return onAfterPrint_; }
  void SetOnAfterPrint(const std::string& v) { onAfterPrint_ = v; }
  const std::string& OnBeforePrint() const { return onBeforePrint_; }
  void SetOnBeforePrint(const std::string& v) { onBeforePrint_ = v; }
  const std::string& OnPreviewClick() const { return onPreviewClick_; }
  void SetOnPreviewClick(const std::string& v) { onPreviewClick_ = v; }
  const std::string& OnPreviewDblClick() const { return onPreviewDblClick_; }
  void SetOnPreviewDblClick(const std::string& v) { onPreviewDblClick_ = v; }

  // True while the view is drawn on a printer canvas (set by the page drawing).
  bool IsPrinting() const { return isPrinting_; }
  void SetPrinting(bool v) { isPrinting_ = v; }

  // Drawing: PrepareDraw, then PaintBackground and PaintFrame for the base view.
  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  // Stores the arguments and computes the device rectangle of this Draw call.
  virtual void PrepareDraw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY);
  virtual void PaintBackground();
  virtual void PaintFrame();

  int DeviceLeft() const { return deviceLeft_; }
  int DeviceTop() const { return deviceTop_; }
  int DeviceRight() const { return deviceRight_; }
  int DeviceBottom() const { return deviceBottom_; }
  int DeviceWidth() const { return deviceRight_ - deviceLeft_; }
  int DeviceHeight() const { return deviceBottom_ - deviceTop_; }
  int FrameWidthPx() const { return frameWidthPx_; }

  // Base attributes, then BrushStyle, Align, Color, the frame, Cursor, Printable,
  // TagStr and URL where they differ from the template.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

  // Report-engine hooks: TagStr and URL are saved before and restored after output.
  void BeforeOutput() override;
  void AfterOutput() override;

 protected:
  // The arguments of the current Draw call (valid after PrepareDraw).
  Canvas* DrawCanvas() const { return canvas_; }
  double DrawScaleX() const { return scaleX_; }
  double DrawScaleY() const { return scaleY_; }
  double DrawOffsetX() const { return offsetX_; }
  double DrawOffsetY() const { return offsetY_; }
  void SetDeviceRect(int left, int top, int right, int bottom);

 private:
  TfrxAlign align_ = baNone;
  TBrushStyle brushStyle_ = bsSolid;
  TColor color_ = clTransparent;
  int cursor_ = 0;
  TfrxFrame frame_;
  bool printable_ = true;
  TfrxShiftMode shiftMode_ = smAlways;
  std::string tagStr_, url_, hint_;
  bool showHint_ = false;
  TfrxComponent* dataSet_ = nullptr;
  std::string dataSetName_, dataField_;
  std::string onAfterData_, onAfterPrint_, onBeforePrint_, onPreviewClick_, onPreviewDblClick_;
  std::string savedTagStr_, savedURL_;

  bool isPrinting_ = false;
  Canvas* canvas_ = nullptr;
  double scaleX_ = 1, scaleY_ = 1, offsetX_ = 0, offsetY_ = 0;
  int deviceLeft_ = 0, deviceTop_ = 0, deviceRight_ = 0, deviceBottom_ = 0;
  int frameWidthPx_ = 0;
};

// A view that can grow with its content.
class TfrxStretcheable : public TfrxView {
  QUARLO_CLASS(TfrxStretcheable)
 public:
  explicit TfrxStretcheable(TComponent* owner);

  TfrxStretchMode StretchMode() const { return stretchMode_; }
  void SetStretchMode(TfrxStretchMode v) { stretchMode_ = v; }

  // Report-engine splitting; the base view never splits.
  virtual double CalcHeight() { return Height(); }
  virtual double SplitOffPart() { return 0; }
  virtual void StartSplitting() {}
  virtual bool HasMoreParts() const { return false; }

 private:
  TfrxStretchMode stretchMode_ = smDontStretch;
};

// Declares one of the view settings that descendants publish: "BrushStyle", "Color",
// "Cursor", "Frame", "TagStr", "URL", "DataField", "DataSet", "DataSetName". Every
// class that publishes it gets the same kind, default and accessors.
template <class Builder>
PropertyDecl PublishViewProperty(Builder& b, std::string_view name) {
  if (name == "BrushStyle") {
    return b.Enum("BrushStyle", BrushStyleNames(), &TfrxView::BrushStyle, &TfrxView::SetBrushStyle)
        .Default(bsSolid);
  }
  if (name == "Color") {
    return b.Integer("Color", &TfrxView::Color, &TfrxView::SetColor)
        .Default(clTransparent);
  }
  if (name == "Cursor") return b.Integer("Cursor", &TfrxView::Cursor, &TfrxView::SetCursor).Default(0);
  if (name == "Frame") return b.template Object<TfrxFrame>("Frame", &TfrxView::FrameObject);
  if (name == "TagStr") return b.String("TagStr", &TfrxView::TagStr, &TfrxView::SetTagStr);
  if (name == "URL") return b.String("URL", &TfrxView::URL, &TfrxView::SetURL);
  if (name == "DataField") return b.String("DataField", &TfrxView::DataField, &TfrxView::SetDataField);
  if (name == "DataSet") {
    return b.template Reference<TfrxComponent>("DataSet", &TfrxView::DataSet, &TfrxView::SetDataSet);
  }
  if (name == "DataSetName") {
    return b.String("DataSetName", &TfrxView::DataSetName, &TfrxView::SetDataSetName);
  }
  throw std::logic_error("not a view property: " + std::string(name));
}

// "Font" (written only while ParentFont is off) and "ParentFont" (default True), as
// every class that publishes them declares them.
template <class Builder>
PropertyDecl PublishFontProperty(Builder& b, std::string_view name) {
  if (name == "Font") {
    return b.template Object<TFont>("Font", &TfrxComponent::FontObject)
        .template StoredWhen<TfrxComponent>([](const TfrxComponent& c) { return !c.ParentFont(); });
  }
  if (name == "ParentFont") {
    return b.Bool("ParentFont", &TfrxComponent::ParentFont, &TfrxComponent::SetParentFont)
        .Default(true);
  }
  throw std::logic_error("not a font property: " + std::string(name));
}

}  // namespace quarlo
