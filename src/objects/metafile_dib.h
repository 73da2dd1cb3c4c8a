#pragma once
// Device-independent bitmaps inside metafile records: a bitmap info block and its pixel
// bits, both located by offset and size within the record.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/canvas.h"

namespace quarlo {

// The image of the info block at [infoAt, infoAt + infoSize) and the bits at
// [bitsAt, bitsAt + bitsSize) of `record`; nothing when either lies outside the record
// or the bitmap cannot be decoded (decoding keeps the image size limits of pictures).
std::optional<CanvasImage> DecodeRecordDib(std::string_view record, std::uint64_t infoAt, std::uint64_t infoSize,
                                           std::uint64_t bitsAt, std::uint64_t bitsSize);

// The same with info and bits adjacent, as the 16-bit records store them.
std::optional<CanvasImage> DecodePackedDib(std::string_view dib);

// Mean colour (0x00BBGGRR) of the image: what a pattern brush of it looks like from afar.
TColor AverageColor(const CanvasImage& image);

}  // namespace quarlo
