#pragma once
// Writing a verb's result file: the bytes go to a temporary file beside the target,
// which replaces it only when every byte is written, so a failed write leaves neither
// a partial file nor a damaged older one.
#include <string>
#include <string_view>

namespace quarlo::cli {

// Returns an empty text on success, otherwise "cannot write PATH: reason".
std::string WriteOutputFile(const std::string& path, std::string_view bytes);

}  // namespace quarlo::cli
