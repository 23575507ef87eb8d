// DiscoveryResponder: answers the client's server search. A "BRIDGE"
// datagram gets "HELLO", a zero byte and the server's TCP port in bytes 10
// and 11 (high byte first), sent back to its sender. It listens on loopback
// unless told otherwise, so a test run never answers the real network.
//
// Runs on zolsim's event loop; not thread-safe.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <string>

namespace zol {

class DiscoveryResponder : public QObject {
  public:
    explicit DiscoveryResponder(quint16 serverPort);

    bool Listen(const QHostAddress& address, quint16 port, std::string& error);
    quint16 Port() const { return socket_.localPort(); }
    int Answered() const { return answered_; }

    // The answer datagram for a server on `serverPort`.
    static QByteArray Answer(quint16 serverPort);

  private:
    void OnDatagrams();

    const quint16 serverPort_;
    QUdpSocket socket_;
    int answered_ = 0;
};

}  // namespace zol
