#pragma once
// A small streaming JSON writer for the verbs' machine-readable output.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quarlo::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Inside an object: the member name; the value follows.
  void Key(std::string_view name);
  void String(std::u16string_view text);
  void Utf8String(std::string_view utf8);
  // 8-bit text of the documents' code page.
  void CodePageString(std::string_view bytes);
  void Integer(std::int64_t value);
  // Rounded to two decimals, without trailing zeros ("210", "215.9"); a value that is not
  // finite, which JSON cannot hold, is written as null.
  void Decimal(double value);
  void Bool(bool value);

 private:
  void BeforeValue();
  void Indent();
  void WriteString(std::u16string_view text);

  std::ostream& out_;
  struct Level {
    bool array;
    int count;
  };
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace quarlo::cli
