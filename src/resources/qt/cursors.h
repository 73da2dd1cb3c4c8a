#pragma once
// Mouse cursors by the numbers report objects carry: the platform's own shapes for
// zero and the negative numbers, and the three drawn for this program (crHand,
// crZoom, crFormat), made once at start-up.
#include <QCursor>
#include <QImage>

#include "resources/cursor_ids.h"

namespace quarlo {

// Builds the drawn cursors; needs a QGuiApplication. Calling it again does nothing.
void LoadCursors();

// The cursor for a number; an unknown number gives the arrow. Loads the drawn
// cursors on first use if LoadCursors has not run.
QCursor frxCursor(TCursor cursor);

// The drawing of one of the three custom cursors (black outline, white inside,
// transparent around) and its hot spot; a null image for any other number.
QImage CustomCursorImage(TCursor cursor, QPoint* hotSpot = nullptr);

}  // namespace quarlo
