#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "msgpopup/msg_text_font.h"
#include "msgpopup/msg_text_layout.h"
#include "msgpopup/zol_msg_dlg.h"

namespace zol {
namespace {

QFont ArialFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    return f;
}

TEST(MsgTextLayoutTest, LineBreaksAndWrapping) {
    const QFontMetrics m(ArialFont());
    const QRect rect(0, 0, 300, 400);
    MsgLayout two = LayOutMessage(QStringLiteral("Hello\nWorld"), rect, m, nullptr);
    EXPECT_EQ(two.lines, (QStringList{QStringLiteral("Hello "), QStringLiteral("World ")}));
    const int lineHeight = m.height() + m.leading() + 2;
    EXPECT_EQ(two.textBottom, 2 * lineHeight);

    MsgLayout wrapped =
        LayOutMessage(QStringLiteral("the quick brown fox jumps over the lazy dog again and again"),
                      rect, m, nullptr);
    ASSERT_GT(wrapped.lines.size(), 1);
    for (const QString& line : wrapped.lines) {
        EXPECT_LE(m.horizontalAdvance(line), rect.width() + 1) << line.toStdString();
    }
    EXPECT_EQ(wrapped.lines.join(QString()).simplified(),
              QStringLiteral("the quick brown fox jumps over the lazy dog again and again"));
}

TEST(MsgTextLayoutTest, AWordWiderThanTheRectangleStandsAlone) {
    const QFontMetrics m(ArialFont());
    MsgLayout l = LayOutMessage(QStringLiteral("a Pneumonoultramicroscopicsilicovolcanoconiosis b"),
                                QRect(0, 0, 120, 400), m, nullptr);
    EXPECT_EQ(l.lines,
              (QStringList{QStringLiteral("a "),
                           QStringLiteral("Pneumonoultramicroscopicsilicovolcanoconiosis "),
                           QStringLiteral("b ")}));
}

TEST(MsgTextLayoutTest, TextBeyondTheBottomIsNotPlaced) {
    const QFontMetrics m(ArialFont());
    const int lineHeight = m.height() + m.leading() + 2;
    QString many;
    for (int i = 0; i < 50; ++i)
        many += QStringLiteral("line\\n").replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const QRect rect(10, 10, 200, lineHeight * 3 + lineHeight / 2);
    MsgLayout l = LayOutMessage(many, rect, m, nullptr);
    EXPECT_EQ(l.lines.size(), 3);
    EXPECT_LE(l.textBottom, rect.top() + rect.height());
    EXPECT_TRUE(LayOutMessage(QString(), rect, m, nullptr).lines.isEmpty());
    EXPECT_TRUE(LayOutMessage(QStringLiteral("   "), rect, m, nullptr).lines.isEmpty());
}

TEST(MsgTextLayoutTest, DrawingPlacesTheSameLinesAsMeasuring) {
    const QFontMetrics m(ArialFont());
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(ArialFont());
    painter.setPen(Qt::black);
    const QString text = QStringLiteral("Hello\nWorld");
    MsgLayout drawn = LayOutMessage(text, QRect(0, 0, 400, 300), m, &painter);
    painter.end();
    EXPECT_EQ(drawn.lines, LayOutMessage(text, QRect(0, 0, 400, 300), m, nullptr).lines);
    // Something dark was drawn in each of the two line bands.
    const int lineHeight = m.height() + m.leading() + 2;
    for (int band = 0; band < 2; ++band) {
        bool ink = false;
        for (int y = band * lineHeight; y < (band + 1) * lineHeight && !ink; ++y) {
            for (int x = 0; x < 200 && !ink; ++x)
                ink = qGray(image.pixel(x, y)) < 128;
        }
        EXPECT_TRUE(ink) << band;
    }
}

TEST(MsgTextFontTest, TheCellHeightIs24PixelsScaledByTheDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        const int cell = 24 * dpi / 96;
        QFont font = MsgTextFont(dpi);
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_LE(QFontMetrics(font).height(), cell) << dpi;
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), cell) << dpi;
    }
}

MsgCommand Command(const char* line) {
    return ParseMsgCommandLine(QString::fromLatin1(line));
}

