// A small blocking loopback client for tests that need to send bytes the
// server link would never send (malformed frames, half requests).
#pragma once

#include <string>
#include <string_view>

namespace zol::test {

class RawClient {
  public:
    RawClient() = default;
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool Connect(int port);
    bool Send(std::string_view bytes);
    // Reads the next frame (a 16-byte greeting reply or a field list);
    // false on time-out or when the server closed the connection.
    bool ReadFrame(std::string& frame, int timeoutMs = 10000);
    // Reads up to the next line feed (the control port's answers).
    bool ReadLine(std::string& line, int timeoutMs = 10000);
    // Waits until the server closes the connection; true when it did.
    bool WaitForClose(int timeoutMs = 10000);
    void Close();

    // Greets with letter F and the GUI client's numbers; returns the reply.
    std::string Greet();
    // Sends a field list built from `fields` and returns the reply frame.
    std::string Request(std::initializer_list<std::string_view> fields);

  private:
    bool Fill(int timeoutMs);

    int fd_ = -1;
    std::string buffer_;
    bool closed_ = false;
};

}  // namespace zol::test
