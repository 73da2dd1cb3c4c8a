#include "objects/picture_draw.h"

#include "objects/frame_painter.h"
#include "objects/metafile_player.h"
#include "platform/rounding.h"

namespace quarlo {

CanvasRect PicturePlacement(const PicturePlacementInput& in) {
  CanvasRect r = in.target;
  const int W = r.Width(), H = r.Height();
  const double pw = in.pictureWidth, ph = in.pictureHeight;
  if (in.stretched) {
    if (in.keepAspectRatio) {
      const double kx = W / pw, ky = H / ph;
      if (ky > kx)
        r.bottom = r.top + RoundHalfEven(ph * kx);
      else
        r.right = r.left + RoundHalfEven(pw * ky);
      if (in.center) {
        const int dx = (W + r.left - r.right) / 2, dy = (H + r.top - r.bottom) / 2;
        r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
      }
    }
    return r;
  }
  const int nw = RoundHalfEven(in.scaleX * pw), nh = RoundHalfEven(in.scaleY * ph);
  if (in.center) {
    r.left += (W - nw) / 2;
    r.top += (H - nh) / 2;
  }
  r.right = r.left + nw;
  r.bottom = r.top + nh;
  return r;
}

void DrawPictureImage(Canvas& canvas, const CanvasRect& rect, const CanvasImage& image, TGraphicKind kind,
                      const PictureDrawOptions& options) {
  canvas.SetBrush(CanvasBrush::SolidColor(clWhite));
  const bool intermediate = canvas.IsPrinter() || options.highQuality ||
                            (options.transparent && kind != TGraphicKind::Bitmap);
  if (intermediate) {
    // The decoded image is the intermediate bitmap: it is stretched smoothly.
    if (options.transparent)
      canvas.DrawImageTransparent(rect, image, options.transparentColor, ImageStretch::Smooth);
    else
      canvas.DrawImage(rect, image, ImageStretch::Smooth);
  } else if (options.transparent) {
    canvas.DrawImageTransparent(rect, image, options.transparentColor, ImageStretch::Plain);
  } else {
    canvas.DrawImage(rect, image, ImageStretch::Plain);
  }
}

void DrawPictureMetafile(Canvas& canvas, const CanvasRect& rect, std::string_view bytes,
                         const PictureDrawOptions& options) {
  canvas.SetBrush(CanvasBrush::SolidColor(clWhite));
  PlayMetafile(canvas, rect, bytes, MetafilePlayOptions{options.transparent, options.transparentColor});
}

}  // namespace quarlo
