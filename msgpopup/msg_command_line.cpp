#include "msgpopup/msg_command_line.h"

#include <algorithm>
#include <limits>

namespace zol {

MsgProgramArguments ReadMsgProgramArguments(int argc, char** argv) {
    MsgProgramArguments arguments;
    for (int i = 1; i < argc; ++i)
        arguments.messageWords.push_back(QString::fromLocal8Bit(argv[i]));
    QStringList& words = arguments.messageWords;
    if (words.size() >= 2 && words.first() == QStringLiteral("--screenshot")) {
        arguments.screenshotFile = words.at(1);
        words.remove(0, 2);
    }
    return arguments;
}

QString JoinMsgArguments(const QStringList& argumentsAfterProgram) {
    return argumentsAfterProgram.join(QLatin1Char(' '));
}

MsgCommand ParseMsgCommandLine(const QString& commandLine) {
    MsgCommand command;
    std::uint32_t* numbers[] = {&command.closeSeconds, &command.backgroundColor,
                                &command.textColor};
    qsizetype pos = 0;
    for (std::uint32_t* number : numbers) {
        std::uint32_t value = 0;
        while (pos < commandLine.size() && commandLine[pos] != u',') {
            value = value * 10u + (static_cast<std::uint32_t>(commandLine[pos].unicode()) - u'0');
            ++pos;
        }
        *number = value;
        if (pos >= commandLine.size())
            return command;  // no comma: nothing more to read
        ++pos;               // the comma
    }
    command.text = commandLine.mid(pos);
    command.text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return command;
}

int CloseDelayMilliseconds(std::uint32_t closeSeconds) {
    constexpr std::uint64_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::min<std::uint64_t>(std::uint64_t{closeSeconds} * 1000u, kMax));
}

}  // namespace zol
