// The floor of the client's start-to-home-display time: the least a program
// can do for the same exchange. It replays recorded request frames over one
// blocking loopback socket, reads each reply frame whole and decodes nothing:
// no Qt, no settings, no threads, no window.
// Usage: client_floor <port> <frames file> [--together]
// The file holds each frame as its decimal length, a line feed and the bytes;
// a 16-byte frame starting "ZOL" is a greeting, answered with 16 bytes.
// With --together, runs of display-tile requests go out as the client sends
// them, up to 32 at once, a run ending where a display comes again (its next
// part needs the reply to the last).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "bench/floor_client.h"

namespace {

constexpr std::string_view kTileMethod = "GetDisplayTilesEx";

bool IsTileRequest(std::string_view frame) {
    return frame.find(kTileMethod) != std::string_view::npos;
}

// The request's text after the method name up to the part number: the
// display's name with the field framing around it, enough to tell displays
// apart.
std::string_view DisplayOf(std::string_view frame) {
    const std::size_t from = frame.find(kTileMethod) + kTileMethod.size();
    return frame.substr(from, frame.find_last_of("0123456789") - from);
}

}  // namespace

int main(int argc, char** argv) {
    const bool together = argc == 4 && std::string_view(argv[3]) == "--together";
    if (argc != 3 && !together) {
        std::fprintf(stderr, "usage: client_floor <port> <frames file> [--together]\n");
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
    for (std::size_t i = 0; i < frames.size();) {
        const std::string_view frame = frames[i];
        if (together && IsTileRequest(frame)) {
            std::vector<std::string_view> run;
            std::set<std::string_view> displays;
            for (; i < frames.size() && run.size() < 32 && IsTileRequest(frames[i]) &&
                   displays.insert(DisplayOf(frames[i])).second;
                 ++i)
                run.push_back(frames[i]);
            if (!floor.ExchangeTogether(run))
                return 1;
            continue;
        }
        const bool greeting = frame.size() == 16 && frame.substr(0, 3) == "ZOL";
        if (!(greeting ? floor.Greet(frame) : floor.Exchange(frame)))
            return 1;
        ++i;
    }
    return 0;
}
