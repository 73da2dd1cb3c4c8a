#pragma once
// Printing belongs to the print layer, which registers its job here at start-up; the
// store only hands the job its pages. Without a registered job nothing is printed.
#include <functional>

namespace quarlo {

class TfrxPreviewPages;

// Returns whether the job ran (false: no printer, or the dialog was cancelled).
using PrintPagesHandler = std::function<bool(TfrxPreviewPages&)>;

void SetPrintPagesHandler(PrintPagesHandler handler);
const PrintPagesHandler& GetPrintPagesHandler();

}  // namespace quarlo
