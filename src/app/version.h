#pragma once
// The program's version, from the project definition of the build.

namespace quarlo {

// "MAJOR.MINOR.PATCH".
const char* QuarloVersion();

}  // namespace quarlo
