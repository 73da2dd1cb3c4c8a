#include "objects/text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/font_engine.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// One lock for every engine instance: the measuring font engine and the engines' own
// state are shared by everything that lays out text.
std::recursive_mutex& LayoutMutex() {
  static std::recursive_mutex m;
  return m;
}

constexpr double kE = static_cast<double>(TfrxDrawText::LayoutPPI) / TfrxDrawText::ReportPPI;  // 6.25

// Exact sine and cosine at the right angles, so rotated placement does not pick up
// rounding noise.
void SinCos(int degrees, double* s, double* c) {
  switch (degrees) {
    case 0: *s = 0; *c = 1; return;
    case 90: *s = 1; *c = 0; return;
    case 180: *s = 0; *c = -1; return;
    case 270: *s = -1; *c = 0; return;
    default: {
      const double r = degrees * std::numbers::pi / 180.0;
      *s = std::sin(r);
      *c = std::cos(r);
    }
  }
}

// Gaps and scales far beyond any page are cut back so pixel sums stay in range.
double Bounded(double v, double limit) {
  if (!(v == v)) return 0;  // NaN
  return std::clamp(v, -limit, limit);
}

bool IsSpace(char16_t c) { return c == u' '; }

char16_t UpperCyrillic(char16_t c) {
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c == 0x451) return 0x401;
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  return c;
}

bool IsVowel(char16_t c) {
  switch (c) {
    case u'А': case u'Е': case u'Ё': case u'И': case u'О': case u'У': case u'Ы': case u'Э': case u'Ю': case u'Я':
      return true;
    default:
      return false;
  }
}

bool IsSign(char16_t c) { return c == u'Ь' || c == u'Ъ'; }

bool IsConsonant(char16_t c) {
  if (IsSign(c) || c == u'Й') return true;
  return c >= u'А' && c <= u'Я' && !IsVowel(c);
}

bool IsWordEnd(char16_t c) { return c == u' ' || c == u'.' || c == u',' || c == u'-' || c == u';'; }

}  // namespace

void SpreadIncrements(std::span<int> values, int lo, int hi, int n) {
  if (n == 0 || hi < lo || lo < 0 || hi >= static_cast<int>(values.size())) return;
  if (lo == hi) {
    values[static_cast<std::size_t>(lo)] += n;
    return;
  }
  const int half = std::max(1, (hi - lo + 1) / 2);
  if (n == 1 || n == -1) {
    values[static_cast<std::size_t>(lo + half - 1)] += n;
    return;
  }
  SpreadIncrements(values, lo, lo + half - 1, n / 2);
  SpreadIncrements(values, lo + half, hi, n - n / 2);
}

TfrxDrawText::TfrxDrawText() {
  widths_.reserve(kMaxLineLength);
  advances_.reserve(kMaxLineLength);
  deviceWidths_.reserve(kMaxLineLength);
}

TfrxDrawText& TfrxDrawText::Global() {
  static TfrxDrawText engine;
  return engine;
}

void TfrxDrawText::Lock() { LayoutMutex().lock(); }
void TfrxDrawText::Unlock() { LayoutMutex().unlock(); }

void TfrxDrawText::SetFont(const TextFont& font) {
  font_ = font;
  fontSize_ = Bounded(font.Size, 5000);
  layoutHeight_ = std::abs(RoundHalfEven(fontSize_ * LayoutPPI / 72.0));
}

void TfrxDrawText::SetOptions(bool wordWrap, bool htmlTags, bool rtlReading, bool wordBreak, bool clipped,
                              bool wysiwyg, int rotation) {
  wordWrap_ = wordWrap;
  htmlTags_ = htmlTags;
  tags_.AllowTags = htmlTags;
  rtl_ = rtlReading;
  wordBreak_ = wordBreak;
  clipped_ = clipped;
  wysiwyg_ = wysiwyg;
  rotation_ = ((rotation % 360) + 360) % 360;
}

void TfrxDrawText::SetGaps(double paragraphGap, double charSpacing, double lineSpacing) {
  paragraphGap_ = Bounded(paragraphGap, 1e5);
  charSpacing_ = Bounded(charSpacing, 1e4);
  lineSpacing_ = Bounded(lineSpacing, 1e5);
}

