#include "resources/preview_buttons.h"

#include "resources/image_container.h"

namespace quarlo {

std::vector<ImageCell> DecodeButtonImages(std::string_view container) {
  const RgbBitmap strip = DecodeStripBitmap(InflateImageContainer(container));
  return CutCells(strip, kPreviewButtonSize, kPreviewButtonSize);
}

}  // namespace quarlo
