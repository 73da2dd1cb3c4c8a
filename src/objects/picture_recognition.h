#pragma once
// Loading a picture from a stream as the picture view and the picture cache do it:
// from the stream's beginning or its current position up to its end.

#include <cstdint>

namespace quarlo {

class Stream;
class TPicture;

// The platform's invalid-argument result: the answer for data of no known format.
inline constexpr std::int32_t E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);

// An 8-byte container header (16-bit 1 and 256, then the length of what follows it)
// is skipped; the format is recognised by signature and the rest of the stream
// becomes the picture. Returns 0, or E_INVALIDARG with the picture emptied.
std::int32_t LoadPicture(TPicture& picture, Stream& stream, bool fromBeginning);

}  // namespace quarlo
