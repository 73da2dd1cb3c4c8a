#pragma once
// Saving a file so that a failure never destroys what was there: the content goes
// to a temporary file in the target's folder, is flushed to disk, and only then
// replaces the target by a rename. On any error the temporary file is removed, the
// old file stays as it was, and EStreamError carries the reason.

#include <functional>
#include <string>

namespace quarlo {

class Stream;

void WriteFileAtomically(const std::string& path, const std::function<void(Stream&)>& write);

}  // namespace quarlo
