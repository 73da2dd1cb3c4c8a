#pragma once
// Uncollated copies laid out in a finished PDF, for a print job whose queue is handed the
// pages in their final order and so makes no copies of its own.
#include <string>

namespace quarlo {

// A laid-out file of more pages than this is not written: the copies are left to the
// queue's printer instead.
inline constexpr long kMaxLaidOutPages = 100000;

// Writes to outPath the PDF at inPath with every sheet `copies` times in a row. Printed
// two-sided a sheet is a page and the one after it, and a last page alone gets a blank
// back of its size, so every copy of a sheet is a sheet of its own. The copies share the
// original's content (only page entries are added). False, with why in error, when the
// file cannot be read or written or would hold more than kMaxLaidOutPages pages.
bool WriteUncollatedCopies(const std::string& inPath, const std::string& outPath, int copies, bool twoSided,
                           std::string& error);

}  // namespace quarlo
