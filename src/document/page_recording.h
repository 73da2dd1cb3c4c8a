#pragma once
// A page recorded as the screen draws it at scale 1: 96 dpi, from the paper's top-left
// corner, on a device large enough for any page. The preview's find and text selection
// walk these records and the text export reads them, so all see the same words in the
// same places.
#include <memory>
#include <string>

namespace quarlo {

class RecordingCanvas;
class TfrxCustomPreviewPages;

// A page that fails to draw keeps what it drew before the failure; the failure's
// message goes to *error when given (empty when the page drew whole).
std::unique_ptr<RecordingCanvas> RecordPage(TfrxCustomPreviewPages& pages, int index, std::string* error = nullptr);

}  // namespace quarlo