void TfrxDrawText::SetDimensions(double scaleX, double scaleY, double printScale, TextLayoutRect layoutRect,
                                 TextLayoutRect outputRect) {
  scaleX_ = Bounded(scaleX, 1e3);
  scaleY_ = Bounded(scaleY, 1e3);
  printScale_ = Bounded(printScale, 1e3);
  // Corners far beyond any device are pulled in, so that widths and heights computed from
  // them (and the positions laid out from those) stay within int.
  constexpr int kFar = 1 << 28;
  for (TextLayoutRect* r : {&layoutRect, &outputRect}) {
    r->Left = std::clamp(r->Left, -kFar, kFar);
    r->Top = std::clamp(r->Top, -kFar, kFar);
    r->Right = std::clamp(r->Right, -kFar, kFar);
    r->Bottom = std::clamp(r->Bottom, -kFar, kFar);
  }
  layoutRect_ = layoutRect;
  outputRect_ = outputRect;
}

long long TfrxDrawText::MeasureLayout(std::u16string_view line, const TfrxHTMLTags& runs, int spacing,
                                      bool cumulative, std::vector<long long>& out) {
  const std::size_t n = line.size();
  out.assign(n, 0);
  advances_.assign(n, 0.0);
  FontEngine& engine = GetFontEngine();
  // Characters of one style are measured together.
  std::size_t a = 0;
  while (a < n) {
    const int style = a < runs.size() ? runs[a].Style : font_.Style;
    std::size_t b = a + 1;
    while (b < n && (b < runs.size() ? runs[b].Style : font_.Style) == style) ++b;
    engine.Advances(FontKey{font_.Name, style}, layoutHeight_, line.substr(a, b - a),
                    std::span<double>(advances_.data() + a, b - a));
    a = b;
  }
  double cum = 0;
  long long prevRounded = 0, total = 0;
  for (std::size_t i = 0; i < n; ++i) {
    cum += advances_[i];
    const long long rounded = std::llround(cum);
    long long w = rounded - prevRounded + spacing;
    prevRounded = rounded;
    if (i < runs.size() && runs[i].Reduced) w = std::llround(static_cast<double>(w) / 1.5);
    total += w;
    out[i] = cumulative ? total : w;
  }
  return total;
}

int TfrxDrawText::DeviceFontHeight(Canvas& canvas, double size, bool vertical) const {
  if (canvas.IsPrinter())
    return -RoundHalfEven((vertical ? canvas.DpiY() : canvas.DpiX()) * size * printScale_ / 72.0);
  return -RoundHalfEven(size * scaleY_ * 96.0 / 72.0);
}

long long TfrxDrawText::MeasureDevice(Canvas& canvas, std::u16string_view line, const TfrxHTMLTags& runs,
                                      int spacing, std::vector<int>& out) {
  const std::size_t n = line.size();
  out.assign(n, 0);
  std::vector<int>& ext = tags_.Extents();
  CanvasFont f = canvas.Font();
  f.name = font_.Name;
  f.height = DeviceFontHeight(canvas, fontSize_, true);
  f.escapement = 0;
  std::size_t a = 0;
  long long total = 0;
  while (a < n) {
    const int style = a < runs.size() ? runs[a].Style : font_.Style;
    std::size_t b = a + 1;
    while (b < n && (b < runs.size() ? runs[b].Style : font_.Style) == style) ++b;
    f.style = style;
    canvas.SetFont(f);
    const std::size_t len = b - a;
    if (ext.size() < len) ext.resize(len);
    canvas.MeasureText(line.substr(a, len), std::span<int>(ext.data(), len));
    for (std::size_t i = 0; i < len; ++i) {
      int w = ext[i] - (i ? ext[i - 1] : 0) + spacing;
      if (a + i < runs.size() && runs[a + i].Reduced) w = RoundHalfEven(w / 1.5);
      out[a + i] = w;
      total += w;
    }
    a = b;
  }
  return total;
}

void TfrxDrawText::EmitLine(std::u16string text, int records, int skip, bool hyphen) {
  if (hyphen) text.push_back(u'-');
  lines_.push_back(std::move(text));
  flags_.push_back(0);
  lineHyphenated_.push_back(hyphen);
  splits_.push_back({records, hyphen, skip});
}

