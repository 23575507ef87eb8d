#include "simulator/tests/control_client.h"

namespace zol::test {

std::vector<std::string> ControlClient::Command(const std::string& line) {
    std::vector<std::string> answer;
    if (!client_.Send(line + "\n")) {
        return answer;
    }
    while (true) {
        std::string chunk;
        if (!client_.ReadLine(chunk)) {
            return answer;
        }
        answer.push_back(chunk);
        if (chunk == "OK" || chunk.rfind("ERR", 0) == 0) {
            return answer;
        }
    }
}

bool ControlClient::Ok(const std::string& line) {
    const std::vector<std::string> answer = Command(line);
    return !answer.empty() && answer.back() == "OK";
}

}  // namespace zol::test
