#include "client/core/screen_waker.h"

#include <QStandardPaths>
#include <QString>

#if ZOL_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#endif

#include "client/model/launcher.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

#if ZOL_HAVE_QTDBUS
bool AskScreenSaver() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
    if (!bus.isConnected() || bus.interface() == nullptr ||
        !bus.interface()->isServiceRegistered(service).value()) {
        return false;
    }
    // Sent without waiting for the answer: waking the screen must not hold
    // up the push that asked for it.
    return bus.send(
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                       service, QStringLiteral("SimulateUserActivity")));
}
#else
bool AskScreenSaver() {
    return false;
}
#endif

}  // namespace

void ScreenWaker::Wake() {
    if (AskScreenSaver())
        return;
    const QString xset = QStandardPaths::findExecutable(QStringLiteral("xset"));
    if (!xset.isEmpty())
        launcher_.StartProgram(ToWindows1252(xset), "dpms force on");
}

}  // namespace zol
