#include "client/core/alert.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace zol {
namespace {

// Every character is 10 pixels wide: wrap results can be reasoned about.
int TenPerChar(const QString& s) {
    return static_cast<int>(s.size()) * 10;
}

TEST(AlertWordWrapTest, WordsFillLinesBelowTheWrapWidth) {
    AlertLines l = WrapAlertMessage(QStringLiteral("  aaa bbb cccc"), 80, TenPerChar);
    // "aaa " (40) + "bbb " (40) = 80 is not below 80: "bbb " starts line 2.
    EXPECT_EQ(l.text[0], QStringLiteral("aaa "));
    EXPECT_EQ(l.text[1], QStringLiteral("bbb "));
    EXPECT_EQ(l.text[2], QStringLiteral("cccc"));
    EXPECT_EQ(l.width[1], 40);
    EXPECT_EQ(l.lastUsedLine, 2);
    EXPECT_FALSE(l.truncated);

    AlertLines wide = WrapAlertMessage(QStringLiteral("aa bb cc"), 100, TenPerChar);
    EXPECT_EQ(wide.text[0], QStringLiteral("aa bb cc"));
    EXPECT_EQ(wide.lastUsedLine, 0);
}

TEST(AlertWordWrapTest, AWordWiderThanTheLineStandsAlone) {
    AlertLines l = WrapAlertMessage(QStringLiteral("Supercalifragilistic ok"), 50, TenPerChar);
    EXPECT_EQ(l.text[0], QStringLiteral("Supercalifragilistic "));
    EXPECT_EQ(l.text[1], QStringLiteral("ok"));
    AlertLines alone = WrapAlertMessage(QStringLiteral("Supercalifragilistic"), 50, TenPerChar);
    EXPECT_EQ(alone.text[0], QStringLiteral("Supercalifragilistic"));
    EXPECT_EQ(alone.lastUsedLine, 0);
}

TEST(AlertWordWrapTest, LineFeedsMoveDownOneLineEach) {
    AlertLines l = WrapAlertMessage(QStringLiteral("one\n\ntwo"), 500, TenPerChar);
    EXPECT_EQ(l.text[0], QStringLiteral("one"));
    EXPECT_TRUE(l.text[1].isEmpty());
    EXPECT_EQ(l.text[2], QStringLiteral("two"));
    EXPECT_EQ(l.lastUsedLine, 2);
    AlertLines crlf = WrapAlertMessage(QStringLiteral("one\r\ntwo \n three"), 500, TenPerChar);
    EXPECT_EQ(crlf.text[1], QStringLiteral("two "));
    EXPECT_EQ(crlf.text[2], QStringLiteral("three"));
}

TEST(AlertWordWrapTest, WordsAfterTheSixteenthLineAreDropped) {
    QString message;
    for (int i = 0; i < 20; ++i)
        message += QStringLiteral("w%1\n").arg(i, 2, 10, QLatin1Char('0'));
    AlertLines l = WrapAlertMessage(message, 500, TenPerChar);
    EXPECT_EQ(l.lastUsedLine, 15);
    EXPECT_EQ(l.text[15], QStringLiteral("w15"));
    EXPECT_TRUE(l.truncated);

    // Exactly sixteen lines ending in a line feed drop nothing.
    QString sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += QStringLiteral("x\n");
    EXPECT_FALSE(WrapAlertMessage(sixteen, 500, TenPerChar).truncated);

    AlertLines many = WrapAlertMessage(
        QString(200, QLatin1Char('a')).replace(QLatin1Char('a'), QStringLiteral("ab ")), 60,
        TenPerChar);
    EXPECT_EQ(many.lastUsedLine, 15);
    EXPECT_TRUE(many.truncated);
}

TEST(AlertWordWrapTest, EmptyAndBlankMessages) {
    EXPECT_EQ(WrapAlertMessage(QString(), 100, TenPerChar).lastUsedLine, 0);
    EXPECT_TRUE(WrapAlertMessage(QStringLiteral("   "), 100, TenPerChar).text[0].isEmpty());
}

class CountingOwner : public AlertOwner {
  public:
    void ExplainAlert(const QString& message) override {
        ++calls;
        last = message;
    }
    int calls = 0;
    QString last;
};

TEST(AlertTest, KindsHaveTheirHeadingsButtonsAndDefaults) {
    struct Case {
        int kind;
        const char* heading;
        bool confirm;
        bool rightDefault;
    } cases[] = {
        {AlertCannot, "Sorry, you may want to do that but it can't be done!", false, false},
        {AlertConfirmNo, "Are you sure?", true, true},
        {AlertConfirmNoWarn, "Are you sure?", true, true},
        {AlertConfirmYes, "Are you sure?", true, false},
        {AlertConfirmYesWarn, "Are you sure?", true, false},
        {AlertInfo, "It may be helpful to know...", false, false},
        {AlertProblem, "There may be a problem!", false, false},
    };
    for (const Case& c : cases) {
        CAlert alert(c.kind, QStringLiteral("message"));
        alert.Prepare();
        EXPECT_EQ(alert.findChild<QLabel*>(QStringLiteral("heading"))->text(),
                  QString::fromLatin1(c.heading))
            << c.kind;
        if (c.confirm) {
            EXPECT_FALSE(alert.OkButton()->isVisibleTo(&alert)) << c.kind;
            EXPECT_EQ(alert.LeftButton()->text(), QStringLiteral("Yes. Go ahead"));
            EXPECT_EQ(alert.RightButton()->text(), QStringLiteral("No. Don't do it"));
            EXPECT_EQ(alert.DefaultButton(),
                      c.rightDefault ? alert.RightButton() : alert.LeftButton())
                << c.kind;
        } else {
            // Without an owner only OK shows.
            EXPECT_TRUE(alert.OkButton()->isVisibleTo(&alert)) << c.kind;
            EXPECT_FALSE(alert.LeftButton()->isVisibleTo(&alert)) << c.kind;
            EXPECT_FALSE(alert.RightButton()->isVisibleTo(&alert)) << c.kind;
            EXPECT_EQ(alert.DefaultButton(), alert.OkButton()) << c.kind;
        }
    }
    CAlert named(AlertInfo, QStringLiteral("m"), QStringLiteral("Sync finished"));
    named.Prepare();
    EXPECT_EQ(named.findChild<QLabel*>(QStringLiteral("heading"))->text(),
              QStringLiteral("Sync finished"));
}

// Presses a key on the dialog once it runs.
int ExecPressing(CAlert& alert, Qt::Key key) {
    QTimer::singleShot(0, &alert, [&alert, key] { QTest::keyClick(&alert, key); });
    return alert.exec();
}

TEST(AlertTest, EnterAnswersWithTheDefaultButton) {
    CAlert no(AlertConfirmNo, QStringLiteral("Delete it?"));
    EXPECT_EQ(ExecPressing(no, Qt::Key_Return), kAlertResultNo);
    CAlert yes(AlertConfirmYes, QStringLiteral("Start it?"));
    EXPECT_EQ(ExecPressing(yes, Qt::Key_Return), kAlertResultYes);
    CAlert ok(AlertCannot, QStringLiteral("Cannot."));
    EXPECT_EQ(ExecPressing(ok, Qt::Key_Enter), kAlertResultOk);
}

TEST(AlertTest, EscapeNeverGoesAhead) {
    CAlert yes(AlertConfirmYesWarn, QStringLiteral("Start it?"));
    EXPECT_EQ(ExecPressing(yes, Qt::Key_Escape), kAlertResultNo);
    CAlert info(AlertInfo, QStringLiteral("Note."));
    EXPECT_EQ(ExecPressing(info, Qt::Key_Escape), kAlertResultOk);
}

TEST(AlertTest, AnOwnerGetsTheExplainButtonWhichKeepsTheDialogOpen) {
    CountingOwner owner;
    CAlert alert(AlertProblem, QStringLiteral("The thermostat did not answer."));
    alert.SetOwner(&owner);
    alert.Prepare();
    EXPECT_FALSE(alert.OkButton()->isVisibleTo(&alert));
    EXPECT_EQ(alert.LeftButton()->text(), QStringLiteral("I understand"));
    EXPECT_EQ(alert.RightButton()->text(), QStringLiteral("I don't understand"));
    EXPECT_EQ(alert.DefaultButton(), alert.LeftButton());
    QTimer::singleShot(0, &alert, [&] {
        alert.RightButton()->click();
        EXPECT_TRUE(alert.isVisible());
        alert.LeftButton()->click();
    });
    EXPECT_EQ(alert.exec(), kAlertResultOk);
    EXPECT_EQ(owner.calls, 1);
    EXPECT_EQ(owner.last, QStringLiteral("The thermostat did not answer."));
}

TEST(AlertTest, HintCheckBoxIsShownOnlyInHintModeAndReadBack) {
    CAlert plain(AlertInfo, QStringLiteral("x"));
    plain.Prepare();
    EXPECT_FALSE(plain.HintCheckBox()->isVisibleTo(&plain));

    CAlert hint(AlertInfo, QStringLiteral("x"));
    hint.SetHintMode(true);
    hint.Prepare();
    EXPECT_TRUE(hint.HintCheckBox()->isVisibleTo(&hint));
    EXPECT_EQ(hint.HintCheckBox()->text(),
              QStringLiteral("I've seen this hint enough.  Don't show it to me again"));
    QTimer::singleShot(0, &hint, [&] {
        hint.HintCheckBox()->setChecked(true);
        hint.OkButton()->click();
    });
    EXPECT_EQ(hint.exec(), kAlertResultOk);
    EXPECT_EQ(hint.HintState(), 1);

    CAlert labelled(AlertInfo, QStringLiteral("x"));
    labelled.SetHintMode(true, QStringLiteral("Don't ask again"));
    labelled.Prepare();
    EXPECT_EQ(labelled.HintCheckBox()->text(), QStringLiteral("Don't ask again"));
}

TEST(AlertTest, AutoCloseActsAsOk) {
    CAlert alert(AlertConfirmNo, QStringLiteral("x"));
    alert.SetAutoClose(true, 0);
    EXPECT_EQ(alert.exec(), kAlertResultOk);
}

TEST(AlertTest, TheDialogShrinksToItsTextAndKeepsFullHeightWhenFull) {
    CAlert oneLine(AlertInfo, QStringLiteral("Short."));
    oneLine.Prepare();
    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += QStringLiteral("line\n");
    CAlert full(AlertInfo, longText);
    full.Prepare();
    EXPECT_LT(oneLine.height(), full.height());
    EXPECT_FALSE(oneLine.LineLabel(1)->isVisibleTo(&oneLine));
    EXPECT_TRUE(full.LineLabel(15)->isVisibleTo(&full));
    // The buttons sit under the last line either way.
    EXPECT_GT(oneLine.OkButton()->y(), oneLine.LineLabel(0)->geometry().bottom());
    EXPECT_GT(full.OkButton()->y(), full.LineLabel(15)->geometry().bottom());
    EXPECT_LE(full.OkButton()->geometry().bottom(), full.height());

    // The hint adds room for its check box between text and buttons.
    CAlert hint(AlertInfo, QStringLiteral("Short."));
    hint.SetHintMode(true);
    hint.Prepare();
    EXPECT_GT(hint.OkButton()->y(), oneLine.OkButton()->y());
    EXPECT_GE(hint.OkButton()->y(), hint.HintCheckBox()->geometry().bottom());
}

TEST(AlertTest, OffsetsAndFontsScaleWithTheDpi) {
    CAlert at96(AlertCannot, QStringLiteral("Short."), QString(), 96);
    CAlert at144(AlertCannot, QStringLiteral("Short."), QString(), 144);
    at96.Prepare();
    at144.Prepare();
    EXPECT_EQ(at144.width(), at96.width() * 3 / 2);
    EXPECT_EQ(at144.WrapWidth(), at96.WrapWidth() * 3 / 2);
    EXPECT_EQ(at96.LineLabel(0)->font().pixelSize(), 16);   // 12 pt at 96 dpi
    EXPECT_EQ(at144.LineLabel(0)->font().pixelSize(), 24);  // 12 pt at 144 dpi
    EXPECT_EQ(at96.OkButton()->height(), 48);
    EXPECT_EQ(at144.OkButton()->height(), 72);
}

TEST(AlertTest, AnUnknownKindIsShownAsInformation) {
    CAlert alert(42, QStringLiteral("x"));
    alert.Prepare();
    EXPECT_EQ(alert.findChild<QLabel*>(QStringLiteral("heading"))->text(),
              QStringLiteral("It may be helpful to know..."));
    EXPECT_TRUE(alert.OkButton()->isVisibleTo(&alert));
}

}  // namespace
}  // namespace zol
