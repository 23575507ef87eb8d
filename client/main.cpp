// ZOL Client: the touch-panel client of the home-automation server. This is
// the client proper, a module the zolclient program loads; its arguments:
//
//   zolclient [/ZOLServer:a.b.c.d] [/ZOLServerName:host] [/Port:n] [/PSWD:text]
//             [/RAV] [/CloudConnect:n] [/CloudToken:text]
//             [--screenshot FILE]          save the main window as a PNG and quit,
//                                          once the first connect has ended
//             [--screenshot-connect DIR]   save the connect window each time it
//                                          changes (connect-NN.png)
//             [--exit-when-shown]          print the time from process start to
//                                          the home display shown, and quit
//             [--exit-after-updates N]     quit once N "Update" pushes were
//                                          applied, printing the longest
//                                          event-loop gap
//                                          (both: see measure_switches.h)
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>

#include <memory>
#include <type_traits>
#include <utility>

#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"
#include "client/launch/start_connection.h"
#include "client/measure_switches.h"
#include "client/toolwindows/server_connect.h"

namespace {

// The first connect ends well within this, or the screenshot is taken anyway.
constexpr int kScreenshotLimitMs = 60'000;
// Time for the shown display to paint after the connect.
constexpr int kSettleMs = 800;

// Removes "OPTION VALUE" from the arguments; the value or empty.
QString TakeOption(QStringList& arguments, const QString& option) {
    qsizetype i = arguments.indexOf(option);
    if (i < 0 || i + 1 >= arguments.size())
        return QString();
    QString value = arguments.at(i + 1);
    arguments.remove(i, 2);
    return value;
}

// Saves the main window once the first connect has ended (or at the limit).
void ArrangeScreenshot(QApplication& qtApp, zol::CZOLClientApp& app, const QString& file) {
    auto take = [&qtApp, &app, file] {
        const bool saved = app.MainFrame()->grab().save(file, "PNG");
        app.MainFrame()->close();
        qtApp.exit(saved ? 0 : 1);
    };
    if (!app.AutoConnectPosted()) {
        QTimer::singleShot(kSettleMs, &qtApp, take);
        return;
    }
    auto* limit = new QTimer(&qtApp);
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, &qtApp, take);
    limit->start(kScreenshotLimitMs);
    QObject::connect(app.MainFrame(), &zol::CMainFrame::ConnectFinished, &qtApp, [limit, take] {
        limit->stop();
        QTimer::singleShot(kSettleMs, limit, take);
    });
}

// Saves the connect window whenever it looks different from the last save.
void ArrangeConnectShots(QApplication& qtApp, zol::CZOLClientApp& app, const QString& dir) {
    QDir().mkpath(dir);
    auto* poll = new QTimer(&qtApp);
    auto last = std::make_shared<QImage>();
    auto count = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, &qtApp, [&app, dir, last, count] {
        zol::CServerConnect* dialog = app.MainFrame()->ConnectDialog();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        QImage shot = dialog->grab().toImage();
        if (shot == *last)
            return;
        *last = shot;
        shot.save(QDir(dir).filePath(
            QStringLiteral("connect-%1.png").arg(++*count, 2, 10, QLatin1Char('0'))));
    });
    poll->start(20);
}

}  // namespace

// The program's main, called by the launcher with the connect it began.
extern "C" __attribute__((visibility("default"))) int ZolClientMain(
    int argc, char* argv[], zol::StartConnectionSource* started) {
    static_assert(std::is_same_v<decltype(&ZolClientMain), zol::ClientMainFunction>);
    // The HTML tiles' WebEngine shares its GL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // The words as the program was started with them (Qt's own options are
    // words no switch matches).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString screenshot = TakeOption(arguments, QStringLiteral("--screenshot"));
    const QString connectShots = TakeOption(arguments, QStringLiteral("--screenshot-connect"));
    const bool exitWhenShown = arguments.removeAll(QStringLiteral("--exit-when-shown")) > 0;
    const QString exitAfterUpdates = TakeOption(arguments, QStringLiteral("--exit-after-updates"));

    // The connect asked for at start is under way while Qt starts.
    zol::CZOLClientApp::Environment environment = zol::CZOLClientApp::DefaultEnvironment();
    environment.startConnection = started;
    auto app = std::make_unique<zol::CZOLClientApp>(std::move(environment));
    app->BeginInstance(arguments);

    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZOL Client"));
    // Asked before log-off or shutdown the answer is always yes: Qt 6 closes
    // nothing on its own and the settings are saved by the exit below.

    // The application goes before Qt does: it owns windows.
    auto finish = [&app](int rc) {
        const int exitRc = app->ExitInstance();
        app.reset();
        return rc != 0 ? rc : exitRc;
    };
    const bool initialized = app->InitInstance(arguments);
    // What the launcher began is for the connect at start alone.
    if (started != nullptr && !app->AutoConnectPosted())
        started->Decline();
    if (!initialized)
        return finish(0);

    if (!connectShots.isEmpty())
        ArrangeConnectShots(qtApp, *app, connectShots);
    if (!screenshot.isEmpty())
        ArrangeScreenshot(qtApp, *app, screenshot);
    if (exitWhenShown)
        zol::ArrangeExitWhenShown(qtApp, *app);
    if (!exitAfterUpdates.isEmpty())
        zol::ArrangeExitAfterUpdates(qtApp, *app, exitAfterUpdates.toULongLong());
    return finish(qtApp.exec());
}
