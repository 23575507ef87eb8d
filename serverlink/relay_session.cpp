#include "serverlink/relay_session.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <climits>
#include <cstring>
#include <vector>

#include "serverlink/json_reader.h"
#include "serverlink/relay_crypto.h"

namespace zol {
namespace {

std::string Format(const char* format, int number, std::string_view text = {}) {
    std::string out(format);
    const std::size_t at = out.find("%d");
    out.replace(at, 2, std::to_string(number));
    const std::size_t textAt = out.find("%s");
    if (textAt != std::string::npos)
        out.replace(textAt, 2, text);
    return out;
}

// The error code's leading decimal digits; none gives 0. Saturates rather
// than overflowing on an absurd number of digits.
int LeadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

// A port value made of digits only and within 16 bits.
std::optional<std::uint16_t> PortValue(std::string_view text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::uint32_t LookupIpv4(const std::string& host) {
    in_addr dotted{};
    if (::inet_pton(AF_INET, host.c_str(), &dotted) == 1)
        return dotted.s_addr;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) {
        return 0;
    }
    std::uint32_t address = 0;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET) {
            sockaddr_in ipv4{};
            std::memcpy(&ipv4, entry->ai_addr, sizeof ipv4);
            address = ipv4.sin_addr.s_addr;
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

RelaySession::RelaySession(LogFunction log, Resolver resolver)
    : log_(std::move(log)), resolver_(std::move(resolver)) {
    plaintext_.reserve(kPlaintextCapacity);
}

std::size_t RelaySession::ScanReceived(std::string_view received, int& lastResult) {
    std::size_t used = 0;
    for (;;) {
        const std::size_t lf = received.find('\n', used);
        if (lf == std::string_view::npos)
            break;
        lastResult = ProcessLine(received.substr(used, lf - used));
        used = lf + 1;
        if (lastResult != 0)
            break;
    }
    // A relay that never ends its line would otherwise fill memory for good.
    if (used == 0 && received.size() > kMaxLineLength) {
        log_(Format("Agent Received %d bytes: line too long, dropped",
                    static_cast<int>(received.size())));
        used = received.size();
    }
    return used;
}

int RelaySession::ProcessLine(std::string_view line) {
    std::lock_guard lock(plaintextMutex_);
    const int length = static_cast<int>(line.size());
    log_(Format("Store in receive agent buffer: %d", length));

    std::optional<std::string> plaintext = DecodeAndDecrypt(line);
    if (!plaintext) {
        log_(Format("Agent Received %d bytes: undecodable", length));
        return 0;
    }
    int result = 0;
    std::vector<JsonMember> members;
    if (ReadJson(*plaintext, members) != kJsonOk) {
        log_(Format("Agent Received %d bytes: unparsable JSON is: %s", length, *plaintext));
        result = -1;
    } else {
        std::string errorText;
        int code = 0;
        for (const JsonMember& member : members) {
            if (member.name == "error")
                errorText = member.value;
            if (member.name == "code")
                code = LeadingNumber(member.value);
        }
        if (code != 0) {
            log_(Format("Agent Received %d bytes: JSON is: %s", length, *plaintext));
            log_(Format("Agent connection: Received error %d - %s", code, errorText));
            result = code;
        }
    }
    if (plaintext->size() <= kPlaintextCapacity - plaintext_.size()) {
        plaintext_.append(*plaintext);
    }
    return result;
}

void RelaySession::RunDecodePass(const std::function<void()>& afterDecode) {
    std::lock_guard lock(plaintextMutex_);
    if (!plaintext_.empty()) {
        DecodeHostMessage(plaintext_);
        plaintext_.clear();
    }
    if (afterDecode)
        afterDecode();
}

// Caller holds plaintextMutex_.
void RelaySession::DecodeHostMessage(const std::string& text) {
    std::vector<JsonMember> members;
    if (ReadJson(text, members) != kJsonOk) {
        log_("Agent decode: Can't parse received JSON:" + text);
        return;
    }
    const JsonMember* host = FindJsonMember(members, "host");
    const JsonMember* port = FindJsonMember(members, "port");
    const JsonMember* uuid = FindJsonMember(members, "uuid");
    const bool pong = FindJsonMember(members, "pong") != nullptr;

    if (host) {
        log_("Agent decode JSON:" + text);
        AnnouncedServer next;
        next.address = resolver_(host->value);
        next.port = announced_.port;
        if (port) {
            if (std::optional<std::uint16_t> value = PortValue(port->value))
                next.port = *value;
        }
        next.uuid = uuid ? uuid->value : std::string();
        announced_ = next;
        log_("Agent decode: Host message " + host->value + " " + (port ? port->value : "") + " " +
             announced_.uuid);
    } else if (!pong) {
        log_("Agent decode: Received unknown command:" + text);
    }
}

std::optional<AnnouncedServer> RelaySession::Announced() const {
    std::lock_guard lock(plaintextMutex_);
    if (announced_.address == 0)
        return std::nullopt;
    return announced_;
}

std::size_t RelaySession::PlaintextSize() const {
    std::lock_guard lock(plaintextMutex_);
    return plaintext_.size();
}

void RelaySession::Clear() {
    std::lock_guard lock(plaintextMutex_);
    plaintext_.clear();
    announced_ = AnnouncedServer{};
}

}  // namespace zol
