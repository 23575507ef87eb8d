#include "platform/session_bus.h"

#include <cstdlib>

namespace zol {

void AskForNoSessionBusWhereThereIsNone() {
    const char* address = std::getenv(kSessionBusVariable);
    if (address != nullptr && *address != '\0')
        return;
    ::setenv(kSessionBusVariable, kNoSessionBus, 1);
    ::setenv(kNoSessionBusMarker, "1", 1);
}

}  // namespace zol
