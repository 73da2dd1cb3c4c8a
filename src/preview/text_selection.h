#pragma once
// Text chosen on one page, by a Shift-drag over the page or Ctrl+A, and copied with
// Ctrl+C. Like the search it works on the page's recording at scale 1: the selection is
// the text operations whose bounds meet the dragged rectangle, kept in report pixels
// relative to the page, so it stays on the same words when the zoom changes. The copied
// text is in reading order by the rule the text export follows too (TextInReadingOrder).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/recorded_text.h"
#include "platform/recording_canvas.h"

namespace quarlo {

class TfrxCustomPreviewPages;

// Indexes of the text operations holding some text whose bounds meet area.
std::vector<std::size_t> TextRecordsMeeting(const std::vector<CanvasRecord>& records, const CanvasRect& area);

class TextSelection {
 public:
  TextSelection();
  ~TextSelection();
  TextSelection(const TextSelection&) = delete;
  TextSelection& operator=(const TextSelection&) = delete;

  // The page holding the selection (0-based), -1 when nothing is selected.
  int Page() const { return page_; }
  bool Empty() const { return rects_.empty(); }
  // Bounds of the selected operations, report pixels at scale 1 relative to the page.
  const std::vector<CanvasRect>& Rects() const { return rects_; }
  const std::u16string& Text() const { return text_; }

  // Selects on page the text meeting area (report pixels, relative to the page), or all
  // of the page's text without an area. The page's recording is kept for the next call.
  void Select(TfrxCustomPreviewPages& pages, int page, const std::optional<CanvasRect>& area);
  void Clear();
  // The pages changed: the recording no longer holds what they draw.
  void ForgetRecording();

 private:
  std::unique_ptr<RecordingCanvas> recording_;
  int recordedPage_ = -1;
  int page_ = -1;
  std::vector<CanvasRect> rects_;
  std::u16string text_;
};

}  // namespace quarlo
