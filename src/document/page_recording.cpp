#include "document/page_recording.h"

#include <exception>

#include "document/preview_pages.h"
#include "platform/recording_canvas.h"

namespace quarlo {

std::unique_ptr<RecordingCanvas> RecordPage(TfrxCustomPreviewPages& pages, int index, std::string* error) {
  auto canvas = std::make_unique<RecordingCanvas>(CanvasRect{0, 0, 1 << 20, 1 << 20}, 96, 96, CanvasKind::Screen);
  if (error) error->clear();
  try {
    pages.PaintPage(index, *canvas, 1, 1, 0, 0);
  } catch (const std::exception& e) {
    if (error) *error = e.what();
  }
  return canvas;
}

}  // namespace quarlo
