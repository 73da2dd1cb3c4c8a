// Drawing of pictures: the image placed into the object's rectangle (stretched, kept
// in proportion, centred, or at natural size and clipped) between fill and frame.

#include "document/errors.h"
#include "objects/frame_painter.h"
#include "objects/picture_draw.h"
#include "objects/picture_draw_cache.h"
#include "objects/picture_view.h"

namespace quarlo {

void TfrxPictureView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY) {
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  PaintBackground();
  std::string error;
  // Metafiles are kept byte for byte but are not raster pictures; they are played by
  // the metafile drawing, not here.
  if (!Picture().Empty() && Picture().Kind() != TGraphicKind::Metafile) {
    const auto decoded = DecodedPicture(Picture());
    error = decoded->error;
    const CanvasImage& image = decoded->image;
    if (!image.IsEmpty()) {
      PicturePlacementInput in;
      in.target = {DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom()};
      in.pictureWidth = image.width;
      in.pictureHeight = image.height;
      in.stretched = Stretched();
      in.keepAspectRatio = KeepAspectRatio();
      in.center = Center();
      in.scaleX = scaleX;
      in.scaleY = scaleY;
      const CanvasRect r = PicturePlacement(in);
      PictureDrawOptions options{Transparent(), TransparentColor(), HightQuality()};
      if (!Stretched()) {
        canvas.SaveClip();
        canvas.IntersectClipRect(in.target);
        DrawPictureImage(canvas, r, image, Picture().Kind(), options);
        canvas.RestoreClip();
      } else {
        DrawPictureImage(canvas, r, image, Picture().Kind(), options);
      }
    }
  }
  PaintFrame();
  // The picture stays empty; the error goes to whoever draws the page.
  if (!error.empty()) throw Exception(error);
}

}  // namespace quarlo
