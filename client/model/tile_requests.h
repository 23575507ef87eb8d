// The requests tiles make of the server: the display form of a label, the
// most recently used objects, and an infrared device's key list. Each sends
// one request with the wait cursor shown and returns 0, the channel's error,
// the server's result code or the decoder's code. With `report` a failure
// is shown once in a message box; refresh ticks pass false and keep what
// they showed.
//
// Thread-safety: the user-interface thread only (the requests block it).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

class RequestChannel;
class UserReporter;
struct DesignObject;

// "FormatText": the server fills the placeholders of `text`. `formatted`
// changes only on success.
int RequestFormattedText(RequestChannel& channel, UserReporter& reporter, std::string_view text,
                         bool report, std::string& formatted);

// "GetDisplayMRU" with a display's name: the objects that display shows now.
// `ids` changes only on success.
int RequestDisplayMruByName(RequestChannel& channel, UserReporter& reporter,
                            std::string_view displayName, std::vector<std::int32_t>& ids);

// "GetDisplayMRU" with an icon tile's four numbers. `ids` changes only on
// success.
int RequestDisplayMru(RequestChannel& channel, UserReporter& reporter,
                      const std::array<std::int32_t, 4>& numbers, std::vector<std::int32_t>& ids);

// "IRKeypad" once per object: the keys are kept with the object, newest
// first, and later calls make no request. A failed read leaves in
// `object.irKeys` the keys decoded so far and is tried again next time.
int LoadIrKeys(RequestChannel& channel, UserReporter& reporter, DesignObject& object);

}  // namespace zol
