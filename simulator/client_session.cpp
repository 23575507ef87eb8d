#include "simulator/client_session.h"

#include <QTimer>

#include "simulator/greeting.h"
#include "simulator/sim_server.h"

namespace zol {

namespace {

// What the "garbage" fault sends instead of a reply: no "ZOL" start and no
// four-blank header terminator, so it can never be framed.
const std::string kGarbage = "\x01\x02\xff garbage-not-a-frame \xfe\x7f";

// A client that sends requests but never reads its replies would make the
// output buffer grow without bound; beyond this it is cut off.
constexpr qint64 kMaxUnsentBytes = 8 * 1024 * 1024;

// How long a dropped connection may take to hand over its last bytes.
constexpr int kCloseGraceMs = 5000;

}  // namespace

ClientSession::ClientSession(SimServer& server, QTcpSocket* socket, int connectionId,
                             int clientNumber)
    : server_(server), socket_(socket), connectionId_(connectionId) {
    state_.clientNumber = clientNumber;
    socket_->setParent(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(socket_, &QTcpSocket::readyRead, this, [this] { OnReadyRead(); });
    QObject::connect(socket_, &QTcpSocket::disconnected, this,
                     [this] { server_.ForgetSession(connectionId_); });
}

ClientSession::~ClientSession() = default;

quint16 ClientSession::PeerPort() const {
    return socket_->peerPort();
}

void ClientSession::OnReadyRead() {
    const QByteArray bytes = socket_->readAll();
    reader_.Append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    std::string frame;
    while (!dropping_) {
        const FrameReader::Status status = reader_.Next(frame);
        if (status == FrameReader::Status::kNeedMore) {
            break;
        }
        if (status == FrameReader::Status::kMalformed) {
            // The stream cannot be resynchronised: say so, then hang up.
            server_.Log().Add(connectionId_, "<unframeable input>");
            WriteNow(FieldBuilder().Add(kResultLookupError).Message());
            Drop();
            break;
        }
        server_.Log().Add(connectionId_, frame);
        HandleFrame(frame);
    }
}

void ClientSession::HandleFrame(const std::string& frame) {
    if (IsClientGreeting(frame)) {
        HandleGreeting(frame);
    } else {
        HandleRequest(frame);
    }
}

void ClientSession::HandleGreeting(const std::string& frame) {
    const GreetingAnswer answer = AnswerClientGreeting(frame, server_.State().config, state_);
    WriteNow(answer.reply);
    const FaultSettings& faults = server_.Faults();
    if (answer.malformed ||
        (answer.accepted && faults.closeAfterGreeting && faults.AppliesTo(connectionId_))) {
        Drop();
    }
}

void ClientSession::HandleRequest(const std::string& frame) {
    const FaultSettings& faults = server_.Faults();
    const bool faulty = faults.AppliesTo(connectionId_);
    if (faulty && faults.dropOnRequest) {
        Drop();
        return;
    }
    RequestOutcome outcome = server_.Router().Handle(frame, server_.State(), state_,
                                                     faulty ? &faults.failingRequest : nullptr);
    if (!(faulty && faults.silent)) {
        SendReply(outcome.reply);
    }
    for (const SimPush& push : outcome.pushes) {
        server_.Deliver(push, connectionId_);
    }
}

void ClientSession::SendReply(const std::string& reply) {
    const FaultSettings& faults = server_.Faults();
    const bool faulty = faults.AppliesTo(connectionId_);
    const std::string& bytes = faulty && faults.garbage ? kGarbage : reply;
    if (faulty && faults.replyDelayMs > 0) {
        QTimer::singleShot(faults.replyDelayMs, this, [this, bytes] { Send(bytes); });
    } else {
        Send(bytes);
    }
}

void ClientSession::Send(const std::string& bytes) {
    if (dropping_) {
        return;
    }
    const FaultSettings& faults = server_.Faults();
    if (faults.splitWrites && faults.AppliesTo(connectionId_)) {
        drip_.insert(drip_.end(), bytes.begin(), bytes.end());
        if (!dripScheduled_) {
            dripScheduled_ = true;
            QTimer::singleShot(0, this, [this] { DripOneByte(); });
        }
        return;
    }
    if (!drip_.empty()) {
        // Keep the order behind bytes still dripping out.
        drip_.insert(drip_.end(), bytes.begin(), bytes.end());
        return;
    }
    WriteNow(bytes);
}

qint64 ClientSession::Unsent() const {
    return socket_->bytesToWrite() + static_cast<qint64>(drip_.size());
}

void ClientSession::DripOneByte() {
    dripScheduled_ = false;
    if (drip_.empty() || dropping_) {
        return;
    }
    const char byte = drip_.front();
    drip_.pop_front();
    socket_->write(&byte, 1);
    socket_->flush();
    if (!drip_.empty()) {
        dripScheduled_ = true;
        // Through the event loop, so that each byte is written and flushed
        // on its own (the socket has no Nagle delay).
        QTimer::singleShot(0, this, [this] { DripOneByte(); });
    }
}

void ClientSession::WriteNow(const std::string& bytes) {
    if (dropping_) {
        return;
    }
    if (socket_->bytesToWrite() + static_cast<qint64>(bytes.size()) > kMaxUnsentBytes) {
        server_.Log().Add(connectionId_, "<not reading its replies; dropped>");
        socket_->abort();
        Drop();
        return;
    }
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void ClientSession::Drop() {
    if (dropping_) {
        return;
    }
    dropping_ = true;
    drip_.clear();
    // Let what was written leave first; the disconnected signal then makes
    // the server forget the session. A peer that does not read is cut off.
    socket_->disconnectFromHost();
    QTimer::singleShot(kCloseGraceMs, socket_, [socket = socket_] { socket->abort(); });
    if (socket_->state() == QAbstractSocket::UnconnectedState) {
        server_.ForgetSession(connectionId_);
    }
}

}  // namespace zol
