#include "simulator/relay_mode.h"

#include <QStringList>
#include <cstdio>

#include "simulator/sim_server.h"

namespace zol {

namespace {

const SimModeRegistration kRelayRegistration([] { return std::make_unique<RelayMode>(); });

bool ReadPort(const QCommandLineParser& parser, const QString& name, quint16& port,
              std::string& error) {
    bool ok = false;
    const uint value = parser.value(name).toUInt(&ok);
    if (!ok || value > 65535) {
        error = "--" + name.toStdString() + " needs a port number";
        return false;
    }
    port = static_cast<quint16>(value);
    return true;
}

}  // namespace

void RelayMode::AddOptions(QCommandLineParser& parser) {
    parser.addOption(
        {QStringLiteral("relay-port"),
         QStringLiteral("Act as the cloud relay: its control port (0: any free port)."),
         QStringLiteral("port")});
    parser.addOption({QStringLiteral("relay-data-port"),
                      QStringLiteral("The relay's data port (default: any free port)."),
                      QStringLiteral("port"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("relay-error"),
                      QStringLiteral("Send the error object {\"error\":text,\"code\":code} to each "
                                     "client after its announcement."),
                      QStringLiteral("code:text")});
    parser.addOption({QStringLiteral("relay-no-host"),
                      QStringLiteral("Never announce the server (clients give up waiting).")});
}

bool RelayMode::Start(const QCommandLineParser& parser, SimServer& server,
                      const std::function<void(const std::string&)>& announce, std::string& error) {
    if (!parser.isSet(QStringLiteral("relay-port")))
        return true;
    quint16 controlPort = 0;
    quint16 dataPort = 0;
    if (!ReadPort(parser, QStringLiteral("relay-port"), controlPort, error) ||
        !ReadPort(parser, QStringLiteral("relay-data-port"), dataPort, error)) {
        return false;
    }
    RelayBehaviour behaviour;
    behaviour.announceHost = !parser.isSet(QStringLiteral("relay-no-host"));
    if (parser.isSet(QStringLiteral("relay-error"))) {
        const QString value = parser.value(QStringLiteral("relay-error"));
        const qsizetype colon = value.indexOf(QLatin1Char(':'));
        bool ok = false;
        behaviour.errorCode = value.left(colon).toInt(&ok);
        if (!ok || colon < 0) {
            error = "--relay-error needs code:text";
            return false;
        }
        behaviour.errorText = value.mid(colon + 1).toStdString();
    }

    // The relay's traffic goes to standard error, apart from zolsim's own output.
    auto log = [](const std::string& line) { std::fprintf(stderr, "relay: %s\n", line.c_str()); };
    data_ = std::make_unique<RelayDataPort>(server.Port(), log);
    if (!data_->Listen(dataPort, error)) {
        error = "relay data port: " + error;
        return false;
    }
    control_ = std::make_unique<RelayControlPort>(data_->Port(), behaviour, log);
    if (!control_->Listen(controlPort, error)) {
        error = "relay control port: " + error;
        return false;
    }
    announce("relay control on 127.0.0.1:" + std::to_string(control_->Port()) +
             ", data on 127.0.0.1:" + std::to_string(data_->Port()));
    return true;
}

}  // namespace zol
