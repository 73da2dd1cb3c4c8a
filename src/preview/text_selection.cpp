#include "preview/text_selection.h"

#include <algorithm>

#include "document/page_recording.h"
#include "preview/text_search.h"

namespace quarlo {

namespace {

bool Meets(const CanvasRect& a, const CanvasRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::vector<std::size_t> TextRecordsMeeting(const std::vector<CanvasRecord>& records, const CanvasRect& area) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const CanvasRecord& r = records[i];
    if (r.op == CanvasRecord::Op::Text && !r.text.empty() && Meets(r.bounds, area)) out.push_back(i);
  }
  return out;
}

TextSelection::TextSelection() = default;
TextSelection::~TextSelection() = default;

void TextSelection::Clear() {
  page_ = -1;
  rects_.clear();
  text_.clear();
}

void TextSelection::ForgetRecording() {
  recording_.reset();
  recordedPage_ = -1;
}

void TextSelection::Select(TfrxCustomPreviewPages& pages, int page, const std::optional<CanvasRect>& area) {
  Clear();
  if (page < 0) return;
  if (!recording_ || recordedPage_ != page) {
    recording_ = RecordPage(pages, page);
    recordedPage_ = page;
  }
  const std::vector<CanvasRecord>& records = recording_->Records();
  const CanvasRect everything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
  std::vector<const CanvasRecord*> chosen;
  for (std::size_t i : TextRecordsMeeting(records, area.value_or(everything))) chosen.push_back(&records[i]);
  if (chosen.empty()) return;
  page_ = page;
  for (const CanvasRecord* r : chosen) rects_.push_back(r->bounds);
  text_ = TextInReadingOrder(chosen);
}

}  // namespace quarlo
