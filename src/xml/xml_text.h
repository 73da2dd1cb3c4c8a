#pragma once
// Byte-string helpers shared by the XML tree, its reader and writer. Names are
// compared ignoring the case of ASCII letters; other bytes must match exactly.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/same_text.h"

namespace quarlo::xml {

// Position of the first occurrence of needle in haystack ignoring case, or npos.
size_t FindText(std::string_view haystack, std::string_view needle, size_t from = 0);

// Start of the attribute `name="` in attribute text: at the very start or after a
// space, with "=" and a double quote directly after the name. npos when absent.
size_t FindAttribute(std::string_view text, std::string_view name);

// Attribute text with the attribute `name` taken out (the first one, with the space
// before it); the text as it is when there is none.
std::string WithoutAttribute(std::string_view text, std::string_view name);

}  // namespace quarlo::xml
