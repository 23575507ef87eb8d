// Saves every control pop-up layout as a PNG, to look at them without
// clicking through the client. The objects come from a design file in the
// simulator's format (the demo house by default); the thermostats answer
// with the state the file gives them.
//   zolclient_popup_gallery OUTDIR [DPI] [DESIGN.json]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "client/core/client_settings.h"
#include "client/display/popup_template.h"
#include "client/model/design.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/user_reporter.h"
#include "client/popups/about_dlg.h"
#include "client/popups/open_control_popup.h"
#include "client/popups/tui_popup.h"
#include "client/popups/tui_system.h"
#include "serverlink/field_list.h"

namespace {

using zol::FieldList;

std::string Bytes(const QJsonValue& value) {
    return value.toString().toStdString();
}

// Answers every command with success, and "ThermostatState" from the file.
class CannedChannel : public zol::RequestChannel {
  public:
    std::map<std::string, QJsonObject> thermostats;  // by full name

    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        zol::ReplyFields request;
        request.Decode(message);
        const std::string method(request.Text(2));
        std::vector<std::string> fields{"0", std::string(request.Text(1)), method};
        if (method == "ThermostatState") {
            const QJsonObject t = thermostats[std::string(request.Text(3))];
            fields.emplace_back(request.Text(3));
            const auto number = [&](const char* key, int fallback) {
                fields.push_back(std::to_string(t.value(QString::fromLatin1(key)).toInt(fallback)));
            };
            number("heatSetpoint", 68);
            number("heatSetpointHigh", 90);
            number("heatSetpointLow", 50);
            number("coolSetpoint", 76);
            number("coolSetpointHigh", 90);
            number("coolSetpointLow", 60);
            number("currentTemperature", -1);
            number("mode", 0);
            fields.emplace_back(t.value(QStringLiteral("fan")).toInt(0) != 0 ? "1" : "0");
            fields.emplace_back(t.value(QStringLiteral("celsius")).toInt(0) != 0 ? "C" : "F");
            fields.emplace_back("0");
            fields.emplace_back("");
        }
        FieldList answer(static_cast<int>(fields.size()));
        for (const std::string& field : fields)
            answer.Add(field);
        resultCode = 0;
        reply = answer.Message();
        return 0;
    }
};

class SilentReporter : public zol::UserReporter {
  public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    int ShowAlert(zol::AlertKind, std::string_view text) override {
        ShowMessage(text);
        return 1;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

void Fill(const QJsonArray& list, zol::ObjectSlots& into, std::int32_t& count) {
    count = 0;
    for (const QJsonValue& v : list) {
        if (count == zol::kMaxObjectSlots)
            break;
        into[static_cast<std::size_t>(count++)] = Bytes(v);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [DPI] [DESIGN.json]\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const int dpi = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 96;
    const QString designFile = argc > 3
                                   ? QString::fromLocal8Bit(argv[3])
                                   : QStringLiteral(ZOL_SOURCE_DIR "/simulator/designs/demo.json");
    QFile file(designFile);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(designFile));
        return 1;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QDir().mkpath(outDir);

    zol::Design design;
    CannedChannel channel;
    SilentReporter reporter;
    zol::ClientSettings settings;
    for (const QJsonValue& value : root.value(QStringLiteral("objects")).toArray()) {
        const QJsonObject o = value.toObject();
        auto object = std::make_unique<zol::DesignObject>();
        object->objectId = o.value(QStringLiteral("objectId")).toInt();
        object->name = Bytes(o.value(QStringLiteral("name")));
        object->location = Bytes(o.value(QStringLiteral("location")));
        object->templateName = Bytes(o.value(QStringLiteral("templateName")));
        object->objectKind = o.value(QStringLiteral("objectKind")).toInt();
        object->level = o.value(QStringLiteral("level")).toInt();
        Fill(o.value(QStringLiteral("buttonNames")).toArray(), object->buttonNames,
             object->buttonCount);
        Fill(o.value(QStringLiteral("texts")).toArray(), object->texts, object->textCount);
        int i = 0;
        for (const QJsonValue& s : o.value(QStringLiteral("buttonStates")).toArray()) {
            if (i < zol::kMaxObjectSlots)
                object->buttonStates[static_cast<std::size_t>(i++)] = s.toInt();
        }
        if (o.contains(QStringLiteral("thermostat")))
            channel.thermostats[zol::FullObjectName(*object)] =
                o.value(QStringLiteral("thermostat")).toObject();
        design.objects.push_back(std::move(object));
    }

    zol::PopupContext context;
    context.services.design = [&design] { return &design; };
    context.services.settings = &settings;
    context.services.channel = &channel;
    context.services.reporter = &reporter;
    context.services.screenDpi = dpi;
    int written = 0;
    for (const auto& object : design.objects) {
        const std::optional<zol::PopupTemplate> popup =
            zol::ResolvePopupTemplate(object->templateName);
        if (!popup)
            continue;
        std::unique_ptr<zol::CTUIPopup> shown =
            zol::MakeControlPopup(*popup, object->objectId, context);
        if (!shown || !shown->Initialise())
            continue;
        shown->show();
        QApplication::processEvents();
        const QString name = QStringLiteral("%1/%2_%3_%4.png")
                                 .arg(outDir)
                                 .arg(object->objectId, 3, 10, QLatin1Char('0'))
                                 .arg(QString::fromStdString(object->templateName))
                                 .arg(dpi);
        if (shown->grab().save(name))
            ++written;
        shown->reject();
    }
    // The control panel, connected (with the file's home modes and
    // schedules, the interface locked) and never connected.
    const QJsonArray modes = root.value(QStringLiteral("homeModes")).toArray();
    for (const QJsonValue& mode : modes) {
        if (design.homeModeCount < zol::kMaxHomeModeNames)
            design.homeModeNames[static_cast<std::size_t>(design.homeModeCount)] = Bytes(mode);
        ++design.homeModeCount;
    }
    for (const QJsonValue& value : root.value(QStringLiteral("schedules")).toArray()) {
        if (design.scheduleCount == zol::kMaxSchedules)
            break;
        const auto i = static_cast<std::size_t>(design.scheduleCount++);
        design.scheduleNames[i] = Bytes(value.toObject().value(QStringLiteral("name")));
        design.scheduleNumbers[i] = value.toObject().value(QStringLiteral("number")).toInt();
    }
    zol::ControlPanelServices panel;
    panel.design = [&design] { return &design; };
    panel.settings = &settings;
    panel.screenDpi = dpi;
    panel.version = {1, 0, 0};
    for (const bool connected : {true, false}) {
        panel.connected = connected;
        panel.currentHomeMode = root.value(QStringLiteral("currentHomeMode")).toInt();
        panel.currentSchedule = root.value(QStringLiteral("currentSchedule")).toInt();
        panel.lock = connected ? zol::LockState::Locked : zol::LockState::Unlocked;
        zol::CTUISystem system(panel);
        system.show();
        QApplication::processEvents();
        written += system.grab().save(
                       QStringLiteral("%1/panel_%2_%3.png")
                           .arg(outDir)
                           .arg(connected ? QStringLiteral("connected") : QStringLiteral("offline"))
                           .arg(dpi))
                       ? 1
                       : 0;
    }
    zol::CAboutDlg about(panel.version, 96, dpi);
    about.show();
    QApplication::processEvents();
    written += about.grab().save(QStringLiteral("%1/about_%2.png").arg(outDir).arg(dpi)) ? 1 : 0;
    std::printf("%d pictures in %s\n", written, qPrintable(outDir));
    return written > 0 ? 0 : 1;
}
