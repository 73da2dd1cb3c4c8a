#pragma once
// Building the compact attribute text of WriteDifferences: each call appends
// ' name="value"' only when the value differs from the template's, spelled the way
// the serializer spells it (floats compared with FloatsMatch, booleans and
// enumerations by name, text escaped).

#include <cstdint>
#include <string>
#include <string_view>

#include "objects/property_model.h"

namespace quarlo {

class DifferenceWriter {
 public:
  void Float(std::string_view name, double value, double tmpl);
  void Integer(std::string_view name, std::int64_t value, std::int64_t tmpl);
  void Bool(std::string_view name, bool value, bool tmpl);
  void Enum(std::string_view name, const EnumInfo& names, int value, int tmpl);
  // 8-bit text: the bytes, escaped.
  void String(std::string_view name, std::string_view value, std::string_view tmpl);
  // UTF-16 text written as UTF-8, escaped.
  void Utf8(std::string_view name, std::u16string_view value, std::u16string_view tmpl);
  // A published property (dotted path allowed) compared through the property model.
  void Property(std::string_view name, const TPersistent& object, const TPersistent& tmpl,
                std::string_view path);
  // Unconditionally; `value` is already spelled (and escaped when it is text).
  void Always(std::string_view name, std::string_view value);

  const std::string& Result() const { return out_; }

 private:
  std::string out_;
};

}  // namespace quarlo