int TfrxDrawText::Hyphenate(std::u16string_view text, std::size_t wordStart, std::size_t fitting) const {
  // Words of more than a few hundred letters are not words: no hyphenation, and the
  // scan stays bounded for long unbroken texts.
  constexpr std::size_t kLongestWord = 256;
  std::size_t end = wordStart;
  while (end < text.size() && !IsWordEnd(text[end])) {
    if (++end - wordStart > kLongestWord) return 0;
  }
  const std::size_t len = end - wordStart;
  if (len <= 3) return 0;
  std::u16string w(text.substr(wordStart, len));
  for (char16_t& c : w) c = UpperCyrillic(c);
  auto hasVowel = [&](std::size_t from, std::size_t to) {  // [from, to)
    if (to - from < 2) return false;
    for (std::size_t k = from; k < to; ++k)
      if (IsVowel(w[k])) return true;
    return false;
  };
  int best = 0;
  for (std::size_t p = 1; p < len; ++p) {
    if (p >= fitting) break;
    const char16_t cur = w[p - 1], next = w[p];
    bool allowed = false;
    if (IsConsonant(cur)) {
      allowed = !IsVowel(next) && !IsSign(next);
    } else if (IsVowel(cur)) {
      const bool doubled = p + 1 < len && w[p] == w[p + 1] && IsConsonant(w[p]) && p + 2 < len && IsVowel(w[p + 2]);
      allowed = next != u'Й' && !doubled;
    }
    if (allowed && hasVowel(0, p) && hasVowel(p, len)) best = static_cast<int>(p);
  }
  return best;
}

void TfrxDrawText::WrapParagraph(std::u16string line) {
  tags_.NewLine();
  tags_.ExpandTags(line);
  tags_.AdvancePosition(2);
  const std::size_t firstIndex = lines_.size();
  auto finish = [&](std::u16string rest) {
    lines_.push_back(std::move(rest));
    flags_.push_back(0);
    lineHyphenated_.push_back(false);
    flags_[firstIndex] |= kParagraphStart;
    flags_.back() |= kParagraphEnd;
  };
  const double a = wrapWidth_;
  const long long full = RoundHalfEven(a * kE);
  const int spacing = RoundHalfEven(charSpacing_ * kE);
  const long long first = RoundHalfEven((a - paragraphGap_) * kE);
  if (line.size() <= 1 || !wordWrap_) return finish(std::move(line));

  const TfrxHTMLTags& runs = tags_.Items(tags_.Count() - 1);
  splits_.clear();
  std::vector<long long> w;
  MeasureLayout(line, runs, spacing, true, w);
  const std::size_t n = line.size();
  if (w[n - 1] < first) return finish(std::move(line));

  std::size_t start = 0, cand = 0, i = 0;
  long long base = 0, limit = first;
  // The paragraph's records stay whole while scanning; the lines are cut off at the end.
  auto noWrapAt = [&](std::size_t index) { return index < runs.size() && runs[index].NoWrap; };
  while (i < n) {
    // A space is a break candidate even when it is the character that overflows.
    if (IsSpace(line[i]) && !(htmlTags_ && noWrapAt(i))) cand = i;
    if (limit >= w[i] - base) {
      ++i;
      continue;
    }
    std::size_t next;
    if (cand != start) {
      bool done = false;
      if (wordBreak_ && cand < i) {
        const std::size_t ws = cand + 1;
        const int p = Hyphenate(line, ws, i - ws);
        if (p > 0) {
          const int count = static_cast<int>(cand - start + 1) + p;
          EmitLine(line.substr(start, static_cast<std::size_t>(count)), count, 0, true);
          next = ws + static_cast<std::size_t>(p);
          done = true;
        }
      }
      if (!done) {
        EmitLine(line.substr(start, cand - start), static_cast<int>(cand - start), 1, false);
        next = cand + 1;
      }
    } else if (i == start) {
      EmitLine(line.substr(start, 1), 1, 0, false);
      next = i + 1;
    } else if (wordBreak_) {
      const int p = Hyphenate(line, start, i - start);
      if (p > 0) {
        EmitLine(line.substr(start, static_cast<std::size_t>(p)), p, 0, true);
        next = start + static_cast<std::size_t>(p);
      } else {
        EmitLine(line.substr(start, i - start), static_cast<int>(i - start), 0, false);
        next = i;
      }
    } else {
      EmitLine(line.substr(start, i - start), static_cast<int>(i - start), 0, false);
      next = i;
    }
    base = w[next - 1];
    limit = full;
    start = next;
    cand = start;
    i = start;
  }
  tags_.SplitLast(splits_);
  if (start < n) return finish(line.substr(start));
  // The last break consumed the rest (a lone wide character): no empty line after it.
  tags_.DropEmptyLastLine();
  flags_[firstIndex] |= kParagraphStart;
  flags_.back() |= kParagraphEnd;
}

