#pragma once
// The WYSIWYG text layout engine. Every wrapping decision is made once at 600 dpi from
// the font engine's unhinted metrics, so a text breaks into the same lines at every
// zoom and on every printer; on the device each line's characters are then spread so
// the line covers the width, and the lines the height, that the 600-dpi layout gives.
//
// One engine serves many texts in turn. Every sequence of calls for one text runs
// between Lock() and Unlock() (one lock for the whole process), in this order for a
// draw: SetFont, SetOptions, SetGaps, SetDimensions, SetText, then DrawText or one of
// the measuring operations.
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "objects/html_tags.h"
#include "platform/canvas.h"

namespace quarlo {

enum TfrxHAlign : int { haLeft, haRight, haCenter, haBlock };
enum TfrxVAlign : int { vaTop, vaBottom, vaCenter };

// The font of a text as the engine needs it; the name is UTF-8.
struct TextFont {
  std::string Name = "Arial";
  double Size = 10;  // points
  int Style = 0;     // 1 bold, 2 italic, 4 underline, 8 strike-out
  TColor Color = clBlack;
  int Charset = 1;
};

// Report-pixel or device rectangle with integer sides (right/bottom as given).
struct TextLayoutRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// Flags of a wrapped line.
inline constexpr int kParagraphStart = 1;
inline constexpr int kParagraphEnd = 2;

class TfrxDrawText {
 public:
  static constexpr int LayoutPPI = 600;
  static constexpr int ReportPPI = 96;
  static constexpr int kMaxLineLength = 32768;

  TfrxDrawText();

  // The engine for texts outside a report.
  static TfrxDrawText& Global();

  void Lock();
  void Unlock();

  void SetFont(const TextFont& font);
  void SetOptions(bool wordWrap, bool htmlTags, bool rtlReading, bool wordBreak, bool clipped, bool wysiwyg,
                  int rotation);
  void SetGaps(double paragraphGap, double charSpacing, double lineSpacing);
  void SetDimensions(double scaleX, double scaleY, double printScale, TextLayoutRect layoutRect,
                     TextLayoutRect outputRect);
  // Wraps the source lines. Throws EConvertError for invalid markup colours.
  void SetText(std::span<const std::u16string> lines);
  void SetUnicode(bool on) { unicode_ = on; }

  void DrawText(Canvas& canvas, TfrxHAlign hAlign, TfrxVAlign vAlign);

  double CalcHeight() const;
  double CalcWidth() const;
  double LineHeight() const;
  // Split helpers of the report engine.
  double LeftoverHeight() const;
  // Removes the lines that do not fit into the layout rectangle and returns their source
  // text; `insideParagraph` tells whether the cut fell inside a paragraph.
  std::u16string TakeOverflowText(bool* insideParagraph = nullptr);
  const std::u16string& KeptText() const { return sourceText_; }

  // Results of SetText.
  const std::vector<std::u16string>& Lines() const { return lines_; }
  std::vector<int>& LineFlags() { return flags_; }
  const std::vector<int>& LineFlags() const { return flags_; }
  const TfrxHTMLTagsList& Runs() const { return tags_; }
  const std::u16string& SourceText() const { return sourceText_; }
  // Pixel height of the measuring font (600 dpi).
  int LayoutFontHeight() const { return layoutHeight_; }

 private:
  void WrapParagraph(std::u16string line);
  void WrapAll(std::span<const std::u16string> lines);
  void FitObliqueBlock(std::span<const std::u16string> lines);
  // Widths of every character of `line` at 600 dpi (spacing included), cumulative when
  // asked. Returns the total.
  long long MeasureLayout(std::u16string_view line, const TfrxHTMLTags& runs, int spacing, bool cumulative,
                          std::vector<long long>& out);
  long long MeasureDevice(Canvas& canvas, std::u16string_view line, const TfrxHTMLTags& runs, int spacing,
                          std::vector<int>& out);
  void EmitLine(std::u16string text, int records, int skip, bool hyphen);
  std::vector<TfrxHTMLTagsList::LineSplit> splits_;
  int Hyphenate(std::u16string_view text, std::size_t wordStart, std::size_t fitting) const;
  void DrawLine(Canvas& canvas, int index, TfrxHAlign align, int width, int x, int y, int deviceHeight);
  int DeviceFontHeight(Canvas& canvas, double size, bool vertical) const;

  TextFont font_;
  double fontSize_ = 10;
  int layoutHeight_ = 83;
  TfrxHTMLTagsList tags_;
  double charSpacing_ = 0, lineSpacing_ = 0, paragraphGap_ = 0;
  bool wordWrap_ = true, htmlTags_ = false, rtl_ = false, wordBreak_ = false, clipped_ = true, wysiwyg_ = true;
  bool unicode_ = false;
  int rotation_ = 0;
  TextLayoutRect layoutRect_, outputRect_;
  double wrapWidth_ = 0;  // report pixels, chosen by SetText
  double scaleX_ = 1, scaleY_ = 1, printScale_ = 1;
  std::u16string sourceText_;
  std::vector<std::u16string> lines_;
  std::vector<int> flags_;
  bool hyphenated_ = false;  // the last emitted line ended in an added hyphen
  std::vector<bool> lineHyphenated_;
  std::vector<long long> widths_;
  std::vector<double> advances_;
  std::vector<int> deviceWidths_;
};

// Keeps the engine's process-wide lock for a scope.
class TextLayoutLock {
 public:
  explicit TextLayoutLock(TfrxDrawText& engine) : engine_(engine) { engine_.Lock(); }
  ~TextLayoutLock() { engine_.Unlock(); }
  TextLayoutLock(const TextLayoutLock&) = delete;
  TextLayoutLock& operator=(const TextLayoutLock&) = delete;

 private:
  TfrxDrawText& engine_;
};

// Spreads n increments of +1 (or -1 for negative n) over entries lo..hi of `values`,
// evenly, so rounding differences do not pile up at one end.
void SpreadIncrements(std::span<int> values, int lo, int hi, int n);

}  // namespace quarlo
