#pragma once
// The two ways a report file holds its strings other than texts: as code page bytes
// (the usual header), or as UTF-8 when its header carries a standalone declaration.
// Tests of names read from files run over both.
#include <string>

#include "platform/codepage.h"

namespace quarlo::testing {

struct FileEncoding {
  const char* label;
  const char* header;
  bool codePageStrings;
  // A string as such a file spells it.
  std::string Encode(const std::string& utf8) const { return codePageStrings ? Utf8ToSystem(utf8) : utf8; }
};

inline const FileEncoding kFileEncodings[] = {
    {"code page strings", "<?xml version=\"1.0\" encoding=\"utf-8\"?>", true},
    {"UTF-8 strings", "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", false},
};

}  // namespace quarlo::testing
