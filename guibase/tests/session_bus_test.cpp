#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include "guibase/session_bus.h"

namespace zol {
namespace {

TEST(SessionBus, NoneAnnouncedMeansNoneAskedForAndChildrenGetTheEnvironmentAsFound) {
    const char* variable = "DBUS_SESSION_BUS_ADDRESS";
    const QString name = QString::fromLatin1(variable);
    const bool wasSet = qEnvironmentVariableIsSet(variable);
    const QByteArray was = qgetenv(variable);

    qunsetenv(variable);
    qunsetenv(kNoSessionBusMarker);
    AskForNoSessionBusWhereThereIsNone();
    EXPECT_EQ(qgetenv(variable), "disabled:");
    EXPECT_FALSE(ChildProcessEnvironment().contains(name));
    EXPECT_FALSE(ChildProcessEnvironment().contains(QString::fromLatin1(kNoSessionBusMarker)));

    // An announced bus stays, for the program and the programs it starts.
    qputenv(variable, "unix:path=/tmp/zol-test-bus");
    AskForNoSessionBusWhereThereIsNone();
    EXPECT_EQ(qgetenv(variable), "unix:path=/tmp/zol-test-bus");
    EXPECT_EQ(ChildProcessEnvironment().value(name), QStringLiteral("unix:path=/tmp/zol-test-bus"));

    qunsetenv(kNoSessionBusMarker);
    if (wasSet)
        qputenv(variable, was);
    else
        qunsetenv(variable);
}

}  // namespace
}  // namespace zol
