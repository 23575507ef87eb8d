// RelayControlPort: zolsim's stand-in for the cloud relay's control port. A
// client announces itself ({"type":"client","name":...}); the relay answers
// with the host message naming the data port and a fresh session identifier,
// answers every ping with a pong, and sends error objects when told to.
// Every line it writes is AES-encrypted JSON in base64, ended by LF.
//
// Runs on zolsim's event loop; not thread-safe.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "simulator/relay_message_reader.h"

namespace zol {

struct RelayBehaviour {
    bool announceHost = true;  // false: never send the host message
    int errorCode = 0;         // non-zero: send this error object after the announcement
    std::string errorText;
};

class RelayControlPort : public QObject {
  public:
    using LogFunction = std::function<void(const std::string&)>;

    RelayControlPort(quint16 dataPort, RelayBehaviour behaviour, LogFunction log);

    bool Listen(quint16 port, std::string& error);
    quint16 Port() const { return listener_.serverPort(); }

    // Sends {"error":text,"code":code} to every connected client.
    int SendErrorToAll(int code, const std::string& text);

  private:
    struct Client {
        QTcpSocket* socket = nullptr;
        RelayMessageReader reader;
    };

    void OnNewConnection();
    void OnReadable(QTcpSocket* socket);
    void Handle(QTcpSocket* socket, const std::string& json);
    static void SendLine(QTcpSocket* socket, const std::string& json);

    const quint16 dataPort_;
    const RelayBehaviour behaviour_;
    const LogFunction log_;
    QTcpServer listener_;
    std::map<QTcpSocket*, std::unique_ptr<Client>> clients_;
    int nextSession_ = 1;
};

}  // namespace zol
