#pragma once
// Enumerations shared by report pages, print options and the printers. Their ordinals
// are the values stored in report files and chosen by index in the print dialog, so the
// order of the enumerators matters.

namespace quarlo {

enum class TPrinterOrientation { poPortrait, poLandscape };

// Two-sided printing wish of a page or of the print dialog.
enum class TfrxDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };

// How pages are put on sheets: one per sheet, split over several, several joined on
// one, or scaled onto the chosen sheet.
enum class TfrxPrintMode { pmDefault, pmSplit, pmJoin, pmScale };

enum class TfrxPrintPages { ppAll, ppOdd, ppEven };

}  // namespace quarlo
