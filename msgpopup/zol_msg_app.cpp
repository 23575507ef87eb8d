#include "msgpopup/zol_msg_app.h"

#include <QTimer>

#include "msgpopup/msg_command_line.h"
#include "msgpopup/zol_msg_dlg.h"

namespace zol {

int CZOLMsgApp::Run(const QStringList& argumentsAfterProgram, const QString& screenshotFile) {
    CZOLMsgDlg dialog(ParseMsgCommandLine(JoinMsgArguments(argumentsAfterProgram)));
    bool screenshotFailed = false;
    if (!screenshotFile.isEmpty()) {
        QTimer::singleShot(500, &dialog, [&] {
            screenshotFailed = !dialog.grab().save(screenshotFile, "PNG");
            dialog.close();
        });
    }
    dialog.exec();
    return screenshotFailed ? 1 : 0;
}

}  // namespace zol
