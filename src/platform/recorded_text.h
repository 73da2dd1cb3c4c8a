#pragma once
// The text of a recorded page in reading order, for scripts that want a page's words.
// Text operations are grouped into rows by their vertical extent, rows run from top to
// bottom and the operations of a row from left to right. Plain text puts one space
// between the pieces of a row; the layout form places each piece at the column its left
// edge falls in, on a grid of the page's typical character width, so table columns line
// up (wide characters such as Chinese take two columns).
#include <string>
#include <vector>

#include "platform/recording_canvas.h"

namespace quarlo {

std::u16string RecordedText(const std::vector<CanvasRecord>& records, bool layout);

// Terminal columns a character takes: 2 for East Asian wide and full-width ones.
int DisplayColumns(std::u16string_view text);

}  // namespace quarlo
