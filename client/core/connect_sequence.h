// ConnectSequence: the client's staged connect. It opens the connection,
// greets the server, gives the password, and loads the design, its displays
// and tiles, the home-mode and schedule names and the server status, in
// eight stages that it reports to a progress window, letting the event loop
// run after every report so the window repaints while this thread works.
//
//   0 open the connection          4 displays and their tiles
//   1 greeting                     5 (nothing further)
//   2 password, prompting for one  6 mode and schedule names, the displays
//   3 reference DPI, design            join the design, HTML folders copied
//                                  7 server status, client options
//
// When the server still serves the design that is loaded (same name),
// stages 3 to 6 are skipped and only a changed time stamp is reported. The
// replies of the load are received by the waiting thread itself; pushes flow
// again once the sequence is over.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "client/core/connect_progress.h"
#include "client/model/folder_archive.h"
#include "client/model/icon_set.h"
#include "client/model/request_catalogue.h"
#include "serverlink/greeting_frame.h"
#include "serverlink/server_target.h"

namespace zol {

class ConnectProgress;
class HintAlertReporter;
class RequestChannel;
class ServerLink;
class UserReporter;
struct Design;

struct ConnectSequenceContext {
    ConnectSequenceContext(ServerLink& l, RequestChannel& ch, UserReporter& r, HintAlertReporter& h,
                           ConnectProgress& p, Design& d, GreetingNumbers v)
        : link(l), channel(ch), reporter(r), hints(h), progress(p), design(d), version(v) {}

    ServerLink& link;
    RequestChannel& channel;
    UserReporter& reporter;
    HintAlertReporter& hints;
    ConnectProgress& progress;
    Design& design;
    GreetingNumbers version;

    // Settings the load reads.
    std::string clientName;
    std::int32_t backgroundColor = 0;
    std::int32_t textColor = 0;
    bool homePageEnable = false;
    std::string homePageName;
    std::filesystem::path tempDir;
    IconSetLookup iconSets;
    ArchiveLimits htmlLimits;

    // Runs the event loop until no event waits.
    std::function<void()> turnLoop;
    // Called with no connection open, just before the new one is opened.
    std::function<void()> beforeOpen;
    // Asks the person for the password; false when cancelled.
    std::function<bool(std::string& password)> promptPassword;
    // Formats a server date-time for the information lines (date and time,
    // or the time alone).
    std::function<std::string(const FieldDateTimeValue&, bool withDate)> formatDateTime;
};

struct ConnectOutcome {
    int result = 0;
    // The design that was loaded is still the server's, with another time stamp.
    bool designChanged = false;
    // The server refused this client's version, or this client the server's.
    bool versionRefused = false;
    std::int32_t referenceDpi = kDefaultReferenceDpi;
    ServerStatus status;
};

class ConnectSequence {
  public:
    explicit ConnectSequence(ConnectSequenceContext context);

    // Connects to `target`; nullopt when `hostName` could not be resolved.
    // `password` is the stored one, replaced by what was accepted (emptied
    // when refused); `cloudToken` is kept unless the server sends another.
    ConnectOutcome Run(const std::optional<ServerTarget>& target, const std::string& hostName,
                       std::string& password, std::string& cloudToken);

  private:
    void Report(int stage, StageState state);
    void Text(int line, const std::string& text);
    int Fail(int stage, int code, const std::string& text);
    int Stages(const ServerTarget& target, std::string& password, std::string& cloudToken,
               ConnectOutcome& outcome);
    int LoadDesignStages(std::string& cloudToken, ConnectOutcome& outcome);
    void ReportConnected(const ConnectOutcome& outcome);

    ConnectSequenceContext c_;
};

}  // namespace zol
