// The floor of the client's start-to-home-display time: the least a program
// can do for the same exchange. It replays recorded request frames over one
// blocking loopback socket, reads each reply frame whole and decodes nothing:
// no Qt, no settings, no threads, no window.
// Usage: client_floor <port> <frames file>
// The file holds each frame as its decimal length, a line feed and the bytes;
// a 16-byte frame starting "ZOL" is a greeting, answered with 16 bytes.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/floor_client.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: client_floor <port> <frames file>\n");
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string_view> frames;
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t end = all.find('\n', at);
        if (end == std::string::npos)
            return 2;
        const std::size_t length = std::strtoul(all.c_str() + at, nullptr, 10);
        if (end + 1 + length > all.size())
            return 2;
        frames.emplace_back(all.data() + end + 1, length);
        at = end + 1 + length;
    }
    zol::bench::FloorClient floor;
    if (!floor.Connect(std::atoi(argv[1])))
        return 1;
    for (std::string_view frame : frames) {
        const bool greeting = frame.size() == 16 && frame.substr(0, 3) == "ZOL";
        if (!(greeting ? floor.Greet(frame) : floor.Exchange(frame)))
            return 1;
    }
    return 0;
}
