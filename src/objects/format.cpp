#include "objects/format.h"

namespace quarlo {

const EnumInfo& FormatKindNames() {
  static const EnumInfo names{"fkText", "fkNumeric", "fkDateTime", "fkBoolean"};
  return names;
}

const ClassInfo& TfrxFormat::StaticClass() {
  static const ClassInfo info = [] {
    using F = TfrxFormat;
    auto b = QUARLO_CLASS_BUILDER(TfrxFormat, TPersistent);
    b.String("DecimalSeparator", &F::DecimalSeparator, &F::SetDecimalSeparator);
    b.String("ThousandSeparator", &F::ThousandSeparator, &F::SetThousandSeparator);
    b.String("FormatStr", &F::FormatStr, &F::SetFormatStr);
    b.Enum("Kind", FormatKindNames(), &F::Kind, &F::SetKind).Default(fkText);
    return b.Build();
  }();
  return info;
}

bool TfrxFormat::operator==(const TfrxFormat& other) const {
  return decimalSeparator_ == other.decimalSeparator_ &&
         thousandSeparator_ == other.thousandSeparator_ && formatStr_ == other.formatStr_ &&
         kind_ == other.kind_;
}

}  // namespace quarlo
