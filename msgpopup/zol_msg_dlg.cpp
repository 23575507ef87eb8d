#include "msgpopup/zol_msg_dlg.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "client/core/color_ref.h"
#include "guibase/time_format.h"
#include "msgpopup/dialog_units.h"
#include "msgpopup/msg_text_font.h"
#include "msgpopup/msg_text_layout.h"

namespace zol {

namespace {

// Dialog template 102: 241 x 229 dialog units in "MS Sans Serif" 10 pt.
constexpr QRect kDialogUnits{0, 0, 241, 229};
constexpr QRect kButtonUnits{90, 206, 60, 14};
constexpr QRect kPlaceholderUnits{7, 7, 227, 191};
constexpr int kGap = 10;  // pixels between text, button and window edge

}  // namespace

CZOLMsgDlg::CZOLMsgDlg(MsgCommand command, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      command_(std::move(command)),
      background_(FromColorRef(command_.backgroundColor)),
      textColor_(FromColorRef(command_.textColor)) {
    // 1: the 236-colour palette was for 256-colour displays; Qt draws only
    // on true-colour surfaces, so no palette is built here.
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(10);
    setFont(dialogFont);
    const DialogUnits units(dialogFont);

    // 2: icon and the Arial font of cell height 24.
    setWindowIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    font_ = MsgTextFont(logicalDpiY());

    // 3: the caption is the moment the message arrived.
    setWindowTitle(CaptionFor(QDateTime::currentDateTime(), QLocale::system()));

    // 4 (the command line) was read by the caller. 5: the placeholder's
    // rectangle is the text rectangle; the placeholder itself never shows.
    resize(units.ToPixels(kDialogUnits).size());
    textRect_ = units.ToPixels(kPlaceholderUnits);
    button_ = new QPushButton(QStringLiteral("I Understand"), this);
    button_->setGeometry(units.ToPixels(kButtonUnits));
    button_->setDefault(true);
    connect(button_, &QPushButton::clicked, this, &QDialog::accept);

    // 6: measure without drawing to size the window.
    SizeToText();

    // 7: timer 1 closes the window.
    closeTimer_.setSingleShot(true);
    connect(&closeTimer_, &QTimer::timeout, this, &QDialog::close);
    closeTimer_.start(CloseDelayMilliseconds(command_.closeSeconds));
}

QString CZOLMsgDlg::CaptionFor(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when.date(), QLocale::LongFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), LongTimeFormat(locale));
}

void CZOLMsgDlg::SizeToText() {
    const MsgLayout layout = LayOutMessage(command_.text, textRect_, QFontMetrics(font_), nullptr);
    const int rectBottom = textRect_.top() + textRect_.height();
    if (layout.textBottom >= rectBottom)
        return;
    button_->move(button_->x(), layout.textBottom + kGap);
    setFixedSize(width(), button_->geometry().bottom() + 1 + kGap);
}

void CZOLMsgDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(textColor_);
    painter.setFont(font_);
    painter.setBackgroundMode(Qt::TransparentMode);
    LayOutMessage(command_.text, textRect_, QFontMetrics(font_), &painter);
}

}  // namespace zol
