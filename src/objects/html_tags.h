#pragma once
// Inline markup of text objects: a handful of HTML-like tags change style, colour,
// size and baseline for parts of a line, or forbid breaks. Parsing removes the tags
// from the line and leaves one style record per remaining character, grouped by
// wrapped line, which the text layout engine measures, wraps and draws by.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"

namespace quarlo {

struct TfrxHTMLTag {
  int Position = 0;  // 1-based index in the text before tags were removed (CR LF = 2)
  int Size = 0;      // points
  int BaselineShift = 0;  // 1 for subscript
  int Style = 0;     // 1 bold, 2 italic, 4 underline, 8 strike-out
  TColor Color = clBlack;
  bool IsDefault = true;  // continues the run of the character before
  bool Reduced = false;   // Size differs from the base size
  bool NoWrap = false;    // a space here is no break candidate
  friend bool operator==(const TfrxHTMLTag&, const TfrxHTMLTag&) = default;
};

using TfrxHTMLTags = std::vector<TfrxHTMLTag>;

class TfrxHTMLTagsList {
 public:
  TfrxHTMLTagsList();

  bool AllowTags = true;

  void Reset(TColor baseColor, int baseSize, int baseStyle);
  void NewLine();
  void AddTag();
  // Parses one source line in place: removes the tags, adds one record per character
  // left. Throws EConvertError for a hexadecimal colour with a non-hex digit.
  void ExpandTags(std::u16string& line);
  // The last line list keeps `count` records; the `skip` records after them are
  // dropped (a space the line broke at) and the rest start a new line list. With
  // `hyphen` one more record, a copy of the last kept one, is kept for the added "-".
  void SplitAt(int count, bool hyphen, int skip = 0);

  // Several SplitAt calls at once, in order, on the last line list: each entry cuts
  // the next output line off the rest. Linear in the records however many lines.
  struct LineSplit {
    int count;
    bool hyphen;
    int skip;
  };
  void SplitLast(std::span<const LineSplit> splits);

  // Drops the last line list when it is empty (a wrap that consumed the whole line).
  void DropEmptyLastLine() {
    if (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
  }

  int Count() const { return static_cast<int>(lines_.size()); }
  TfrxHTMLTags& Items(int index) { return lines_[static_cast<std::size_t>(index)]; }
  const TfrxHTMLTags& Items(int index) const { return lines_[static_cast<std::size_t>(index)]; }

  int Position() const { return position_; }
  void AdvancePosition(int by) { position_ += by; }

  // Current parser state (what the next character gets).
  int CurrentStyle() const { return style_; }
  TColor CurrentColor() const { return color_; }
  int BaseSize() const { return baseSize_; }
  TColor BaseColor() const { return baseColor_; }
  int BaseStyle() const { return baseStyle_; }

  // Extent buffer for the layout engine, allocated once.
  std::vector<int>& Extents() { return extents_; }

 private:
  bool TryTag(const std::u16string& line, std::size_t i, std::size_t* length);

  std::vector<TfrxHTMLTags> lines_;
  TColor baseColor_ = clBlack;
  int baseSize_ = 10;
  int baseStyle_ = 0;
  TColor color_ = clBlack;
  int size_ = 10;
  int style_ = 0;
  int shift_ = 0;
  bool noWrap_ = false;
  int position_ = 1;
  std::vector<int> extents_;
};

// Colour of a markup colour name without its "cl" prefix ("red", "BtnFace"), ignoring
// case; false when there is no such name.
bool MarkupColorByName(std::u16string_view name, TColor* color);

}  // namespace quarlo
