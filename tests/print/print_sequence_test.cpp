#include "print/print_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarlo {
namespace {

using D = TfrxDuplexMode;

// Page numbers (1-based) with copy number, printer copies when above 1, and "|" for an
// empty sheet side.
std::string Walk(const char* list, int pageCount, PrintRunOptions options, bool blankSides = true,
                 std::vector<D> pageDuplex = {}, int stopAfter = -1) {
  std::string out;
  int printed = 0;
  SequenceCallbacks cb;
  cb.pageDuplex = [&](int idx) { return idx < static_cast<int>(pageDuplex.size()) ? pageDuplex[idx] : D::dmNone; };
  cb.page = [&](const SequencePage& p) {
    if (!out.empty()) out += ' ';
    out += std::to_string(p.pageIndex + 1);
    if (options.collate && options.copies > 1) out += "c" + std::to_string(p.copyNo);
    if (p.deviceCopies > 1) out += "x" + std::to_string(p.deviceCopies);
    return ++printed != stopAfter;
  };
  cb.blankSheet = [&] { out += " |"; };
  WalkPrintSequence(ParsePageList(list, pageCount), pageCount, options, blankSides, cb);
  return out;
}

PrintRunOptions Opt(int copies = 1, bool collate = true, TfrxPrintPages pages = TfrxPrintPages::ppAll,
                    bool reverse = false, D duplex = D::dmNone) {
  return {copies, collate, pages, reverse, duplex};
}

struct SequenceCase {
  const char* what;
  const char* list;
  int pageCount;
  PrintRunOptions options;
  const char* expected;
};

TEST(PrintSequence, OrdersPagesAsTheOptionsSay) {
  using P = TfrxPrintPages;
  const SequenceCase cases[] = {
      {"all pages", "", 3, Opt(), "1 2 3"},
      {"list with ranges", "1,3,5-7", 8, Opt(), "1 3 5 6 7"},
      {"reverse of a list", "1,3,5", 8, Opt(1, true, P::ppAll, true), "5 3 1"},
      {"reverse of all", "", 3, Opt(1, true, P::ppAll, true), "3 2 1"},
      {"odd by page number, not position", "2,3,4", 8, Opt(1, true, P::ppOdd), "3"},
      {"even pages", "", 5, Opt(1, true, P::ppEven), "2 4"},
      {"missing pages skipped", "0,9,8", 8, Opt(), "8"},
      {"no more positions than pages", "1,1,1", 2, Opt(), "1 1"},
      {"duplicates kept", "3,1,1", 8, Opt(), "3 1 1"},
      {"collated copies", "", 3, Opt(2), "1c1 2c1 3c1 1c2 2c2 3c2"},
      {"printer makes uncollated copies", "", 3, Opt(3, false), "1x3 2x3 3x3"},
      {"copies below one print once", "", 2, Opt(0), "1 2"},
      {"absurd copies are capped", "1", 1, Opt(2000000000, false), "1x9999"},
      {"two-sided copies start on a new sheet", "", 3, Opt(2, true, P::ppAll, false, D::dmVertical),
       "1c1 2c1 3c1 | 1c2 2c2 3c2 |"},
      {"even copy length needs no blank side", "", 2, Opt(2, true, P::ppAll, false, D::dmHorizontal),
       "1c1 2c1 1c2 2c2"},
      {"simplex never adds blank sides", "", 3, Opt(2, true, P::ppAll, false, D::dmSimplex),
       "1c1 2c1 3c1 1c2 2c2 3c2"},
      {"uncollated never adds blank sides", "", 3, Opt(2, false, P::ppAll, false, D::dmVertical),
       "1x2 2x2 3x2"},
      {"empty report", "", 0, Opt(3), ""},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Walk(c.list, c.pageCount, c.options), c.expected);
  }
}

TEST(PrintSequence, SplitModeCountsNoSides) {
  EXPECT_EQ(Walk("", 3, Opt(2, true, TfrxPrintPages::ppAll, false, D::dmVertical), false),
            "1c1 2c1 3c1 1c2 2c2 3c2");
}

