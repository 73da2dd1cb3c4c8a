#include "objects/memo_view.h"

#include "xml/xml_document.h"
#include "objects/property_differences.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"
#include "resources/resources.h"

namespace quarlo {

const EnumInfo& HAlignNames() {
  static const EnumInfo names{"haLeft", "haRight", "haCenter", "haBlock"};
  return names;
}

const EnumInfo& VAlignNames() {
  static const EnumInfo names{"vaTop", "vaBottom", "vaCenter"};
  return names;
}

namespace {

template <class Builder>
void PublishMemoProperties(Builder& b, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) PublishMemoProperty(b, name);
}

}  // namespace

// ------------------------------------------------------- TfrxCustomMemoView

const ClassInfo& TfrxCustomMemoView::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxCustomMemoView, TfrxStretcheable);
    PublishMemoProperties(b, {"FirstParaBreak", "LastParaBreak", "Cursor", "TagStr", "URL"});
    return b.Build();
  }();
  return info;
}

TfrxCustomMemoView::TfrxCustomMemoView(TComponent* owner) : TfrxStretcheable(owner) {}

TfrxCustomMemoView::~TfrxCustomMemoView() = default;

std::string TfrxCustomMemoView::ComponentText() const {
  std::u16string text = memo_.Text();
  if (allowExpressions_) {
    static const std::u16string token = u"[TOTALPAGES]";
    if (size_t p = text.find(token); p != std::u16string::npos) {
      std::string number = std::to_string(totalPages_);
      text.replace(p, token.size(), std::u16string(number.begin(), number.end()));
    }
  }
  return EncodeCodePage(text, CP_ACP);
}

std::string TfrxCustomMemoView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxView::WriteDifferences(tmpl);
  const auto* t = As<TfrxCustomMemoView>(&tmpl);
  if (!t) return s;
  DifferenceWriter w;
  w.Integer("AutoWidth", autoWidth_, t->autoWidth_);
  w.Float("CharSpacing", charSpacing_, t->charSpacing_);
  w.Float("GapX", gapX_, t->gapX_);
  w.Float("GapY", gapY_, t->gapY_);
  w.Integer("HAlign", hAlign_, t->hAlign_);
  w.Integer("Highlight.Active", highlight_.Active(), t->highlight_.Active());
  w.Float("LineSpacing", lineSpacing_, t->lineSpacing_);
  w.Integer("UseDefaultCharset", useDefaultCharset_, t->useDefaultCharset_);
  // The text is always written: the template's text is never what a part shows.
  std::u16string text;
  for (int i = 0; i < memo_.Count(); ++i) {
    if (i > 0) text += u"\r\n";
    text += memo_.Get(i);
  }
  w.Always("u", frxEscape(Utf16ToUtf8(text)));
  w.Float("ParagraphGap", paragraphGap_, t->paragraphGap_);
  w.Integer("Rotation", rotation_, t->rotation_);
  w.Integer("RTLReading", rtlReading_, t->rtlReading_);
  w.Integer("Underlines", underlines_, t->underlines_);
  w.Integer("VAlign", vAlign_, t->vAlign_);
  w.Integer("WordWrap", wordWrap_, t->wordWrap_);
  const TfrxFormat& f = displayFormat_;
  const TfrxFormat& tf = t->displayFormat_;
  w.Integer("DisplayFormat.Kind", f.Kind(), tf.Kind());
  w.String("DisplayFormat.DecimalSeparator", f.DecimalSeparator(), tf.DecimalSeparator());
  w.String("DisplayFormat.ThousandSeparator", f.ThousandSeparator(), tf.ThousandSeparator());
  w.String("DisplayFormat.FormatStr", f.FormatStr(), tf.FormatStr());
  if (firstParaBreak_) w.Always("FirstParaBreak", "1");
  if (lastParaBreak_) w.Always("LastParaBreak", "1");
  // The next part of a split text continues the paragraph this part ends in.
  firstParaBreak_ = lastParaBreak_;
  lastParaBreak_ = false;
  return s + w.Result();
}

// ------------------------------------------------------------- TfrxMemoView

const ClassInfo& TfrxMemoView::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxMemoView, TfrxCustomMemoView);
    PublishMemoProperties(
        b, {"AutoWidth",     "AllowExpressions", "AllowHTMLTags",        "BrushStyle",
            "CharSpacing",   "Clipped",          "Color",                "DataField",
            "DataSet",       "DataSetName",      "DisplayFormat",        "ExpressionDelimiters",
            "FlowTo",        "Font",             "Frame",                "GapX",
            "GapY",          "HAlign",           "HideZeros",            "Highlight",
            "LineSpacing",   "Memo",             "ParagraphGap",         "ParentFont",
            "Rotation",      "RTLReading",       "Style",                "SuppressRepeated",
            "Underlines",    "UseDefaultCharset", "WordBreak",           "WordWrap",
            "Wysiwyg",       "VAlign"});
    return b.Build();
  }();
  return info;
}

TfrxMemoView::TfrxMemoView(TComponent* owner) : TfrxCustomMemoView(owner) {}

std::string TfrxMemoView::GetDescription() const { return frxResources().Get("obText"); }

// ---------------------------------------------------------- TfrxSysMemoView

const ClassInfo& TfrxSysMemoView::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxSysMemoView, TfrxCustomMemoView);
    PublishMemoProperties(
        b, {"AutoWidth", "BrushStyle", "CharSpacing",  "Color",      "DisplayFormat",
            "Font",      "Frame",      "GapX",         "GapY",       "HAlign",
            "HideZeros", "Highlight",  "Memo",         "ParentFont", "Rotation",
            "RTLReading", "Style",     "SuppressRepeated", "VAlign", "WordWrap"});
    return b.Build();
  }();
  return info;
}

TfrxSysMemoView::TfrxSysMemoView(TComponent* owner) : TfrxCustomMemoView(owner) {}

std::string TfrxSysMemoView::GetDescription() const { return frxResources().Get("obSysText"); }

}  // namespace quarlo
