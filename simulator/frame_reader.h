// Cuts the bytes a client sends into frames: 16-byte greetings (they begin
// with ZOL) and field lists, whose length is the last header entry before
// the four blanks. Holds no socket; fed with whatever arrived.
#pragma once

#include <string>
#include <string_view>

namespace zol {

class FrameReader {
  public:
    enum class Status {
        kFrame,      // `frame` holds the next frame
        kNeedMore,   // an incomplete frame waits for more bytes
        kMalformed,  // the stream cannot be framed; the connection should end
    };

    void Append(std::string_view bytes) { buffer_.append(bytes); }
    Status Next(std::string& frame);
    std::size_t Buffered() const { return buffer_.size(); }

  private:
    std::string buffer_;
};

}  // namespace zol
