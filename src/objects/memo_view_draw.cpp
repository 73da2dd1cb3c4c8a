// Drawing and measuring of text objects. Until the text is laid out through the text
// engine, a text object paints its fill and frame and measures as its own rectangle.

#include "objects/memo_view.h"

namespace quarlo {

void TfrxCustomMemoView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY) {
  TfrxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
}

double TfrxCustomMemoView::CalcHeight() { return Height(); }

double TfrxCustomMemoView::CalcWidth() { return Width(); }

}  // namespace quarlo
