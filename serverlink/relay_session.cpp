#include "serverlink/relay_session.h"

#include <climits>
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

RelaySession::RelaySession(LogFunction log, Resolver resolver)
    : log_(std::move(log)), resolver_(std::move(resolver)) {
    plaintext_.reserve(kPlaintextCapacity);
}

std::size_t RelaySession::UsableLength(std::string_view received) {
    const std::size_t lastLf = received.rfind('\n');
    const std::size_t complete = lastLf == std::string_view::npos ? 0 : lastLf + 1;
    // A relay that never ends its line would otherwise fill memory for good.
    return received.size() - complete > kMaxLineLength ? received.size() : complete;
}

// Every line is used, whatever its result: a relay that repeats error lines
// would otherwise be read faster than it is processed.
std::size_t RelaySession::ScanReceived(std::string_view received, int& lastResult) {
    const std::size_t usable = UsableLength(received);
    std::size_t at = 0;
    for (;;) {
        const std::size_t lf = received.find('\n', at);
        if (lf == std::string_view::npos || lf >= usable)
            break;
        lastResult = ProcessLine(received.substr(at, lf - at));
        at = lf + 1;
    }
    if (at < usable) {
        log_(Format("Agent Received %d bytes: line too long, dropped",
                    static_cast<int>(usable - at)));
    }
    return usable;
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
    std::string text;
    {
        std::lock_guard lock(plaintextMutex_);
        text.assign(plaintext_);
        plaintext_.clear();
    }
    if (!text.empty())
        DecodeHostMessage(text);
    std::lock_guard lock(plaintextMutex_);
    if (afterDecode)
        afterDecode();
}

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
        const std::uint32_t address = resolver_(host->value);
        const std::string uuidText = uuid ? uuid->value : std::string();
        {
            // Address, port and identifier appear together to the waiter.
            std::lock_guard lock(plaintextMutex_);
            announced_.address = address;
            if (port) {
                if (std::optional<std::uint16_t> value = PortValue(port->value))
                    announced_.port = *value;
            }
            announced_.uuid = uuidText;
        }
        log_("Agent decode: Host message " + host->value + " " + (port ? port->value : "") + " " +
             uuidText);
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