TEST(MsgDialogTest, AShortTextGivesASmallWindowWithTheButtonJustBelow) {
    CZOLMsgDlg dialog(Command("30,16777215,0,Hello\\nWorld"));
    const QFontMetrics m(dialog.TextFont());
    const int lineHeight = m.height() + m.leading() + 2;
    const int textBottom = dialog.TextRect().top() + 2 * lineHeight;
    EXPECT_EQ(dialog.UnderstandButton()->y(), textBottom + 10);
    EXPECT_EQ(dialog.height(), dialog.UnderstandButton()->geometry().bottom() + 1 + 10);
    EXPECT_EQ(dialog.UnderstandButton()->text(), QStringLiteral("I Understand"));
    EXPECT_TRUE(dialog.UnderstandButton()->isDefault());
    // Height 24 is the font's cell (ascent + descent), not its em.
    EXPECT_LE(m.height(), 24);
    EXPECT_EQ(dialog.TextFont(), MsgTextFont(96));
    EXPECT_EQ(dialog.CloseTimerInterval(), 30000);
    EXPECT_TRUE(dialog.CloseTimerActive());

    // White background, black text.
    dialog.show();
    QImage shot = dialog.grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(255, 255, 255));
    bool black = false;
    for (int y = dialog.TextRect().top(); y < textBottom && !black; ++y) {
        for (int x = dialog.TextRect().left(); x < dialog.TextRect().right() && !black; ++x) {
            black = shot.pixelColor(x, y) == QColor(0, 0, 0);
        }
    }
    EXPECT_TRUE(black);
}

TEST(MsgDialogTest, ALongTextKeepsTheFullWindow) {
    QString text = QStringLiteral("30,255,65535,");
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("word ");
    CZOLMsgDlg full(ParseMsgCommandLine(text));
    CZOLMsgDlg small(Command("30,255,65535,Hi"));
    EXPECT_GT(full.height(), small.height());
    // The text stops at the last whole line above the placeholder's bottom,
    // and the button follows it.
    const QFontMetrics m(full.TextFont());
    const int lineHeight = m.height() + m.leading() + 2;
    EXPECT_GT(full.UnderstandButton()->y(), full.TextRect().bottom() - lineHeight + 10);
    // Colours are 0x00BBGGRR: 255 is red, 65535 yellow.
    full.show();
    EXPECT_EQ(full.grab().toImage().pixelColor(2, 2), QColor(255, 0, 0));
}

TEST(MsgDialogTest, ZeroSecondsClosesAtOnceAndTheButtonEndsTheDialog) {
    CZOLMsgDlg quick(Command("0,0,16777215,Bye"));
    EXPECT_EQ(quick.CloseTimerInterval(), 0);
    EXPECT_EQ(quick.exec(), QDialog::Rejected);  // closed by the timer

    CZOLMsgDlg pressed(Command("60,0,16777215,Press"));
    QTimer::singleShot(0, &pressed, [&] { pressed.UnderstandButton()->click(); });
    EXPECT_EQ(pressed.exec(), QDialog::Accepted);
}

TEST(MsgDialogTest, EmptyTextAndHugeNumbersStillMakeAWindow) {
    CZOLMsgDlg empty(Command("4294967295,4294967295,99999999999999,"));
    EXPECT_TRUE(empty.CloseTimerActive());
    EXPECT_EQ(empty.CloseTimerInterval(), 2147483647);
    EXPECT_GT(empty.height(), empty.UnderstandButton()->geometry().bottom());
    EXPECT_EQ(empty.UnderstandButton()->y(), empty.TextRect().top() + 10);
}

TEST(MsgDialogTest, CaptionIsTheLongDateAndTheTimeWithoutTimeZone) {
    const QDateTime when(QDate(2026, 3, 14), QTime(15, 9, 26));
    EXPECT_EQ(CZOLMsgDlg::CaptionFor(when, QLocale(QLocale::English, QLocale::UnitedStates))
                  .toStdString(),
              "Saturday, March 14, 2026 3:09:26 PM");
    // Locales that wrap the zone in brackets lose the brackets too.
    EXPECT_EQ(CZOLMsgDlg::CaptionFor(when, QLocale(QLocale::Basque, QLocale::Spain))
                  .right(9)
                  .toStdString(),
              " 15:09:26");
}

}  // namespace
}  // namespace zol
