#include "guibase/session_bus.h"

namespace zol {

QProcessEnvironment ChildProcessEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString marker = QString::fromLatin1(kNoSessionBusMarker);
    const QString address = QString::fromLatin1(kSessionBusVariable);
    if (environment.contains(marker) && environment.value(address) == QLatin1String(kNoSessionBus))
        environment.remove(address);
    environment.remove(marker);
    return environment;
}

}  // namespace zol
