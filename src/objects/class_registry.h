#pragma once
// Class name -> class, for creating objects from the names found in documents.
// Lookup ignores letter case; the first registered class of a name wins.

#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "objects/property_model.h"

namespace quarlo {

class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

// Registers the class and each ancestor in turn, stopping at the first ancestor
// already registered (TPersistent itself is not registered).
void RegisterClass(const ClassInfo& info);
template <class T>
void RegisterClass() {
  RegisterClass(T::StaticClass());
}
// Null when unknown.
const ClassInfo* FindClass(std::string_view name);
// Throws EClassNotFound "Class %s not found" when unknown.
const ClassInfo& GetClass(std::string_view name);
// Registered classes in registration order.
std::vector<const ClassInfo*> RegisteredClasses();

}  // namespace quarlo
