// ServerRelayHook: where the cloud relay plugs into the server connection.
//
// When a ServerTarget has useRelay set, ServerLink::OpenServerConnection
//   1. calls ResolveServerViaRelay(target) before dialling; a non-zero code
//      (4, 5, 6 or 9) is returned unchanged, 0 means target.address/port now
//      name the data connection announced by the relay;
//   2. after the data connection is up and the link's threads run, calls
//      BindDataConnection(link). The hook sets link.SetBinding(true) while it
//      waits, so that the frame splitter hands every received chunk whole to
//      the first sent pending request; it enqueues its binding message with
//      link.Requests().Enqueue(...) (a PendingRequest with no names), waits on
//      the request's events and removes it with link.Requests().Remove(id).
// CloseServerConnection calls CloseRelay() after the link's threads ended,
// when the connection was opened with useRelay (also after a failed open);
// it must be safe when nothing is open. The hook must outlive the link. The relay reports the end
// of its receive task through link.Observer()->OnRelayReceiveEnded, and reads link.IsClosing() to
// keep quiet while the link is being closed.
#pragma once

#include "serverlink/server_target.h"

namespace zol {

class ServerLink;

class ServerRelayHook {
  public:
    virtual ~ServerRelayHook() = default;

    virtual int ResolveServerViaRelay(ServerTarget& target) = 0;
    virtual int BindDataConnection(ServerLink& link) = 0;
    virtual void CloseRelay() = 0;
};

}  // namespace zol
