// zolclient, the program people start: it loads the client proper (a
// module, with Qt) and, while that loads, begins the connect the client
// makes at start, which the client then goes on with. Loading Qt takes a
// good part of the time to the first display; this way the server works on
// the first replies meanwhile.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "client/core/client_settings.h"
#include "client/core/huge_page_heap.h"
#include "client/core/module_loader.h"
#include "client/launch/start_connect.h"
#include "client/launch/start_connection.h"
#include "platform/registry_store.h"
#include "platform/session_bus.h"
#include "platform/windows1252.h"

int main(int argc, char* argv[]) {
    // Before any thread: the connect's record, the model and the widgets
    // are all built on this heap.
    constexpr std::size_t kHeapReserve = std::size_t{64} << 20;
    zol::BackHeapWithHugePages(kHeapReserve);
    // While this is the only thread: the environment changes.
    zol::AskForNoSessionBusWhereThereIsNone();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(zol::Utf8ToWindows1252(argv[i]));
    std::unique_ptr<zol::ConnectPrefetch> started = zol::BeginConnectAtStart(
        zol::RegistryStore::DefaultPath(zol::kClientProgramName), arguments);

    std::string problems;
    void* module =
        zol::FindModule(zol::ModuleCandidates(zol::kClientModuleFile, ZOL_CLIENT_APP_BUILD_PATH),
                        zol::kClientModuleFile, zol::kClientMainSymbol, problems);
    if (module == nullptr) {
        std::fprintf(stderr, "zolclient: the client cannot be loaded: %s\n", problems.c_str());
        return 1;
    }
    auto clientMain = reinterpret_cast<zol::ClientMainFunction>(
        zol::ModuleSymbol(module, zol::kClientMainSymbol));
    const int rc = clientMain(argc, argv, started.get());
    started.reset();
    return rc;
}
