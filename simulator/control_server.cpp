#include "simulator/control_server.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "simulator/control_commands.h"

namespace zol {

namespace {

// A control line longer than this is not a command; the connection ends.
constexpr qint64 kMaxLineLength = 64 * 1024;

}  // namespace

ControlServer::ControlServer(SimServer& server) : server_(server) {
    QObject::connect(&listener_, &QTcpServer::newConnection, this, [this] { OnNewConnection(); });
}

bool ControlServer::Listen(quint16 port, std::string& error) {
    if (!listener_.listen(QHostAddress::LocalHost, port)) {
        error = listener_.errorString().toStdString();
        return false;
    }
    return true;
}

quint16 ControlServer::Port() const {
    return listener_.serverPort();
}

void ControlServer::OnNewConnection() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        socket->setParent(this);
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                QByteArray line = socket->readLine().trimmed();
                for (const std::string& answer : RunControlCommand(server_, line.toStdString())) {
                    socket->write(answer.data(), static_cast<qint64>(answer.size()));
                    socket->write("\n", 1);
                }
            }
            if (socket->bytesAvailable() > kMaxLineLength) {
                socket->write("ERR line too long\n");
                socket->disconnectFromHost();
            }
        });
    }
}

}  // namespace zol
