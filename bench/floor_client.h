// The floor of the client benchmarks: a blocking loopback socket that writes
// a request and reads its whole reply frame, decoding nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zol::bench {

class FloorClient {
  public:
    FloorClient() = default;
    ~FloorClient();
    FloorClient(const FloorClient&) = delete;
    FloorClient& operator=(const FloorClient&) = delete;

    // Opens the connection to 127.0.0.1:`port`.
    bool Connect(int port);
    // Sends a 16-byte greeting frame and reads the 16-byte reply.
    bool Greet(std::string_view greeting);
    // One request and its whole reply frame.
    bool Exchange(std::string_view message);
    // Several requests written at once, then their reply frames read.
    bool ExchangeTogether(const std::vector<std::string_view>& messages);

  private:
    bool Write(std::string_view bytes);
    bool Fill();
    bool Read(std::size_t count);
    bool ReadFrame();

    int fd_ = -1;
    std::string buffer_;
};

}  // namespace zol::bench
