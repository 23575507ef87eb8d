#include "guibase/session_bus.h"

#include <QByteArray>

namespace zol {
namespace {

constexpr const char* kBusAddress = "DBUS_SESSION_BUS_ADDRESS";
// libdbus fails at once on this address instead of launching a bus.
constexpr const char* kNoBus = "disabled:";

bool gSetHere = false;

}  // namespace

void AskForNoSessionBusWhereThereIsNone() {
    if (qEnvironmentVariableIsEmpty(kBusAddress))
        gSetHere = qputenv(kBusAddress, QByteArray(kNoBus));
}

QProcessEnvironment ChildProcessEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (gSetHere && environment.value(QString::fromLatin1(kBusAddress)) == QLatin1String(kNoBus))
        environment.remove(QString::fromLatin1(kBusAddress));
    return environment;
}

}  // namespace zol
