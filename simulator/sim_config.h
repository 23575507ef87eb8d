// What a zolsim instance says about itself in the greeting and in the few
// requests that depend on configuration rather than on the design.
#pragma once

#include <optional>
#include <string>

namespace zol {

struct SimConfig {
    int versionMajor = 19;
    int versionMinor = 1;
    int versionBuild = 3;
    // Greeting letters the server accepts; a client steps down F, E, D until
    // one is accepted.
    std::string acceptedLetters = "FED";
    // Non-empty: clients must send "ZOL.SetPassword" with it first.
    std::string password;
    // Absent: "GetReferenceDPI" is unknown (-104).
    std::optional<int> referenceDpi = 96;
};

}  // namespace zol
