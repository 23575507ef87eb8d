// The simulated home-automation server: accepts clients on a loopback port,
// answers them from the shared design, pushes changes to all of them, and
// misbehaves when a fault is switched on.
//
// Runs on one Qt event loop; not thread-safe.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <map>
#include <string>
#include <vector>

#include "simulator/fault_settings.h"
#include "simulator/request_log.h"
#include "simulator/request_router.h"

namespace zol {

class ClientSession;

class SimServer : public QObject {
  public:
    SimServer(SimDesign design, SimConfig config);
    ~SimServer() override;

    // Listens on 127.0.0.1:`port` (0 picks a free port). False with a reason
    // when the port cannot be had.
    bool Listen(quint16 port, std::string& error);
    quint16 Port() const;

    SimServerState& State() { return state_; }
    const RequestRouter& Router() const { return router_; }
    FaultSettings& Faults() { return faults_; }
    RequestLog& Log() { return log_; }

    // Sends a push to its audience; `requesterId` names the connection whose
    // request caused it.
    void Deliver(const SimPush& push, int requesterId);
    // Sends a message to one greeted connection that has given the password
    // when one is demanded (0: to all such). Returns how many connections it
    // went to.
    int PushTo(int connectionId, const std::string& message);
    // The most bytes written to one connection (0: of all) and not yet sent.
    qint64 LargestBacklog(int connectionId) const;
    // Closes one connection (0: all). Returns how many were closed.
    int DropConnections(int connectionId);

    struct ClientInfo {
        int connectionId;
        int clientNumber;
        quint16 peerPort;
        bool greeted;
        std::string clientName;
    };
    std::vector<ClientInfo> Clients() const;

    // Called by a session when its socket is gone.
    void ForgetSession(int connectionId);

  private:
    void OnNewConnection();
    int NextClientNumber() const;

    SimServerState state_;
    RequestRouter router_;
    FaultSettings faults_;
    RequestLog log_;
    QTcpServer listener_;
    std::map<int, ClientSession*> sessions_;  // owned through Qt parenting
    int nextConnectionId_ = 1;
};

}  // namespace zol
