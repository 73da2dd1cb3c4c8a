#pragma once
// The sheet paper list of the print dialog's print modes and the rules that keep a
// chosen sheet across a change of printer: the printer's papers without the
// user-defined size, behind a "default" entry that stands for the page's own paper.
#include <string>
#include <vector>

#include "platform/paper_table.h"

namespace quarlo {

class TfrxCustomPrinter;

// "默认" followed by the printer's paper names, the user-defined size left out.
std::vector<std::string> SheetPaperNames(const TfrxCustomPrinter& printer);

// The entry of SheetPaperNames that shows paper code; 0 ("默认") for -1 or a code the
// printer does not have.
int SheetPaperIndex(const TfrxCustomPrinter& printer, int code);

// The list entry of DuplexCB that a duplex value chosen in the queue's own dialog stands
// for: simplex is the last entry, vertical and horizontal the second and third; -1 when
// the value names no entry besides "默认" (no choice made, or an unknown value).
int DuplexIndexOfOverride(int platformDuplex);

// The number a copies text holds: digits only, at least 1 and at most maxCopies;
// false for an empty text or anything else.
bool ParseCopies(const std::string& text, int maxCopies, int& copies);

// fileName with its extension (the part after the last dot of the last path
// component) replaced by ext, or ext appended when there is none.
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);

}  // namespace quarlo
