// Drawing of pictures: the image placed into the object's rectangle (stretched, kept
// in proportion, centred, or at natural size and clipped) between fill and frame.

#include "platform/errors.h"
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
  auto place = [&](double pictureWidth, double pictureHeight, auto draw) {
    PicturePlacementInput in;
    in.target = {DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom()};
    in.pictureWidth = pictureWidth;
    in.pictureHeight = pictureHeight;
    in.stretched = Stretched();
    in.keepAspectRatio = KeepAspectRatio();
    in.center = Center();
    in.scaleX = scaleX;
    in.scaleY = scaleY;
    const CanvasRect r = PicturePlacement(in);
    if (!Stretched()) {
      canvas.SaveClip();
      canvas.IntersectClipRect(in.target);
      draw(r);
      canvas.RestoreClip();
    } else {
      draw(r);
    }
  };
  const PictureDrawOptions options{Transparent(), TransparentColor(), HightQuality()};
  if (Picture().Kind() == TGraphicKind::Metafile) {
    // A metafile whose header gives no size fills the object.
    const double w = Picture().Width() > 0 ? Picture().Width() : Width();
    const double h = Picture().Height() > 0 ? Picture().Height() : Height();
    if (w > 0 && h > 0)
      place(w, h, [&](const CanvasRect& r) { DrawPictureMetafile(canvas, r, Picture().Data(), options); });
  } else if (!Picture().Empty()) {
    const auto decoded = DecodedPicture(Picture());
    error = decoded->error;
    const CanvasImage& image = decoded->image;
    if (!image.IsEmpty()) {
      place(image.width, image.height,
            [&](const CanvasRect& r) { DrawPictureImage(canvas, r, image, Picture().Kind(), options); });
    }
  }
  PaintFrame();
  // The picture stays empty; the error goes to whoever draws the page.
  if (!error.empty()) throw Exception(error);
}

}  // namespace quarlo
