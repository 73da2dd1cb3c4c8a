#include "preview/text_search.h"

#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

#include "document/preview_pages.h"
#include "document/page_recording.h"
#include "platform/recording_canvas.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

QString Upper(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())).toUpper();
}

int ClampToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= INT_MAX) return INT_MAX;
  if (v <= INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

TextSearchState& SearchState() {
  static TextSearchState state;
  return state;
}

bool TextContains(std::u16string_view text, std::u16string_view searchText, bool caseSensitive) {
  if (searchText.empty()) return false;
  if (caseSensitive) return text.find(searchText) != std::u16string_view::npos;
  return Upper(text).contains(Upper(searchText));
}

TextSearchCursor::TextSearchCursor() = default;
TextSearchCursor::~TextSearchCursor() = default;

void TextSearchCursor::Reset() {
  SearchState().matchFound = false;
  SearchState().matchRecord = -1;
  matchPage_ = 0;
}

void TextSearchCursor::ForgetRecording() {
  recording_.reset();
  recordedPage_ = -1;
}

bool TextSearchCursor::FindNextMatch(TfrxCustomPreviewPages& pages) {
  TextSearchState& state = SearchState();
  state.matchFound = false;
  const int count = pages.Count();
  while (matchPage_ < count) {
    if (!recording_ || recordedPage_ != matchPage_) {
      recording_.reset();
      recording_ = RecordPage(pages, matchPage_);
      recordedPage_ = matchPage_;
      ++recordingsMade_;
    }
    const std::vector<CanvasRecord>& records = recording_->Records();
    for (std::size_t i = 0; i < records.size(); ++i) {
      const int counter = static_cast<int>(i);
      const CanvasRecord& r = records[i];
      if (r.op != CanvasRecord::Op::Text || counter <= state.matchRecord) continue;
      if (!TextContains(r.text, state.searchText, state.caseSensitive)) continue;
      state.matchFound = true;
      state.matchRect = r.bounds;
      state.matchRecord = counter;
      return true;
    }
    state.matchRecord = -1;
    ++matchPage_;
  }
  return false;
}

CanvasRect ScaledMatchRect(const CanvasRect& match, double zoom) {
  return {RoundHalfEven(match.left * zoom), RoundHalfEven(match.top * zoom), RoundHalfEven(match.right * zoom),
          RoundHalfEven(match.bottom * zoom)};
}

MatchScroll ScrollForMatch(const CanvasRect& pageRect, const CanvasRect& match, double zoom, int offsetX,
                           int offsetY, int clientWidth, int clientHeight) {
  const CanvasRect m = ScaledMatchRect(match, zoom);
  // 64-bit sums: a damaged page size must not wrap the comparison around.
  const long long top = static_cast<long long>(pageRect.top) + m.top;
  const long long bottom = static_cast<long long>(pageRect.top) + m.bottom;
  const long long left = static_cast<long long>(pageRect.left) + m.left;
  const long long right = static_cast<long long>(pageRect.left) + m.right;
  MatchScroll s;
  if (top < offsetY || static_cast<long long>(offsetY) + clientHeight < bottom) {
    s.vertical = true;
    s.verticalPosition = ClampToInt(static_cast<double>(bottom - clientHeight + 20));
  }
  if (left < offsetX || static_cast<long long>(offsetX) + clientWidth < right) {
    s.horizontal = true;
    s.horizontalPosition = ClampToInt(static_cast<double>(right - clientWidth + 20));
  }
  return s;
}

void DrawMatchHighlight(Canvas& canvas, const CanvasRect& pageRect, const CanvasRect& match, double zoom) {
  const CanvasRect m = ScaledMatchRect(match, zoom);
  const CanvasPen oldPen = canvas.Pen();
  const RasterMode oldMode = canvas.Mode();
  canvas.SetPen(CanvasPen::Solid(clWhite, 1));
  canvas.SetRasterMode(RasterMode::Xor);
  const int left = pageRect.left + m.left - 1;
  const int right = pageRect.left + m.right + 1;
  const CanvasRect clip = canvas.ClipBox();
  // Rows outside the visible part change nothing; skipping them keeps a huge zoom cheap.
  const long long first = std::max<long long>(static_cast<long long>(pageRect.top) + m.top, clip.top);
  const long long last = std::min<long long>(static_cast<long long>(pageRect.top) + m.bottom, clip.bottom - 1LL);
  for (long long y = first; y <= last; ++y) {
    canvas.MoveTo(left, static_cast<int>(y));
    canvas.LineTo(right, static_cast<int>(y));
  }
  canvas.SetRasterMode(oldMode);
  canvas.SetPen(oldPen);
}

}  // namespace quarlo
