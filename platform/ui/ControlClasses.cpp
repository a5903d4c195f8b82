#include "platform/ui/WindowClassRegistry.h"

namespace platform {

// The standard controls register their window classes here. Until a class is
// registered, windows of it get the generic placeholder.
void RegisterControlClasses() {}

}  // namespace platform
