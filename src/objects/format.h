#pragma once
// How the report engine formats a value it puts into a text object. Prepared pages
// carry the finished text; the format is kept so that pages can be written back.

#include <string>

#include "objects/property_model.h"

namespace quarlo {

enum TfrxFormatKind : int { fkText, fkNumeric, fkDateTime, fkBoolean };
const EnumInfo& FormatKindNames();

class TfrxFormat : public TPersistent {
  QUARLO_CLASS(TfrxFormat)
 public:
  TfrxFormat() = default;
  TfrxFormat(const TfrxFormat&) = default;
  TfrxFormat& operator=(const TfrxFormat&) = default;
  bool operator==(const TfrxFormat& other) const;

  const std::string& DecimalSeparator() const { return decimalSeparator_; }
  void SetDecimalSeparator(const std::string& v) { decimalSeparator_ = v; }
  const std::string& ThousandSeparator() const { return thousandSeparator_; }
  void SetThousandSeparator(const std::string& v) { thousandSeparator_ = v; }
  const std::string& FormatStr() const { return formatStr_; }
  void SetFormatStr(const std::string& v) { formatStr_ = v; }
  TfrxFormatKind Kind() const { return kind_; }
  void SetKind(TfrxFormatKind v) { kind_ = v; }

 private:
  std::string decimalSeparator_;
  std::string thousandSeparator_;
  std::string formatStr_;
  TfrxFormatKind kind_ = fkText;
};

}  // namespace quarlo
