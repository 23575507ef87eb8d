#include "cli/zolcli_run.h"

#include <cstdio>

#include "cli/cli_reports.h"
#include "cli/cli_settings.h"
#include "cli/command_line.h"
#include "cli/result_file.h"
#include "cli/server_address.h"
#include "platform/registry_store.h"
#include "serverlink/connect_handshake.h"
#include "serverlink/field_list.h"
#include "serverlink/link_timeouts.h"
#include "serverlink/server_link.h"

namespace zol {
namespace {

constexpr int kExitConnectFailed = 1;

LinkTimeouts TimeoutsFrom(const CliSettings& s) {
    LinkTimeouts t;
    t.serverConnectTimeout = s.serverConnectTimeout;
    t.serverSendTimeout = s.serverSendTimeout;
    t.serverReplyTimeout = s.serverReplyTimeout;
    t.taskTerminateWaitTime = s.taskTerminateWaitTime;
    t.decodeTimeout = s.decodeTimeout;
    return t;
}

// The command words as one field list: the first two always (empty when not
// given), the others only when given; the announced count is the words given.
std::string BuildCommand(const CommandWords& command) {
    FieldList list(static_cast<int>(command.count));
    list.Add(command.words[0]).Add(command.words[1]);
    for (std::size_t i = 2; i < command.count; ++i)
        list.Add(command.words[i]);
    return list.Message();
}

// Connects, sends the command, writes the report; returns the exit code.
int ConnectAndSend(const CliSettings& settings, std::uint32_t address, const CommandWords& command,
                   const ResultFile& result) {
    LinkTimeouts timeouts = TimeoutsFrom(settings);
    ServerLink link(timeouts);
    // One request and its reply: this thread can do the receiving itself.
    link.SetReceiveOnCaller(true);
    ServerTarget target;
    target.port = static_cast<std::uint16_t>(settings.serverPort & 0xFFFF);
    target.address = address;
    target.password = settings.serverPassword;
    target.useRelay = false;  // this program never uses the cloud relay

    std::string failureText;
    if (ConnectToServer(link, target, settings.clientName, failureText) != 0) {
        result.Write(failureText);
        return kExitConnectFailed;
    }
    std::int32_t resultCode = 0;
    std::string reply;
    int error = link.SendRequest(BuildCommand(command), resultCode, reply);
    int exitCode = 0;
    if (error != 0) {
        result.Write(ServerErrorReport(error, command));
        exitCode = error;
    } else if (resultCode != 0) {
        result.Write(CommandErrorReport(resultCode, command));
    } else {
        result.Write(reply);
    }
    link.CloseServerConnection();
    return exitCode;
}

}  // namespace

int RunZolCli(const std::vector<std::string>& args) {
    // There is no module handle, framework or sockets layer to start here;
    // the first steps that can fail are the ones below.
    RegistryStore store(RegistryStore::DefaultPath("ZOLCLI"));
    store.Load();
    CliSettings settings;
    LoadCliSettings(store, settings);

    const CommandWords command = ReadCommandLine(args, settings);
    const ResultFile result(settings.resultFilePath);

    if (command.count < 2) {
        // A request whose header would not fit its fields is never sent;
        // the switches given are still kept for later runs.
        std::fputs(UsageText().c_str(), stderr);
        result.Write(UsageText());
        SaveCliSettings(store, settings);
        return kExitUsage;
    }

    auto address = ResolveServerAddress(settings.serverIpAddress);
    if (!address) {
        result.Write(UnresolvableAddressReport(settings.serverIpAddress));
        return 0;  // settings are deliberately not stored
    }

    int exitCode = ConnectAndSend(settings, *address, command, result);
    SaveCliSettings(store, settings);
    return exitCode;
}

}  // namespace zol
