// The metafile player on arbitrary bytes, into a target rectangle chosen by the input,
// recording every operation.
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "fuzz_support.h"
#include "objects/metafile_player.h"
#include "platform/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  const std::string_view bytes = fuzz::AsText(data, size);
  (void)RecogniseMetafile(bytes);
  const int side = size > 0 ? 10 + data[size - 1] * 4 : 100;
  try {
    RecordingCanvas canvas;
    (void)PlayMetafile(canvas, CanvasRect{0, 0, side, side}, bytes);
  } catch (const Exception&) {
  }
  return 0;
}
