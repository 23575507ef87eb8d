#include "simulator/relay_data_port.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "serverlink/relay_crypto.h"

namespace zol {

namespace {

// One client's data connection: binding first, then a plain byte bridge to
// the simulated server. Deletes itself when either side closes.
class DataBridge : public QObject {
  public:
    DataBridge(QTcpSocket* client, quint16 serverPort, RelayDataPort::LogFunction log,
               QObject* owner)
        : QObject(owner), client_(client), log_(std::move(log)) {
        client_->setParent(this);
        server_ = new QTcpSocket(this);
        connect(client_, &QTcpSocket::readyRead, this, &DataBridge::OnClientBytes);
        connect(client_, &QTcpSocket::disconnected, this, &DataBridge::Close);
        connect(server_, &QTcpSocket::readyRead, this,
                [this] { client_->write(server_->readAll()); });
        connect(server_, &QTcpSocket::disconnected, this, &DataBridge::Close);
        connect(server_, &QTcpSocket::errorOccurred, this, [this] { Close(); });
        connect(server_, &QTcpSocket::connected, this, [this] {
            if (!waiting_.isEmpty())
                server_->write(waiting_);
            waiting_.clear();
        });
        server_->connectToHost(QHostAddress::LocalHost, serverPort);
    }

  private:
    void OnClientBytes() {
        const QByteArray bytes = client_->readAll();
        if (!bound_) {
            bound_ = true;
            const std::optional<std::string> binding =
                DecodeAndDecrypt(std::string_view(bytes.constData(), bytes.size()));
            log_("relay data binding " + binding.value_or("(undecodable)"));
            const std::string ready = EncryptAndEncode(R"({"agentstate":"ready"})");
            client_->write(ready.data(), static_cast<qint64>(ready.size()));
            return;
        }
        if (server_->state() == QAbstractSocket::ConnectedState) {
            server_->write(bytes);
        } else {
            waiting_.append(bytes);
        }
    }

    void Close() {
        if (closing_)
            return;
        closing_ = true;
        client_->disconnectFromHost();
        server_->disconnectFromHost();
        deleteLater();
    }

    QTcpSocket* client_;
    QTcpSocket* server_ = nullptr;
    RelayDataPort::LogFunction log_;
    QByteArray waiting_;
    bool bound_ = false;
    bool closing_ = false;
};

}  // namespace

RelayDataPort::RelayDataPort(quint16 serverPort, LogFunction log)
    : serverPort_(serverPort), log_(std::move(log)) {
    connect(&listener_, &QTcpServer::newConnection, this, &RelayDataPort::OnNewConnection);
}

bool RelayDataPort::Listen(quint16 port, std::string& error) {
    if (!listener_.listen(QHostAddress::LocalHost, port)) {
        error = listener_.errorString().toStdString();
        return false;
    }
    return true;
}

void RelayDataPort::OnNewConnection() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        new DataBridge(socket, serverPort_, log_, this);  // owned by the port until it closes
    }
}

}  // namespace zol
