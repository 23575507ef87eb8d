#include "simulator/control_commands.h"

#include <charconv>
#include <chrono>
#include <functional>
#include <map>
#include <sstream>

#include "serverlink/field_list.h"
#include "simulator/control_escape.h"
#include "simulator/design_entries.h"
#include "simulator/field_builder.h"
#include "simulator/push_burst.h"
#include "simulator/push_effects.h"
#include "simulator/sim_server.h"
#include "simulator/status_messages.h"
#include "simulator/user_dialog_pushes.h"
#include "simulator/wire_time.h"

namespace zol {

namespace {

using Lines = std::vector<std::string>;
using Words = std::vector<std::string>;

const std::string kOk = "OK";

std::string Error(const std::string& reason) {
    return "ERR " + reason;
}

bool ParseInt(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "all" is 0; otherwise a connection id.
bool ParseTarget(const std::string& text, int& connectionId) {
    if (text == "all") {
        connectionId = 0;
        return true;
    }
    return ParseInt(text, connectionId) && connectionId > 0;
}

// The line from its `count`-th word on, blanks inside kept.
std::string TextAfterWords(const std::string& line, int count) {
    std::size_t position = 0;
    for (int i = 0; i < count; ++i) {
        position = line.find_first_not_of(" \t", position);
        position = line.find_first_of(" \t", position);
        if (position == std::string::npos) {
            return {};
        }
    }
    position = line.find_first_not_of(" \t", position);
    return position == std::string::npos ? std::string() : line.substr(position);
}

Words SplitWords(const std::string& line) {
    std::istringstream stream(line);
    Words words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

Lines Help(SimServer&, const Words&, const std::string&) {
    return {"help",
            "clients",
            "push <all|connection> <field>|<field>|...",
            "set <objectId|displayId> <member>=<value> ...",
            "burst <all|connection> <count> <first objectId> [objects]",
            "pushstatus",
            "dialog <all|connection> <number|text|time|choice|keys|alert|other> [options]",
            "dialogreports",
            "requests [clear]",
            "faults",
            "fault <drop|silent|garbage|split|closeaftergreeting> <on|off>",
            "fault delay <milliseconds|off>",
            "fault target <all|connection>",
            "fault request <method> <code|undecodable>",
            "fault request off",
            "fault clear",
            "drop <all|connection>",
            "config <version M.m.b|letters FED|password TEXT|dpi N|off>",
            "design [name TEXT|stamp YYYYMMDDhhmmss|stamp now]",
            "log [clear]",
            "status",
            kOk};
}

Lines Clients(SimServer& server, const Words&, const std::string&) {
    Lines lines;
    for (const SimServer::ClientInfo& client : server.Clients()) {
        lines.push_back(std::to_string(client.connectionId) +
                        " client=" + std::to_string(client.clientNumber) +
                        " port=" + std::to_string(client.peerPort) +
                        " greeted=" + (client.greeted ? "1" : "0") +
                        " name=" + JoinControlFields({client.clientName}));
    }
    lines.push_back(kOk);
    return lines;
}

Lines Push(SimServer& server, const Words& words, const std::string& rest) {
    int target = 0;
    if (words.size() < 3 || !ParseTarget(words[1], target)) {
        return {Error("usage: push <all|connection> <field>|<field>|...")};
    }
    // Fields may hold blanks: take everything after the target word.
    FieldBuilder message;
    for (const std::string& field : SplitControlFields(TextAfterWords(rest, 2))) {
        message.Add(field);
    }
    if (message.EncodedLength() > kMaxFieldListLength) {
        return {Error("message longer than 9999 bytes")};
    }
    // zolsim keeps what the push announces, whoever it reaches.
    ApplyPushToHouse(message.Message(), server.State(), std::chrono::system_clock::now());
    const int sent = server.PushTo(target, message.Message());
    return {"sent " + std::to_string(sent), kOk};
}

// A "UserDialog" push of a ready-made question.
Lines Dialog(SimServer& server, const Words& words, const std::string&) {
    int target = 0;
    if (words.size() < 3 || !ParseTarget(words[1], target)) {
        return {
            Error("usage: dialog <all|connection> <kind> [id=N] [timeout=S] [activity] "
                  "[masked] [keyboard] [initial=V] [prompt=TEXT] [alertkind=K]")};
    }
    std::string error;
    const auto fields =
        UserDialogPushFields(words[2], Words(words.begin() + 3, words.end()), error);
    if (!fields) {
        return {Error(error)};
    }
    FieldBuilder message;
    for (const std::string& field : *fields) {
        message.Add(field);
    }
    const int sent = server.PushTo(target, message.Message());
    return {"sent " + std::to_string(sent), kOk};
}

// The answers the clients sent to dialogs, oldest first.
Lines DialogReports(SimServer& server, const Words&, const std::string&) {
    Lines lines;
    for (const LoggedRequest& entry : server.Log().Entries()) {
        std::vector<FieldValue> values;
        if (DecodeFieldList(entry.frame, values) != kFieldListOk) {
            continue;
        }
        std::vector<std::string> texts;
        for (const FieldValue& value : values) {
            texts.push_back(value.text);
        }
        const std::string report = DescribeUserDialogReport(texts);
        if (!report.empty()) {
            lines.push_back(std::to_string(entry.connectionId) + " " + report);
        }
    }
    lines.push_back(kOk);
    return lines;
}

bool SetObjectMember(SimObject& object, const std::string& member, const std::string& value) {
    int number = 0;
    const bool isNumber = ParseInt(value, number);
    const std::map<std::string, int*> numbers = {
        {"level", &object.level},
        {"suspendState", &object.suspendState},
        {"errorCondition", &object.errorCondition},
        {"ownLevel", &object.ownLevel},
        {"overlaySize", &object.overlaySize},
        {"overlayColor", &object.overlayColor},
        {"metered", &object.metered},
        {"reserved4", &object.reserved4},
        {"commandResult", &object.commandResult},
    };
    const std::map<std::string, std::string*> texts = {
        {"statusText", &object.statusText},
        {"ownIconName", &object.ownIconName},
        {"caption", &object.caption},
        {"overlayText", &object.overlayText},
    };
    if (auto found = numbers.find(member); found != numbers.end()) {
        if (!isNumber) {
            return false;
        }
        *found->second = number;
        return true;
    }
    if (auto found = texts.find(member); found != texts.end()) {
        *found->second = value;
        return true;
    }
    // buttonN=state, keys numbered from 0 as on the wire.
    int button = 0;
    if (member.rfind("button", 0) == 0 && ParseInt(member.substr(6), button) && button >= 0 &&
        button < kMaxButtons && isNumber) {
        const auto slot = static_cast<std::size_t>(button);
        if (object.buttonStates.size() <= slot) {
            object.buttonStates.resize(slot + 1, 0);
        }
        object.buttonStates[slot] = number;
        return true;
    }
    return false;
}

bool SetDisplayMember(SimDisplay& display, const std::string& member, const std::string& value) {
    int number = 0;
    const bool isNumber = ParseInt(value, number);
    if (member == "level" && isNumber) {
        display.level = number;
    } else if (member == "ownLevel" && isNumber) {
        display.ownLevel = number;
    } else if (member == "ownIconName") {
        display.ownIconName = value;
    } else if (member == "caption") {
        display.caption = value;
    } else {
        return false;
    }
    return true;
}

Lines Set(SimServer& server, const Words& words, const std::string&) {
    int id = 0;
    if (words.size() < 3 || !ParseInt(words[1], id)) {
        return {Error("usage: set <objectId|displayId> <member>=<value> ...")};
    }
    SimServerState& state = server.State();
    SimObject* object = state.design.FindObject(id);
    SimDisplay* display = object ? nullptr : state.design.FindDisplay(id);
    if (object == nullptr && display == nullptr) {
        return {Error("no object or display " + words[1])};
    }
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::size_t equals = words[i].find('=');
        if (equals == std::string::npos) {
            return {Error("expected member=value: " + words[i])};
        }
        const std::string member = words[i].substr(0, equals);
        const std::vector<std::string> value = SplitControlFields(words[i].substr(equals + 1));
        const bool set = object ? SetObjectMember(*object, member, value.front())
                                : SetDisplayMember(*display, member, value.front());
        if (!set) {
            return {Error("cannot set " + words[i])};
        }
    }
    const std::string push = object ? EncodeObjectUpdate(*object, state.design.designTimeStamp,
                                                         state.config.versionMajor)
                                    : EncodeDisplayUpdate(*display, state.design.designTimeStamp);
    const int sent = server.PushTo(0, push);
    return {"sent " + std::to_string(sent), kOk};
}

// Load tests: a burst of "Update" pushes, sent from the event loop.
Lines Burst(SimServer& server, const Words& words, const std::string&) {
    constexpr int kMaxBurst = 10'000'000;
    int target = 0;
    int count = 0;
    int first = 0;
    int objects = 1;
    if (words.size() < 4 || words.size() > 5 || !ParseTarget(words[1], target) ||
        !ParseInt(words[2], count) || count < 1 || count > kMaxBurst ||
        !ParseInt(words[3], first) ||
        (words.size() == 5 && (!ParseInt(words[4], objects) || objects < 1))) {
        return {Error("usage: burst <all|connection> <count 1-" + std::to_string(kMaxBurst) +
                      "> <first objectId> [objects]")};
    }
    std::vector<int> ids;
    for (int i = 0; i < objects; ++i) {
        if (server.State().design.FindObject(first + i) == nullptr) {
            return {Error("no object " + std::to_string(first + i))};
        }
        ids.push_back(first + i);
    }
    (new PushBurst(server, target, count, std::move(ids)))->Start();
    return {"started " + std::to_string(count), kOk};
}

Lines PushStatus(SimServer& server, const Words&, const std::string&) {
    SimServerState& state = server.State();
    server.Deliver({EncodeServerStatusPush(state.design), PushAudience::kEveryone}, 0);
    server.Deliver({EncodeExtendedStatusPush(state, std::chrono::system_clock::now()),
                    PushAudience::kStatusSubscribers},
                   0);
    return {kOk};
}

Lines Requests(SimServer& server, const Words& words, const std::string&) {
    if (words.size() > 1 && words[1] == "clear") {
        server.Log().Clear();
        return {kOk};
    }
    Lines lines;
    for (const LoggedRequest& entry : server.Log().Entries()) {
        lines.push_back(RequestLog::Describe(entry));
    }
    lines.push_back(kOk);
    return lines;
}

Lines Faults(SimServer& server, const Words&, const std::string&) {
    Lines lines = DescribeFaults(server.Faults());
    lines.push_back(kOk);
    return lines;
}

Lines Fault(SimServer& server, const Words& words, const std::string&) {
    if (words.size() == 2 && words[1] == "clear") {
        server.Faults() = FaultSettings();
        return {kOk};
    }
    std::string refusal;
    if (words.size() >= 3 && words.size() <= 4 && words[1] == "request") {
        refusal = SetRequestFault(server.Faults(), words[2], words.size() == 4 ? words[3] : "");
    } else if (words.size() == 3) {
        refusal = SetFault(server.Faults(), words[1], words[2]);
    } else {
        return {Error("usage: fault <name> <value>")};
    }
    return {refusal.empty() ? kOk : Error(refusal)};
}

Lines Drop(SimServer& server, const Words& words, const std::string&) {
    int target = 0;
    if (words.size() != 2 || !ParseTarget(words[1], target)) {
        return {Error("usage: drop <all|connection>")};
    }
    return {"dropped " + std::to_string(server.DropConnections(target)), kOk};
}

Lines Config(SimServer& server, const Words& words, const std::string&) {
    if (words.size() != 3) {
        return {Error("usage: config <version|letters|password|dpi> <value>")};
    }
    SimConfig& config = server.State().config;
    const std::string& value = words[2];
    if (words[1] == "version") {
        int major = 0, minor = 0, build = 0;
        char dot1 = 0, dot2 = 0;
        std::istringstream stream(value);
        if (!(stream >> major >> dot1 >> minor >> dot2 >> build) || dot1 != '.' || dot2 != '.' ||
            major < 0 || major > 999 || minor < 0 || minor > 999 || build < 0 || build > 999) {
            return {Error("expected a version M.m.b with parts 0 to 999")};
        }
        config.versionMajor = major;
        config.versionMinor = minor;
        config.versionBuild = build;
    } else if (words[1] == "letters") {
        config.acceptedLetters = value;
    } else if (words[1] == "password") {
        config.password = value == "-" ? std::string() : SplitControlFields(value).front();
    } else if (words[1] == "dpi") {
        int dpi = 0;
        if (value == "off") {
            config.referenceDpi.reset();
        } else if (ParseInt(value, dpi) && dpi > 0) {
            config.referenceDpi = dpi;
        } else {
            return {Error("expected a positive number or off")};
        }
    } else {
        return {Error("unknown setting " + words[1])};
    }
    return {kOk};
}

// The design's name and time stamp, which the clients compare to decide
// whether to load the design again.
Lines DesignIdentity(SimServer& server, const Words& words, const std::string&) {
    SimDesign& design = server.State().design;
    if (words.size() == 1) {
        return {"name " + JoinControlFields({design.designName}), "stamp " + design.designTimeStamp,
                kOk};
    }
    if (words.size() != 3) {
        return {Error("usage: design [name TEXT|stamp YYYYMMDDhhmmss|stamp now]")};
    }
    if (words[1] == "name") {
        design.designName = SplitControlFields(words[2]).front();
    } else if (words[1] == "stamp") {
        const std::string stamp =
            words[2] == "now" ? FormatWireDateTime(std::chrono::system_clock::now()) : words[2];
        FieldDateTimeValue parsed;
        if (!ParseFieldDateTime(stamp, parsed)) {
            return {Error("expected YYYYMMDDhhmmss or now")};
        }
        design.designTimeStamp = stamp;
    } else {
        return {Error("unknown design setting " + words[1])};
    }
    return {kOk};
}

// The server log: "<number> <date-time> <kind> <text>" per entry.
Lines Log(SimServer& server, const Words& words, const std::string&) {
    ServerLog& log = server.State().log;
    if (words.size() > 1 && words[1] == "clear") {
        log.Clear();
        return {kOk};
    }
    Lines lines;
    for (const ServerLogEntry& entry : log.Entries()) {
        lines.push_back(std::to_string(entry.number) + " " + entry.dateTime + " " +
                        std::to_string(entry.kind) + " " + JoinControlFields({entry.text}));
    }
    lines.push_back(kOk);
    return lines;
}

Lines Status(SimServer& server, const Words&, const std::string&) {
    const SimServerState& state = server.State();
    const SimConfig& config = state.config;
    return {"version " + std::to_string(config.versionMajor) + "." +
                std::to_string(config.versionMinor) + "." + std::to_string(config.versionBuild),
            "letters " + config.acceptedLetters,
            std::string("password ") + (config.password.empty() ? "none" : "set"),
            "dpi " + (config.referenceDpi ? std::to_string(*config.referenceDpi) : "off"),
            "design " + JoinControlFields({state.design.designName}),
            "stamp " + state.design.designTimeStamp,
            "updateurl " + JoinControlFields({state.updateUrl}),
            "objects " + std::to_string(state.design.objects.size()),
            "displays " + std::to_string(state.design.displays.size()),
            "clients " + std::to_string(server.Clients().size()),
            kOk};
}

}  // namespace

std::vector<std::string> RunControlCommand(SimServer& server, const std::string& line) {
    using Command = std::function<Lines(SimServer&, const Words&, const std::string&)>;
    static const std::map<std::string, Command> kCommands = {
        {"help", Help},
        {"clients", Clients},
        {"push", Push},
        {"set", Set},
        {"burst", Burst},
        {"requests", Requests},
        {"faults", Faults},
        {"fault", Fault},
        {"drop", Drop},
        {"config", Config},
        {"status", Status},
        {"pushstatus", PushStatus},
        {"dialog", Dialog},
        {"dialogreports", DialogReports},
        {"design", DesignIdentity},
        {"log", Log},
    };
    const Words words = SplitWords(line);
    if (words.empty()) {
        return {Error("empty command")};
    }
    auto command = kCommands.find(words[0]);
    if (command == kCommands.end()) {
        return {Error("unknown command " + words[0] + " (try help)")};
    }
    return command->second(server, words, line);
}

}  // namespace zol
