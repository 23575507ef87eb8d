// The Windows Sockets and system error numbers that the server link reports,
// and the mapping from POSIX errno values to them.
#pragma once

namespace zol {

inline constexpr int kErrorInvalidParameter = 87;   // socket not in the set
inline constexpr int kErrorOperationAborted = 995;  // the sender withdrew the message
inline constexpr int kErrorIoPending = 997;         // earlier bytes still pending
inline constexpr int kErrorTimeout = 1460;          // wait timed out
inline constexpr int kWsaEIntr = 10004;
inline constexpr int kWsaEBadF = 10009;
inline constexpr int kWsaEAcces = 10013;
inline constexpr int kWsaEFault = 10014;
inline constexpr int kWsaEInval = 10022;
inline constexpr int kWsaEMFile = 10024;
inline constexpr int kWsaEWouldBlock = 10035;
inline constexpr int kWsaEInProgress = 10036;
inline constexpr int kWsaEAlready = 10037;
inline constexpr int kWsaENotSock = 10038;
inline constexpr int kWsaEMsgSize = 10040;
inline constexpr int kWsaEAddrInUse = 10048;
inline constexpr int kWsaEAddrNotAvail = 10049;
inline constexpr int kWsaENetDown = 10050;
inline constexpr int kWsaENetUnreach = 10051;
inline constexpr int kWsaENetReset = 10052;
inline constexpr int kWsaEConnAborted = 10053;
inline constexpr int kWsaEConnReset = 10054;
inline constexpr int kWsaENoBufs = 10055;
inline constexpr int kWsaEIsConn = 10056;
inline constexpr int kWsaENotConn = 10057;
inline constexpr int kWsaEShutdown = 10058;
inline constexpr int kWsaETimedOut = 10060;
inline constexpr int kWsaEConnRefused = 10061;
inline constexpr int kWsaEHostDown = 10064;
inline constexpr int kWsaEHostUnreach = 10065;
inline constexpr int kWsaHostNotFound = 11001;

// Maps a POSIX errno value to the Windows Sockets number the link reports.
// Values without a counterpart come back unchanged.
int WinsockErrorFromErrno(int posixError);

}  // namespace zol
