#include "objects/image_decode.h"

namespace quarlo {

std::string CheckImageSize(long long width, long long height) {
  if (width > kMaxImageSide || height > kMaxImageSide || width <= 0 || height <= 0 ||
      static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > kMaxImagePixels) {
    return "Picture of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels is refused: larger than " + std::to_string(kMaxImageSide) + " pixels a side or " +
           std::to_string(kMaxImagePixels) + " pixels";
  }
  return {};
}

DecodedImage DecodeGraphic(TGraphicKind kind, std::string_view bytes) {
  switch (kind) {
    case TGraphicKind::Bitmap: return DecodeBmp(bytes);
    case TGraphicKind::Jpeg: return DecodeJpeg(bytes);
    case TGraphicKind::Png: return DecodePng(bytes);
    case TGraphicKind::Icon: return DecodeIcon(bytes);
    case TGraphicKind::Metafile:
    case TGraphicKind::None: break;
  }
  return {};
}

}  // namespace quarlo
