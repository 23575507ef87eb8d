// CZOLMsgApp: zolmsg's application: reads the command line, shows the
// message window modally as the main window and ends when it closes.
#pragma once

#include <QStringList>

namespace zol {

class CZOLMsgApp {
  public:
    // `argumentsAfterProgram`: the words after the program name.
    int Run(const QStringList& argumentsAfterProgram, const QString& screenshotFile = QString());
};

}  // namespace zol
