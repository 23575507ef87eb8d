// zolmsg as a process: the message words reach the message, not Qt.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "msgpopup/msg_command_line.h"
#include "msgpopup/zol_msg_dlg.h"

namespace zol {
namespace {

// Runs zolmsg with `arguments`; its exit code, or -1 when it did not exit
// normally (crashed or aborted).
int RunZolMsg(const QStringList& arguments) {
    QProcess zolmsg;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    zolmsg.setProcessEnvironment(environment);
    zolmsg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    zolmsg.start(QStringLiteral(ZOLMSG_PATH), arguments);
    if (!zolmsg.waitForFinished(60000)) {
        zolmsg.kill();
        zolmsg.waitForFinished();
        return -1;
    }
    return zolmsg.exitStatus() == QProcess::NormalExit ? zolmsg.exitCode() : -1;
}

TEST(MsgProgramTest, QtSwitchesInTheMessageAreMessageWords) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // "-platform now" would make Qt look for a platform plugin named "now".
    EXPECT_EQ(RunZolMsg({QStringLiteral("0,16777215,0,Run"), QStringLiteral("-platform"),
                         QStringLiteral("now")}),
              0);

    // "-reverse" and "-style" would mirror and restyle the window and vanish
    // from the text; the window must look as the same message shown here.
    const QStringList words{QStringLiteral("5,16777215,0,Hello"), QStringLiteral("-reverse"),
                            QStringLiteral("-style"), QStringLiteral("windows")};
    const QString shot = dir.filePath(QStringLiteral("shot.png"));
    ASSERT_EQ(RunZolMsg(QStringList{QStringLiteral("--screenshot"), shot} + words), 0);
    CZOLMsgDlg expected(ParseMsgCommandLine(JoinMsgArguments(words)));
    expected.show();
    const QImage want = expected.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage got = QImage(shot).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(got.size(), want.size());
    EXPECT_TRUE(got == want);
}

TEST(MsgProgramTest, OnlyALeadingScreenshotSwitchIsOurs) {
    const char* first[] = {"zolmsg", "--screenshot", "out.png", "1,0,0,Hi", "there"};
    MsgProgramArguments a = ReadMsgProgramArguments(5, const_cast<char**>(first));
    EXPECT_EQ(a.screenshotFile, QStringLiteral("out.png"));
    EXPECT_EQ(a.messageWords, (QStringList{QStringLiteral("1,0,0,Hi"), QStringLiteral("there")}));

    const char* later[] = {"zolmsg", "1,0,0,Use", "--screenshot", "x"};
    MsgProgramArguments b = ReadMsgProgramArguments(4, const_cast<char**>(later));
    EXPECT_TRUE(b.screenshotFile.isEmpty());
    EXPECT_EQ(JoinMsgArguments(b.messageWords), QStringLiteral("1,0,0,Use --screenshot x"));
}

}  // namespace
}  // namespace zol
