#include "objects/property_differences.h"

#include "objects/serializer.h"
#include "xml/xml_document.h"
#include "objects/units.h"
#include "platform/codepage.h"

namespace quarlo {

void DifferenceWriter::Always(std::string_view name, std::string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  out_ += value;
  out_ += '"';
}

void DifferenceWriter::Float(std::string_view name, double value, double tmpl) {
  if (!FloatsMatch(value, tmpl)) Always(name, FloatToXML(value));
}

void DifferenceWriter::Integer(std::string_view name, std::int64_t value, std::int64_t tmpl) {
  if (value != tmpl) Always(name, std::to_string(value));
}

void DifferenceWriter::Bool(std::string_view name, bool value, bool tmpl) {
  if (value != tmpl) Always(name, value ? "True" : "False");
}

void DifferenceWriter::Enum(std::string_view name, const EnumInfo& names, int value, int tmpl) {
  if (value == tmpl) return;
  const std::string& text = names.Name(value);
  Always(name, text.empty() ? std::to_string(value) : text);
}

void DifferenceWriter::String(std::string_view name, std::string_view value,
                              std::string_view tmpl) {
  if (value != tmpl) Always(name, frxEscape(value));
}

void DifferenceWriter::Utf8(std::string_view name, std::u16string_view value,
                            std::u16string_view tmpl) {
  if (value != tmpl) Always(name, frxEscape(WideToUtf8(value)));
}

void DifferenceWriter::Property(std::string_view name, const TPersistent& object,
                                const TPersistent& tmpl, std::string_view path) {
  PropertyTarget a = FindPropertyPath(const_cast<TPersistent&>(object), path);
  PropertyTarget b = FindPropertyPath(const_cast<TPersistent&>(tmpl), path);
  if (!a.property || !b.property) return;
  const PropertyInfo& p = *a.property;
  switch (p.kind) {
    case PropertyKind::Enumeration: {
      std::int64_t v = p.getOrdinal(*a.object), t = b.property->getOrdinal(*b.object);
      if (v != t) Enum(name, *p.enumInfo, static_cast<int>(v), static_cast<int>(t));
      break;
    }
    case PropertyKind::Integer:
    case PropertyKind::Char:
    case PropertyKind::WChar:
    case PropertyKind::Set:
      Integer(name, p.getOrdinal(*a.object), b.property->getOrdinal(*b.object));
      break;
    case PropertyKind::Float:
      Float(name, p.getFloat(*a.object), b.property->getFloat(*b.object));
      break;
    case PropertyKind::String:
    case PropertyKind::Variant:
      String(name, p.getString(*a.object), b.property->getString(*b.object));
      break;
    case PropertyKind::WString:
      Utf8(name, p.getWString(*a.object), b.property->getWString(*b.object));
      break;
    default:
      break;
  }
}

}  // namespace quarlo
