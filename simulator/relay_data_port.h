// RelayDataPort: zolsim's stand-in for the relay's data connections. Each
// client first sends one encrypted binding message; the relay answers with
// {"agentstate":"ready"} (encrypted, base64, no terminator) and from then on
// carries the ordinary protocol both ways between the client and the
// simulated server's own port.
//
// Runs on zolsim's event loop; not thread-safe.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <functional>
#include <string>

namespace zol {

class RelayDataPort : public QObject {
  public:
    using LogFunction = std::function<void(const std::string&)>;

    RelayDataPort(quint16 serverPort, LogFunction log);

    bool Listen(quint16 port, std::string& error);
    quint16 Port() const { return listener_.serverPort(); }

  private:
    void OnNewConnection();

    const quint16 serverPort_;
    const LogFunction log_;
    QTcpServer listener_;
};

}  // namespace zol
