// The connect handshake: turns a fresh TCP connection into a usable server
// connection. The steps are separate so that the GUI client can run them as
// the stages of its connect sequence (stage 0 Open, stage 1 Greet, stage 2
// SendPassword with its own prompt loop); ConnectToServer runs them straight
// through for the command-line program.
//
// Every failing step closes the connection and leaves exactly one failure
// text in FailureText(); its result is the code to report.
// Thread-safety: none; run it on the thread that opens and closes the link.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "serverlink/greeting_frame.h"
#include "serverlink/server_target.h"

namespace zol {

class ServerLink;

// The GUI client's text for a failed connection (its string resource 309).
inline constexpr std::string_view kGuiConnectFailedText =
    "Begin Client Activities has failed.  Check server IP address and port.  Also check\n"
    "that the server is running and has loaded an ZOL design file.  The name of the loaded "
    "file\nappears in the server application window title bar.";

class ConnectHandshake {
  public:
    ConnectHandshake(ServerLink& link, ClientProgram program, GreetingNumbers numbers);

    // Steps 1 and 2: closes an opened connection, then opens a new one.
    int Open(const ServerTarget& target);
    // Greeting exchange with letter stepping F, E, D and the 13.1 minimum;
    // stores the greeting values in the link on success.
    int Greet();
    bool PasswordDemanded() const { return passwordDemanded_; }
    // Sends the password request. Returns the request error (failing the
    // handshake with the timeout text) or 0; `serverResult` receives the
    // server's answer, which the caller judges (the GUI prompts again).
    int SendPassword(std::string_view password, std::int32_t& serverResult);
    // The GUI client's password stage: while the server demands a password,
    // send `password` (the stored one of the server profile), asking
    // `prompt` for one while it is empty; a refused password is emptied and
    // asked for again. `prompt` returns false when the user cancels, which
    // fails with "Can't connect without correct password" and -1. On success
    // `password` holds the accepted one.
    int Authorize(std::string& password, const std::function<bool(std::string&)>& prompt);
    // The command-line program's client options announcement.
    int SendClientOptions(std::string_view clientName);

    // Ends the attempt with `text` and `result`: closes the connection,
    // unless asked to keep it (a connection handed over after a failure
    // makes its taker meet the same failure on the same connection).
    int Fail(std::string text, int result);
    void KeepConnectionOnFailure() { keepConnectionOnFailure_ = true; }

    const std::string& FailureText() const { return failureText_; }
    // The failure was a version refusal (the GUI then stops reconnecting).
    bool VersionRefused() const { return versionRefused_; }

  private:
    std::string OpenFailureText(int code, bool useRelay) const;

    ServerLink& link_;
    ClientProgram program_;
    GreetingNumbers numbers_;
    bool passwordDemanded_ = false;
    bool versionRefused_ = false;
    bool keepConnectionOnFailure_ = false;
    std::string failureText_;
};

// The command-line program's whole handshake: open, greet, password when
// demanded, client options. 0 when connected; otherwise the connection is
// closed and `failureText` holds the one text to report.
int ConnectToServer(ServerLink& link, const ServerTarget& target, std::string_view clientName,
                    std::string& failureText);

}  // namespace zol
