#pragma once
// Playing Windows metafiles (placeable WMF) and enhanced metafiles (EMF) onto a canvas,
// scaled into a target rectangle. The records are read and bounds-checked with libuemf;
// the drawing is ours, through the canvas, so vectors stay vectors on vector devices and
// text stays text (the text search finds it in a recording).
//
// Input is untrusted: a record that does not fit, or whose counts or offsets do not fit
// the record, is skipped; unknown records are ignored; the object table, the saved
// state stack, the number of records and the points of one figure are bounded. What can
// be drawn is drawn.

#include <string>
#include <string_view>

#include "platform/canvas.h"

namespace quarlo {

struct MetafilePlayOptions {
  // Pens, brushes, text and bitmap pixels of `transparentColor` paint nothing, so the
  // page shows through a metafile's background like through a transparent bitmap's.
  bool transparent = false;
  TColor transparentColor = clWhite;
};

enum class MetafileFormat { None, Placeable, Enhanced };

// Which metafile the bytes hold, by their header.
MetafileFormat RecogniseMetafile(std::string_view bytes);

struct MetafilePlayResult {
  bool played = false;      // the header was read and the records were played
  int records = 0;          // records read
  int skippedRecords = 0;   // records that did not fit or were refused
  std::string error;        // why nothing was played
};

// Plays the metafile so that its frame (EMF) or bounding box (placeable WMF) fills
// `target`. Drawing is clipped to `target`; the canvas's pen, brush, font, raster mode
// and clip are as before afterwards.
MetafilePlayResult PlayMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                const MetafilePlayOptions& options = {});

}  // namespace quarlo
