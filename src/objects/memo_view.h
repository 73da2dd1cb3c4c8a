#pragma once
// Text objects. TfrxCustomMemoView holds the text and every layout setting;
// TfrxMemoView publishes nearly all of them, TfrxSysMemoView (page numbers, dates)
// fewer, so the rest keep their defaults there. In a prepared page the text is final:
// the report engine has evaluated it already.

#include <string>

#include "objects/format.h"
#include "objects/highlight.h"
#include "objects/text_layout.h"
#include "objects/view.h"
#include "objects/wide_strings.h"

namespace quarlo {

const EnumInfo& HAlignNames();  // haLeft, haRight, haCenter, haBlock
const EnumInfo& VAlignNames();  // vaTop, vaBottom, vaCenter

class TfrxCustomMemoView : public TfrxStretcheable {
  QUARLO_CLASS(TfrxCustomMemoView)
 public:
  explicit TfrxCustomMemoView(TComponent* owner);
  ~TfrxCustomMemoView() override;

  TWideStrings& Memo() { return memo_; }
  const TWideStrings& Memo() const { return memo_; }
  TWideStrings* MemoObject() const { return const_cast<TWideStrings*>(&memo_); }
  TWideStrings* MemoLines() override { return &memo_; }

  bool AutoWidth() const { return autoWidth_; }
  void SetAutoWidth(bool v) { autoWidth_ = v; }
  bool AllowExpressions() const { return allowExpressions_; }
  void SetAllowExpressions(bool v) { allowExpressions_ = v; }
  bool AllowHTMLTags() const { return allowHTMLTags_; }
  void SetAllowHTMLTags(bool v) { allowHTMLTags_ = v; }
  double CharSpacing() const { return charSpacing_; }
  void SetCharSpacing(double v) { charSpacing_ = v; }
  bool Clipped() const { return clipped_; }
  void SetClipped(bool v) { clipped_ = v; }
  const std::string& ExpressionDelimiters() const { return expressionDelimiters_; }
  void SetExpressionDelimiters(const std::string& v) { expressionDelimiters_ = v; }
  // The text object the report engine pours overflowing text into (not owned).
  TfrxCustomMemoView* FlowTo() const { return flowTo_; }
  void SetFlowTo(TfrxCustomMemoView* v) { flowTo_ = v == this ? nullptr : v; }
  double GapX() const { return gapX_; }
  void SetGapX(double v) { gapX_ = v; }
  double GapY() const { return gapY_; }
  void SetGapY(double v) { gapY_ = v; }
  TfrxHAlign HAlign() const { return hAlign_; }
  void SetHAlign(TfrxHAlign v) { hAlign_ = v; }
  TfrxVAlign VAlign() const { return vAlign_; }
  void SetVAlign(TfrxVAlign v) { vAlign_ = v; }
  bool HideZeros() const { return hideZeros_; }
  void SetHideZeros(bool v) { hideZeros_ = v; }
  TfrxHighlight& Highlight() { return highlight_; }
  const TfrxHighlight& Highlight() const { return highlight_; }
  TfrxHighlight* HighlightObject() const { return const_cast<TfrxHighlight*>(&highlight_); }
  TfrxFormat& DisplayFormat() { return displayFormat_; }
  const TfrxFormat& DisplayFormat() const { return displayFormat_; }
  TfrxFormat* DisplayFormatObject() const { return const_cast<TfrxFormat*>(&displayFormat_); }
  double LineSpacing() const { return lineSpacing_; }
  void SetLineSpacing(double v) { lineSpacing_ = v; }
  double ParagraphGap() const { return paragraphGap_; }
  void SetParagraphGap(double v) { paragraphGap_ = v; }
  int Rotation() const { return rotation_; }
  // Kept modulo 360; a negative angle keeps its sign (-90 stays -90).
  void SetRotation(int v) { rotation_ = v % 360; }
  bool RTLReading() const { return rtlReading_; }
  void SetRTLReading(bool v) { rtlReading_ = v; }
  // Name of a report style. Styles are a report-engine feature that prepared reports
  // do not carry, so the name is only kept.
  const std::string& Style() const { return style_; }
  void SetStyle(const std::string& v) { style_ = v; }
  bool SuppressRepeated() const { return suppressRepeated_; }
  void SetSuppressRepeated(bool v) { suppressRepeated_ = v; }
  bool Underlines() const { return underlines_; }
  void SetUnderlines(bool v) { underlines_ = v; }
  bool UseDefaultCharset() const { return useDefaultCharset_; }
  void SetUseDefaultCharset(bool v) { useDefaultCharset_ = v; }
  bool WordBreak() const { return wordBreak_; }
  void SetWordBreak(bool v) { wordBreak_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; }
  bool Wysiwyg() const { return wysiwyg_; }
  void SetWysiwyg(bool v) { wysiwyg_ = v; }
  bool FirstParaBreak() const { return firstParaBreak_; }
  void SetFirstParaBreak(bool v) { firstParaBreak_ = v; }
  bool LastParaBreak() const { return lastParaBreak_; }
  void SetLastParaBreak(bool v) { lastParaBreak_ = v; }

