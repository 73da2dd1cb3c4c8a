#include "app/cli/cli_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/codepage.h"
#include "platform/utf_text.h"

namespace quarlo::cli {

namespace {

void PutEscape(std::ostream& out, unsigned unit) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
  out << buffer;
}

void PutUtf8(std::ostream& out, char32_t c) {
  if (c < 0x80) {
    out.put(static_cast<char>(c));
  } else if (c < 0x800) {
    out.put(static_cast<char>(0xc0 | (c >> 6)));
    out.put(static_cast<char>(0x80 | (c & 0x3f)));
  } else if (c < 0x10000) {
    out.put(static_cast<char>(0xe0 | (c >> 12)));
    out.put(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out.put(static_cast<char>(0x80 | (c & 0x3f)));
  } else {
    out.put(static_cast<char>(0xf0 | (c >> 18)));
    out.put(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
    out.put(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out.put(static_cast<char>(0x80 | (c & 0x3f)));
  }
}

}  // namespace

void JsonWriter::Indent() {
  // Deep nesting (an outline can nest without limit) is not indented further: the
  // output stays proportional to the input.
  constexpr size_t kMaxIndentedLevels = 32;
  out_ << '\n' << std::string(2 * std::min(levels_.size(), kMaxIndentedLevels), ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!levels_.empty()) {
    if (levels_.back().count++ > 0) out_ << ',';
    Indent();
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  out_ << '{';
  levels_.push_back({false, 0});
}

void JsonWriter::EndObject() {
  const bool empty = levels_.back().count == 0;
  levels_.pop_back();
  if (!empty) Indent();
  out_ << '}';
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::BeginArray() {
  BeforeValue();
  out_ << '[';
  levels_.push_back({true, 0});
}

void JsonWriter::EndArray() {
  const bool empty = levels_.back().count == 0;
  levels_.pop_back();
  if (!empty) Indent();
  out_ << ']';
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  WriteString(Utf8ToUtf16(name));
  out_ << ": ";
  afterKey_ = true;
}

void JsonWriter::String(std::u16string_view text) {
  BeforeValue();
  WriteString(text);
}

void JsonWriter::WriteString(std::u16string_view text) {
  out_ << '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    switch (c) {
      case u'"': out_ << "\\\""; continue;
      case u'\\': out_ << "\\\\"; continue;
      case u'\n': out_ << "\\n"; continue;
      case u'\r': out_ << "\\r"; continue;
      case u'\t': out_ << "\\t"; continue;
      default: break;
    }
    if (c < 0x20) {
      PutEscape(out_, c);
    } else if (c >= 0xd800 && c <= 0xdbff && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
               text[i + 1] <= 0xdfff) {
      PutUtf8(out_, 0x10000 + ((c - 0xd800) << 10) + (text[i + 1] - 0xdc00));
      ++i;
    } else if (c >= 0xd800 && c <= 0xdfff) {
      // A byte that did not decode: kept visible as an escape instead of bad UTF-8.
      PutEscape(out_, c);
    } else {
      PutUtf8(out_, c);
    }
  }
  out_ << '"';
}

void JsonWriter::Utf8String(std::string_view utf8) { String(Utf8ToUtf16(utf8)); }

void JsonWriter::CodePageString(std::string_view bytes) { String(DecodeCodePage(bytes, CP_ACP)); }

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ << value;
}

void JsonWriter::Decimal(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ << "null";
    return;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  out_ << text;
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ << (value ? "true" : "false");
}

}  // namespace quarlo::cli
