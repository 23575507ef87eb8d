#include "simulator/discovery_responder.h"

#include <QNetworkDatagram>
#include <memory>

#include "simulator/sim_mode.h"
#include "simulator/sim_server.h"

namespace zol {

DiscoveryResponder::DiscoveryResponder(quint16 serverPort) : serverPort_(serverPort) {
    connect(&socket_, &QUdpSocket::readyRead, this, &DiscoveryResponder::OnDatagrams);
}

bool DiscoveryResponder::Listen(const QHostAddress& address, quint16 port, std::string& error) {
    if (!socket_.bind(address, port)) {
        error = socket_.errorString().toStdString();
        return false;
    }
    return true;
}

QByteArray DiscoveryResponder::Answer(quint16 serverPort) {
    QByteArray answer("HELLO\0\0\0\0\0", 10);
    answer.append(static_cast<char>(serverPort >> 8));
    answer.append(static_cast<char>(serverPort & 0xFF));
    return answer;
}

void DiscoveryResponder::OnDatagrams() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(1024);
        if (datagram.data() != QByteArrayLiteral("BRIDGE"))
            continue;
        socket_.writeDatagram(Answer(serverPort_), datagram.senderAddress(),
                              static_cast<quint16>(datagram.senderPort()));
        ++answered_;
    }
}

namespace {

// zolsim's --discovery-port option.
class DiscoveryMode : public SimMode {
  public:
    void AddOptions(QCommandLineParser& parser) override {
        parser.addOption({QStringLiteral("discovery-port"),
                          QStringLiteral("Answer server searches on this UDP port (1998 is the "
                                         "clients' own)."),
                          QStringLiteral("port")});
        parser.addOption({QStringLiteral("discovery-address"),
                          QStringLiteral("Address the discovery responder listens on."),
                          QStringLiteral("address"), QStringLiteral("127.0.0.1")});
    }

    bool Start(const QCommandLineParser& parser, SimServer& server,
               const std::function<void(const std::string&)>& announce,
               std::string& error) override {
        if (!parser.isSet(QStringLiteral("discovery-port")))
            return true;
        bool ok = false;
        const uint port = parser.value(QStringLiteral("discovery-port")).toUInt(&ok);
        const QHostAddress address(parser.value(QStringLiteral("discovery-address")));
        if (!ok || port > 65535 || address.isNull()) {
            error = "--discovery-port needs a port and --discovery-address an IPv4 address";
            return false;
        }
        responder_ = std::make_unique<DiscoveryResponder>(server.Port());
        if (!responder_->Listen(address, static_cast<quint16>(port), error)) {
            error = "discovery port: " + error;
            return false;
        }
        announce("discovery on " + address.toString().toStdString() + ":" +
                 std::to_string(responder_->Port()));
        return true;
    }

  private:
    std::unique_ptr<DiscoveryResponder> responder_;
};

const SimModeRegistration kDiscoveryRegistration([] { return std::make_unique<DiscoveryMode>(); });

}  // namespace

}  // namespace zol
