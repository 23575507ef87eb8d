// The connect the launcher begins for the client: the one the client makes
// at once after it starts (its settings and arguments say so), when it goes
// straight to the server, not through the cloud relay.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "client/launch/connect_prefetch.h"

namespace zol {

// `arguments`: the program's, without its name, in Windows-1252. Null when
// the client will not connect at once, or not directly.
std::unique_ptr<ConnectPrefetch> BeginConnectAtStart(const std::filesystem::path& registryFile,
                                                     const std::vector<std::string>& arguments);

}  // namespace zol
