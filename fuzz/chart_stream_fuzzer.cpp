// The stored chart: the component stream read, written back and read again, then a
// chart object given the same bytes and drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "fuzz_support.h"
#include "objects/special/chart_model.h"
#include "objects/special/chart_stream.h"
#include "objects/special/chart_view.h"
#include "platform/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  fuzz::EnsureInitialised();
  const std::string bytes(fuzz::AsText(data, size));
  try {
    const ChartStreamNode root = ReadChartStream(bytes);
    (void)ReadChartStream(WriteChartStream(root));
  } catch (const Exception&) {
  }
  try {
    TfrxChartView chart(nullptr);
    chart.SetBounds(0, 0, 300, 200);
    chart.Chart().ReadStream(bytes);
    RecordingCanvas canvas;
    chart.Draw(canvas, 1, 1, 0, 0);
  } catch (const Exception&) {
  }
  return 0;
}
