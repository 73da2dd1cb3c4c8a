// Drawing of pictures. Until images are decoded for drawing a picture object paints
// its fill and frame only, as an empty picture does.

#include "objects/picture_view.h"

namespace quarlo {

void TfrxPictureView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY) {
  TfrxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
}

}  // namespace quarlo
