#pragma once
// The published events of the report object: hooks a host program may set to follow
// clicks, previews, progress and printing. None is set by the launcher.
#include <functional>

namespace quarlo {

class TfrxPage;
class TfrxReport;
class TfrxReportComponent;
class TfrxView;

enum TMouseButton : int { mbLeft, mbRight, mbMiddle };

// Modifier keys and buttons held during a mouse event, as a set of bits.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1u << 0;
inline constexpr TShiftState ssAlt = 1u << 1;
inline constexpr TShiftState ssCtrl = 1u << 2;
inline constexpr TShiftState ssLeft = 1u << 3;
inline constexpr TShiftState ssRight = 1u << 4;
inline constexpr TShiftState ssMiddle = 1u << 5;
inline constexpr TShiftState ssDouble = 1u << 6;

// Progress kinds of ProgressStart, ProgressStep and ProgressStop.
enum TfrxProgressType : int { ptRunning = 0, ptExporting = 1, ptPrinting = 2 };

using TfrxNotifyEvent = std::function<void(TfrxReport& sender)>;
// modified is in and out: a handler that changed the view sets it, and the page
// store then stores the page again.
using TfrxClickObjectEvent = std::function<void(TfrxView* view, TMouseButton button,
                                                TShiftState shift, bool& modified)>;
using TfrxMouseOverObjectEvent = std::function<void(TfrxView* view)>;
using TfrxProgressEvent =
    std::function<void(TfrxReport& sender, TfrxProgressType kind, int progress)>;
// The page about to print (a report page is no report component) and its copy number.
using TfrxPrintPageEvent = std::function<void(TfrxPage* page, int copyNo)>;

struct ReportEvents {
  TfrxNotifyEvent OnPreview;
  TfrxClickObjectEvent OnClickObject;
  TfrxClickObjectEvent OnDblClickObject;
  TfrxMouseOverObjectEvent OnMouseOverObject;
  TfrxProgressEvent OnProgressStart;
  TfrxProgressEvent OnProgress;
  TfrxProgressEvent OnProgressStop;
  TfrxNotifyEvent OnPrintReport;
  TfrxNotifyEvent OnAfterPrintReport;
  TfrxPrintPageEvent OnPrintPage;
  TfrxNotifyEvent OnClosePreview;
};

}  // namespace quarlo
