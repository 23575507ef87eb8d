#include "simulator/sim_design.h"

#include <algorithm>
#include <cctype>

namespace zol {

SimObject* SimDesign::FindObject(int objectId) {
    for (SimObject& object : objects) {
        if (object.objectId == objectId) {
            return &object;
        }
    }
    return nullptr;
}

SimObject* SimDesign::FindObjectByFullName(const std::string& fullName) {
    for (SimObject& object : objects) {
        if (object.FullName() == fullName) {
            return &object;
        }
    }
    return nullptr;
}

SimDisplay* SimDesign::FindDisplay(int displayId) {
    for (SimDisplay& display : displays) {
        if (display.displayId == displayId) {
            return &display;
        }
    }
    return nullptr;
}

SimDisplay* SimDesign::FindDisplayByName(const std::string& name) {
    for (SimDisplay& display : displays) {
        if (display.name == name) {
            return &display;
        }
    }
    return nullptr;
}

const SimSchedule* SimDesign::FindSchedule(int number) const {
    for (const SimSchedule& schedule : schedules) {
        if (schedule.number == number) {
            return &schedule;
        }
    }
    return nullptr;
}

const std::string* SimDesign::FindFile(const std::string& serverName) const {
    auto found = files.find(NormalizeFileName(serverName));
    return found == files.end() ? nullptr : &found->second;
}

std::string NormalizeFileName(const std::string& serverName) {
    std::string normalized = serverName;
    std::replace(normalized.begin(), normalized.end(), '\\', '/');
    std::transform(normalized.begin(), normalized.end(), normalized.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return normalized;
}

}  // namespace zol
