// CZOLMsgDlg: the window of zolmsg. It shows one message in the server's
// colours with an "I Understand" button, sized to the text, and closes
// itself when timer 1 fires.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QDialog>
#include <QFont>
#include <QLocale>
#include <QRect>
#include <QTimer>

#include "msgpopup/msg_command_line.h"

class QPushButton;

namespace zol {

class CZOLMsgDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CZOLMsgDlg(MsgCommand command, QWidget* parent = nullptr);

    const QRect& TextRect() const { return textRect_; }
    QPushButton* UnderstandButton() const { return button_; }
    const QFont& TextFont() const { return font_; }
    const MsgCommand& Command() const { return command_; }
    bool CloseTimerActive() const { return closeTimer_.isActive(); }
    int CloseTimerInterval() const { return closeTimer_.interval(); }

    // The caption: the locale's long date, a blank, the locale's time
    // (without time zone).
    static QString CaptionFor(const QDateTime& when, const QLocale& locale);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void SizeToText();

    MsgCommand command_;
    QColor background_;
    QColor textColor_;
    QFont font_;
    QRect textRect_;
    QPushButton* button_ = nullptr;
    QTimer closeTimer_;  // timer 1 of the original
};

}  // namespace zol
