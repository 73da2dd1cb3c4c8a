#pragma once
// Decoding of the raster pictures a report holds (bitmap, JPEG, PNG, icon) into
// canvas images, and PNG encoding of a canvas image. Input is untrusted: a header may
// claim any size, data may end early. Decoding never allocates for dimensions beyond
// the limits below and never reads past the bytes given; a failure leaves the image
// empty and says why.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "objects/picture_view_graphic.h"
#include "platform/canvas.h"

namespace quarlo {

// Pictures larger than this are refused rather than allocated (a 100,000 x 100,000
// header would otherwise ask for 40 GB).
inline constexpr int kMaxImageSide = 30000;
inline constexpr std::size_t kMaxImagePixels = std::size_t{64} * 1024 * 1024;

struct DecodedImage {
  CanvasImage image;  // empty on failure
  std::string error;  // empty on success
  bool Ok() const { return error.empty() && !image.IsEmpty(); }
};

// Refusal text for an image of w x h, or empty when it is within the limits.
std::string CheckImageSize(long long width, long long height);

DecodedImage DecodeBmp(std::string_view bytes);
DecodedImage DecodeJpeg(std::string_view bytes);
DecodedImage DecodePng(std::string_view bytes);
DecodedImage DecodeIcon(std::string_view bytes);
// By kind; metafiles and empty pictures give an empty image without an error (they
// are not raster pictures).
DecodedImage DecodeGraphic(TGraphicKind kind, std::string_view bytes);

// PNG file bytes of the image (8-bit RGBA, or RGB when every pixel is opaque); empty
// on failure.
std::string EncodePng(const CanvasImage& image);
// The same for pixels held elsewhere (a painted image): height rows of width 0xAARRGGBB
// words, the start of each row stride words after the one before.
std::string EncodePng(const std::uint32_t* pixels, int width, int height, std::size_t stride);

}  // namespace quarlo
