#include "client/core/gui_reporter.h"

#include <QApplication>

#include "client/core/alert.h"
#include "guibase/windows1252_text.h"

namespace zol {

GuiUserReporter::GuiUserReporter(std::function<void(const QString&)> messageBox)
    : messageBox_(std::move(messageBox)) {}

void GuiUserReporter::ShowMessage(std::string_view text) {
    if (messageBox_)
        messageBox_(FromWindows1252(text));
}

int GuiUserReporter::ShowAlert(AlertKind kind, std::string_view text) {
    if (quiet_)
        return kAlertResultOk;
    CAlert alert(static_cast<int>(kind), FromWindows1252(text));
    return alert.exec();
}

void GuiUserReporter::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GuiUserReporter::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

int GuiUserReporter::ShowAlertWithHint(AlertKind kind, std::string_view text,
                                       std::string_view hintLabel, bool& hintChecked) {
    hintChecked = false;
    if (quiet_)
        return kAlertResultOk;
    CAlert alert(static_cast<int>(kind), FromWindows1252(text));
    alert.SetHintMode(true, FromWindows1252(hintLabel));
    const int answer = alert.exec();
    hintChecked = alert.HintState() != 0;
    return answer;
}

}  // namespace zol
