#include "preview/text_selection.h"

#include <algorithm>

#include "document/page_recording.h"
#include "preview/text_search.h"

namespace quarlo {

namespace {

bool Meets(const CanvasRect& a, const CanvasRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\x3000'; }

}  // namespace

std::vector<std::size_t> TextRecordsMeeting(const std::vector<CanvasRecord>& records, const CanvasRect& area) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const CanvasRecord& r = records[i];
    if (r.op == CanvasRecord::Op::Text && !r.text.empty() && Meets(r.bounds, area)) out.push_back(i);
  }
  return out;
}

std::u16string TextInReadingOrder(const std::vector<const CanvasRecord*>& records) {
  std::vector<const CanvasRecord*> byTop(records);
  std::stable_sort(byTop.begin(), byTop.end(), [](const CanvasRecord* a, const CanvasRecord* b) {
    return a->bounds.top != b->bounds.top ? a->bounds.top < b->bounds.top : a->bounds.left < b->bounds.left;
  });
  std::vector<std::vector<const CanvasRecord*>> lines;
  CanvasRect line{};
  for (const CanvasRecord* r : byTop) {
    const long long middle = (static_cast<long long>(r->bounds.top) + r->bounds.bottom) / 2;
    if (lines.empty() || middle < line.top || middle >= line.bottom) {
      lines.emplace_back();
      line = r->bounds;
    }
    lines.back().push_back(r);
  }
  std::u16string out;
  for (auto& l : lines) {
    std::stable_sort(l.begin(), l.end(),
                     [](const CanvasRecord* a, const CanvasRecord* b) { return a->bounds.left < b->bounds.left; });
    if (!out.empty()) out += u'\n';
    for (std::size_t i = 0; i < l.size(); ++i) {
      const std::u16string& text = l[i]->text;
      if (i > 0 && l[i]->bounds.left > l[i - 1]->bounds.right && !out.empty() && !IsSpace(out.back()) &&
          !IsSpace(text.front()))
        out += u' ';
      out += text;
    }
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
