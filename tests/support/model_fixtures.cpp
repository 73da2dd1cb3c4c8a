#include "model_fixtures.h"

#include "objects/prop_data.h"
#include "objects/class_registry.h"
#include "objects/property_differences.h"
#include "objects/units.h"

namespace quarlo::testing {

const EnumInfo& TestStyleNames() {
  static const EnumInfo names{"tsSolid", "tsDash", "tsDot"};
  return names;
}
const EnumInfo& TestHAlignNames() {
  static const EnumInfo names{"thLeft", "thRight", "thCenter", "thBlock"};
  return names;
}
const EnumInfo& TestSideMembers() {
  static const EnumInfo names{"tsLeft", "tsRight", "tsTop", "tsBottom"};
  return names;
}

const ClassInfo& TTestFrameLine::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestFrameLine, TPersistent> b("TTestFrameLine");
    b.Float("Width", &TTestFrameLine::Width, &TTestFrameLine::SetWidth)
        .StoredWhen<TTestFrameLine>([](const TTestFrameLine& l) {
          return !l.frame_ || !FloatsMatch(l.width_, l.frame_->Width());
        });
    return b.Build();
  }();
  return info;
}

const ClassInfo& TTestFrame::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestFrame, TPersistent> b("TTestFrame");
    b.Integer("Color", &TTestFrame::Color, &TTestFrame::SetColor).Default(0);
    b.Enum("Style", TestStyleNames(), &TTestFrame::Style, &TTestFrame::SetStyle).Default(tsSolid);
    b.Set("Typ", TestSideMembers(), &TTestFrame::Typ, &TTestFrame::SetTyp).Default(0);
    b.Float("Width", &TTestFrame::Width, &TTestFrame::SetWidth).Default(1.0);
    b.Object<TTestFrameLine>("LeftLine", &TTestFrame::LeftLine);
    return b.Build();
  }();
  return info;
}

const ClassInfo& TTestReport::StaticClass() {
  static const ClassInfo info = ClassBuilder<TTestReport, TfrxComponent>("TTestReport").Build();
  return info;
}

const ClassInfo& TTestPage::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestPage, TfrxPage> b("TTestPage");
    b.Float("PaperWidth", &TTestPage::PaperWidth, &TTestPage::SetPaperWidth);
    b.Object<TStringList>("HGuides", &TTestPage::HGuides);
    return b.Build();
  }();
  return info;
}

namespace {

// The view publishing of geometry and font, shared by the test views and bands.
template <class T, class B>
void DeclareGeometry(ClassBuilder<T, B>& b) {
  b.Float("Left", &TfrxComponent::Left, &TfrxComponent::SetLeft);
  b.Float("Top", &TfrxComponent::Top, &TfrxComponent::SetTop);
  b.Float("Width", &TfrxComponent::Width, &TfrxComponent::SetWidth);
  b.Float("Height", &TfrxComponent::Height, &TfrxComponent::SetHeight);
  b.template Object<TFont>("Font", &TfrxComponent::FontObject)
      .template StoredWhen<T>([](const T& c) { return !c.ParentFont(); });
  b.Bool("ParentFont", &TfrxComponent::ParentFont, &TfrxComponent::SetParentFont).Default(true);
  b.Set("Restrictions", RestrictionMembers(), &TfrxComponent::Restrictions,
        &TfrxComponent::SetRestrictions)
      .Default(0);
  b.Bool("Visible", &TfrxComponent::Visible, &TfrxComponent::SetVisible).Default(true);
}

}  // namespace

const ClassInfo& TTestView::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestView, TfrxReportComponent> b("TTestView");
    b.Enum("Align", AlignNames(), &TTestView::Align, &TTestView::SetAlign).Default(baNone);
    DeclareGeometry(b);
    b.Object<TTestFrame>("Frame", &TTestView::Frame);
    b.String("TagStr", &TTestView::TagStr, &TTestView::SetTagStr);
    return b.Build();
  }();
  return info;
}

std::string TTestView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxReportComponent::WriteDifferences(tmpl);
  DifferenceWriter w;
  w.Property("Frame.Typ", *this, tmpl, "Frame.Typ");
  w.Property("Frame.Style", *this, tmpl, "Frame.Style");
  w.Property("TagStr", *this, tmpl, "TagStr");
  return s + w.Result();
}

const ClassInfo& TTestBand::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestBand, TfrxReportComponent> b("TTestBand");
    DeclareGeometry(b);
    b.Reference<TTestBand>("Child", &TTestBand::Child, &TTestBand::SetChild);
    return b.Build();
  }();
  return info;
}

const ClassInfo& TTestMemo::StaticClass() {
  static const ClassInfo info = [] {
    ClassBuilder<TTestMemo, TTestView> b("TTestMemo");
    b.Enum("HAlign", TestHAlignNames(), &TTestMemo::HAlign, &TTestMemo::SetHAlign).Default(thLeft);
    b.Float("GapX", &TTestMemo::GapX, &TTestMemo::SetGapX).Default(2.0);
    b.WString("Hint", &TTestMemo::Hint, &TTestMemo::SetHint);
    b.Object<TWideStrings>("Memo", &TTestMemo::Memo);
    b.Bool("WordWrap", &TTestMemo::WordWrap, &TTestMemo::SetWordWrap).Default(true);
    b.Integer("Rotation", &TTestMemo::Rotation, &TTestMemo::SetRotation).Default(0);
    b.Reference<TTestMemo>("FlowTo", &TTestMemo::FlowTo, &TTestMemo::SetFlowTo);
    b.Unserialised("OnClick", PropertyKind::Method);
    return b.Build();
  }();
  return info;
}

void TTestMemo::DefineProperties(PropDataFiler& filer) {
  filer.DefineBinaryProperty(
      "Blob", [this](const std::string& bytes) { Blob = bytes; }, [this] { return Blob; },
      !Blob.empty());
}

void RegisterTestClasses() {
  RegisterClass<TTestReport>();
  RegisterClass<TTestPage>();
  RegisterClass<TTestBand>();
  RegisterClass<TTestMemo>();
  RegisterClass<TTestView>();
  RegisterClass<TTestFrame>();
}

}  // namespace quarlo::testing
