#include "simulator/sim_server.h"

#include <algorithm>

#include <QHostAddress>
#include <set>

#include "simulator/client_session.h"

namespace zol {

SimServer::SimServer(SimDesign design, SimConfig config)
    : router_(RequestRouter::WithAllRequests()) {
    state_.design = std::move(design);
    state_.config = std::move(config);
    QObject::connect(&listener_, &QTcpServer::newConnection, this, [this] { OnNewConnection(); });
}

SimServer::~SimServer() = default;

bool SimServer::Listen(quint16 port, std::string& error) {
    if (!listener_.listen(QHostAddress::LocalHost, port)) {
        error = listener_.errorString().toStdString();
        return false;
    }
    return true;
}

quint16 SimServer::Port() const {
    return listener_.serverPort();
}

void SimServer::OnNewConnection() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        const int connectionId = nextConnectionId_++;
        auto* session = new ClientSession(*this, socket, connectionId, NextClientNumber());
        session->setParent(this);
        sessions_[connectionId] = session;
    }
}

// Client numbers are one digit: the lowest of 1 to 9 not in use, 0 when all
// are taken.
int SimServer::NextClientNumber() const {
    std::set<int> used;
    for (const auto& [id, session] : sessions_) {
        used.insert(session->State().clientNumber);
    }
    for (int number = 1; number <= 9; ++number) {
        if (used.count(number) == 0) {
            return number;
        }
    }
    return 0;
}

void SimServer::ForgetSession(int connectionId) {
    auto found = sessions_.find(connectionId);
    if (found == sessions_.end()) {
        return;
    }
    found->second->deleteLater();
    sessions_.erase(found);
}

void SimServer::Deliver(const SimPush& push, int requesterId) {
    // A receiver that does not read is cut off by its send, which forgets
    // its session: walk a copy.
    const std::map<int, ClientSession*> receivers = sessions_;
    for (const auto& [id, session] : receivers) {
        const SessionState& state = session->State();
        if (!state.greeted || !state.authorised) {
            continue;
        }
        const bool wanted = push.audience == PushAudience::kEveryone ||
                            (push.audience == PushAudience::kRequester && id == requesterId) ||
                            (push.audience == PushAudience::kStatusSubscribers &&
                             (state.clientOptions & kExtendedStatusOption) != 0);
        if (wanted) {
            session->Send(push.message);
        }
    }
}

int SimServer::PushTo(int connectionId, const std::string& message) {
    int count = 0;
    // A receiver cut off by its send is forgotten at once: walk a copy.
    const std::map<int, ClientSession*> receivers = sessions_;
    for (const auto& [id, session] : receivers) {
        const SessionState& state = session->State();
        // A client that has not given the password hears nothing of the house.
        if ((connectionId == 0 || id == connectionId) && state.greeted && state.authorised) {
            session->Send(message);
            ++count;
        }
    }
    return count;
}

int SimServer::DropConnections(int connectionId) {
    std::vector<ClientSession*> victims;
    for (const auto& [id, session] : sessions_) {
        if (connectionId == 0 || id == connectionId) {
            victims.push_back(session);
        }
    }
    for (ClientSession* session : victims) {
        session->Drop();
    }
    return static_cast<int>(victims.size());
}

qint64 SimServer::LargestBacklog(int connectionId) const {
    qint64 largest = 0;
    for (const auto& [id, session] : sessions_) {
        if (connectionId == 0 || id == connectionId)
            largest = std::max(largest, session->Unsent());
    }
    return largest;
}

std::vector<SimServer::ClientInfo> SimServer::Clients() const {
    std::vector<ClientInfo> clients;
    for (const auto& [id, session] : sessions_) {
        const SessionState& state = session->State();
        clients.push_back(
            {id, state.clientNumber, session->PeerPort(), state.greeted, state.clientName});
    }
    return clients;
}

}  // namespace zol
