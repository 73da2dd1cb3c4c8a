#include "objects/page_draw.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

#include "objects/frame_painter.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "objects/view.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// Swaps left and right margins for the duration of the drawing of an odd page.
class MirroredMargins {
 public:
  MirroredMargins(TfrxReportPage& page, bool active) : page_(page), active_(active) {
    if (active_) Swap();
  }
  ~MirroredMargins() {
    if (active_) Swap();
  }
  MirroredMargins(const MirroredMargins&) = delete;
  MirroredMargins& operator=(const MirroredMargins&) = delete;

 private:
  void Swap() {
    const double left = page_.LeftMargin();
    page_.SetLeftMargin(page_.RightMargin());
    page_.SetRightMargin(left);
  }
  TfrxReportPage& page_;
  bool active_;
};

class PaperClip {
 public:
  PaperClip(Canvas& canvas, bool active, const CanvasRect& paper) : canvas_(canvas), active_(active) {
    if (!active_) return;
    canvas_.SaveClip();
    canvas_.IntersectClipRect(paper);
  }
  ~PaperClip() {
    if (active_) canvas_.RestoreClip();
  }
  PaperClip(const PaperClip&) = delete;
  PaperClip& operator=(const PaperClip&) = delete;

 private:
  Canvas& canvas_;
  bool active_;
};

class PrintingFlag {
 public:
  template <class T>
  PrintingFlag(T& object, bool printing) : clear_([&object] { object.SetPrinting(false); }) {
    object.SetPrinting(printing);
  }
  ~PrintingFlag() { clear_(); }
  PrintingFlag(const PrintingFlag&) = delete;
  PrintingFlag& operator=(const PrintingFlag&) = delete;

 private:
  std::function<void()> clear_;
};

}  // namespace

CanvasRect CullingRect(const TfrxView& view, double scaleX, double scaleY, double offsetX, double offsetY) {
  const double left = view.AbsLeft(), top = view.AbsTop();
  const int ox = RoundHalfEven(offsetX), oy = RoundHalfEven(offsetY);
  int l = RoundHalfEven(left * scaleX), t = RoundHalfEven(top * scaleY);
  int r = RoundHalfEven((left + view.Width()) * scaleX), b = RoundHalfEven((top + view.Height()) * scaleY);
  // Diagonal lines may have a negative width or height: the rectangle is the same.
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  return {l - 20 + ox, t - 20 + oy, r + 20 + ox, b + 20 + oy};
}

void DrawReportPage(TfrxReportPage& page, int pageIndex, Canvas& canvas, double scaleX, double scaleY,
                    double offsetX, double offsetY, const PageDrawContext& context) {
  std::exception_ptr firstError;
  const bool printing = canvas.IsPrinter();
  {
    MirroredMargins mirror(page, page.MirrorMargins() && pageIndex % 2 != 0);
    const CanvasRect paper{RoundHalfEven(offsetX), RoundHalfEven(offsetY),
                           RoundHalfEven(page.PaperWidth() * fr01cm * scaleX + offsetX) - 1,
                           RoundHalfEven(page.PaperHeight() * fr01cm * scaleY + offsetY) - 1};
    PaperClip clip(canvas, !printing, paper);
    PrintingFlag pagePrinting(page, printing);

    TfrxPictureView& background = page.Background();
    background.SetWidth((page.PaperWidth() - page.LeftMargin() - page.RightMargin()) * fr01cm);
    background.SetHeight((page.PaperHeight() - page.TopMargin() - page.BottomMargin()) * fr01cm);
    if (page.BackPictureVisible() && (!printing || page.BackPicturePrintable())) {
      try {
        CanvasStateSaver keep(canvas);
        background.Draw(canvas, scaleX, scaleY, offsetX + scaleX * page.LeftMargin() * fr01cm,
                        offsetY + scaleY * page.TopMargin() * fr01cm);
      } catch (...) {
        if (!firstError) firstError = std::current_exception();
      }
    }

    offsetX += page.LeftMargin() * fr01cm * scaleX;
    offsetY += page.TopMargin() * fr01cm * scaleY;
    // Recorded pages are kept whole (the text search walks them), so nothing is culled.
    const bool cull = canvas.Kind() != CanvasKind::Recording;
    const CanvasRect visible = canvas.ClipBox();
    for (TfrxComponent* object : page.AllObjects()) {
      if (!object->IsView()) continue;
      auto* view = As<TfrxView>(object);
      if (!view) continue;
      if (cull && !CullingRect(*view, scaleX, scaleY, offsetX, offsetY).Intersects(visible)) continue;
      if (printing && !view->Printable()) continue;
      PrintingFlag viewPrinting(*view, printing);
      if (auto* memo = As<TfrxCustomMemoView>(object)) {
        memo->SetTotalPages(context.totalPages);
        memo->SetCopyNo(context.copyNo);
        memo->SetPrintScale(context.printScale);
      }
      try {
        // Each view starts from the same canvas state, whatever the last one left.
        CanvasStateSaver keep(canvas);
        view->Draw(canvas, scaleX, scaleY, offsetX, offsetY);
      } catch (...) {
        if (!firstError) firstError = std::current_exception();
      }
    }
  }
  if (firstError) std::rethrow_exception(firstError);
}

}  // namespace quarlo
