// The command line of zolmsg: "%u,%u,%u," followed by the message text:
// seconds until the window closes, background colour, text colour (Windows
// colour values 0x00BBGGRR in decimal), then the text, in which each
// backslash + n is a line break.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace zol {

struct MsgCommand {
    std::uint32_t closeSeconds = 0;
    std::uint32_t backgroundColor = 0;
    std::uint32_t textColor = 0;
    QString text;
};

// zolmsg's own arguments, read from argv before Qt sees it so that message
// words such as "-platform" or "-style" stay message words: "--screenshot
// FILE" when it comes first (save the window as a PNG and quit), then the
// words of the message.
struct MsgProgramArguments {
    QString screenshotFile;
    QStringList messageWords;
};
MsgProgramArguments ReadMsgProgramArguments(int argc, char** argv);

// The words after the program name joined with blanks, as the original saw
// its one command-line string.
QString JoinMsgArguments(const QStringList& argumentsAfterProgram);

// Reads the three numbers up to their commas without validation, as the
// original did: every character before a comma counts as a digit (value * 10
// + character - '0', wrapping at 32 bits). When the text ends before a comma
// the numbers still missing are 0 and the message is empty.
MsgCommand ParseMsgCommandLine(const QString& commandLine);

// Milliseconds for timer 1: seconds * 1000, capped at the longest interval a
// timer takes (about 24 days) instead of wrapping to a short one.
int CloseDelayMilliseconds(std::uint32_t closeSeconds);

}  // namespace zol
