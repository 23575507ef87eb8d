// zolmsg: shows one server message until it is acknowledged or its time runs
// out.
//
//   zolmsg SECONDS,BACKGROUND,TEXTCOLOUR,TEXT     e.g. zolmsg 30,16777215,0,Hello\nWorld
//   zolmsg --screenshot FILE ...                  save the window as a PNG and quit
#include <QApplication>

#include "msgpopup/zol_msg_app.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QString screenshot;
    if (arguments.size() >= 2 && arguments.first() == QStringLiteral("--screenshot")) {
        screenshot = arguments.at(1);
        arguments.remove(0, 2);
    }
    return zol::CZOLMsgApp().Run(arguments, screenshot);
}
