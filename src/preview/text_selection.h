#pragma once
// Text chosen on one page, by a Shift-drag over the page or Ctrl+A, and copied with
// Ctrl+C. Like the search it works on the page's recording at scale 1: the selection is
// the text operations whose bounds meet the dragged rectangle, kept in report pixels
// relative to the page, so it stays on the same words when the zoom changes.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/recording_canvas.h"

namespace quarlo {

class TfrxCustomPreviewPages;

// Indexes of the text operations holding some text whose bounds meet area.
std::vector<std::size_t> TextRecordsMeeting(const std::vector<CanvasRecord>& records, const CanvasRect& area);

// The texts in reading order: lines from top to bottom (an operation whose vertical
// middle lies within the line's first operation belongs to that line), each line from
// left to right, a space where two operations of a line do not touch, lines separated
// by "\n".
std::u16string TextInReadingOrder(const std::vector<const CanvasRecord*>& records);

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
