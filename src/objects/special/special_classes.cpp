#include "objects/special/special_classes.h"

#include "objects/class_registry.h"

namespace quarlo {

void RegisterSpecialClasses() {
}

}  // namespace quarlo
