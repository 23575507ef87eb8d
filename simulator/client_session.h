// One client connection of the simulated server: frames in, replies and
// pushes out, with the fault settings applied to what goes out.
//
// Lives on the server's event-loop thread only.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <deque>
#include <string>

#include "simulator/frame_reader.h"
#include "simulator/session_state.h"

namespace zol {

class SimServer;

class ClientSession : public QObject {
  public:
    ClientSession(SimServer& server, QTcpSocket* socket, int connectionId, int clientNumber);
    ~ClientSession() override;

    int ConnectionId() const { return connectionId_; }
    const SessionState& State() const { return state_; }
    quint16 PeerPort() const;

    // Sends a push (or a reply) subject to the write faults.
    void Send(const std::string& bytes);
    // Bytes written and not yet sent.
    qint64 Unsent() const;
    // Closes the connection; the server forgets the session afterwards.
    void Drop();

  private:
    void OnReadyRead();
    void HandleFrame(const std::string& frame);
    void HandleGreeting(const std::string& frame);
    void HandleRequest(const std::string& frame);
    void SendReply(const std::string& reply);
    void WriteNow(const std::string& bytes);
    void DripOneByte();

    SimServer& server_;
    QTcpSocket* socket_;
    int connectionId_;
    SessionState state_;
    FrameReader reader_;
    std::deque<char> drip_;  // bytes waiting to go out one at a time
    bool dripScheduled_ = false;
    bool dropping_ = false;
};

}  // namespace zol