  // Set by the page drawing before each Draw.
  int TotalPages() const { return totalPages_; }
  void SetTotalPages(int v) { totalPages_ = v; }
  int CopyNo() const { return copyNo_; }
  void SetCopyNo(int v) { copyNo_ = v; }
  double PrintScale() const { return printScale_; }
  void SetPrintScale(double v) { printScale_ = v; }

  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  // The view's device rectangle, then the text rectangle inside frame and gaps.
  void PrepareDraw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                   double offsetY) override;
  // Device pixels, valid after PrepareDraw.
  const TextLayoutRect& TextRect() const { return textRect_; }
  double CalcHeight() override;
  virtual double CalcWidth();

  // The text as 8-bit string; with AllowExpressions the first "[TOTALPAGES]" is
  // replaced by TotalPages.
  std::string ComponentText() const override;

  // View attributes, then the text settings and the text itself ("u", always); the
  // paragraph-break flags move on to the next part afterwards.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 protected:
  bool WritesWidthDifference() const override { return !autoWidth_; }

 private:
  TWideStrings memo_;
  bool autoWidth_ = false;
  bool allowExpressions_ = true;
  bool allowHTMLTags_ = false;
  double charSpacing_ = 0;
  bool clipped_ = true;
  std::string expressionDelimiters_ = "[,]";
  TfrxCustomMemoView* flowTo_ = nullptr;
  double gapX_ = 2;
  double gapY_ = 1;
  TfrxHAlign hAlign_ = haLeft;
  TfrxVAlign vAlign_ = vaTop;
  bool hideZeros_ = false;
  TfrxHighlight highlight_;
  TfrxFormat displayFormat_;
  double lineSpacing_ = 2;
  double paragraphGap_ = 0;
  int rotation_ = 0;
  bool rtlReading_ = false;
  std::string style_;
  bool suppressRepeated_ = false;
  bool underlines_ = false;
  bool useDefaultCharset_ = false;
  bool wordBreak_ = false;
  bool wordWrap_ = true;
  bool wysiwyg_ = true;
  // Writing the differences of one part hands the continuation state to the next
  // part, so these change even while the object is written.
  mutable bool firstParaBreak_ = false;
  mutable bool lastParaBreak_ = false;

  void SetUpEngine(TfrxDrawText& engine) const;
  double HorizontalInsets() const;
  double VerticalInsets() const;
  TextLayoutRect ReportTextRect();

  TextLayoutRect textRect_;
  int totalPages_ = 0;
  int copyNo_ = 0;
  double printScale_ = 1;
};

class TfrxMemoView : public TfrxCustomMemoView {
  QUARLO_CLASS(TfrxMemoView)
 public:
  explicit TfrxMemoView(TComponent* owner);
  std::string GetDescription() const override;
};

class TfrxSysMemoView : public TfrxCustomMemoView {
  QUARLO_CLASS(TfrxSysMemoView)
 public:
  explicit TfrxSysMemoView(TComponent* owner);
  std::string GetDescription() const override;
};

