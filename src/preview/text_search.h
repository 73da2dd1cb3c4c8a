#pragma once
// Finding a text on the preview's pages. A page is recorded exactly as the screen draws
// it at scale 1, and the text operations of the recording are tested one by one, in
// drawing order; a text that a layout split over two operations (two lines of a memo)
// is therefore not found. The search state is shared by every preview of the process,
// the recording and the page being searched belong to one workspace.
#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/rounding.h"

namespace quarlo {

class RecordingCanvas;
class TfrxCustomPreviewPages;

// Shared by all previews for the whole run.
struct TextSearchState {
  std::u16string searchText;
  bool caseSensitive = false;
  // A match is being shown (the workspace inverts it while painting MatchPage).
  bool matchFound = false;
  // Bounds of the matched text operation in report pixels at scale 1, relative to the
  // page's top-left corner (right and bottom exclusive).
  CanvasRect matchRect;
  // Index of the matched operation within its page's recording; -1 when no operation
  // of the page being searched has matched yet.
  int matchRecord = -1;
};

TextSearchState& SearchState();

// Whether one text operation holds the search text. An empty search text is never
// contained. Without caseSensitive both texts are upper-cased first, so Latin letters
// match in any case; characters without case (Chinese) must match exactly.
bool TextContains(std::u16string_view text, std::u16string_view searchText, bool caseSensitive);

// The per-workspace half: which page is searched, and the cached recording of it.
class TextSearchCursor {
 public:
  TextSearchCursor();
  ~TextSearchCursor();
  TextSearchCursor(const TextSearchCursor&) = delete;
  TextSearchCursor& operator=(const TextSearchCursor&) = delete;

  // Page being searched, or holding the match (0-based). Equals the page count after
  // a search that found nothing, so the next FindNextMatch fails at once.
  int MatchPage() const { return matchPage_; }
  void SetMatchPage(int page) { matchPage_ = page < 0 ? 0 : page; }

  // What Attach does: no match shown, search from page 0, first operation.
  void Reset();
  // A relayout forgets the recording, so the next search draws the page again.
  void ForgetRecording();

  // Moves to the next matching operation after SearchState().matchRecord on MatchPage,
  // then on the following pages. Returns true and sets matchFound, matchRect and
  // matchRecord on a match; false when the pages are exhausted (the caller reports
  // "Text not found"). A page that fails to draw is searched in what it did draw.
  bool FindNextMatch(TfrxCustomPreviewPages& pages);

  // The page the cached recording holds (-1: none) and how many pages were recorded
  // since construction, so repeated searches on one page can be seen to reuse it.
  int RecordedPage() const { return recordedPage_; }
  int RecordingsMade() const { return recordingsMade_; }

 private:
  std::unique_ptr<RecordingCanvas> recording_;
  int recordedPage_ = -1;
  int matchPage_ = 0;
  int recordingsMade_ = 0;
};

// The match rectangle at a zoom: each side multiplied and rounded half to even.
CanvasRect ScaledMatchRect(const CanvasRect& match, double zoom);

// Where the workspace scrolls to bring a match into view. pageRect is the page in
// document coordinates; offsets and client size describe the visible area. An axis
// whose match is already fully visible keeps its position.
struct MatchScroll {
  bool vertical = false;
  int verticalPosition = 0;
  bool horizontal = false;
  int horizontalPosition = 0;
};
MatchScroll ScrollForMatch(const CanvasRect& pageRect, const CanvasRect& match, double zoom, int offsetX,
                           int offsetY, int clientWidth, int clientHeight);

// Inverts the match on a page painted at pageRect (window coordinates): one white XOR
// line per row from the match's top to its bottom, both included, one pixel wider on
// each side. Painting it twice restores the page. The canvas's pen and raster mode are
// restored afterwards.
void DrawMatchHighlight(Canvas& canvas, const CanvasRect& pageRect, const CanvasRect& match, double zoom);

}  // namespace quarlo
