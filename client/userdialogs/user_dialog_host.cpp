#include "client/userdialogs/user_dialog_host.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>

#include "client/core/alert.h"
#include "client/core/qt_clock.h"
#include "client/core/zol_client_app.h"
#include "client/model/clock.h"
#include "client/userdialogs/onscreen_keyboard.h"
#include "client/userdialogs/user_dialog_report.h"
#include "client/userdialogs/user_ui_choice.h"
#include "client/userdialogs/user_ui_complete.h"
#include "client/userdialogs/user_ui_numeric.h"
#include "client/userdialogs/user_ui_text.h"
#include "client/userdialogs/user_ui_time.h"
#include "guibase/windows1252_text.h"

namespace zol {

struct UserDialogHost::OpenDialog {
    QPointer<QDialog> dialog;
    int timerId = 0;
    bool abandoned = false;
    bool timedOut = false;  // alerts; the question dialogs keep their own
    std::uint64_t generation = 0;
};

UserDialogHost::UserDialogHost(Environment environment, QObject* parent)
    : QObject(parent), env_(std::move(environment)) {}

UserDialogHost::UserDialogHost(CZOLClientApp& app, int dpi, QWidget* dialogParent)
    : QObject(dialogParent),
      ownClock_(std::make_unique<QtClock>()),
      ownSink_(std::make_unique<LinkReportSink>(app.Link())) {
    env_.clock = ownClock_.get();
    env_.reports = ownSink_.get();
    env_.launcher = &app.Programs();
    env_.oskPath = [&app] { return app.Settings().oskPath; };
    env_.dpi = dpi;
    env_.dialogParent = dialogParent;
}

UserDialogHost::~UserDialogHost() {
    // Dialogs still open belong to a program that is ending: no report.
    for (const auto& entry : open_) {
        entry->abandoned = true;
        if (entry->timerId != 0 && env_.clock != nullptr)
            env_.clock->Stop(entry->timerId);
    }
}

QDialog* UserDialogHost::TopDialog() const {
    return open_.empty() ? nullptr : open_.back()->dialog.data();
}

void UserDialogHost::Report(int closingCode, const UserDialogRequest& request, std::string answer) {
    if (env_.reports == nullptr)
        return;
    env_.reports->Send(UserDialogReport{kReportFinal, closingCode, request.dialogId,
                                        AnswerTypeOf(request.kind), std::move(answer)});
}

void UserDialogHost::Open(const UserDialogRequest& request) {
    if (!request.KnownKind() || open_.size() >= kMaxNestedDialogs || env_.clock == nullptr) {
        Report(kClosedCancel, request, {});
        return;
    }
    auto entry = std::make_shared<OpenDialog>();
    if (env_.connectionGeneration)
        entry->generation = env_.connectionGeneration();
    // Timer ids must differ between nested dialogs on the one clock.
    serial_ = serial_ % 0x7FFFFF + 1;
    entry->timerId = (serial_ << 8) | kUserDialogTimerId;
    QDialog* dialog = Create(request, *entry);
    entry->dialog = dialog;
    open_.push_back(entry);

    if (request.kind == static_cast<int>(UserDialogKind::Text) && request.keyboard &&
        env_.launcher != nullptr && env_.oskPath) {
        OpenOnScreenKeyboard(*env_.launcher, env_.oskPath());
    }
    if (shownHook_) {
        QTimer::singleShot(0, dialog, [this, dialog] {
            if (shownHook_)
                shownHook_(dialog);
        });
    }
    QPointer<UserDialogHost> self(this);
    const int result = dialog->exec();
    if (!self)
        return;
    open_.erase(std::remove(open_.begin(), open_.end(), entry), open_.end());
    if (env_.connectionGeneration && env_.connectionGeneration() != entry->generation)
        entry->abandoned = true;
    if (entry->dialog == nullptr || entry->abandoned) {
        if (entry->dialog)
            entry->dialog->deleteLater();
        return;
    }
    const int code = ClosingCode(request, *entry, result);
    std::string answer = code == kClosedOk ? AnswerOf(request, dialog, result) : std::string();
    dialog->deleteLater();
    Report(code, request, std::move(answer));
}

void UserDialogHost::CloseAll() {
    // Innermost first: each modal loop ends as the one inside it returns.
    for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
        OpenDialog& entry = **it;
        entry.abandoned = true;
        if (entry.dialog == nullptr)
            continue;
        if (auto* question = qobject_cast<CUserUIDialog*>(entry.dialog.data()))
            question->Abandon();
        else {
            env_.clock->Stop(entry.timerId);
            entry.dialog->done(QDialog::Rejected);
        }
    }
}