TEST(PrintSequence, PagesOwnDuplexDrivesTheParity) {
  // Page 1 one-sided, pages 2 and 3 two-sided: the parity restarts where the duplex
  // changes, so the copy ends on a back side and needs no blank.
  EXPECT_EQ(Walk("", 3, Opt(2), true, {D::dmNone, D::dmVertical, D::dmVertical}),
            "1c1 2c1 3c1 1c2 2c2 3c2");
  // Pages 2 and 3 two-sided, page 4 two-sided too: odd count of two-sided pages at the end.
  EXPECT_EQ(Walk("", 4, Opt(2), true, {D::dmNone, D::dmVertical, D::dmVertical, D::dmVertical}),
            "1c1 2c1 3c1 4c1 | 1c2 2c2 3c2 4c2 |");
  // A choice in the dialog overrides every page's own wish.
  EXPECT_EQ(Walk("", 3, Opt(2, true, TfrxPrintPages::ppAll, false, D::dmSimplex), true,
                 {D::dmVertical, D::dmVertical, D::dmVertical}),
            "1c1 2c1 3c1 1c2 2c2 3c2");
}

TEST(PrintSequence, CancelStopsThePageAndEveryLaterCopy) {
  EXPECT_EQ(Walk("", 3, Opt(3, true, TfrxPrintPages::ppAll, false, D::dmVertical), true, {}, 2), "1c1 2c1");
  EXPECT_EQ(Walk("", 3, Opt(3), true, {}, 3), "1c1 2c1 3c1");
}

TEST(PrintSequence, HugePageListVisitsOnlyReportPages) {
  EXPECT_EQ(Walk("1-2000000000", 3, Opt()), "1 2 3");
  EXPECT_EQ(Walk("1-2000000000", 3, Opt(1, true, TfrxPrintPages::ppAll, true)), "3 2 1");
}

std::string Join(const char* list, int pageCount, PrintRunOptions options, int stopAfter = -1) {
  std::string out;
  int cells = 0;
  WalkJoinCells(ParsePageList(list, pageCount), pageCount, options, [&](int idx, int copy) {
    if (!out.empty()) out += ' ';
    out += std::to_string(idx + 1) + "c" + std::to_string(copy);
    return ++cells != stopAfter;
  });
  return out;
}

TEST(JoinCells, OneCellPerListedPageAndCopy) {
  using P = TfrxPrintPages;
  const SequenceCase cases[] = {
      {"all pages", "", 3, Opt(), "1c1 2c1 3c1"},
      {"every listed entry, even past the page count", "1,1,1", 2, Opt(), "1c1 1c1 1c1"},
      {"missing pages take no cell", "9,2,0", 8, Opt(), "2c1"},
      {"nothing listed exists", "9", 8, Opt(), ""},
      {"collated copies repeat the run", "", 2, Opt(2), "1c1 2c1 1c2 2c2"},
      {"uncollated copies fill consecutive cells", "", 2, Opt(3, false), "1c1 1c2 1c3 2c1 2c2 2c3"},
      {"odd pages", "", 4, Opt(1, true, P::ppOdd), "1c1 3c1"},
      {"reverse", "1-3", 8, Opt(1, true, P::ppAll, true), "3c1 2c1 1c1"},
      {"huge range clamped to the report", "1-2000000000", 2, Opt(), "1c1 2c1"},
      {"reverse of a huge range", "1-2000000000,1", 2, Opt(1, true, P::ppAll, true), "1c1 2c1 1c1"},
      {"reverse with uncollated copies", "1,2", 2, Opt(2, false, P::ppAll, true), "2c1 2c2 1c1 1c2"},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Join(c.list, c.pageCount, c.options), c.expected);
  }
  EXPECT_EQ(Join("", 5, Opt(2), 3), "1c1 2c1 3c1");
  EXPECT_EQ(Join("", 2, Opt(3, false), 2), "1c1 1c2");  // a stop inside a page's repeats
}

}  // namespace
}  // namespace quarlo
