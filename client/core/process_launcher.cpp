#include "client/core/process_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

#include "guibase/windows1252_text.h"

namespace zol {

bool ProcessLauncher::StartMessagePopup(std::string_view argument) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zolmsg"));
    // One argument: zolmsg reads "seconds,background,text colour,text" as a whole.
    return QProcess::startDetached(program, {FromWindows1252(argument)});
}

bool ProcessLauncher::StartProgram(std::string_view program, std::string_view arguments) {
    return QProcess::startDetached(FromWindows1252(program),
                                   QProcess::splitCommand(FromWindows1252(arguments)));
}

bool ProcessLauncher::StartProgramIn(std::string_view program, std::string_view arguments,
                                     std::string_view workingDir) {
    return QProcess::startDetached(FromWindows1252(program),
                                   QProcess::splitCommand(FromWindows1252(arguments)),
                                   FromWindows1252(workingDir));
}

bool ProcessLauncher::OpenFile(std::string_view path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(FromWindows1252(path)));
}

}  // namespace zol