void TfrxDrawText::SetText(std::span<const std::u16string> lines) {
  const bool across = (rotation_ >= 90 && rotation_ < 180) || rotation_ >= 270;
  wrapWidth_ = across ? layoutRect_.Bottom - layoutRect_.Top : layoutRect_.Right - layoutRect_.Left;
  WrapAll(lines);
  if (rotation_ % 90 != 0) FitObliqueBlock(lines);
}

void TfrxDrawText::FitObliqueBlock(std::span<const std::u16string> lines) {
  // Turned by an oblique angle, lines as long as the box is wide would leave it at the
  // top or bottom. Where the block the table places fits, it stays; otherwise the lines
  // are made as long as the box lets them be both across and down: the fewest lines n
  // whose fitting length wraps the text into at most n lines.
  double s, c;
  SinCos(rotation_, &s, &c);
  const double as = std::abs(s), ac = std::abs(c), lh = LineHeight();
  const double w = layoutRect_.Right - layoutRect_.Left, h = layoutRect_.Bottom - layoutRect_.Top;
  auto fit = [&](double n) { return std::min((w - as * n * lh) / ac, (h - ac * n * lh) / as); };
  auto tableFits = [&](double n) { return (h - ac * n * lh) / as >= (w - as * n * lh) / ac; };
  if (lh <= 0 || tableFits(static_cast<double>(lines_.size()))) return;
  const double tableWidth = wrapWidth_;
  // Wrapping at the length n lines allow gives m lines; when m > n, no count between n
  // and m can do better (a shorter length never gives fewer lines), so go on from m.
  for (std::size_t n = 1; fit(static_cast<double>(n)) >= 1;) {
    wrapWidth_ = fit(static_cast<double>(n));
    WrapAll(lines);
    if (lines_.size() <= n) return;
    n = lines_.size();
  }
  // No number of lines fits the box: the table's placement, as before.
  wrapWidth_ = tableWidth;
  WrapAll(lines);
}

void TfrxDrawText::WrapAll(std::span<const std::u16string> lines) {
  sourceText_.clear();
  lines_.clear();
  flags_.clear();
  lineHyphenated_.clear();
  tags_.Reset(font_.Color, RoundHalfEven(fontSize_), font_.Style);
  for (const std::u16string& src : lines) {
    std::u16string line = src.empty() ? std::u16string(u" ") : src;
    sourceText_ += line;
    sourceText_ += u"\r\n";
    WrapParagraph(std::move(line));
  }
}

double TfrxDrawText::LineHeight() const { return layoutHeight_ / kE + lineSpacing_; }

double TfrxDrawText::CalcHeight() const {
  if (lines_.empty()) return 0;
  double h = static_cast<double>(lines_.size()) * LineHeight();
  if (lineSpacing_ < 0) h -= lineSpacing_;
  return h;
}

double TfrxDrawText::CalcWidth() const {
  auto* self = const_cast<TfrxDrawText*>(this);
  long long best = 0;
  std::vector<long long> w;
  static const TfrxHTMLTags kNoRuns;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TfrxHTMLTags& runs = static_cast<int>(i) < tags_.Count() ? tags_.Items(static_cast<int>(i)) : kNoRuns;
    TfrxHTMLTags plain = runs;
    for (TfrxHTMLTag& t : plain) t.Reduced = false;  // the plain extent of each run
    long long width = self->MeasureLayout(lines_[i], plain, 0, false, w);
    width += RoundHalfEven(static_cast<double>(lines_[i].size()) * charSpacing_ * kE);
    if (flags_[i] & kParagraphStart) width += RoundHalfEven(paragraphGap_ * kE);
    best = std::max(best, width);
  }
  return static_cast<double>(best) / kE;
}

