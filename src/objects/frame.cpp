#include "objects/frame.h"

#include <string>

#include "objects/serializer.h"
#include "objects/property_differences.h"
#include "objects/units.h"

namespace quarlo {

const EnumInfo& FrameTypMembers() {
  static const EnumInfo names{"ftLeft", "ftRight", "ftTop", "ftBottom"};
  return names;
}

const EnumInfo& FrameStyleNames() {
  static const EnumInfo names{"fsSolid", "fsDash",   "fsDot",   "fsDashDot",
                              "fsDashDotDot", "fsDouble", "fsAltDot", "fsSquare"};
  return names;
}

// ------------------------------------------------------------ TfrxFrameLine

const ClassInfo& TfrxFrameLine::StaticClass() {
  static const ClassInfo info = [] {
    using L = TfrxFrameLine;
    auto b = QUARLO_CLASS_BUILDER(TfrxFrameLine, TPersistent);
    // No declared defaults: a side that differs from its frame must be written even
    // when it holds the frame's default value, or reading the frame would overwrite it.
    b.Integer("Color", &L::Color, &L::SetColor).StoredWhen<L>([](const L& l) {
      return !l.frame_ || l.color_ != l.frame_->Color();
    });
    b.Enum("Style", FrameStyleNames(), &L::Style, &L::SetStyle).StoredWhen<L>([](const L& l) {
      return !l.frame_ || l.style_ != l.frame_->Style();
    });
    b.Float("Width", &L::Width, &L::SetWidth).StoredWhen<L>([](const L& l) {
      return !l.frame_ || l.width_ != l.frame_->Width();
    });
    return b.Build();
  }();
  return info;
}

TfrxFrameLine& TfrxFrameLine::operator=(const TfrxFrameLine& other) {
  color_ = other.color_;
  style_ = other.style_;
  width_ = other.width_;
  return *this;
}

bool TfrxFrameLine::operator==(const TfrxFrameLine& other) const {
  return color_ == other.color_ && style_ == other.style_ && width_ == other.width_;
}

// ---------------------------------------------------------------- TfrxFrame

const ClassInfo& TfrxFrame::StaticClass() {
  static const ClassInfo info = [] {
    using F = TfrxFrame;
    auto b = QUARLO_CLASS_BUILDER(TfrxFrame, TPersistent);
    b.Integer("Color", &F::Color, &F::SetColor).Default(clBlack);
    b.Bool("DropShadow", &F::DropShadow, &F::SetDropShadow).Default(false);
    b.Integer("ShadowColor", &F::ShadowColor, &F::SetShadowColor).Default(clBlack);
    b.Float("ShadowWidth", &F::ShadowWidth, &F::SetShadowWidth).Default(4.0);
    b.Enum("Style", FrameStyleNames(), &F::Style, &F::SetStyle).Default(fsSolid);
    b.Set("Typ", FrameTypMembers(), &F::Typ, &F::SetTyp).Default(0);
    b.Float("Width", &F::Width, &F::SetWidth).Default(1.0);
    b.Object<TfrxFrameLine>("LeftLine", [](const F& f) { return &f.left_; });
    b.Object<TfrxFrameLine>("TopLine", [](const F& f) { return &f.top_; });
    b.Object<TfrxFrameLine>("RightLine", [](const F& f) { return &f.right_; });
    b.Object<TfrxFrameLine>("BottomLine", [](const F& f) { return &f.bottom_; });
    return b.Build();
  }();
  return info;
}

TfrxFrame::TfrxFrame() = default;

TfrxFrame::TfrxFrame(const TfrxFrame& other) : TPersistent(other) { *this = other; }

TfrxFrame& TfrxFrame::operator=(const TfrxFrame& other) {
  if (this == &other) return *this;
  typ_ = other.typ_;
  color_ = other.color_;
  style_ = other.style_;
  width_ = other.width_;
  dropShadow_ = other.dropShadow_;
  shadowWidth_ = other.shadowWidth_;
  shadowColor_ = other.shadowColor_;
  left_ = other.left_;
  top_ = other.top_;
  right_ = other.right_;
  bottom_ = other.bottom_;
  return *this;
}

bool TfrxFrame::operator==(const TfrxFrame& other) const {
  return typ_ == other.typ_ && color_ == other.color_ && style_ == other.style_ &&
         width_ == other.width_ && dropShadow_ == other.dropShadow_ &&
         shadowWidth_ == other.shadowWidth_ && shadowColor_ == other.shadowColor_ &&
         left_ == other.left_ && top_ == other.top_ && right_ == other.right_ &&
         bottom_ == other.bottom_;
}

void TfrxFrame::SetColor(TColor v) {
  color_ = v;
  for (TfrxFrameLine* l : {&left_, &top_, &right_, &bottom_}) l->color_ = v;
}

void TfrxFrame::SetStyle(TfrxFrameStyle v) {
  style_ = v;
  for (TfrxFrameLine* l : {&left_, &top_, &right_, &bottom_}) l->style_ = v;
}

void TfrxFrame::SetWidth(double v) {
  width_ = v;
  for (TfrxFrameLine* l : {&left_, &top_, &right_, &bottom_}) l->width_ = v;
}

// ------------------------------------------------------ compact attributes

void WriteFrameDifferences(DifferenceWriter& w, const TfrxFrame& f, const TfrxFrame& t) {
  const bool colorWritten = f.Color() != t.Color();
  const bool styleWritten = f.Style() != t.Style();
  const bool widthWritten = !FloatsMatch(f.Width(), t.Width());
  w.Integer("Frame.Color", f.Color(), t.Color());
  w.Integer("Frame.DropShadow", f.DropShadow(), t.DropShadow());
  w.Integer("Frame.ShadowColor", f.ShadowColor(), t.ShadowColor());
  w.Float("Frame.ShadowWidth", f.ShadowWidth(), t.ShadowWidth());
  w.Integer("Frame.Style", f.Style(), t.Style());
  w.Integer("Frame.Typ", f.Typ(), t.Typ());
  w.Float("Frame.Width", f.Width(), t.Width());

  struct Side {
    const char* name;
    const TfrxFrameLine& line;
    const TfrxFrameLine& tmpl;
  };
  const Side sides[] = {{"Frame.LeftLine", f.LeftLine(), t.LeftLine()},
                        {"Frame.TopLine", f.TopLine(), t.TopLine()},
                        {"Frame.RightLine", f.RightLine(), t.RightLine()},
                        {"Frame.BottomLine", f.BottomLine(), t.BottomLine()}};
  // A frame-level attribute resets all four lines when read, so a line that differs
  // from its frame must then be written even when it equals the template's line.
  for (const Side& s : sides) {
    const std::string name = s.name;
    if (s.line.Color() != s.tmpl.Color() || (colorWritten && s.line.Color() != f.Color())) {
      w.Always(name + ".Color", std::to_string(s.line.Color()));
    }
    if (s.line.Style() != s.tmpl.Style() || (styleWritten && s.line.Style() != f.Style())) {
      w.Always(name + ".Style", std::to_string(static_cast<int>(s.line.Style())));
    }
    if (!FloatsMatch(s.line.Width(), s.tmpl.Width()) ||
        (widthWritten && !FloatsMatch(s.line.Width(), f.Width()))) {
      w.Always(name + ".Width", FloatToXML(s.line.Width()));
    }
  }
}

}  // namespace quarlo
