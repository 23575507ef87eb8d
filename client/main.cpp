// ZOL Client: the touch-panel client of the home-automation server.
//
//   zolclient [/ZOLServer:a.b.c.d] [/ZOLServerName:host] [/Port:n] [/PSWD:text]
//             [/RAV] [/CloudConnect:n] [/CloudToken:text]
//             [--screenshot FILE]   save the main window as a PNG and quit
#include <QApplication>
#include <QTimer>

#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"

namespace {

// Removes "--screenshot FILE" from the arguments; the file or empty.
QString TakeScreenshotOption(QStringList& arguments) {
    qsizetype i = arguments.indexOf(QStringLiteral("--screenshot"));
    if (i < 0 || i + 1 >= arguments.size())
        return QString();
    QString file = arguments.at(i + 1);
    arguments.remove(i, 2);
    return file;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The HTML tiles' WebEngine shares its GL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZOL Client"));
    // Asked before log-off or shutdown the answer is always yes: Qt 6 closes
    // nothing on its own and the settings are saved by the exit below.

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const QString screenshot = TakeScreenshotOption(arguments);

    zol::CZOLClientApp app(zol::CZOLClientApp::DefaultEnvironment());
    if (!app.InitInstance(arguments))
        return app.ExitInstance();

    if (!screenshot.isEmpty()) {
        QTimer::singleShot(800, &qtApp, [&] {
            const bool saved = app.MainFrame()->grab().save(screenshot, "PNG");
            app.MainFrame()->close();
            qtApp.exit(saved ? 0 : 1);
        });
    }
    int rc = qtApp.exec();
    int exitRc = app.ExitInstance();
    return rc != 0 ? rc : exitRc;
}
