#pragma once
// Small hand-made classes declared through the property model, standing in for the
// real report objects in tests of the component base and the serializer. They use
// every kind of declaration: defaults, stored rules, enumerations, sets, strings,
// wide strings, sub-objects with their own sub-objects, string lists, text lines,
// references and custom binary data.

#include <set>
#include <string>

#include "objects/component.h"
#include "objects/wide_strings.h"

namespace quarlo::testing {

enum TTestStyle : int { tsSolid, tsDash, tsDot };
enum TTestHAlign : int { thLeft, thRight, thCenter, thBlock };

const EnumInfo& TestStyleNames();
const EnumInfo& TestHAlignNames();
const EnumInfo& TestSideMembers();  // tsLeft, tsRight, tsTop, tsBottom

class TTestFrame;

// A line whose width is written only when it differs from its frame's.
class TTestFrameLine : public TPersistent {
  QUARLO_CLASS(TTestFrameLine)
 public:
  explicit TTestFrameLine(const TTestFrame* frame = nullptr) : frame_(frame) {}
  double Width() const { return width_; }
  void SetWidth(double v) { width_ = v; }

 private:
  const TTestFrame* frame_;
  double width_ = 1;
};

class TTestFrame : public TPersistent {
  QUARLO_CLASS(TTestFrame)
 public:
  TTestFrame() : line_(this) {}
  int Typ() const { return typ_; }
  void SetTyp(int v) { typ_ = v; }
  TTestStyle Style() const { return style_; }
  void SetStyle(TTestStyle v) { style_ = v; }
  double Width() const { return width_; }
  void SetWidth(double v) {  // like a real frame: sets its line too
    width_ = v;
    line_.SetWidth(v);
  }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TTestFrameLine* LeftLine() const { return const_cast<TTestFrameLine*>(&line_); }

 private:
  int typ_ = 0;
  TTestStyle style_ = tsSolid;
  double width_ = 1;
  TColor color_ = 0;
  TTestFrameLine line_;
};

class TTestReport : public TfrxComponent {
  QUARLO_CLASS(TTestReport)
 public:
  explicit TTestReport(TComponent* owner) : TfrxComponent(owner) {}
  bool IsReport() const override { return true; }
  std::set<std::string>* ErrorList() override { return &errors; }
  std::set<std::string> errors;
};

class TTestPage : public TfrxPage {
  QUARLO_CLASS(TTestPage)
 public:
  explicit TTestPage(TComponent* owner) : TfrxPage(owner) {}
  double PaperWidth() const { return paperWidth_; }
  void SetPaperWidth(double v) {  // a setter with a side effect
    paperWidth_ = v;
    SetWidth(v * 3.77953);
  }
  TStringList* HGuides() const { return &guides_; }

 private:
  double paperWidth_ = 210;
  mutable TStringList guides_;
};

class TTestView : public TfrxReportComponent {
  QUARLO_CLASS(TTestView)
 public:
  explicit TTestView(TComponent* owner) : TfrxReportComponent(owner) {}
  void Draw(Canvas&, double, double, double, double) override {}
  bool IsView() const override { return true; }
  TfrxAlign Align() const override { return align_; }
  void SetAlign(TfrxAlign a) { align_ = a; }
  TTestFrame* Frame() const { return &frame_; }
  const std::string& TagStr() const { return tagStr_; }
  void SetTagStr(const std::string& v) { tagStr_ = v; }
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  TfrxAlign align_ = baNone;
  mutable TTestFrame frame_;
  std::string tagStr_;
};

class TTestBand : public TfrxReportComponent {
  QUARLO_CLASS(TTestBand)
 public:
  explicit TTestBand(TComponent* owner) : TfrxReportComponent(owner) {}
  void Draw(Canvas&, double, double, double, double) override {}
  TTestBand* Child() const { return child_; }
  void SetChild(TTestBand* v) { child_ = v; }

 protected:
  bool AlwaysWritesTopDifference() const override { return true; }

 private:
  TTestBand* child_ = nullptr;
};

// A text object: lines, wide hint, custom binary data "Blob".
class TTestMemo : public TTestView {
  QUARLO_CLASS(TTestMemo)
 public:
  explicit TTestMemo(TComponent* owner) : TTestView(owner) {}
  TWideStrings* MemoLines() override { return &memo_; }
  TWideStrings* Memo() const { return &memo_; }
  TTestHAlign HAlign() const { return hAlign_; }
  void SetHAlign(TTestHAlign v) { hAlign_ = v; }
  double GapX() const { return gapX_; }
  void SetGapX(double v) { gapX_ = v; }
  const std::u16string& Hint() const { return hint_; }
  void SetHint(const std::u16string& v) { hint_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; }
  int Rotation() const { return rotation_; }
  void SetRotation(int v) { rotation_ = v % 360; }
  TTestMemo* FlowTo() const { return flowTo_; }
  void SetFlowTo(TTestMemo* v) { flowTo_ = v; }
  std::string Blob;
  void DefineProperties(PropDataFiler& filer) override;

 private:
  mutable TWideStrings memo_;
  TTestHAlign hAlign_ = thLeft;
  double gapX_ = 2;
  std::u16string hint_;
  bool wordWrap_ = true;
  int rotation_ = 0;
  TTestMemo* flowTo_ = nullptr;
};

// Registers the test classes (idempotent).
void RegisterTestClasses();

}  // namespace quarlo::testing
