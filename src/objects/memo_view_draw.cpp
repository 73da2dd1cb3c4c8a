// Drawing and measuring of text objects through the text layout engine.

#include <algorithm>
#include <cmath>

#include "objects/memo_tokens.h"
#include "objects/memo_view.h"
#include "platform/codepage.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// The text rectangle inside a device rectangle: half the frame line on framed sides
// (the odd pixel goes to the left/top side's outer half) and the gaps.
TextLayoutRect InsetRect(int left, int top, int right, int bottom, double sx, double sy, const TfrxFrame& frame,
                       double gapX, double gapY) {
  const double fw = frame.Width();
  TextLayoutRect r;
  r.Left = left + (frame.Has(ftLeft) ? RoundHalfEven((sx * fw - 1) / 2) : 0) + RoundHalfEven(sx * gapX);
  r.Top = top + (frame.Has(ftTop) ? RoundHalfEven((sy * fw - 1) / 2) : 0) + RoundHalfEven(sy * gapY);
  r.Right = right - (frame.Has(ftRight) ? RoundHalfEven(sx * fw / 2) : 0) - RoundHalfEven(sx * gapX) + 1;
  r.Bottom = bottom - (frame.Has(ftBottom) ? RoundHalfEven(sy * fw / 2) : 0) - RoundHalfEven(sy * gapY) + 1;
  return r;
}

TextFont EngineFont(const TFont& font) {
  TextFont f;
  f.Name = SystemToUtf8(font.Name());
  f.Size = font.Size();
  f.Style = font.Style();
  f.Color = font.Color();
  f.Charset = font.Charset();
  return f;
}

// The fill colour is the highlight's only for one draw, whatever happens during it.
class ColorRestorer {
 public:
  explicit ColorRestorer(TfrxView& view) : view_(view), color_(view.Color()) {}
  ~ColorRestorer() { view_.SetColor(color_); }
  ColorRestorer(const ColorRestorer&) = delete;
  ColorRestorer& operator=(const ColorRestorer&) = delete;

 private:
  TfrxView& view_;
  TColor color_;
};

constexpr TextLayoutRect kUnbounded{0, 0, 10000, 10000};

}  // namespace

double TfrxCustomMemoView::HorizontalInsets() const {
  const TfrxFrame& f = Frame();
  double v = 2 * gapX_;
  if (f.Has(ftLeft)) v += (f.Width() - 1) / 2;
  if (f.Has(ftRight)) v += f.Width() / 2;
  if (f.DropShadow()) v += f.ShadowWidth();
  return v;
}

double TfrxCustomMemoView::VerticalInsets() const {
  const TfrxFrame& f = Frame();
  double v = 2 * gapY_;
  if (f.Has(ftTop)) v += (f.Width() - 1) / 2;
  if (f.Has(ftBottom)) v += f.Width() / 2;
  if (f.DropShadow()) v += f.ShadowWidth();
  return v;
}

void TfrxCustomMemoView::PrepareDraw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                                     double offsetY) {
  TfrxView::PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  textRect_ = InsetRect(DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom(), scaleX, scaleY, Frame(), gapX_,
                        gapY_);
}

// The text rectangle at scale 1 without offsets, as the layout works in report pixels.
TextLayoutRect TfrxCustomMemoView::ReportTextRect() {
  const double left = AbsLeft(), top = AbsTop();
  int right = RoundHalfEven(left + Width()), bottom = RoundHalfEven(top + Height());
  if (Frame().DropShadow()) {
    right -= RoundHalfEven(Frame().ShadowWidth());
    bottom -= RoundHalfEven(Frame().ShadowWidth());
  }
  return InsetRect(RoundHalfEven(left), RoundHalfEven(top), right, bottom, 1, 1, Frame(), gapX_, gapY_);
}

void TfrxCustomMemoView::SetUpEngine(TfrxDrawText& engine) const {
  // System texts do not publish these two, so they always lay out device-independently
  // with the standard line spacing, whatever the object holds.
  const bool system = dynamic_cast<const TfrxSysMemoView*>(this) != nullptr;
  engine.SetUnicode(useDefaultCharset_);
  engine.SetFont(EngineFont(highlight_.Active() ? highlight_.Font() : Font()));
  engine.SetOptions(wordWrap_, allowHTMLTags_, rtlReading_, wordBreak_, clipped_, system || wysiwyg_, rotation_);
  engine.SetGaps(paragraphGap_, charSpacing_, system ? 2.0 : lineSpacing_);
}

