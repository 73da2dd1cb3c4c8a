#pragma once
// The order in which a print job visits pages: page list, odd or even page numbers,
// reverse order, copies made by the job (collated) or by the printer (not collated), and
// the empty sheet side that makes every collated copy start on a new sheet when printing
// two-sided. Pure logic: the job supplies what it does with each page.
#include <functional>

#include "platform/print_modes.h"
#include "print/page_list.h"

namespace quarlo {

struct PrintRunOptions {
  int copies = 1;
  bool collate = true;
  TfrxPrintPages pages = TfrxPrintPages::ppAll;
  bool reverse = false;
  TfrxDuplexMode duplexChoice = TfrxDuplexMode::dmNone;  // dmNone: each page's own
};

struct SequencePage {
  int pageIndex = 0;        // 0-based page of the report
  int copyNo = 1;           // copy number handed to text objects
  int deviceCopies = 1;     // copies the printer makes of this page
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;  // the effective duplex of the page
};

struct SequenceCallbacks {
  // Duplex wish of a page (used when the run's choice is dmNone).
  std::function<TfrxDuplexMode(int pageIndex)> pageDuplex;
  // Prints one page; false stops the run (cancelled), and no further copy starts.
  std::function<bool(const SequencePage&)> page;
  // Prints one empty sheet side after a collated copy that ended on a front side.
  std::function<void()> blankSheet;
};

// The plain and scale modes (blankSides true) and the split mode (blankSides false: each
// tile is its own sheet, so sides are not counted).
void WalkPrintSequence(const TfrxPageList& list, int pageCount, const PrintRunOptions& options,
                       bool blankSides, const SequenceCallbacks& callbacks);

// Copies a value would make the job loop for hours; the job refuses more than this.
inline constexpr int kMaxCopies = 9999;

// True when a page passes the odd/even choice; parity is that of the page number.
bool PassesPageParity(TfrxPrintPages pages, int pageIndex);

// The join mode's cells in order: every listed page that exists (odd/even and reverse
// applied as in the other modes), one cell each, the whole run repeated per copy when
// collated; without collation each page fills `copies` consecutive cells with copy
// numbers 1 to copies. cell returns false to stop. copyEnded runs after every collated
// copy but the last, so the next one can start on a sheet of its own.
void WalkJoinCells(const TfrxPageList& list, int pageCount, const PrintRunOptions& options,
                   const std::function<bool(int pageIndex, int copyNo)>& cell,
                   const std::function<void()>& copyEnded = {});

// True when the job would print at least one page: some listed entry names a page of
// the report that passes the odd/even choice. The join mode visits every entry, the
// others at most as many positions as the report has pages.
bool PrintsAnyPage(const TfrxPageList& list, int pageCount, const PrintRunOptions& options, bool join);

}  // namespace quarlo
