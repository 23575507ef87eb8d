// A connection that one ServerLink of a process opened and another goes on
// with: the program's launcher starts the connect while the program proper
// is still loading, then hands the socket over together with every byte it
// wrote and read on it. The taker repeats the exchange against that record
// (its writes must match what was written, its reads get what was read
// once the writes before them are repeated) and carries on live from where
// the record ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zol {

// Bytes that went one way in a row.
struct RecordedChunk {
    bool sent = false;  // written; otherwise read
    std::string bytes;
};

struct HandedOverConnection {
    int socket = -1;
    std::uint32_t address = 0;  // IPv4, network byte order
    std::uint16_t port = 0;
    // Everything written on the socket and read from it, in the order it
    // happened: a reply is read again only after its request was repeated.
    std::vector<RecordedChunk> record;
};

}  // namespace zol
