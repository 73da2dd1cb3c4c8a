// Markup and text layout: a text object with inline tags on, word wrap and breaking
// chosen by the first byte, laid out and drawn at a scale chosen by the second.
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "fuzz_support.h"
#include "objects/memo_view.h"
#include "platform/codepage.h"
#include "platform/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  if (size < 2) return 0;
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 20 + data[0], 10 + data[1] / 2);
  memo.SetAllowHTMLTags(true);
  memo.SetWordWrap((data[0] & 1) != 0);
  memo.Memo().SetText(Utf8ToWide(fuzz::AsText(data + 2, size - 2)));
  const double scale = 0.25 + (data[1] % 16) / 4.0;
  try {
    RecordingCanvas canvas;
    memo.Draw(canvas, scale, scale, 0, 0);
    (void)memo.CalcHeight();
    (void)memo.CalcWidth();
  } catch (const Exception&) {
  }
  return 0;
}
