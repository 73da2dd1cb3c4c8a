// A prepared report file: loaded into the page store (partial loading on and off),
// every page built and painted onto the recording canvas, then saved again.
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "fuzz_support.h"
#include "platform/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  fuzz::EnsureInitialised();
  for (bool partial : {false, true}) {
    TfrxPreviewPages pages(nullptr);
    ByteViewStream in(reinterpret_cast<const char*>(data), size);
    try {
      pages.LoadFromStream(in, partial);
    } catch (const Exception&) {
      if (!partial) continue;
    }
    // A few pages are enough to reach every drawing path; more only repeats them.
    const int count = pages.Count() < 8 ? pages.Count() : 8;
    for (int i = 0; i < count; ++i) {
      try {
        RecordingCanvas canvas;
        pages.PaintPage(i, canvas, 1, 1, 0, 0);
      } catch (const Exception&) {
      }
    }
    try {
      MemoryStream out;
      pages.SaveToStream(out);
    } catch (const Exception&) {
    }
  }
  return 0;
}
