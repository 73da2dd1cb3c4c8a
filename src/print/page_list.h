#pragma once
// The page list a user types into the print dialog ("1,3,5-12", "5-"), kept as ranges so
// that a range of a billion pages costs as little as one of three.
#include <cstdint>
#include <string_view>
#include <vector>

namespace quarlo {

class TfrxPageList {
 public:
  // Parses the text for a report of pageCount pages. Spaces are ignored; an empty text
  // means all pages; a trailing "-" runs to the last page; a range whose end is below its
  // start adds nothing; order and duplicates are kept. A piece that is not a decimal
  // integer (as in "-3", "a", "1,,2" or a number beyond the integer range) raises
  // EConvertError naming the piece and the list.
  static TfrxPageList Parse(std::string_view text, int pageCount);

  bool Empty() const { return count_ == 0; }
  // Number of entries, duplicates and out-of-range numbers included.
  std::int64_t Count() const { return count_; }
  // Page number (1-based, as typed) of the entry at a position in [0, Count()).
  int EntryAt(std::int64_t position) const;

  // Number of sequence positions the plain, scale and split modes visit: every entry, or
  // every page for an empty list, but never more positions than the report has pages.
  std::int64_t SequenceLength(int pageCount) const;

  // 0-based page index for a sequence position, or -1 when the position or its entry
  // names no page of the report.
  int PageIndexAt(std::int64_t position, int pageCount) const;

  // Calls visit(pageIndex) for every entry that names a page of the report, in list order
  // (all pages for an empty list), skipping the others without visiting them one by one.
  // visit returns false to stop early.
  template <typename Visit>
  void ForEachListedPage(int pageCount, Visit&& visit) const;
  // The same pages from the last entry to the first.
  template <typename Visit>
  void ForEachListedPageReversed(int pageCount, Visit&& visit) const;

 private:
  struct Range {
    int first;
    int last;               // >= first
    std::int64_t before;    // entries of the ranges ahead of this one
  };
  std::vector<Range> ranges_;
  std::int64_t count_ = 0;
};

// Free-function forms used by the print job.
inline TfrxPageList ParsePageList(std::string_view text, int pageCount) {
  return TfrxPageList::Parse(text, pageCount);
}

template <typename Visit>
void TfrxPageList::ForEachListedPage(int pageCount, Visit&& visit) const {
  if (pageCount <= 0) return;
  if (ranges_.empty()) {
    for (int i = 0; i < pageCount; ++i)
      if (!visit(i)) return;
    return;
  }
  for (const Range& r : ranges_) {
    const int first = r.first < 1 ? 1 : r.first;
    const int last = r.last > pageCount ? pageCount : r.last;
    for (int n = first; n <= last; ++n)
      if (!visit(n - 1)) return;
  }
}

template <typename Visit>
void TfrxPageList::ForEachListedPageReversed(int pageCount, Visit&& visit) const {
  if (pageCount <= 0) return;
  if (ranges_.empty()) {
    for (int i = pageCount - 1; i >= 0; --i)
      if (!visit(i)) return;
    return;
  }
  for (auto r = ranges_.rbegin(); r != ranges_.rend(); ++r) {
    const int first = r->first < 1 ? 1 : r->first;
    const int last = r->last > pageCount ? pageCount : r->last;
    for (int n = last; n >= first; --n)
      if (!visit(n - 1)) return;
  }
}

}  // namespace quarlo
