// zolmsg: shows one server message until it is acknowledged or its time runs
// out.
//
//   zolmsg SECONDS,BACKGROUND,TEXTCOLOUR,TEXT     e.g. zolmsg 30,16777215,0,Hello\nWorld
//   zolmsg --screenshot FILE ...                  save the window as a PNG and quit
#include <QApplication>

#include "msgpopup/msg_command_line.h"
#include "msgpopup/zol_msg_app.h"
#include "platform/session_bus.h"

int main(int argc, char* argv[]) {
    // Every argument is ours: Qt gets the program name only, so that a
    // message holding "-platform", "-style" or "-reverse" is shown as it is.
    const zol::MsgProgramArguments arguments = zol::ReadMsgProgramArguments(argc, argv);
    char programName[] = "zolmsg";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : programName, nullptr};
    zol::AskForNoSessionBusWhereThereIsNone();
    QApplication app(qtArgc, qtArgv);
    return zol::CZOLMsgApp().Run(arguments.messageWords, arguments.screenshotFile);
}
