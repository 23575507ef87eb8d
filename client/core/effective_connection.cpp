#include "client/core/effective_connection.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "client/core/client_settings.h"
#include "platform/ascii_text.h"
#include "serverlink/server_address.h"

namespace zol {

namespace {

// Decimal value of an all-digit text, or -1 when it exceeds `limit`.
std::int64_t DigitsValue(std::string_view digits, std::int64_t limit) {
    std::int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > limit)
            return -1;
    }
    return value;
}

}  // namespace

EffectiveConnection EffectiveConnection::FromSettings(const ClientSettings& settings) {
    EffectiveConnection c;
    c.serverPort = settings.serverPort;
    c.addressKind = settings.primaryType;
    c.ipv4Address = static_cast<std::uint32_t>(settings.primaryIPAddress);
    c.hostName = settings.primaryName;
    c.password = settings.password;
    c.useRelay = settings.useAgentConnection;
    c.relayCredential = settings.agentToken;
    return c;
}

std::vector<std::string> SplitCommandLine(const std::vector<std::string>& arguments) {
    std::vector<std::string> words;
    for (const std::string& argument : arguments) {
        std::size_t start = 0;
        while (start <= argument.size()) {
            std::size_t blank = argument.find(' ', start);
            if (blank == std::string::npos)
                blank = argument.size();
            if (blank > start)
                words.push_back(argument.substr(start, blank - start));
            start = blank + 1;
        }
    }
    return words;
}

CommandLineResult ApplyCommandLine(const std::vector<std::string>& words, EffectiveConnection& c) {
    CommandLineResult result;
    for (const std::string& word : words) {
        std::string_view w(word);
        const auto [name, value] = SplitSwitchWord(w);

        if (EqualsNoCase(name, "/RAV")) {
            result.openRemoteAccessViewer = true;
        } else if (EqualsNoCase(name, "/ZOLServer")) {
            const std::optional<std::uint32_t> address = ParseDottedAddress(value);
            if (!address)
                continue;
            c.addressKind = kAddressKindIPv4;
            c.ipv4Address = *address;
            c.useRelay = 0;
            c.overridden = true;
        } else if (EqualsNoCase(name, "/ZOLServerName")) {
            if (value.empty())
                continue;
            c.addressKind = kAddressKindHostName;
            c.hostName = std::string(value);
            c.useRelay = 0;
            c.overridden = true;
        } else if (EqualsNoCase(name, "/Port")) {
            if (!AllDecimalDigits(value))
                continue;
            std::int64_t port = DigitsValue(value, 65535);
            if (port <= 0)
                continue;
            c.serverPort = static_cast<std::int32_t>(port);
            c.useRelay = 0;
            c.overridden = true;
        } else if (EqualsNoCase(name, "/PSWD")) {
            c.password = std::string(value);
            c.overridden = true;
        } else if (EqualsNoCase(name, "/CloudConnect")) {
            if (!AllDecimalDigits(value))
                continue;
            // Any non-zero number turns the relay on; reading only whether a
            // digit is non-zero avoids overflowing on huge numbers.
            c.useRelay = value.find_first_not_of('0') == std::string_view::npos ? 0 : 1;
            c.overridden = true;
        } else if (EqualsNoCase(name, "/CloudToken")) {
            if (value.empty())
                continue;
            c.relayCredential = std::string(value);
            c.useRelay = 1;
            c.overridden = true;
        }
    }
    return result;
}

bool ConnectionDetailsComplete(const ClientSettings& settings, const EffectiveConnection& c) {
    if (c.overridden) {
        if (c.useRelay != 0)
            return !settings.agentToken.empty() || !c.relayCredential.empty();
        if (c.addressKind == kAddressKindIPv4)
            return c.ipv4Address != 0;
        if (c.addressKind == kAddressKindHostName)
            return !c.hostName.empty();
        return false;
    }
    if (settings.useAgentConnection != 0)
        return !settings.agentToken.empty();
    if (settings.primaryType == kAddressKindIPv4)
        return settings.primaryIPAddress != 0;
    if (settings.primaryType == kAddressKindHostName)
        return !settings.primaryName.empty();
    return false;
}

std::optional<ServerTarget> ResolveTarget(const EffectiveConnection& c) {
    std::uint32_t address = c.ipv4Address;
    if (c.useRelay == 0 && c.addressKind == kAddressKindHostName) {
        const std::optional<std::uint32_t> found = LookupHostIpv4(c.hostName);
        if (!found)
            return std::nullopt;
        address = *found;
    }
    return MakeServerTarget(c.serverPort, address, c.password, c.useRelay != 0, c.relayCredential);
}

StartingConnection ConnectionAtStart(ClientSettings& settings,
                                     const std::vector<std::string>& arguments) {
    settings.secondaryPort = settings.serverPort;
    settings.secondaryPassword = settings.password;
    StartingConnection start;
    start.connection = EffectiveConnection::FromSettings(settings);
    start.openRemoteAccessViewer =
        ApplyCommandLine(SplitCommandLine(arguments), start.connection).openRemoteAccessViewer;
    start.connectAtOnce =
        settings.autoConnect != 0 && ConnectionDetailsComplete(settings, start.connection);
    return start;
}

ConnectPlan PlanConnect(const ClientSettings& settings, EffectiveConnection connection) {
    ConnectPlan plan;
    plan.connection = std::move(connection);
    if (settings.cloudMasterDisable != 0)
        plan.connection.useRelay = 0;
    if (plan.connection.useRelay != 0 && plan.connection.relayCredential.empty())
        plan.connection.relayCredential = settings.agentToken;
    plan.viaRelay = plan.connection.useRelay != 0;
    plan.target = ResolveTarget(plan.connection);
    return plan;
}

LinkTimeouts LinkTimeoutsFrom(const ClientSettings& settings) {
    LinkTimeouts t;
    t.serverConnectTimeout = settings.serverConnectTimeout;
    t.serverSendTimeout = settings.serverSendTimeout;
    t.serverReplyTimeout = settings.serverReplyTimeout;
    t.taskTerminateWaitTime = settings.taskTerminateWaitTime;
    t.decodeTimeout = settings.decodeTimeout;
    t.missedPingBeforeDisconnect = settings.missedPingBeforeDisconnect;
    return t;
}

}  // namespace zol
