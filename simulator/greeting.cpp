#include "simulator/greeting.h"

#include <cctype>
#include <cstdio>

namespace zol {

namespace {

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

int ThreeDigits(std::string_view text) {
    return (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
}

std::string Reply(char status, const SimConfig& config, const SessionState& session) {
    char reply[64];
    // Version parts above 999 would lengthen the frame; the server keeps them
    // to three digits.
    std::snprintf(reply, sizeof reply, "ZOL%c%c%c0%03d%03d%03d", status,
                  static_cast<char>('0' + session.clientNumber % 10),
                  config.password.empty() ? '0' : '1', config.versionMajor % 1000,
                  config.versionMinor % 1000, config.versionBuild % 1000);
    return std::string(reply, kGreetingLength);
}

}  // namespace

bool IsClientGreeting(std::string_view frame) {
    return frame.size() == kGreetingLength && frame.substr(0, 3) == "ZOL";
}

GreetingAnswer AnswerClientGreeting(std::string_view frame, const SimConfig& config,
                                    SessionState& session) {
    GreetingAnswer answer;
    const bool wellFormed =
        IsClientGreeting(frame) && frame.substr(3, 3) == "000" && AllDigits(frame.substr(7, 9));
    const char letter = wellFormed ? frame[6] : '\0';
    if (!wellFormed || (letter != 'F' && letter != 'E' && letter != 'D')) {
        answer.malformed = true;
        answer.reply = Reply(kGreetingRefused, config, session);
        return answer;
    }
    if (config.acceptedLetters.find(letter) == std::string::npos) {
        answer.reply = Reply(kGreetingStepDown, config, session);
        return answer;
    }
    session.greeted = true;
    session.authorised = config.password.empty();
    session.protocolLevel = letter == 'E' ? 14 : 13;
    session.clientVersion[0] = ThreeDigits(frame.substr(7, 3));
    session.clientVersion[1] = ThreeDigits(frame.substr(10, 3));
    session.clientVersion[2] = ThreeDigits(frame.substr(13, 3));
    answer.accepted = true;
    answer.reply = Reply(kGreetingAccepted, config, session);
    return answer;
}

}  // namespace zol
