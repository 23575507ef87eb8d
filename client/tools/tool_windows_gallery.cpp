// Saves every tool window as a PNG, to look at them without a server:
//   zolclient_toolwindow_gallery OUTDIR [DPI]
// The status and log windows read canned replies.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>

#include <cstdio>
#include <functional>

#include "client/core/client_settings.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/toolwindows/client_options_sheet.h"
#include "client/toolwindows/discovery_popup.h"
#include "client/toolwindows/remote_access_viewer.h"
#include "client/toolwindows/server_log_window.h"
#include "client/toolwindows/server_status_window.h"
#include "client/toolwindows/settings_user_interface_page.h"
#include "serverlink/field_list.h"

namespace {

std::string Fields(const std::vector<std::string>& fields) {
    zol::FieldList list(static_cast<int>(fields.size()));
    for (const std::string& f : fields)
        list.Add(f);
    return list.Message();
}

// Answers the status and log requests as a small house would.
class CannedChannel : public zol::RequestChannel {
  public:
    explicit CannedChannel(bool knowsLog) : knowsLog_(knowsLog) {}
    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        zol::ReplyFields request;
        request.Decode(message);
        const std::string method(request.Text(2));
        resultCode = 0;
        if (method == "GetServerStatus") {
            reply = Fields({"0", "ZOLApp", method, "1", "0", "2", "1", "1", "0", "20261208112100",
                            "20261201063000", "20261208073800", "20261208161900"});
        } else if (method == "GetExtServerStatus") {
            reply =
                Fields({"0", "ZOLApp", method, "1", "20261208112100", "20261201063000",
                        "20261208073800", "7 days 04:51", "2026-12-01", "2026-12-08",
                        "Energy this week", "---Monday", "Heating,12.4 kWh", "Lighting,3.1 kWh",
                        "---Tuesday", "Heating,10.9 kWh", "Lighting,2.8 kWh", "Pool pump,4.0 kWh"});
        } else if (!knowsLog_) {
            resultCode = -104;
            reply = Fields({"-104", "ZOLApp", method});
        } else if (method == "GetLogFilters") {
            reply = Fields({"0", "ZOLApp", method, "0", "All", "1", "Commands", "2", "Status", "3",
                            "Messages"});
        } else if (method == "GetLog" && request.Text(4) == "0") {
            std::vector<std::string> fields = {"0", "ZOLApp", method, "0", "13"};
            const char* texts[] = {"Device.On Kitchen - Ceiling",
                                   "Home mode Away",
                                   "Device.DimToPercent Living Room - Lamp 40",
                                   "Motion in the garden",
                                   "Schedule Weekday",
                                   "Program.StartEx Outside - Evening lights",
                                   "Door bell",
                                   "Device.Off Garage - Door light",
                                   "Home mode Home",
                                   "Mail arrived",
                                   "Device.On Bedroom - Fan",
                                   "Group.DimToPercent Downstairs 60"};
            const int kinds[] = {1, 2, 1, 3, 2, 1, 3, 1, 2, 3, 1, 1};
            for (int i = 0; i < 12; ++i) {
                char stamp[16];
                std::snprintf(stamp, sizeof stamp, "202612081%01d%02d00", i / 6, (i * 7) % 60);
                fields.push_back(
                    Fields({std::to_string(i + 1), stamp, std::to_string(kinds[i]), texts[i]}));
            }
            reply = Fields(fields);
        } else {
            resultCode = 1;
            reply = Fields({"1", "ZOLApp", method});
        }
        return 0;
    }

  private:
    bool knowsLog_;
};

bool Save(QWidget* window, const QString& file) {
    window->show();
    QApplication::processEvents();
    const bool saved = window->grab().save(file, "PNG");
    window->hide();
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [DPI]\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const int dpi = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 96;
    QDir().mkpath(outDir);
    const auto file = [&](const char* name) {
        return QStringLiteral("%1/%2_%3dpi.png").arg(outDir, QLatin1String(name)).arg(dpi);
    };
    int failures = 0;

    zol::ClientSettings settings;
    settings.primaryIPAddress = static_cast<std::int32_t>(0xC0A80114);
    settings.clientName = "Hall panel";
    settings.agentAddress = "relay.example.net";
    {
        zol::CClientOptionsSheet sheet(settings, dpi);
        const char* names[] = {"options_connection", "options_user_interface",
                               "options_status_bar"};
        for (int tab = 0; tab < 3; ++tab) {
            sheet.Tabs()->setCurrentIndex(tab);
            failures += Save(&sheet, file(names[tab])) ? 0 : 1;
        }
        sheet.Tabs()->setCurrentIndex(1);
        sheet.UserInterfacePage()->NewLockCodeField()->setText(QStringLiteral("12"));
        failures += Save(&sheet, file("options_lock_code_problem")) ? 0 : 1;
    }
    {
        zol::CDiscoveryPopup popup(dpi, nullptr);
        failures += Save(&popup, file("discovery_popup")) ? 0 : 1;
    }
    CannedChannel house(true);
    {
        zol::CServerStatusWindow status(house, settings, dpi);
        status.Refresh();
        failures += Save(&status, file("server_status")) ? 0 : 1;
    }
    {
        zol::CServerLogWindow log(house, settings, 0, dpi);
        log.Load();
        failures += Save(&log, file("server_log")) ? 0 : 1;
    }
    {
        CannedChannel old(false);
        zol::CServerLogWindow log(old, settings, 0, dpi);
        log.Load();
        failures += Save(&log, file("server_log_unsupported")) ? 0 : 1;
    }
    {
        zol::CRemoteAccessViewer* viewer = zol::CRemoteAccessViewer::Open();
        using zol::AppMessage;
        zol::CRemoteAccessViewer::Post(AppMessage::TraceSent, "ZOLF0000000019010003");
        zol::CRemoteAccessViewer::Post(AppMessage::TraceReceived, std::string("ZOL01\x01"
                                                                              "0019010003",
                                                                              16));
        for (int i = 0; i < 40; ++i) {
            zol::CRemoteAccessViewer::Post(
                AppMessage::TraceSent,
                zol::FieldList{"ZOLObject", "Device.On", "Kitchen - Ceiling"}.Message());
            zol::CRemoteAccessViewer::Post(
                AppMessage::TraceReceived,
                zol::FieldList{"0", "ZOLObject", "Device.On", "Kitchen - Ceiling"}.Message());
            if (i % 9 == 0)
                zol::CRemoteAccessViewer::Post(AppMessage::TraceText, "Left button DOWN");
        }
        QCoreApplication::sendPostedEvents();
        viewer->Flush();
        failures += Save(viewer, file("remote_access_viewer")) ? 0 : 1;
        delete viewer;
    }
    return failures == 0 ? 0 : 1;
}
