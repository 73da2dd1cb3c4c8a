#pragma once
// Drawing a whole report page: clip to the paper, the background view inside the
// margins, then every view in depth-first order with the printable-area origin.

#include "platform/canvas.h"

namespace quarlo {

class TfrxReportPage;
class TfrxView;

// What text objects are told while a page is drawn.
struct PageDrawContext {
  int totalPages = 1;
  int copyNo = 0;
  double printScale = 1;
};

// Draws `page` (0-based `pageIndex`, for mirrored margins) with its paper's top-left
// corner at (offsetX, offsetY). A view that fails to draw does not stop the others:
// the first error is raised once the whole page is drawn and the canvas and page are
// back in their state.
void DrawReportPage(TfrxReportPage& page, int pageIndex, Canvas& canvas, double scaleX, double scaleY,
                    double offsetX, double offsetY, const PageDrawContext& context = {});

// The device rectangle of `view` grown by 20 pixels on every side, as the page drawing
// tests it against the visible region (normalised for negative sizes).
CanvasRect CullingRect(const TfrxView& view, double scaleX, double scaleY, double offsetX, double offsetY);

}  // namespace quarlo
