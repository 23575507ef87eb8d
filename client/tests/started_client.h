// A ZOL Client application started for a test: its own settings file
// (values given as REGEDIT4 lines of the Connection section and others),
// the shipped themes, message boxes collected instead of shown, programs
// recorded instead of started.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

#include "client/core/zol_client_app.h"
#include "client/model/tests/model_fakes.h"
#include "guibase/windows1252_text.h"
#include "temp_dir.h"

namespace zol::testing {

inline std::string DwordLine(const std::string& name, std::uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof(hex), "%08x", value);
    return "\"" + name + "\"=dword:" + hex + "\n";
}

class StartedClient {
  public:
    // `connection` and `misc` are value lines for those sections. Unless
    // `runPosted` is false, what start-up posted (the connect it asks for)
    // runs before the constructor returns.
    // `beforeInit` runs between making the application and InitInstance.
    StartedClient(const TempDir& dir, const std::string& connection, const QStringList& arguments,
                  const std::string& misc = {}, bool runPosted = true,
                  const std::function<void(CZOLClientApp&)>& beforeInit = {},
                  StartConnectionSource* begunConnection = nullptr) {
        const auto file = WriteSettings(dir, connection, misc);
        CZOLClientApp::Environment env;
        env.registryFile = file;
        env.warningBox = [this](const QString& text) { boxes.push_back(text); };
        env.launcher = launcher;
        env.startConnection = begunConnection;
        app = std::make_unique<CZOLClientApp>(std::move(env));
        if (beforeInit)
            beforeInit(*app);
        started = app->InitInstance(arguments);
        app->Reporter().SetQuiet(true);
        if (runPosted)
            QCoreApplication::sendPostedEvents();
    }
    // The settings file the client reads.
    static std::filesystem::path WriteSettings(const TempDir& dir, const std::string& connection,
                                               const std::string& misc = {}) {
        const auto file = dir.Path() / "ZOLClient.reg";
        const std::string key = "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\";
        std::ofstream(file) << "REGEDIT4\n\n"
                            << key << "Connection]\n"
                            << connection << "\n"
                            << key << "Location]\n\"TempDirPath\"=\""
                            << Windows1252FromPath(dir.Path() / "work") << "\"\n\n"
                            << key << "Misc]\n"
                            << misc << "\n";
        return file;
    }

    ~StartedClient() {
        if (app)
            app->ExitInstance();
    }

    // Runs the event loop until `done` holds or a generous time passed.
    template <typename F>
    static bool RunUntil(F done, int milliseconds = 30'000) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    std::unique_ptr<CZOLClientApp> app;
    QStringList boxes;
    bool started = false;
};

}  // namespace zol::testing