QDialog* UserDialogHost::Create(const UserDialogRequest& request, OpenDialog& entry) {
    CUserUIDialog* dialog = nullptr;
    Clock& clock = *env_.clock;
    switch (static_cast<UserDialogKind>(request.kind)) {
        case UserDialogKind::Number:
            dialog = new CUserUINumeric(request, clock, entry.timerId, env_.dpi, env_.dialogParent);
            break;
        case UserDialogKind::Text:
            dialog = new CUserUIText(request, clock, entry.timerId, env_.dpi, env_.dialogParent);
            break;
        case UserDialogKind::Time:
            dialog = new CUserUITime(request, clock, entry.timerId, env_.dpi, env_.dialogParent);
            break;
        case UserDialogKind::Choice:
            dialog = new CUserUIChoice(request, clock, entry.timerId, env_.dpi, env_.dialogParent);
            break;
        case UserDialogKind::Keys:
            dialog =
                new CUserUIComplete(request, clock, entry.timerId, env_.dpi, env_.dialogParent);
            break;
        case UserDialogKind::Alert:
            return CreateAlert(request, entry);
    }
    dialog->SetActivityHandler([this] {
        if (env_.reports != nullptr)
            env_.reports->Send(UserDialogReport::Activity());
    });
    return dialog;
}

QDialog* UserDialogHost::CreateAlert(const UserDialogRequest& request, OpenDialog& entry) {
    auto* alert = new CAlert(request.alertKind, FromWindows1252(request.alertMessage),
                             FromWindows1252(request.prompt), env_.dpi, env_.dialogParent);
    alert->Prepare();
    const bool twoButtons = TraitsOfAlertKind(request.alertKind).confirm;
    QPushButton* left = twoButtons ? alert->LeftButton() : alert->OkButton();
    if (!request.leftCaption.empty())
        left->setText(FromWindows1252(request.leftCaption));
    if (twoButtons && !request.rightCaption.empty())
        alert->RightButton()->setText(FromWindows1252(request.rightCaption));
    if (request.HasTimeout()) {
        // Our own timer rather than the alert's: a time-out answers 2, not OK.
        QPointer<CAlert> guarded(alert);
        OpenDialog* timed = &entry;
        env_.clock->StartOneShot(entry.timerId, std::chrono::seconds(request.timeoutSeconds),
                                 [guarded, timed] {
                                     if (guarded == nullptr)
                                         return;
                                     timed->timedOut = true;
                                     guarded->done(kAlertResultNo);
                                 });
        QObject::connect(alert, &QDialog::finished, this,
                         [this, id = entry.timerId] { env_.clock->Stop(id); });
    }
    return alert;
}

int UserDialogHost::ClosingCode(const UserDialogRequest& request, const OpenDialog& entry,
                                int result) const {
    if (request.kind != static_cast<int>(UserDialogKind::Alert))
        return result == QDialog::Accepted ? kClosedOk : kClosedCancel;
    if (entry.timedOut)
        return kClosedCancel;
    if (TraitsOfAlertKind(request.alertKind).confirm)
        return result == kAlertResultYes ? kClosedOk : kClosedCancel;
    return result;
}

std::string UserDialogHost::AnswerOf(const UserDialogRequest& request, QDialog* dialog,
                                     int result) const {
    if (request.kind == static_cast<int>(UserDialogKind::Alert) || result != QDialog::Accepted)
        return {};
    const auto* question = qobject_cast<CUserUIDialog*>(dialog);
    return question != nullptr ? question->Answer() : std::string();
}

}  // namespace zol
