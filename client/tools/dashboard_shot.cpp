// Developer tool: loads the house from a zolsim on this machine, shows one
// display in the main view as the client would, and saves a screenshot
// (and FILE-key.png, the colour key of the first power graph shown).
//
//   zolclient_dashboard_shot --port N [--show Main] [--dpi 96]
//                            [--size 1280x800] [--wait-ms 4000] --out FILE.png
//
// Run it under Xvfb (the HTML tiles need a real X server):
//   xvfb-run -a -s '-screen 0 1280x800x24' zolclient_dashboard_shot ...
#include <arpa/inet.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <string>

#include "client/core/client_settings.h"
#include "client/core/default_locations.h"
#include "client/core/extended_status_receivers.h"
#include "client/core/theme_folders.h"
#include "client/display/tiles/graph_key.h"
#include "client/display/tiles/tile_power.h"
#include "client/display/zol_client_view.h"
#include "client/model/display_loader.h"
#include "client/model/hint_alert.h"
#include "client/model/html_folder_sync.h"
#include "client/model/request_catalogue.h"
#include "client/model/request_channel.h"
#include "client/model/user_reporter.h"
#include "client/tools/printing_reporter.h"
#include "serverlink/connect_handshake.h"
#include "serverlink/server_link.h"

namespace {

using zol::tools::PrintingReporter;

class NoHints : public zol::HintAlertReporter {
  public:
    int ShowAlertWithHint(zol::AlertKind, std::string_view, std::string_view, bool&) override {
        return 1;
    }
};

QString Option(const QStringList& args, const QString& name, const QString& fallback) {
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int port = Option(args, QStringLiteral("--port"), QStringLiteral("0")).toInt();
    const std::string displayName =
        Option(args, QStringLiteral("--show"), QStringLiteral("Main")).toStdString();
    const int dpi = Option(args, QStringLiteral("--dpi"), QStringLiteral("96")).toInt();
    const QStringList size =
        Option(args, QStringLiteral("--size"), QStringLiteral("1280x800")).split(u'x');
    const int waitMs = Option(args, QStringLiteral("--wait-ms"), QStringLiteral("4000")).toInt();
    const QString out = Option(args, QStringLiteral("--out"), QString());
    if (port <= 0 || out.isEmpty() || size.size() != 2) {
        std::fprintf(stderr,
                     "usage: --port N --out FILE.png [--show DISPLAY] [--dpi N] "
                     "[--size WxH] [--wait-ms N]\n");
        return 2;
    }

    zol::ClientSettings settings;
    settings.clientName = "Dashboard shot";
    const std::filesystem::path tempDir =
        std::filesystem::temp_directory_path() / ("zol-dashboard-shot-" + std::to_string(port));
    settings.tempDirPath = tempDir.string();
    zol::IconSetOptions themeOptions;
    themeOptions.dpi = dpi;
    zol::ThemeFolderList themes =
        zol::EnumerateThemeFolders(zol::EffectiveThemeDir(settings), themeOptions);
    zol::IconSetLookup iconSets = [&themes](std::string_view name) {
        return zol::FindIconSet(themes.sets, name);
    };

    zol::LinkTimeouts timeouts;
    zol::ServerLink link(timeouts);
    zol::ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = static_cast<std::uint16_t>(port);
    zol::ConnectHandshake handshake(link, zol::ClientProgram::Gui,
                                    zol::OwnGreetingNumbers(zol::ClientProgram::Gui));
    if (handshake.Open(target) != 0 || handshake.Greet() != 0) {
        std::fprintf(stderr, "no zolsim on 127.0.0.1:%d\n", port);
        return 1;
    }
    zol::ServerLinkChannel channel(link);
    PrintingReporter reporter;
    zol::Design design;
    std::string failure;
    std::string token;
    std::int32_t referenceDpi = 96;
    zol::DisplayLoadContext context;
    context.server = link.Greeting();
    context.tempDir = tempDir;
    context.iconSets = iconSets;
    context.backgroundColor = settings.backgroundColor;
    context.textColor = settings.textColor;
    zol::DisplayList displays;
    if (zol::RequestReferenceDpi(channel, referenceDpi, failure) != 0 ||
        zol::LoadDesign(channel, context.server.serverMajor, design, token, failure) != 0 ||
        zol::LoadDisplays(channel, reporter, context, displays, failure) != 0) {
        std::fprintf(stderr, "load failed: %s\n", failure.c_str());
        return 1;
    }
    design.AppendDisplays(std::move(displays));
    // The HTML folders marked for it are copied at connect, as the client does.
    NoHints hints;
    zol::HtmlFolderSync sync{channel, reporter, hints, tempDir, {}};
    zol::CopyHtmlFolders(sync, design.displays, false, true);
    const zol::DisplayRecord* display = design.FindDisplayByName(displayName);
    if (display == nullptr) {
        std::fprintf(stderr, "no display %s\n", displayName.c_str());
        return 1;
    }

    zol::ExtendedStatusReceivers statusReceivers;
    zol::DisplayServices services;
    services.design = [&design] { return &design; };
    services.settings = &settings;
    services.channel = &channel;
    services.reporter = &reporter;
    services.refreshAllowed = [] { return true; };
    services.iconSets = iconSets;
    services.statusReceivers = &statusReceivers;
    services.screenDpi = dpi;
    {
        zol::CZOLClientView view(services);
        view.SetReferenceDpi(referenceDpi);
        view.resize(size[0].toInt(), size[1].toInt());
        view.show();
        view.ShowDisplay(display->displayId);
        QTimer::singleShot(waitMs, &app, [&] {
            const QPixmap shot = view.screen()->grabWindow(view.winId());
            bool saved = shot.save(out, "PNG");
            // The colour key of the first power graph shown, beside the shot.
            for (zol::CTileWindow* tile : view.TileWindows()) {
                if (auto* power = dynamic_cast<zol::CTilePower*>(tile)) {
                    zol::CGraphKey key(zol::GraphKeyRows(power->Graph()), &view);
                    key.show();
                    QCoreApplication::processEvents();
                    QString keyFile = out;
                    keyFile.replace(QStringLiteral(".png"), QStringLiteral("-key.png"));
                    saved = key.grab().save(keyFile, "PNG") && saved;
                    break;
                }
            }
            app.exit(saved ? 0 : 1);
        });
        const int rc = app.exec();
        // Tiles go with deleteLater; they must go while the view is whole.
        view.ClearCurrentDisplay();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (rc != 0)
            return rc;
    }
    link.CloseServerConnection();
    return 0;
}
