#include "objects/class_registry.h"

#include "platform/same_text.h"

#include <mutex>

namespace quarlo {

namespace {

struct Registry {
  std::mutex mutex;
  std::vector<const ClassInfo*> classes;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

const ClassInfo* FindLocked(const Registry& r, std::string_view name) {
  for (const ClassInfo* c : r.classes) {
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

bool Contains(const Registry& r, const ClassInfo* info) {
  for (const ClassInfo* c : r.classes) {
    if (c == info) return true;
  }
  return false;
}

}  // namespace

void RegisterClass(const ClassInfo& info) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  for (const ClassInfo* c = &info; c && c != &TPersistent::StaticClass(); c = c->Parent()) {
    if (Contains(r, c)) break;
    r.classes.push_back(c);
  }
}

const ClassInfo* FindClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  return FindLocked(r, name);
}

const ClassInfo& GetClass(std::string_view name) {
  const ClassInfo* c = FindClass(name);
  if (!c) throw EClassNotFound("Class " + std::string(name) + " not found");
  return *c;
}

std::vector<const ClassInfo*> RegisteredClasses() {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  return r.classes;
}

}  // namespace quarlo
