#include "simulator/fault_settings.h"

#include <charconv>

namespace zol {

namespace {

bool ParseSwitch(const std::string& value, bool& result) {
    if (value == "on" || value == "1") {
        result = true;
        return true;
    }
    if (value == "off" || value == "0") {
        result = false;
        return true;
    }
    return false;
}

bool ParseCount(const std::string& value, int& result) {
    int parsed = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (error != std::errc() || end != value.data() + value.size() || parsed < 0) {
        return false;
    }
    result = parsed;
    return true;
}

}  // namespace

std::string SetFault(FaultSettings& faults, const std::string& name, const std::string& value) {
    bool* flag = nullptr;
    if (name == "drop") {
        flag = &faults.dropOnRequest;
    } else if (name == "silent") {
        flag = &faults.silent;
    } else if (name == "garbage") {
        flag = &faults.garbage;
    } else if (name == "split") {
        flag = &faults.splitWrites;
    } else if (name == "closeaftergreeting") {
        flag = &faults.closeAfterGreeting;
    }
    if (flag != nullptr) {
        return ParseSwitch(value, *flag) ? std::string() : "expected on or off";
    }
    if (name == "delay") {
        if (value == "off") {
            faults.replyDelayMs = 0;
            return {};
        }
        return ParseCount(value, faults.replyDelayMs) ? std::string()
                                                      : "expected milliseconds or off";
    }
    if (name == "target") {
        if (value == "all") {
            faults.targetConnection = 0;
            return {};
        }
        return ParseCount(value, faults.targetConnection) ? std::string()
                                                          : "expected a connection id or all";
    }
    return "unknown fault " + name;
}

std::string SetRequestFault(FaultSettings& faults, const std::string& method,
                            const std::string& how) {
    if (method == "off" && how.empty()) {
        faults.failingRequest = RequestFailure();
        return {};
    }
    RequestFailure failure;
    failure.method = method;
    if (how == "undecodable") {
        failure.undecodable = true;
    } else {
        const auto [end, error] =
            std::from_chars(how.data(), how.data() + how.size(), failure.resultCode);
        if (how.empty() || error != std::errc() || end != how.data() + how.size() ||
            failure.resultCode == 0) {
            return "expected a non-zero result code or undecodable";
        }
    }
    faults.failingRequest = failure;
    return {};
}

std::vector<std::string> DescribeFaults(const FaultSettings& faults) {
    auto onOff = [](bool on) { return on ? "on" : "off"; };
    return {
        std::string("drop ") + onOff(faults.dropOnRequest),
        std::string("silent ") + onOff(faults.silent),
        "delay " + std::to_string(faults.replyDelayMs),
        std::string("garbage ") + onOff(faults.garbage),
        std::string("split ") + onOff(faults.splitWrites),
        std::string("closeaftergreeting ") + onOff(faults.closeAfterGreeting),
        "target " + (faults.targetConnection == 0 ? std::string("all")
                                                  : std::to_string(faults.targetConnection)),
        "request " + (faults.failingRequest.method.empty()
                          ? std::string("off")
                          : faults.failingRequest.method + " " +
                                (faults.failingRequest.undecodable
                                     ? std::string("undecodable")
                                     : std::to_string(faults.failingRequest.resultCode))),
    };
}

}  // namespace zol
