#pragma once
// The compressed image resources: one gzip member whose MTIME field carries the
// Adler-32 of the uncompressed bytes (big-endian), so the body can be inflated as a
// zlib stream without a second checksum pass. Only the FNAME header flag is accepted.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace quarlo {

// A missing, truncated or damaged container.
class EDecompressionError : public Exception {
 public:
  using Exception::Exception;
};

// Largest uncompressed image resource accepted; the toolbar strip is about 19 KB.
inline constexpr size_t kMaxImageContainerOutput = 16u << 20;

// The uncompressed bytes; throws EDecompressionError.
std::string InflateImageContainer(std::string_view container);

// The container for data, with the stored name "1"; used by tests and tools.
std::string MakeImageContainer(std::string_view data);

}  // namespace quarlo