// Declares one text setting under its published name with the kind, default and
// accessors every text class shares (names as in the file format: "AutoWidth",
// "GapX", "Memo", ...; view and font settings are accepted too).
template <class Builder>
PropertyDecl PublishMemoProperty(Builder& b, std::string_view name) {
  using M = TfrxCustomMemoView;
  if (name == "AutoWidth") return b.Bool("AutoWidth", &M::AutoWidth, &M::SetAutoWidth).Default(false);
  if (name == "AllowExpressions") {
    return b.Bool("AllowExpressions", &M::AllowExpressions, &M::SetAllowExpressions).Default(true);
  }
  if (name == "AllowHTMLTags") {
    return b.Bool("AllowHTMLTags", &M::AllowHTMLTags, &M::SetAllowHTMLTags).Default(false);
  }
  if (name == "CharSpacing") {
    return b.Float("CharSpacing", &M::CharSpacing, &M::SetCharSpacing).Default(0.0);
  }
  if (name == "Clipped") return b.Bool("Clipped", &M::Clipped, &M::SetClipped).Default(true);
  if (name == "DisplayFormat") {
    return b.template Object<TfrxFormat>("DisplayFormat", &M::DisplayFormatObject);
  }
  if (name == "ExpressionDelimiters") {
    return b.String("ExpressionDelimiters", &M::ExpressionDelimiters, &M::SetExpressionDelimiters)
        .Default("[,]");
  }
  if (name == "FlowTo") return b.template Reference<M>("FlowTo", &M::FlowTo, &M::SetFlowTo);
  if (name == "GapX") return b.Float("GapX", &M::GapX, &M::SetGapX).Default(2.0);
  if (name == "GapY") return b.Float("GapY", &M::GapY, &M::SetGapY).Default(1.0);
  if (name == "HAlign") {
    return b.Enum("HAlign", HAlignNames(), &M::HAlign, &M::SetHAlign).Default(haLeft);
  }
  if (name == "HideZeros") return b.Bool("HideZeros", &M::HideZeros, &M::SetHideZeros).Default(false);
  if (name == "Highlight") {
    return b.template Object<TfrxHighlight>("Highlight", &M::HighlightObject)
        .template StoredWhen<M>([](const M& m) { return m.Highlight().HasCondition(); });
  }
  if (name == "LineSpacing") {
    return b.Float("LineSpacing", &M::LineSpacing, &M::SetLineSpacing).Default(2.0);
  }
  if (name == "Memo") return b.template Object<TWideStrings>("Memo", &M::MemoObject);
  if (name == "ParagraphGap") {
    return b.Float("ParagraphGap", &M::ParagraphGap, &M::SetParagraphGap).Default(0.0);
  }
  if (name == "Rotation") return b.Integer("Rotation", &M::Rotation, &M::SetRotation).Default(0);
  if (name == "RTLReading") {
    return b.Bool("RTLReading", &M::RTLReading, &M::SetRTLReading).Default(false);
  }
  if (name == "Style") return b.String("Style", &M::Style, &M::SetStyle);
  if (name == "SuppressRepeated") {
    return b.Bool("SuppressRepeated", &M::SuppressRepeated, &M::SetSuppressRepeated).Default(false);
  }
  if (name == "Underlines") {
    return b.Bool("Underlines", &M::Underlines, &M::SetUnderlines).Default(false);
  }
  if (name == "UseDefaultCharset") {
    return b.Bool("UseDefaultCharset", &M::UseDefaultCharset, &M::SetUseDefaultCharset)
        .Default(false);
  }
  if (name == "WordBreak") return b.Bool("WordBreak", &M::WordBreak, &M::SetWordBreak).Default(false);
  if (name == "WordWrap") return b.Bool("WordWrap", &M::WordWrap, &M::SetWordWrap).Default(true);
  if (name == "Wysiwyg") return b.Bool("Wysiwyg", &M::Wysiwyg, &M::SetWysiwyg).Default(true);
  if (name == "VAlign") {
    return b.Enum("VAlign", VAlignNames(), &M::VAlign, &M::SetVAlign).Default(vaTop);
  }
  if (name == "FirstParaBreak") {
    return b.Bool("FirstParaBreak", &M::FirstParaBreak, &M::SetFirstParaBreak).Default(false);
  }
  if (name == "LastParaBreak") {
    return b.Bool("LastParaBreak", &M::LastParaBreak, &M::SetLastParaBreak).Default(false);
  }
  if (name == "Font" || name == "ParentFont") return PublishFontProperty(b, name);
  return PublishViewProperty(b, name);
}

}  // namespace quarlo
