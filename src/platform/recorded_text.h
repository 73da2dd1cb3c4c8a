#pragma once
// The text of a recorded page in reading order, one rule for every reader of it: the
// preview's copy of a text selection and the text export for scripts. Lines run from top
// to bottom: a text operation whose vertical middle lies within the line's first
// operation belongs to that line; each line runs from left to right, with a space where
// two operations of the line do not touch.
#include <string>
#include <vector>

#include "platform/recording_canvas.h"

namespace quarlo {

// The texts of the given operations, lines separated by "\n" (none after the last).
std::u16string TextInReadingOrder(const std::vector<const CanvasRecord*>& records);

// The page's text for scripts: every text operation of the recording, control characters
// as spaces, spaces at either end and blank operations dropped, and "\n" after each line.
// With layout, each piece starts at the column its left edge falls in, on a grid of the
// page's typical character width, so table columns line up (wide characters such as
// Chinese take two columns); pieces that would meet are kept one space apart.
std::u16string RecordedText(const std::vector<CanvasRecord>& records, bool layout);

// Terminal columns a text takes: 2 for each East Asian wide or full-width character.
int DisplayColumns(std::u16string_view text);

}  // namespace quarlo
