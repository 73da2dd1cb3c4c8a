#pragma once
// Failures are exceptions carrying a message text; the text is what users see.
#include <stdexcept>
#include <string>

namespace quarlo {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Raised where a text does not convert to a number ("'%s' is not a valid integer value").
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Raised when a stream cannot be read or written (missing file, full disk).
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace quarlo
