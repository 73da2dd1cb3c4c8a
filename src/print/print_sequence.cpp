#include "print/print_sequence.h"

#include <algorithm>

namespace quarlo {
namespace {

int ClampCopies(int copies) { return std::clamp(copies, 1, kMaxCopies); }

bool IsTwoSided(TfrxDuplexMode d) {
  return d == TfrxDuplexMode::dmVertical || d == TfrxDuplexMode::dmHorizontal;
}

// One pass over the sequence positions; false when a page asked to stop.
bool WalkOnce(const TfrxPageList& list, int pageCount, const PrintRunOptions& options,
              int copyNo, int deviceCopies, const SequenceCallbacks& cb,
              TfrxDuplexMode& lastDuplex, bool& parity) {
  const std::int64_t n = list.SequenceLength(pageCount);
  for (std::int64_t k = 0; k < n; ++k) {
    const std::int64_t position = options.reverse ? n - 1 - k : k;
    const int idx = list.PageIndexAt(position, pageCount);
    if (idx < 0 || !PassesPageParity(options.pages, idx)) continue;
    SequencePage page;
    page.pageIndex = idx;
    page.copyNo = copyNo;
    page.deviceCopies = deviceCopies;
    page.duplex = options.duplexChoice != TfrxDuplexMode::dmNone
                      ? options.duplexChoice
                      : (cb.pageDuplex ? cb.pageDuplex(idx) : TfrxDuplexMode::dmNone);
    if (page.duplex != lastDuplex) parity = false;
    if (IsTwoSided(page.duplex)) parity = !parity;
    if (!cb.page(page)) return false;
    lastDuplex = page.duplex;
  }
  return true;
}

}  // namespace

bool PassesPageParity(TfrxPrintPages pages, int pageIndex) {
  const bool odd = (pageIndex + 1) % 2 == 1;
  switch (pages) {
    case TfrxPrintPages::ppOdd: return odd;
    case TfrxPrintPages::ppEven: return !odd;
    case TfrxPrintPages::ppAll: break;
  }
  return true;
}

void WalkPrintSequence(const TfrxPageList& list, int pageCount, const PrintRunOptions& options,
                       bool blankSides, const SequenceCallbacks& cb) {
  const int copies = ClampCopies(options.copies);
  TfrxDuplexMode lastDuplex = TfrxDuplexMode::dmNone;
  bool parity = false;
  if (!options.collate) {
    WalkOnce(list, pageCount, options, 1, copies, cb, lastDuplex, parity);
    return;
  }
  for (int copy = 1; copy <= copies; ++copy) {
    parity = false;
    if (!WalkOnce(list, pageCount, options, copy, 1, cb, lastDuplex, parity)) return;
    if (blankSides && parity && cb.blankSheet) cb.blankSheet();
  }
}

void WalkJoinCells(const TfrxPageList& list, int pageCount, const PrintRunOptions& options,
                   const std::function<bool(int pageIndex, int copyNo)>& cell,
                   const std::function<void()>& copyEnded) {
  const int copies = ClampCopies(options.copies);
  const int runs = options.collate ? copies : 1;
  const int repeats = options.collate ? 1 : copies;
  for (int run = 1; run <= runs; ++run) {
    bool go = true;
    // Walks the list in place: a list of huge ranges is never expanded.
    auto visit = [&](int idx) {
      if (!PassesPageParity(options.pages, idx)) return true;
      for (int r = 1; r <= repeats && go; ++r) go = cell(idx, options.collate ? run : r);
      return go;
    };
    if (options.reverse) list.ForEachListedPageReversed(pageCount, visit);
    else list.ForEachListedPage(pageCount, visit);
    if (!go) return;
    if (run < runs && copyEnded) copyEnded();
  }
}

bool PrintsAnyPage(const TfrxPageList& list, int pageCount, const PrintRunOptions& options, bool join) {
  PrintRunOptions once = options;
  once.copies = 1;
  bool any = false;
  if (join) {
    WalkJoinCells(list, pageCount, once, [&](int, int) { return !(any = true); });
    return any;
  }
  SequenceCallbacks probe;
  probe.page = [&](const SequencePage&) { return !(any = true); };
  WalkPrintSequence(list, pageCount, once, false, probe);
  return any;
}

}  // namespace quarlo
