#pragma once
// Shared set-up of the fuzz targets: the classes a document may name are registered
// once, and the text engine measures with the fixed built-in font metrics.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quarlo::fuzz {

void EnsureInitialised();

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace quarlo::fuzz
