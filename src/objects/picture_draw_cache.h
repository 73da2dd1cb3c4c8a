#pragma once
// Decoded pictures, kept between paints: a page is repainted on every scroll, and
// decoding a JPEG each time would dominate. Entries are keyed by the picture bytes
// (hash and length), so equal pictures on many pages share one decoded image; the
// cache holds a bounded number of pixels and drops the least recently used first.

#include <memory>

#include "objects/image_decode.h"
#include "objects/picture_view_graphic.h"

namespace quarlo {

inline constexpr std::size_t kDecodedCachePixels = std::size_t{48} * 1024 * 1024;

// The decoded image of a picture (empty with an error when it cannot be decoded).
std::shared_ptr<const DecodedImage> DecodedPicture(const TPicture& picture);
void ClearDecodedPictures();

}  // namespace quarlo