namespace {

std::vector<std::u16string> LinesOf(const TWideStrings& memo) {
  std::vector<std::u16string> lines;
  lines.reserve(static_cast<std::size_t>(memo.Count()));
  for (int i = 0; i < memo.Count(); ++i) lines.push_back(memo.Get(i));
  return lines;
}

}  // namespace

void TfrxCustomMemoView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX, double offsetY) {
  // Prepared reports carry no text engine of their own that differs from the shared
  // one: every engine shares the process-wide lock and keeps only per-text state.
  TfrxDrawText& engine = TfrxDrawText::Global();
  if (!IsDesigning() && allowExpressions_) SubstituteViewTokens(memo_, totalPages_, copyNo_);

  ColorRestorer restoreColor(*this);
  TextLayoutLock lock(engine);
  SetUpEngine(engine);
  if (highlight_.Active()) SetColor(highlight_.Color());
  const std::vector<std::u16string> lines = LinesOf(memo_);

  if (!IsDesigning() && autoWidth_) {
    engine.SetDimensions(1, 1, 1, kUnbounded, kUnbounded);
    engine.SetText(lines);
    const double oldWidth = Width();
    const double newWidth = engine.CalcWidth() + HorizontalInsets();
    if (hAlign_ == haRight) {
      SetLeft(Left() + oldWidth - newWidth);
    } else if (hAlign_ == haCenter) {
      SetLeft(Left() + (oldWidth - newWidth) / 2);
    }
    SetWidth(newWidth);
    if (Parent()) Parent()->ArrangeChildren();
  }

  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  const TextLayoutRect layoutRect = ReportTextRect();
  const double printScale = IsPrinting() ? printScale_ : 1;
  engine.SetDimensions(scaleX, scaleY, printScale, layoutRect, textRect_);
  engine.SetText(lines);
  std::vector<int>& flags = engine.LineFlags();
  if (!flags.empty()) {
    if (firstParaBreak_) flags.front() &= ~kParagraphStart;
    if (lastParaBreak_) flags.back() &= ~kParagraphEnd;
  }

  TfrxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);

  if (underlines_ && rotation_ == 0) {
    CanvasStateSaver saver(canvas);
    CanvasPen pen;
    pen.color = Frame().Color();
    pen.width = FrameWidthPx();
    pen.style = CanvasPen::Style::Solid;
    canvas.SetPen(pen);
    canvas.SetRasterMode(RasterMode::Copy);
    const double step = engine.LineHeight() * scaleY;
    const double spacing = dynamic_cast<const TfrxSysMemoView*>(this) ? 2.0 : lineSpacing_;
    double y = DeviceTop() + (gapY_ - spacing + 1) * scaleY + step;
    // A degenerate step would never reach the bottom.
    for (int guard = 0; step > 0 && y < DeviceBottom() && guard < 100000; ++guard, y += step) {
      canvas.MoveTo(DeviceLeft(), RoundHalfEven(y));
      canvas.LineTo(DeviceRight(), RoundHalfEven(y));
    }
  }

  engine.DrawText(canvas, hAlign_, vAlign_);
}

double TfrxCustomMemoView::CalcHeight() {
  TfrxDrawText& engine = TfrxDrawText::Global();
  TextLayoutLock lock(engine);
  SetUpEngine(engine);
  const TextLayoutRect r = autoWidth_ ? kUnbounded : ReportTextRect();
  engine.SetDimensions(1, 1, 1, r, r);
  engine.SetText(LinesOf(memo_));
  return RoundHalfEven(engine.CalcHeight() + VerticalInsets());
}

double TfrxCustomMemoView::CalcWidth() {
  TfrxDrawText& engine = TfrxDrawText::Global();
  TextLayoutLock lock(engine);
  SetUpEngine(engine);
  engine.SetDimensions(1, 1, 1, kUnbounded, kUnbounded);
  engine.SetText(LinesOf(memo_));
  return RoundHalfEven(engine.CalcWidth() + HorizontalInsets());
}

}  // namespace quarlo
