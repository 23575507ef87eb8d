#include "socket_errors.h"

#include <cerrno>

namespace zol {

int WinsockErrorFromErrno(int posixError) {
    switch (posixError) {
        case 0:
            return 0;
        case EINTR:
            return kWsaEIntr;
        case EBADF:
            return kWsaEBadF;
        case EACCES:
        case EPERM:
            return kWsaEAcces;
        case EFAULT:
            return kWsaEFault;
        case EINVAL:
            return kWsaEInval;
        case EMFILE:
        case ENFILE:
            return kWsaEMFile;
#if EAGAIN != EWOULDBLOCK
        case EAGAIN:
#endif
        case EWOULDBLOCK:
            return kWsaEWouldBlock;
        case EINPROGRESS:
            return kWsaEInProgress;
        case EALREADY:
            return kWsaEAlready;
        case ENOTSOCK:
            return kWsaENotSock;
        case EMSGSIZE:
            return kWsaEMsgSize;
        case EADDRINUSE:
            return kWsaEAddrInUse;
        case EADDRNOTAVAIL:
            return kWsaEAddrNotAvail;
        case ENETDOWN:
            return kWsaENetDown;
        case ENETUNREACH:
            return kWsaENetUnreach;
        case ENETRESET:
            return kWsaENetReset;
        case ECONNABORTED:
            return kWsaEConnAborted;
        case ECONNRESET:
        case EPIPE:  // writing to a connection the peer has reset
            return kWsaEConnReset;
        case ENOBUFS:
        case ENOMEM:
            return kWsaENoBufs;
        case EISCONN:
            return kWsaEIsConn;
        case ENOTCONN:
            return kWsaENotConn;
        case ESHUTDOWN:
            return kWsaEShutdown;
        case ETIMEDOUT:
            return kWsaETimedOut;
        case ECONNREFUSED:
            return kWsaEConnRefused;
        case EHOSTDOWN:
            return kWsaEHostDown;
        case EHOSTUNREACH:
            return kWsaEHostUnreach;
        default:
            return posixError;
    }
}

}  // namespace zol
