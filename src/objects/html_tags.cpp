#include "objects/html_tags.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/errors.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

constexpr std::size_t kExtentBuffer = 32768;

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

// Case-insensitive ASCII comparison of text at `i` with `word` (upper-case letters).
bool MatchAt(const std::u16string& s, std::size_t i, std::string_view word) {
  if (i + word.size() > s.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k)
    if (Upper(s[i + k]) != static_cast<char16_t>(word[k])) return false;
  return true;
}

char16_t At(const std::u16string& s, std::size_t i) { return i < s.size() ? s[i] : u'\0'; }


struct NamedColor {
  std::string_view name;
  TColor color;
};

constexpr std::array<NamedColor, 51> kColorNames = {{
    {"BLACK", clBlack}, {"MAROON", clMaroon}, {"GREEN", clGreen}, {"OLIVE", clOlive}, {"NAVY", clNavy},
    {"PURPLE", clPurple}, {"TEAL", clTeal}, {"GRAY", clGray}, {"SILVER", clSilver}, {"RED", clRed},
    {"LIME", clLime}, {"YELLOW", clYellow}, {"BLUE", clBlue}, {"FUCHSIA", clFuchsia}, {"AQUA", clAqua},
    {"WHITE", clWhite}, {"MONEYGREEN", clMoneyGreen}, {"SKYBLUE", clSkyBlue}, {"CREAM", clCream},
    {"MEDGRAY", clMedGray}, {"DEFAULT", clDefault}, {"NONE", clNone},
    {"SCROLLBAR", clScrollBar}, {"BACKGROUND", clBackground}, {"ACTIVECAPTION", clActiveCaption},
    {"INACTIVECAPTION", clInactiveCaption}, {"MENU", clMenu}, {"WINDOW", clWindow},
    {"WINDOWFRAME", clWindowFrame}, {"MENUTEXT", clMenuText}, {"WINDOWTEXT", clWindowText},
    {"CAPTIONTEXT", clCaptionText}, {"ACTIVEBORDER", clActiveBorder}, {"INACTIVEBORDER", clInactiveBorder},
    {"APPWORKSPACE", clAppWorkSpace}, {"HIGHLIGHT", clHighlight}, {"HIGHLIGHTTEXT", clHighlightText},
    {"BTNFACE", clBtnFace}, {"BTNSHADOW", clBtnShadow}, {"GRAYTEXT", clGrayText}, {"BTNTEXT", clBtnText},
    {"INACTIVECAPTIONTEXT", clInactiveCaptionText}, {"BTNHIGHLIGHT", clBtnHighlight},
    {"3DDKSHADOW", cl3DDkShadow}, {"3DLIGHT", cl3DLight}, {"INFOTEXT", clInfoText}, {"INFOBK", clInfoBk},
    {"HOTLIGHT", clHotLight}, {"GRADIENTACTIVECAPTION", clGradientActiveCaption},
    {"GRADIENTINACTIVECAPTION", clGradientInactiveCaption}, {"MENUHIGHLIGHT", clMenuHighlight},
}};

std::string ToNarrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

// "#RRGGBB" digits to the 0x00BBGGRR layout.
TColor HexColor(std::u16string_view digits) {
  std::uint64_t v = 0;
  bool valid = !digits.empty() && digits.size() <= 8;
  for (char16_t c : digits) {
    int d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else {
      valid = false;
      break;
    }
    v = v * 16 + static_cast<std::uint64_t>(d);
  }
  if (!valid) throw EConvertError("'$" + ToNarrow(digits) + "' is not a valid integer value");
  const std::uint32_t u = static_cast<std::uint32_t>(v);
  return static_cast<TColor>(((u * 65536u) % 16777216u) + ((u / 65536u) % 256u) + (u & 0xFF00u));
}

}  // namespace

