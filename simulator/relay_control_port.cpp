#include "simulator/relay_control_port.h"

#include <QHostAddress>
#include <vector>

#include "serverlink/json_reader.h"
#include "serverlink/relay_crypto.h"
#include "serverlink/relay_link.h"

namespace zol {

RelayControlPort::RelayControlPort(quint16 dataPort, RelayBehaviour behaviour, LogFunction log)
    : dataPort_(dataPort), behaviour_(std::move(behaviour)), log_(std::move(log)) {
    connect(&listener_, &QTcpServer::newConnection, this, &RelayControlPort::OnNewConnection);
}

bool RelayControlPort::Listen(quint16 port, std::string& error) {
    if (!listener_.listen(QHostAddress::LocalHost, port)) {
        error = listener_.errorString().toStdString();
        return false;
    }
    return true;
}

void RelayControlPort::OnNewConnection() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        auto client = std::make_unique<Client>();
        client->socket = socket;
        clients_[socket] = std::move(client);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            clients_.erase(socket);
            socket->deleteLater();
        });
    }
}

void RelayControlPort::OnReadable(QTcpSocket* socket) {
    auto found = clients_.find(socket);
    if (found == clients_.end())
        return;
    const QByteArray bytes = socket->readAll();
    found->second->reader.Append(std::string_view(bytes.constData(), bytes.size()));
    while (std::optional<std::string> json = found->second->reader.Next()) {
        Handle(socket, *json);
    }
}

void RelayControlPort::Handle(QTcpSocket* socket, const std::string& json) {
    log_("relay received " + json);
    std::vector<JsonMember> members;
    ReadJson(json, members);
    const JsonMember* type = FindJsonMember(members, "type");
    if (const JsonMember* ping = FindJsonMember(members, "ping")) {
        SendLine(socket, "{\"pong\":" + ping->value + "}");
    } else if (type && type->value == "client" && FindJsonMember(members, "name")) {
        if (behaviour_.errorCode != 0) {
            SendLine(socket, "{\"error\":\"" + JsonEscape(behaviour_.errorText) +
                                 "\",\"code\":" + std::to_string(behaviour_.errorCode) + "}");
        }
        if (behaviour_.announceHost) {
            SendLine(socket, "{\"host\":\"127.0.0.1\",\"port\":\"" + std::to_string(dataPort_) +
                                 "\",\"uuid\":\"sim-" + std::to_string(nextSession_++) + "\"}");
        }
    }
}

int RelayControlPort::SendErrorToAll(int code, const std::string& text) {
    for (const auto& entry : clients_) {
        SendLine(entry.first,
                 "{\"error\":\"" + JsonEscape(text) + "\",\"code\":" + std::to_string(code) + "}");
    }
    return static_cast<int>(clients_.size());
}

void RelayControlPort::SendLine(QTcpSocket* socket, const std::string& json) {
    const std::string line = EncryptAndEncode(json) + "\n";
    socket->write(line.data(), static_cast<qint64>(line.size()));
}

}  // namespace zol
