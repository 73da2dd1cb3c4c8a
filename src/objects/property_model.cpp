#include "objects/property_model.h"

#include "platform/same_text.h"

#include <cmath>

namespace quarlo {

bool IsOrdinalKind(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::Integer:
    case PropertyKind::Char:
    case PropertyKind::WChar:
    case PropertyKind::Enumeration:
    case PropertyKind::Set:
      return true;
    default:
      return false;
  }
}

bool IsSerialisedKind(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::Method:
    case PropertyKind::Int64:
    case PropertyKind::Array:
    case PropertyKind::Record:
    case PropertyKind::Interface:
    case PropertyKind::DynArray:
      return false;
    default:
      return true;
  }
}

EnumInfo::EnumInfo(std::initializer_list<const char*> names) {
  names_.reserve(names.size());
  for (const char* n : names) names_.emplace_back(n);
}

const std::string& EnumInfo::Name(int ordinal) const {
  static const std::string empty;
  if (ordinal < 0 || ordinal >= Count()) return empty;
  return names_[static_cast<size_t>(ordinal)];
}

int EnumInfo::Find(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(names_[static_cast<size_t>(i)], name)) return i;
  }
  return -1;
}

const EnumInfo& BooleanEnum() {
  static const EnumInfo names{"False", "True"};
  return names;
}

bool PropertyInfo::IsStored(const TPersistent& object) const {
  switch (storedRule) {
    case StoredRule::Always:
      return true;
    case StoredRule::Never:
      return false;
    case StoredRule::Predicate:
      return !storedPredicate || storedPredicate(object);
  }
  return true;
}

bool PropertyInfo::IsReadOnly() const {
  switch (kind) {
    case PropertyKind::Integer:
    case PropertyKind::Char:
    case PropertyKind::WChar:
    case PropertyKind::Enumeration:
    case PropertyKind::Set:
      return !setOrdinal;
    case PropertyKind::Float:
      return !setFloat;
    case PropertyKind::String:
    case PropertyKind::Variant:
      return !setString;
    case PropertyKind::WString:
      return !setWString;
    case PropertyKind::Object:
      // Sub-objects are changed through their own properties.
      return isReference ? !setObject : false;
    default:
      return true;
  }
}

bool PropertyInfo::HasDefault() const {
  return ordinalDefault.has_value() || floatDefault.has_value() || stringDefault.has_value();
}

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {
  if (parent_) properties_ = parent_->properties_;
}

PropertyInfo& ClassInfo::AddOwn(std::string name) {
  auto info = std::make_unique<PropertyInfo>();
  info->name = std::move(name);
  PropertyInfo* raw = info.get();
  own_.push_back(std::move(info));
  for (auto& existing : properties_) {
    if (SameText(existing->name, raw->name)) {
      existing = raw;
      return *raw;
    }
  }
  properties_.push_back(raw);
  return *raw;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
  for (const PropertyInfo* p : properties_) {
    if (SameText(p->name, name)) return p;
  }
  return nullptr;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
  for (const ClassInfo* c = this; c; c = c->parent_) {
    if (c == &other) return true;
  }
  return false;
}

bool ClassInfo::InheritsFrom(std::string_view className) const {
  for (const ClassInfo* c = this; c; c = c->parent_) {
    if (SameText(c->name_, className)) return true;
  }
  return false;
}

const ClassInfo& TPersistent::StaticClass() {
  static const ClassInfo info("TPersistent", nullptr);
  return info;
}

// Defaults land in the field of the property's kind, so Default(2) on a float
// property and Default(2.0) on an integer one both mean what they say.
PropertyDecl& PropertyDecl::Default(std::int64_t value) {
  if (info_.kind == PropertyKind::Float) {
    info_.floatDefault = static_cast<double>(value);
  } else {
    info_.ordinalDefault = value;
  }
  return *this;
}

PropertyDecl& PropertyDecl::Default(double value) {
  if (IsOrdinalKind(info_.kind)) {
    info_.ordinalDefault = static_cast<std::int64_t>(std::llround(value));
  } else {
    info_.floatDefault = value;
  }
  return *this;
}

PropertyDecl& PropertyDecl::Default(std::string value) {
  info_.stringDefault = std::move(value);
  return *this;
}

PropertyDecl& PropertyDecl::NotStored() {
  info_.storedRule = StoredRule::Never;
  return *this;
}

PropertyTarget FindPropertyPath(TPersistent& object, std::string_view path) {
  TPersistent* current = &object;
  while (true) {
    size_t dot = path.find('.');
    std::string_view part = path.substr(0, dot);
    const PropertyInfo* p = current->GetClass().FindProperty(part);
    if (!p) return {};
    if (dot == std::string_view::npos) return {current, p};
    if (p->kind != PropertyKind::Object || p->isReference || !p->getObject) return {};
    TPersistent* next = p->getObject(*current);
    if (!next) return {};
    current = next;
    path.remove_prefix(dot + 1);
  }
}

}  // namespace quarlo