double TfrxDrawText::LeftoverHeight() const {
  const double height = layoutRect_.Bottom - layoutRect_.Top;
  const double lh = LineHeight();
  if (!(lh > 0)) return 0;
  const long long k = static_cast<long long>(std::trunc((height + 1) / lh));
  if (k <= 0) return 0;
  const double left = (height + 1) - static_cast<double>(k) * lh;
  return left == 0 ? 0.0001 : left;
}

std::u16string TfrxDrawText::TakeOverflowText(bool* insideParagraph) {
  if (insideParagraph) *insideParagraph = false;
  const double lh = LineHeight();
  if (!(lh > 0) || lines_.empty()) return {};
  const double height = layoutRect_.Bottom - layoutRect_.Top;
  const long long fit = std::max(0LL, static_cast<long long>(std::trunc((height + 1) / lh)));
  const std::size_t k = static_cast<std::size_t>(std::min<long long>(fit, static_cast<long long>(lines_.size())));
  if (k >= lines_.size() || static_cast<int>(k) >= tags_.Count() || tags_.Items(static_cast<int>(k)).empty()) return {};
  const TfrxHTMLTag& firstRemoved = tags_.Items(static_cast<int>(k)).front();
  std::size_t cut = static_cast<std::size_t>(std::max(1, firstRemoved.Position) - 1);
  cut = std::min(cut, sourceText_.size());
  const bool paragraphEnd = k == 0 || (flags_[k - 1] & kParagraphEnd);
  if (insideParagraph) *insideParagraph = !paragraphEnd;
  std::u16string removed = sourceText_.substr(cut);
  std::u16string kept = sourceText_.substr(0, cut);
  if (!paragraphEnd && !removed.empty() && removed.front() == u' ') removed.erase(0, 1);
  if (k > 0 && lineHyphenated_[k - 1]) kept += u"-";
  if (htmlTags_) {
    std::u16string prefix;
    if (firstRemoved.Style & 1) prefix += u"<b>";
    if (firstRemoved.Style & 2) prefix += u"<i>";
    if (firstRemoved.Style & 4) prefix += u"<u>";
    const TColor c = ColorToRGB(firstRemoved.Color);
    static const char16_t* kHex = u"0123456789ABCDEF";
    std::u16string hex;
    for (int v : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
      hex.push_back(kHex[(v >> 4) & 15]);
      hex.push_back(kHex[v & 15]);
    }
    prefix += u"<font color=\"#" + hex + u"\">";
    removed = prefix + removed;
  }
  sourceText_ = kept;
  lines_.resize(k);
  flags_.resize(k);
  lineHyphenated_.resize(k);
  return removed;
}

