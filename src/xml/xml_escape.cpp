// Escaping of attribute values: the six bytes LF CR " & < > become decimal references,
// everything else is copied as it is. Reading accepts the references and four named
// entities; a reference number is taken modulo 256 because values are byte strings.
#include <cstring>

#include "xml/xml_document.h"

namespace quarlo {

namespace {

bool NeedsEscape(unsigned char c) {
  return c == '\n' || c == '\r' || c == '"' || c == '&' || c == '<' || c == '>';
}

void AppendReference(std::string& out, unsigned char c) {
  out += "&#";
  if (c >= 10) out += static_cast<char>('0' + c / 10);
  out += static_cast<char>('0' + c % 10);
  out += ';';
}

bool StartsWith(std::string_view s, size_t at, std::string_view prefix) {
  return s.size() - at >= prefix.size() && s.compare(at, prefix.size(), prefix) == 0;
}

// The platform's integer conversion: optional sign, then decimal digits only.
int ReferenceByte(std::string_view digits) {
  size_t i = 0;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) negative = digits[i++] == '-';
  if (i == digits.size()) {
    throw EConvertError("'" + std::string(digits) + "' is not a valid integer value");
  }
  // Only the value modulo 256 matters, so arbitrarily long digit runs cannot overflow.
  int value = 0;
  for (; i < digits.size(); ++i) {
    const char c = digits[i];
    if (c < '0' || c > '9') {
      throw EConvertError("'" + std::string(digits) + "' is not a valid integer value");
    }
    value = (value * 10 + (c - '0')) % 256;
  }
  return negative ? (256 - value) % 256 : value;
}

}  // namespace

std::string frxEscape(std::string_view value) {
  size_t first = 0;
  while (first < value.size() && !NeedsEscape(static_cast<unsigned char>(value[first]))) ++first;
  if (first == value.size()) return std::string(value);

  std::string out;
  out.reserve(value.size() + 16);
  out.append(value.substr(0, first));
  for (size_t i = first; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    // A value holding "&quot;" gets its ampersand escaped like any other: written as a
    // quote reference, the text would read back as one double quote.
    if (NeedsEscape(c)) {
      AppendReference(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string frxUnescape(std::string_view value) {
  const size_t first = value.find('&');
  if (first == std::string_view::npos) return std::string(value);

  std::string out;
  out.reserve(value.size());
  out.append(value.substr(0, first));
  size_t i = first;
  while (i < value.size()) {
    const char c = value[i];
    if (c != '&') {
      const size_t next = value.find('&', i);
      const size_t stop = next == std::string_view::npos ? value.size() : next;
      out.append(value.substr(i, stop - i));
      i = stop;
      continue;
    }
    if (i + 2 < value.size() && value[i + 1] == '#') {
      const size_t semicolon = value.find(';', i + 2);
      if (semicolon == std::string_view::npos) {
        // An unterminated reference has nothing to stop at: keep the rest as it is.
        out.append(value.substr(i));
        break;
      }
      out += static_cast<char>(ReferenceByte(value.substr(i + 2, semicolon - i - 2)));
      i = semicolon + 1;
    } else if (StartsWith(value, i + 1, "quot;")) {
      out += '"';
      i += 6;
    } else if (StartsWith(value, i + 1, "amp;")) {
      out += '&';
      i += 5;
    } else if (StartsWith(value, i + 1, "lt;")) {
      out += '<';
      i += 4;
    } else if (StartsWith(value, i + 1, "gt;")) {
      out += '>';
      i += 4;
    } else {
      out += '&';
      ++i;
    }
  }
  return out;
}

std::string frxUnescapeOrKeep(std::string_view value) {
  try {
    return frxUnescape(value);
  } catch (const EConvertError&) {
    return std::string(value);
  }
}

}  // namespace quarlo
