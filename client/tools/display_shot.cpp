// Saves displays of a house as PNG files, to look at them without a touch
// panel: starts zolsim on loopback with the house, loads it as the client
// does, shows each display in a view of the given size and DPI and grabs it.
//   zolclient_display_shot OUTDIR [WIDTHxHEIGHT] [DPI] [DESIGN.json]
// The files are OUTDIR/<display>_<width>x<height>_<dpi>dpi.png.
#include <arpa/inet.h>

#include <QApplication>
#include <QDir>

#include <unistd.h>

#include <cctype>

#include <cstdio>
#include <filesystem>
#include <string>

#include "client/core/client_settings.h"
#include "client/core/theme_folders.h"
#include "client/display/zol_client_view.h"
#include "client/model/request_channel.h"
#include "client/model/tests/load_sequence.h"
#include "client/model/user_reporter.h"
#include "client/tools/printing_reporter.h"
#include "guibase/dpi_scale.h"
#include "serverlink/connect_handshake.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace {

using zol::tools::PrintingReporter;

std::string FileName(const std::string& display) {
    std::string name;
    for (char c : display)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace std::chrono_literals;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [WIDTHxHEIGHT] [DPI] [DESIGN.json]\n", argv[0]);
        return 2;
    }
    const std::string outDir = argv[1];
    int width = 1280;
    int height = 800;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "size must be WIDTHxHEIGHT\n");
        return 2;
    }
    const int dpi = argc > 3 ? std::atoi(argv[3]) : 96;
    const std::string design = argc > 4 ? argv[4] : DEMO_DESIGN_PATH;
    QDir().mkpath(QString::fromLocal8Bit(outDir.c_str()));
    const std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("zol-display-shot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(temp);

    zol::testing::BackgroundProcess sim;
    if (!sim.Start({ZOLSIM_PATH, "--port", "0", "--design", design}, 2, 60s)) {
        std::fprintf(stderr, "zolsim did not start\n");
        return 1;
    }
    zol::LinkTimeouts timeouts;
    zol::ServerLink link(timeouts);
    zol::ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = static_cast<std::uint16_t>(zol::testing::PortFromLine(sim.FirstLines()[0]));
    zol::ConnectHandshake handshake(link, zol::ClientProgram::Gui,
                                    zol::OwnGreetingNumbers(zol::ClientProgram::Gui));
    if (handshake.Open(target) != 0 || handshake.Greet() != 0) {
        std::fprintf(stderr, "no connection to zolsim\n");
        return 1;
    }
    zol::ServerLinkChannel channel(link);
    PrintingReporter reporter;
    zol::ClientSettings settings;
    zol::IconSetOptions options;
    options.dpi = dpi;
    options.backgroundColor = static_cast<std::uint32_t>(settings.backgroundColor);
    zol::ThemeFolderList themes = zol::EnumerateThemeFolders(ZOL_THEMES_DIR, options);

    zol::DisplayLoadContext context;
    context.server = link.Greeting();
    context.tempDir = temp;
    context.backgroundColor = settings.backgroundColor;
    context.textColor = settings.textColor;
    context.iconSets = [&themes](std::string_view name) {
        return zol::FindIconSet(themes.sets, name);
    };
    zol::testing::LoadedHouse house;
    std::string failure;
    if (zol::testing::LoadHouse(channel, reporter, context, house, failure) != 0) {
        std::fprintf(stderr, "load failed: %s\n", failure.c_str());
        return 1;
    }

    zol::DisplayServices services;
    services.design = [&house] { return &house.design; };
    services.settings = &settings;
    services.channel = &channel;
    services.reporter = &reporter;
    services.iconSets = context.iconSets;
    services.screenDpi = dpi;
    zol::CZOLClientView view(std::move(services));
    view.SetReferenceDpi(house.referenceDpi);
    // The view is the frame's lower row, under the status bar.
    view.resize(width, height - zol::ScalePixels(50, dpi));
    view.show();

    int failures = 0;
    for (const auto& display : house.design.displays) {
        view.ShowDisplay(display->displayId);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const QString file = QStringLiteral("%1/%2_%3x%4_%5dpi.png")
                                 .arg(QString::fromLocal8Bit(outDir.c_str()),
                                      QString::fromStdString(FileName(display->name)))
                                 .arg(width)
                                 .arg(height)
                                 .arg(dpi);
        if (!view.grab().save(file, "PNG"))
            ++failures;
        view.LeaveDisplay();
    }
    view.ClearCurrentDisplay();
    QApplication::processEvents();
    link.CloseServerConnection();
    std::filesystem::remove_all(temp);
    return failures == 0 ? 0 : 1;
}
