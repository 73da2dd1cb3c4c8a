#pragma once
// Strings of the document model as widgets take them. Every non-text string a report
// holds in memory (names, outline titles, hints, links) is code page bytes; this is
// the one place they become Unicode for the screen.
#include <QString>
#include <string_view>

#include "platform/codepage.h"

namespace quarlo {

inline QString SystemToQString(std::string_view bytes) {
  return QString::fromStdU16String(DecodeCodePage(bytes, SystemCodePage()));
}

}  // namespace quarlo
