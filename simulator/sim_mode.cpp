#include "simulator/sim_mode.h"

namespace zol {

namespace {

// Function-local so that registrations from other files' static objects
// find it constructed whatever the initialisation order.
std::vector<SimModeFactory>& Factories() {
    static std::vector<SimModeFactory> factories;
    return factories;
}

}  // namespace

SimModeRegistration::SimModeRegistration(SimModeFactory factory) {
    Factories().push_back(std::move(factory));
}

std::vector<std::unique_ptr<SimMode>> CreateSimModes() {
    std::vector<std::unique_ptr<SimMode>> modes;
    for (const SimModeFactory& factory : Factories()) {
        modes.push_back(factory());
    }
    return modes;
}

}  // namespace zol
