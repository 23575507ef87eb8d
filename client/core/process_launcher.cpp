#include "client/core/process_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

#include "guibase/session_bus.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

bool StartDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDir = QString()) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(ChildProcessEnvironment());
    return process.startDetached();
}

}  // namespace

bool ProcessLauncher::StartMessagePopup(std::string_view argument) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zolmsg"));
    // One argument: zolmsg reads "seconds,background,text colour,text" as a whole.
    return StartDetached(program, {FromWindows1252(argument)});
}

bool ProcessLauncher::StartProgram(std::string_view program, std::string_view arguments) {
    return StartDetached(FromWindows1252(program),
                         QProcess::splitCommand(FromWindows1252(arguments)));
}

bool ProcessLauncher::StartProgramIn(std::string_view program, std::string_view arguments,
                                     std::string_view workingDir) {
    return StartDetached(FromWindows1252(program),
                         QProcess::splitCommand(FromWindows1252(arguments)),
                         FromWindows1252(workingDir));
}

bool ProcessLauncher::OpenFile(std::string_view path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(FromWindows1252(path)));
}

}  // namespace zol