void TfrxDrawText::DrawText(Canvas& canvas, TfrxHAlign hAlign, TfrxVAlign vAlign) {
  if (lines_.empty() || tags_.Count() == 0) return;
  CanvasStateSaver saver(canvas);
  CanvasFont f;
  f.name = font_.Name;
  f.height = DeviceFontHeight(canvas, fontSize_, true);
  f.style = font_.Style;
  f.color = font_.Color;
  f.charset = font_.Charset;
  f.escapement = rotation_ * 10;
  canvas.SetFont(f);

  const int h = std::abs(f.height);
  const int hL = layoutHeight_;
  const int n = static_cast<int>(lines_.size());
  long long H;
  if (canvas.IsPrinter()) {
    const double g = static_cast<double>(LayoutPPI) / std::max(1, canvas.DpiY()) / (printScale_ > 0 ? printScale_ : 1);
    H = RoundHalfEven((lineSpacing_ * scaleY_ * g * n + static_cast<double>(hL) * n) / g);
  } else {
    H = RoundHalfEven((lineSpacing_ * kE * n + static_cast<double>(hL) * n) / kE * scaleY_);
  }
  const int advance = RoundHalfEven(lineSpacing_ * scaleY_) + h;
  std::vector<int> advances(static_cast<std::size_t>(n), advance);
  if (wysiwyg_) {
    const long long r = H - static_cast<long long>(n) * advance;
    if (n > 1 && r != 0 && std::llabs(r) < 1000000) SpreadIncrements(advances, 0, n - 2, static_cast<int>(r));
  }

  double s, c;
  SinCos(rotation_, &s, &c);
  const double as = std::abs(s), ac = std::abs(c);
  const int L = outputRect_.Left, T = outputRect_.Top, R = outputRect_.Right, B = outputRect_.Bottom;
  const double Hd = static_cast<double>(H);
  int X = L, Y = T, W = R - L;
  long long V = B - T;
  const int rot = rotation_;
  if (rot == 0) {
  } else if (rot == 90) {
    X = L; Y = B; W = B - T; V = R - L;
  } else if (rot == 180) {
    X = R; Y = B; W = R - L; V = B - T;
  } else if (rot == 270) {
    X = R; Y = T; W = B - T; V = R - L;
  } else {
    W = ac > 1e-12 ? RoundHalfEven((R - L - as * Hd) / ac) : R - L;
    // Lines that long would leave the box at the top or bottom: keep them as long as
    // the box's height lets them be, as the wrapping did.
    if (as > 1e-12) W = std::max(1, std::min(W, RoundHalfEven((B - T - ac * Hd) / as)));
    if (rot < 90) {
      X = L; Y = T + RoundHalfEven(as * W);
      V = H + (B - Y - RoundHalfEven(ac * Hd));
    } else if (rot < 180) {
      X = L + RoundHalfEven(ac * W); Y = B;
      V = H + (B - T - RoundHalfEven(ac * Hd + as * W));
    } else if (rot < 270) {
      X = R; Y = B - RoundHalfEven(as * W);
      V = H + (Y - T - RoundHalfEven(ac * Hd));
    } else {
      X = L + RoundHalfEven(as * Hd); Y = T;
      V = H + (B - T - RoundHalfEven(as * W + ac * Hd));
    }
  }
  double cp = c, sp = s;
  if (rot % 90 != 0) {
    cp = (rot < 90 || rot > 270) ? 1 : -1;
    sp = 0;
  }
  const double D = static_cast<double>(V - H);
  if (vAlign == vaBottom) {
    Y += RoundHalfEven(cp * D);
    X += RoundHalfEven(D * sp);
  } else if (vAlign == vaCenter) {
    Y += RoundHalfEven(cp * D / 2);
    X += RoundHalfEven(D / 2 * sp);
  }

  for (int i = 0; i < n; ++i) {
    const int fl = flags_[static_cast<std::size_t>(i)];
    const int indent = (fl & kParagraphStart) && (hAlign == haLeft || hAlign == haBlock) ? RoundHalfEven(paragraphGap_ * scaleX_) : 0;
    TfrxHAlign align = hAlign;
    if ((fl & kParagraphEnd) && hAlign == haBlock) align = rtl_ ? haRight : haLeft;
    DrawLine(canvas, i, align, W - indent, X + indent, Y, h);
    const int adv = advances[static_cast<std::size_t>(i)];
    Y += RoundHalfEven(adv * c);
    X += RoundHalfEven(adv * s);
  }
}

