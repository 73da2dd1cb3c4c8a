#pragma once
// The two resource-string tables compiled into the program, as XML documents in the
// format that TfrxResources::LoadTable reads (root "Resources", "StrRes" children).
#include <string_view>

namespace quarlo {

// User-interface texts: 178 entries, code page 936.
std::string_view BuiltInUiTable();
// Descriptions of published properties for a property inspector: 271 entries.
std::string_view BuiltInPropertyTable();

}  // namespace quarlo
