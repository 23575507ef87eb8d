// The control port: a line protocol on a second loopback port through which
// tests and demos steer the simulated server (see README.md).
//
// Runs on the server's event loop; not thread-safe.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <string>

namespace zol {

class SimServer;

class ControlServer : public QObject {
  public:
    explicit ControlServer(SimServer& server);

    bool Listen(quint16 port, std::string& error);
    quint16 Port() const;

  private:
    void OnNewConnection();

    SimServer& server_;
    QTcpServer listener_;
};

}  // namespace zol
