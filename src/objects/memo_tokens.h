#pragma once
// View-time tokens of text objects: the page count and the copy name, which only the
// viewer knows when the page is drawn.

#include <string>

#include "objects/wide_strings.h"

namespace quarlo {

// Replaces the first occurrence (ignoring ASCII case) of `token` in the lines of `memo`
// by `value`. Returns true when something was replaced.
bool ReplaceFirstToken(TWideStrings& memo, std::u16string_view token, std::u16string_view value);

// "[TOTALPAGES#]" becomes the page count, "[COPYNAME#]" the copy name. Prepared reports
// carry no variable list, so there is no copy name and the token becomes nothing.
void SubstituteViewTokens(TWideStrings& memo, int totalPages, int copyNo);

}  // namespace quarlo
