#include "client/toolwindows/trace_format.h"

#include <cstdio>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

namespace {

void AppendEscaped(std::string_view bytes, std::string& out) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;  // Windows-1252 letters stay as they are
        }
        if (out.size() >= kMaxReadableTraceLength)
            return;
    }
}

}  // namespace

std::string ReadableTrace(std::string_view bytes, std::size_t fullLength) {
    std::string out;
    std::vector<FieldSpan> spans;
    if (bytes.size() == fullLength && DecodeFieldSpans(bytes, spans) == kFieldListOk &&
        !spans.empty()) {
        for (std::size_t i = 0; i < spans.size() && out.size() < kMaxReadableTraceLength; ++i) {
            if (i > 0)
                out += " | ";
            AppendEscaped(bytes.substr(spans[i].offset, spans[i].length), out);
        }
    } else {
        AppendEscaped(bytes, out);
    }
    if (out.size() >= kMaxReadableTraceLength || bytes.size() < fullLength) {
        out.resize(std::min(out.size(), kMaxReadableTraceLength));
        out += " ...";
    }
    return out;
}

}  // namespace zol
