#pragma once
// The preview toolbar's button images: 25 cells of 16 x 16 in one compressed strip
// compiled into the program (drawn by src/resources/tools/make_preview_buttons.py).
#include <string_view>
#include <vector>

#include "resources/bitmap_strip.h"

namespace quarlo {

inline constexpr int kPreviewButtonSize = 16;
inline constexpr int kPreviewButtonCount = 25;

// Positions in the strip, as the toolbar, the menus and the print dialog use them.
enum PreviewButtonImage : int {
  pbiOpen = 0,
  pbiSave = 1,
  pbiPrint = 2,
  pbiExport = 3,
  pbiFind = 4,
  pbiThumbnails = 5,
  pbiWholePage = 6,
  pbiPageSetup = 7,
  pbiFirstPage = 8,
  pbiPriorPage = 9,
  pbiNextPage = 10,
  pbiLastPage = 11,
  pbiOutline = 12,
  pbiCollapseAll = 13,
  pbiExpandAll = 14,
  pbiZoomIn = 15,
  pbiZoomOut = 16,
  pbiPageWidth = 17,
  pbiActualSize = 18,
  pbiTwoPages = 19,
  pbiClose = 20,
  pbiEditPage = 21,
  pbiFullScreen = 22,
  pbiEmail = 23,
  pbiPdf = 24,
};

// The container bytes as compiled in.
std::string_view PreviewButtonsContainer();

// Inflates a container, reads its bitmap and cuts it into 16 x 16 cells, each with
// its bottom-left pixel as transparent colour. Throws EDecompressionError or
// EInvalidBitmap for a damaged container.
std::vector<ImageCell> DecodeButtonImages(std::string_view container);

}  // namespace quarlo