void TfrxDrawText::DrawLine(Canvas& canvas, int index, TfrxHAlign align, int b, int x, int y, int deviceHeight) {
  const std::u16string& line = lines_[static_cast<std::size_t>(index)];
  if (line.empty()) return;
  static const TfrxHTMLTags kNoRuns;
  const TfrxHTMLTags& runs = index < tags_.Count() ? tags_.Items(index) : kNoRuns;
  const int sL = RoundHalfEven(charSpacing_ * kE);
  const long long t = MeasureLayout(line, runs, sL, false, widths_);
  const int sD = RoundHalfEven(charSpacing_ * scaleX_);
  const long long m = MeasureDevice(canvas, line, runs, sD, deviceWidths_);
  long long v;
  if (canvas.IsPrinter()) {
    const double k = static_cast<double>(LayoutPPI) / (canvas.DpiX() > 0 ? canvas.DpiX() : 96);
    v = RoundHalfEven(static_cast<double>(t - sL) * printScale_ / k);
  } else {
    v = RoundHalfEven(static_cast<double>(t - sL) / kE * scaleX_);
  }
  if (!wysiwyg_) v = m - sD;
  long long A = v + sD - m;
  const long long F = b - v;
  double s, c;
  SinCos(rotation_, &s, &c);
  if (align == haRight) {
    y -= RoundHalfEven(static_cast<double>(F + 1) * s);
    x = x + RoundHalfEven(static_cast<double>(F + 1) * c) - ((font_.Style & 3) && rotation_ == 0 ? 2 : 1);
  } else if (align == haCenter) {
    y -= RoundHalfEven(static_cast<double>(F) / 2 * s);
    x += RoundHalfEven(static_cast<double>(F) / 2 * c);
  }
  const int count = static_cast<int>(line.size());
  std::vector<int>& widths = deviceWidths_;
  bool spread = true;
  if (align == haBlock) {
    int spaces = 0;
    for (char16_t ch : line)
      if (ch == u' ' || ch == 0xA0) ++spaces;
    if (spaces > 0) {
      A = std::llabs(static_cast<long long>(b)) + sD - m;
      const long long each = A / spaces, rest = A % spaces;
      long long given = 0;
      for (int i = 0; i < count; ++i) {
        const char16_t ch = line[static_cast<std::size_t>(i)];
        if (ch != u' ' && ch != 0xA0) continue;
        widths[static_cast<std::size_t>(i)] += static_cast<int>(each + (given < std::llabs(rest) ? (rest > 0 ? 1 : -1) : 0));
        ++given;
      }
      spread = false;
    }
  }
  if (spread && A != 0 && count > 0 && std::llabs(A) < 100000000) {
    if (std::llabs(A) < count) {
      SpreadIncrements(widths, 0, count - 1, static_cast<int>(A));
    } else {
      const long long each = A / count;
      for (int& w : widths) w += static_cast<int>(each);
      SpreadIncrements(widths, 0, count - 1, static_cast<int>(A - each * count));
    }
  }

  // Runs: a new one starts wherever a record changes the style.
  CanvasFont f = canvas.Font();
  f.escapement = rotation_ * 10;
  const CanvasRect clip{outputRect_.Left, outputRect_.Top, outputRect_.Right, outputRect_.Bottom};
  const unsigned flags = (clipped_ ? kTextClipped : 0u) | (rtl_ ? kTextRtlReading : 0u);
  int a = 0;
  while (a < count) {
    int e = a + 1;
    while (e < count && !(static_cast<std::size_t>(e) < runs.size() && !runs[static_cast<std::size_t>(e)].IsDefault)) ++e;
    const TfrxHTMLTag* run = static_cast<std::size_t>(a) < runs.size() ? &runs[static_cast<std::size_t>(a)] : nullptr;
    const double size = run ? run->Size : fontSize_;
    f.name = font_.Name;
    f.style = run ? run->Style : font_.Style;
    f.color = run ? run->Color : font_.Color;
    f.height = (run && run->Reduced) ? DeviceFontHeight(canvas, size, false) : -deviceHeight;
    canvas.SetFont(f);
    const int d = run ? RoundHalfEven(run->BaselineShift * size * scaleY_) : 0;
    const std::u16string_view text(line.data() + a, static_cast<std::size_t>(e - a));
    const std::span<const int> adv(widths.data() + a, static_cast<std::size_t>(e - a));
    canvas.TextOut(x + RoundHalfEven(d * s), y + RoundHalfEven(d * c), text, wysiwyg_ ? adv : std::span<const int>{},
                   clipped_ ? &clip : nullptr, flags);
    long long sum = 0;
    for (int w : adv) sum += w;
    if (rotation_ == 0) {
      x += static_cast<int>(sum);
    } else {
      y -= RoundHalfEven(static_cast<double>(sum) * s);
      x += RoundHalfEven(static_cast<double>(sum) * c);
    }
    a = e;
  }
}

}  // namespace quarlo
