// Picture recognition and every decoder on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "platform/stream.h"
#include "fuzz_support.h"
#include "objects/image_decode.h"
#include "objects/picture_recognition.h"
#include "objects/picture_view_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  const std::string_view bytes = fuzz::AsText(data, size);
  try {
    (void)DecodeBmp(bytes);
    (void)DecodeJpeg(bytes);
    (void)DecodePng(bytes);
    (void)DecodeIcon(bytes);
  } catch (const Exception&) {
  }
  try {
    TPicture picture;
    ByteViewStream in(bytes.data(), bytes.size());
    (void)LoadPicture(picture, in, true);
  } catch (const Exception&) {
  }
  return 0;
}
