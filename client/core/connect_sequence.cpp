#include "client/core/connect_sequence.h"

#include <cstdio>

#include "client/core/connect_progress.h"
#include "client/model/design.h"
#include "client/model/display_loader.h"
#include "client/model/html_folder_sync.h"
#include "serverlink/connect_handshake.h"
#include "serverlink/server_link.h"

namespace zol {

namespace {

constexpr int kStageOpen = 0;
constexpr int kStageGreeting = 1;
constexpr int kStagePassword = 2;
constexpr int kStageDesign = 3;
constexpr int kStageDisplays = 4;
constexpr int kStageIcons = 5;
constexpr int kStageNames = 6;
constexpr int kStageOptions = 7;

constexpr int kFailureLine = 0;

// Receiving on the waiting thread for the life of the sequence: its replies
// come without a thread hand-off; pushes wait until it is over.
class CallerReceives {
  public:
    explicit CallerReceives(ServerLink& link) : link_(link) { link_.SetReceiveOnCaller(true); }
    ~CallerReceives() { link_.SetReceiveOnCaller(false); }
    CallerReceives(const CallerReceives&) = delete;
    CallerReceives& operator=(const CallerReceives&) = delete;

  private:
    ServerLink& link_;
};

}  // namespace

ConnectSequence::ConnectSequence(ConnectSequenceContext context) : c_(std::move(context)) {}

void ConnectSequence::Report(int stage, StageState state) {
    c_.progress.ReportStage(stage, state);
    if (c_.turnLoop)
        c_.turnLoop();
}

void ConnectSequence::Text(int line, const std::string& text) {
    c_.progress.ReportText(line, text);
    if (c_.turnLoop)
        c_.turnLoop();
}

int ConnectSequence::Fail(int stage, int code, const std::string& text) {
    Report(stage, StageState::Failed);
    Text(kFailureLine, text);
    return code;
}

ConnectOutcome ConnectSequence::Run(const std::optional<ServerTarget>& target,
                                    const std::string& hostName, std::string& password,
                                    std::string& cloudToken) {
    ConnectOutcome outcome;
    if (!target) {
        outcome.result = Fail(kStageOpen, -1, "Can't resolve \"" + hostName + "\"");
        return outcome;
    }
    CallerReceives receiving(c_.link);
    outcome.result = Stages(*target, password, cloudToken, outcome);
    if (outcome.result == 0)
        ReportConnected(outcome);
    return outcome;
}

int ConnectSequence::Stages(const ServerTarget& target, std::string& password,
                            std::string& cloudToken, ConnectOutcome& outcome) {
    ConnectHandshake handshake(c_.link, ClientProgram::Gui, c_.version);

    Report(kStageOpen, StageState::Working);
    // Nothing of the last connection may stay waiting: a keep-alive ping
    // still pending would take the new connection's greeting reply.
    c_.link.CloseServerConnection();
    c_.link.Requests().WakeWaiters();
    if (c_.beforeOpen)
        c_.beforeOpen();
    if (int code = handshake.Open(target))
        return Fail(kStageOpen, code, handshake.FailureText());
    Report(kStageOpen, StageState::Succeeded);

    Report(kStageGreeting, StageState::Working);
    if (int code = handshake.Greet()) {
        outcome.versionRefused = handshake.VersionRefused();
        return Fail(kStageGreeting, code, handshake.FailureText());
    }
    Report(kStageGreeting, StageState::Succeeded);

    Report(kStagePassword, StageState::Working);
    auto prompt = [this](std::string& entered) {
        return c_.promptPassword && c_.promptPassword(entered);
    };
    if (int code = handshake.Authorize(password, prompt))
        return Fail(kStagePassword, code, handshake.FailureText());
    Report(kStagePassword, StageState::Succeeded);

    if (int code = LoadDesignStages(cloudToken, outcome))
        return code;

    Report(kStageOptions, StageState::Working);
    std::string failure;
    if (int code = RequestServerStatus(c_.channel, c_.clientName, outcome.status, failure)) {
        c_.link.CloseServerConnection();
        return Fail(kStageOptions, code, failure);
    }
    Report(kStageOptions, StageState::Succeeded);
    return 0;
}

int ConnectSequence::LoadDesignStages(std::string& cloudToken, ConnectOutcome& outcome) {
    std::string failure;
    // A failed load leaves no half-usable connection behind.
    auto fail = [&](int stage, int code) {
        c_.link.CloseServerConnection();
        return Fail(stage, code, failure);
    };

    Report(kStageDesign, StageState::Working);
    if (int code = RequestReferenceDpi(c_.channel, outcome.referenceDpi, failure))
        return fail(kStageDesign, code);
    if (!c_.design.loadedDesignName.empty()) {
        std::string name;
        std::string stamp;
        if (int code = RequestTimeStamp(c_.channel, name, stamp, failure))
            return fail(kStageDesign, code);
        if (name == c_.design.loadedDesignName) {
            outcome.designChanged = stamp != c_.design.loadedDesignTime;
            for (int stage = kStageDesign; stage <= kStageNames; ++stage)
                Report(stage, StageState::Skipped);
            return 0;
        }
    }
    c_.design.Clear();
    const GreetingValues server = c_.link.Greeting();
    if (int code = LoadDesign(c_.channel, server.serverMajor, c_.design, cloudToken, failure))
        return fail(kStageDesign, code);
    Report(kStageDesign, StageState::Succeeded);

    Report(kStageDisplays, StageState::Working);
    DisplayLoadContext load;
    load.server = server;
    load.backgroundColor = c_.backgroundColor;
    load.textColor = c_.textColor;
    load.homePageEnable = c_.homePageEnable;
    load.homePageName = c_.homePageName;
    load.tempDir = c_.tempDir;
    load.iconSets = c_.iconSets;
    DisplayList displays;
    if (int code = LoadDisplays(c_.channel, c_.reporter, load, displays, failure))
        return fail(kStageDisplays, code);
    Report(kStageDisplays, StageState::Succeeded);

    Report(kStageIcons, StageState::Working);
    Report(kStageIcons, StageState::Succeeded);

    Report(kStageNames, StageState::Working);
    if (int code = LoadModeAndScheduleNames(c_.channel, c_.design, failure))
        return fail(kStageNames, code);
    c_.design.AppendDisplays(std::move(displays));
    // The folders of HTML displays that ask to be copied at connect; quiet:
    // a copy that fails shows nothing and keeps the folder there was.
    HtmlFolderSync sync{c_.channel, c_.reporter, c_.hints, c_.tempDir, c_.htmlLimits};
    CopyHtmlFolders(sync, c_.design.displays, false, true);
    Report(kStageNames, StageState::Succeeded);
    return 0;
}

void ConnectSequence::ReportConnected(const ConnectOutcome& outcome) {
    const GreetingValues server = c_.link.Greeting();
    char line[160];
    std::snprintf(line, sizeof(line), "Connected to ZOL Server version %d.%d.%d. Client number %d",
                  server.serverMajor, server.serverMinor, server.serverBuild, server.clientNumber);
    Text(1, line);
    auto format = [this](const FieldDateTimeValue& value, bool withDate) {
        return c_.formatDateTime ? c_.formatDateTime(value, withDate) : std::string();
    };
    const ServerStatusSnapshot& s = outcome.status.snapshot;
    Text(2, "Server Time: " + format(s.serverTime, true));
    Text(3, "Server Up Time: " + format(s.upSince, true));
    Text(4, "Server Surise Time: " + format(s.sunrise, false));
    Text(5, "Server Sunset Time: " + format(s.sunset, false));
}

}  // namespace zol
