#include "client/launch/start_connect.h"

#include "client/core/client_settings.h"
#include "client/core/effective_connection.h"
#include "platform/registry_store.h"

namespace zol {

std::unique_ptr<ConnectPrefetch> BeginConnectAtStart(const std::filesystem::path& registryFile,
                                                     const std::vector<std::string>& arguments) {
    // Read as the client reads them at its start.
    RegistryStore store(registryFile);
    store.Load();
    ClientSettings settings;
    settings.Load(store);
    const StartingConnection start = ConnectionAtStart(settings, arguments);
    if (!start.connectAtOnce)
        return nullptr;
    const ConnectPlan plan = PlanConnect(settings, start.connection);
    if (plan.viaRelay || !plan.target)
        return nullptr;
    return std::make_unique<ConnectPrefetch>(LinkTimeoutsFrom(settings), *plan.target,
                                             plan.connection.password,
                                             OwnGreetingNumbers(ClientProgram::Gui));
}

}  // namespace zol