bool MarkupColorByName(std::u16string_view name, TColor* color) {
  if (name.size() > 32) return false;
  std::string upper;
  for (char16_t c : name) {
    if (c >= 0x80) return false;
    upper.push_back(static_cast<char>(Upper(c)));
  }
  if (upper == "MENUBAR") {
    *color = clMenuBar;
    return true;
  }
  for (const NamedColor& n : kColorNames)
    if (n.name == upper) {
      *color = n.color;
      return true;
    }
  return false;
}

TfrxHTMLTagsList::TfrxHTMLTagsList() : extents_(kExtentBuffer) {}

void TfrxHTMLTagsList::Reset(TColor baseColor, int baseSize, int baseStyle) {
  baseColor_ = color_ = baseColor;
  baseSize_ = size_ = baseSize;
  baseStyle_ = style_ = baseStyle;
  shift_ = 0;
  noWrap_ = false;
  position_ = 1;
  lines_.clear();
}

void TfrxHTMLTagsList::NewLine() {
  if (!lines_.empty()) lines_.emplace_back();
}

void TfrxHTMLTagsList::AddTag() {
  if (lines_.empty()) lines_.emplace_back();
  TfrxHTMLTag t;
  t.Position = position_;
  t.Size = size_;
  t.Style = style_;
  t.Color = color_;
  t.BaselineShift = shift_;
  t.NoWrap = noWrap_;
  t.Reduced = size_ != baseSize_;
  if (!AllowTags) {
    t.IsDefault = true;
  } else {
    const TfrxHTMLTag* prev = nullptr;
    for (auto it = lines_.rbegin(); it != lines_.rend() && !prev; ++it)
      if (!it->empty()) prev = &it->back();
    if (prev)
      t.IsDefault = prev->Style == t.Style && prev->Color == t.Color && prev->Size == t.Size &&
                    prev->BaselineShift == t.BaselineShift && prev->NoWrap == t.NoWrap;
    else
      t.IsDefault = t.Style == baseStyle_ && t.Color == baseColor_ && t.Size == baseSize_;
  }
  lines_.back().push_back(t);
}

bool TfrxHTMLTagsList::TryTag(const std::u16string& s, std::size_t i, std::size_t* length) {
  const char16_t c1 = Upper(At(s, i + 1));
  if (At(s, i + 2) == u'>') {
    const int bit = c1 == u'B' ? 1 : c1 == u'I' ? 2 : c1 == u'U' ? 4 : 0;
    if (!bit) return false;
    style_ |= bit;
    *length = 3;
    return true;
  }
  if (At(s, i + 4) == u'>') {
    if (MatchAt(s, i + 1, "SUB") || MatchAt(s, i + 1, "SUP")) {
      size_ = RoundHalfEven(baseSize_ / 1.5);
      shift_ = MatchAt(s, i + 1, "SUB") ? 1 : 0;
    }
    *length = 5;
    return true;
  }
  if (MatchAt(s, i, "<NOWRAP>")) {
    noWrap_ = true;
    *length = 8;
    return true;
  }
  if (MatchAt(s, i, "<STRIKE>")) {
    style_ |= 8;
    *length = 8;
    return true;
  }
  if (MatchAt(s, i + 1, "FONT COLOR")) {
    std::size_t eq = s.find(u'=', i + 11);
    const std::size_t close = s.find(u'>', i + 11);
    if (eq == std::u16string::npos || close == std::u16string::npos || eq > close) return false;
    std::size_t v = eq + 1;
    while (v < close && s[v] == u' ') ++v;
    const std::u16string_view value(s.data() + v, close - v);
    TColor color;
    if (value.size() > 3 && value[0] == u'"' && value[1] == u'#' && value.back() == u'"') {
      color = HexColor(value.substr(2, value.size() - 3));
    } else if (!MarkupColorByName(value, &color)) {
      return false;
    }
    color_ = color;
    *length = close - i + 1;
    return true;
  }
  if (c1 == u'/') {
    const char16_t c2 = Upper(At(s, i + 2));
    if (At(s, i + 3) == u'>') {
      const int bit = c2 == u'B' ? 1 : c2 == u'I' ? 2 : c2 == u'U' ? 4 : 0;
      if (!bit) return false;
      style_ &= ~bit;
      *length = 4;
      return true;
    }
    if (MatchAt(s, i, "</STRIKE>")) {
      style_ &= ~8;
      *length = 9;
      return true;
    }
    if (MatchAt(s, i, "</NOWRAP>")) {
      noWrap_ = false;
      *length = 9;
      return true;
    }
    if (MatchAt(s, i, "</FONT>")) {
      color_ = baseColor_;
      *length = 7;
      return true;
    }
    if (MatchAt(s, i, "</SUB>") || MatchAt(s, i, "</SUP>")) {
      size_ = baseSize_;
      shift_ = 0;
      *length = 6;
      return true;
    }
  }
  return false;
}

