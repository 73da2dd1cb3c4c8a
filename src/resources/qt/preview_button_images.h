#pragma once
// The preview toolbar's image list, decoded from the compiled-in container on first
// use and kept for the life of the process.
#include "resources/preview_buttons.h"
#include "resources/qt/image_list.h"

namespace quarlo {

// Throws EDecompressionError or EInvalidBitmap when the container is damaged; a later
// call tries again.
const ImageList& PreviewButtonImages();

}  // namespace quarlo
