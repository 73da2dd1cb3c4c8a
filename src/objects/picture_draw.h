#pragma once
// Where a picture goes in its object's rectangle, and how it is put on the canvas.

#include <string_view>

#include "objects/picture_view_graphic.h"
#include "platform/canvas.h"

namespace quarlo {

struct PicturePlacementInput {
  CanvasRect target;  // the object's device rectangle
  double pictureWidth = 0, pictureHeight = 0;
  bool stretched = true, keepAspectRatio = true, center = false;
  double scaleX = 1, scaleY = 1;
};

// The device rectangle the picture is drawn into (may extend past the target when the
// picture is not stretched; the caller clips).
CanvasRect PicturePlacement(const PicturePlacementInput& in);

struct PictureDrawOptions {
  bool transparent = false;
  TColor transparentColor = clWhite;
  bool highQuality = false;
};

void DrawPictureImage(Canvas& canvas, const CanvasRect& rect, const CanvasImage& image, TGraphicKind kind,
                      const PictureDrawOptions& options);

// A metafile is played scaled into the rectangle (vectors and text stay what they are);
// with `options.transparent` its parts in the transparent colour paint nothing.
void DrawPictureMetafile(Canvas& canvas, const CanvasRect& rect, std::string_view bytes,
                         const PictureDrawOptions& options);

}  // namespace quarlo
