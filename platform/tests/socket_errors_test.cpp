#include "platform/socket_errors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zol {

TEST(SocketErrors, PosixErrorsMapToTheWindowsSocketsNumbersTheLinkReports) {
    EXPECT_EQ(WinsockErrorFromErrno(0), 0);
    EXPECT_EQ(WinsockErrorFromErrno(EWOULDBLOCK), 10035);
    EXPECT_EQ(WinsockErrorFromErrno(EAGAIN), 10035);
    EXPECT_EQ(WinsockErrorFromErrno(ECONNABORTED), 10053);
    EXPECT_EQ(WinsockErrorFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(WinsockErrorFromErrno(EPIPE), 10054);
    EXPECT_EQ(WinsockErrorFromErrno(EISCONN), 10056);
    EXPECT_EQ(WinsockErrorFromErrno(ENOTCONN), 10057);
    EXPECT_EQ(WinsockErrorFromErrno(ESHUTDOWN), 10058);
    EXPECT_EQ(WinsockErrorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(WinsockErrorFromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(WinsockErrorFromErrno(EHOSTUNREACH), 10065);
}

}  // namespace zol