void TfrxHTMLTagsList::ExpandTags(std::u16string& line) {
  std::size_t i = 0;
  // Tags are cut out by compacting in place, so parsing stays linear.
  std::size_t out = 0;
  while (i < line.size()) {
    std::size_t length = 0;
    if (AllowTags && line[i] == u'<' && TryTag(line, i, &length)) {
      position_ += static_cast<int>(length);
      i += length;
      continue;
    }
    AddTag();
    line[out++] = line[i++];
    ++position_;
  }
  line.resize(out);
  if (line.empty()) {
    AddTag();
    line.assign(1, u' ');
  }
}

void TfrxHTMLTagsList::SplitAt(int count, bool hyphen, int skip) {
  if (lines_.empty()) return;
  TfrxHTMLTags& cur = lines_.back();
  const std::size_t keep = static_cast<std::size_t>(std::clamp<long long>(count, 0, static_cast<long long>(cur.size())));
  const std::size_t from = std::min(cur.size(), keep + static_cast<std::size_t>(std::max(0, skip)));
  TfrxHTMLTags moved(cur.begin() + static_cast<std::ptrdiff_t>(from), cur.end());
  cur.resize(keep);
  if (hyphen && !cur.empty()) {
    cur.push_back(cur.back());
  } else if (!moved.empty() && !cur.empty() && moved.front().IsDefault) {
    // A continuation line starts with the full style of the text before the break.
    const TfrxHTMLTag& last = cur.back();
    TfrxHTMLTag& first = moved.front();
    const bool noWrap = first.NoWrap;
    const int position = first.Position;
    first = last;
    first.NoWrap = noWrap;
    first.Position = position;
  }
  lines_.push_back(std::move(moved));
}

void TfrxHTMLTagsList::SplitLast(std::span<const LineSplit> splits) {
  if (lines_.empty() || splits.empty()) return;
  TfrxHTMLTags all = std::move(lines_.back());
  lines_.pop_back();
  std::size_t at = 0;
  const TfrxHTMLTag* carried = nullptr;  // last record of the line before
  auto startLine = [&](std::size_t from, std::size_t to) -> TfrxHTMLTags& {
    TfrxHTMLTags& line = lines_.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(from),
                                             all.begin() + static_cast<std::ptrdiff_t>(to));
    if (carried && !line.empty() && line.front().IsDefault) {
      TfrxHTMLTag& first = line.front();
      const bool noWrap = first.NoWrap;
      const int position = first.Position;
      first = *carried;
      first.NoWrap = noWrap;
      first.Position = position;
    }
    return line;
  };
  for (const LineSplit& split : splits) {
    const std::size_t end = std::min(all.size(), at + static_cast<std::size_t>(std::max(0, split.count)));
    TfrxHTMLTags& line = startLine(at, end);
    if (split.hyphen && !line.empty()) line.push_back(line.back());
    // The carried style is taken only when the next line does not follow a hyphen.
    carried = split.hyphen || line.empty() ? nullptr : &all[end - 1];
    at = std::min(all.size(), end + static_cast<std::size_t>(std::max(0, split.skip)));
  }
  startLine(at, all.size());
}

}  // namespace quarlo
