// UserDialogHost: opens the dialog a "UserDialog" push asks for and sends
// its "UserDialogReport".
//
// Dialogs are modal, but pushes keep arriving inside their loops, so a
// further request opens on top of the open ones: at most kMaxNestedDialogs
// at a time; a request beyond that, like one of an unknown kind, is answered
// with closing code 2 at once. Every request gets exactly one final report,
// except those of dialogs closed by CloseAll when the connection is lost:
// their answers must never reach another server.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/userdialogs/user_dialog_request.h"

class QDialog;
class QWidget;

namespace zol {

class CZOLClientApp;
class Clock;
class Launcher;
class UserDialogReportSink;

inline constexpr std::size_t kMaxNestedDialogs = 8;

class UserDialogHost : public QObject {
    Q_OBJECT
  public:
    struct Environment {
        Clock* clock = nullptr;
        UserDialogReportSink* reports = nullptr;
        Launcher* launcher = nullptr;
        std::function<std::string()> oskPath;  // the OSKPath setting, read when needed
        int dpi = 96;
        QWidget* dialogParent = nullptr;  // the main frame
        // Counts server connections; when set, a dialog whose connection
        // was replaced while it was open sends no report, even if CloseAll
        // was never called.
        std::function<std::uint64_t()> connectionGeneration;
    };

    explicit UserDialogHost(Environment environment, QObject* parent = nullptr);
    // The client's host: the real clock, reports on the app's server link,
    // programs through its launcher, dialogs over `dialogParent`.
    UserDialogHost(CZOLClientApp& app, int dpi, QWidget* dialogParent);
    ~UserDialogHost() override;

    // Shows the request's dialog modally and reports its answer; returns
    // when the dialog has closed (or at once when none is shown).
    void Open(const UserDialogRequest& request);
    // Closes every open dialog without a report (the connection is gone).
    void CloseAll();

    std::size_t OpenCount() const { return open_.size(); }
    // The innermost open dialog, or null.
    QDialog* TopDialog() const;
    // Tests and screenshots: runs inside each dialog's modal loop, once it shows.
    void SetShownHook(std::function<void(QDialog*)> hook) { shownHook_ = std::move(hook); }

  private:
    struct OpenDialog;
    QDialog* Create(const UserDialogRequest& request, OpenDialog& entry);
    QDialog* CreateAlert(const UserDialogRequest& request, OpenDialog& entry);
    int ClosingCode(const UserDialogRequest& request, const OpenDialog& entry, int result) const;
    std::string AnswerOf(const UserDialogRequest& request, QDialog* dialog, int result) const;
    void Report(int closingCode, const UserDialogRequest& request, std::string answer);

    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<UserDialogReportSink> ownSink_;
    Environment env_;
    std::vector<std::shared_ptr<OpenDialog>> open_;
    int serial_ = 0;
    std::function<void(QDialog*)> shownHook_;
};

}  // namespace zol
