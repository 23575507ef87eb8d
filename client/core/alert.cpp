#include "client/core/alert.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "client/core/alert_icon.h"
#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {

namespace {

constexpr const char* kSureHeading = "Are you sure?";
constexpr const char* kYesCaption = "Yes. Go ahead";
constexpr const char* kNoCaption = "No. Don't do it";
constexpr const char* kUnderstandCaption = "I understand";
constexpr const char* kNotUnderstandCaption = "I don't understand";

constexpr AlertKindTraits kKindTraits[] = {
    {AlertIcon::Stop, "Sorry, you may want to do that but it can't be done!", false, false},
    {AlertIcon::Question, kSureHeading, true, true},
    {AlertIcon::Exclamation, kSureHeading, true, true},
    {AlertIcon::Question, kSureHeading, true, false},
    {AlertIcon::Exclamation, kSureHeading, true, false},
    {AlertIcon::Information, "It may be helpful to know...", false, false},
    {AlertIcon::Exclamation, "There may be a problem!", false, false},
};

// Reference layout at 96 dpi, in pixels.
constexpr int kMargin = 20;
constexpr int kIconSize = 48;
constexpr int kTextLeft = kMargin + kIconSize + 16;
constexpr int kLineWidth = 560;  // the wrap width
constexpr int kHeadingTop = 18;
constexpr int kHeadingHeight = 34;
constexpr int kFirstLineTop = kHeadingTop + kHeadingHeight + 14;
constexpr int kLineGap = 4;
constexpr int kCheckOffset = 10;      // last line to what follows, without the hint
constexpr int kCheckOffsetHint = 35;  // the same with the hint check box shown
constexpr int kCheckHeight = 25;
constexpr int kButtonGap = 10;
constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 48;  // a comfortable finger target
constexpr int kButtonSpacing = 16;
constexpr int kBottomMargin = 10;
constexpr int kDialogWidth = kTextLeft + kLineWidth + kMargin;

int ResultOf(AlertButtonAction action) {
    switch (action) {
        case AlertButtonAction::Yes:
            return kAlertResultYes;
        case AlertButtonAction::No:
            return kAlertResultNo;
        default:
            return kAlertResultOk;
    }
}

int DefaultAlertDpi() {
    if (CZOLClientApp* app = CZOLClientApp::Instance(); app != nullptr && app->MainFrame()) {
        return app->MainFrame()->ScreenDpi();
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const int reported = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 0;
    return reported > 0 ? reported : kReferenceDpi;
}

}  // namespace

const AlertKindTraits& TraitsOfAlertKind(int kind) {
    if (kind < AlertCannot || kind > AlertProblem)
        return kKindTraits[AlertInfo];
    return kKindTraits[kind];
}

CAlert::CAlert(int kind, const QString& message, const QString& heading, int dpi, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      message_(message),
      heading_(heading.isEmpty() ? QString::fromLatin1(TraitsOfAlertKind(kind).heading) : heading),
      dpi_(dpi > 0 ? dpi : DefaultAlertDpi()) {
    setWindowTitle(QStringLiteral("ZOL"));
    setModal(true);
    autoCloseTimer_.setSingleShot(true);
    connect(&autoCloseTimer_, &QTimer::timeout, this, [this] { ActOn(AlertButtonAction::Ok); });
    BuildControls();
}

CAlert::~CAlert() = default;

int CAlert::Px(int pixelsAt96) const {
    return ScalePixels(pixelsAt96, dpi_);
}

int CAlert::WrapWidth() const {
    return lineLabels_[0]->width();
}

void CAlert::SetHintMode(bool on, const QString& label) {
    hintMode_ = on;
    hintLabel_ = label;
}

void CAlert::SetAutoClose(bool on, int seconds) {
    autoClose_ = on;
    autoCloseSeconds_ = std::max(0, seconds);
}

void CAlert::BuildControls() {
    const AlertKindTraits& traits = TraitsOfAlertKind(kind_);
    const QString accent = AlertAccentColor(traits.icon).name();
    setObjectName(QStringLiteral("alert"));
    setStyleSheet(
        QStringLiteral(
            "QDialog#alert { background: #F6F8FB; border-top: %1px solid %2; }"
            "QLabel { color: #1E2A33; background: transparent; }"
            "QLabel#heading { color: %2; }"
            "QCheckBox { color: #33434F; spacing: %3px; }"
            "QCheckBox::indicator { width: %4px; height: %4px; }"
            "QPushButton { background: #FFFFFF; color: #1E2A33; border: 1px solid #AEB8C2;"
            " border-radius: %5px; padding: 0 %3px; }"
            "QPushButton:pressed { background: #DCE3EA; }"
            "QPushButton:default { background: %2; color: #FFFFFF; border: 1px solid %2; }"
            "QPushButton:default:pressed { background: #1E2A33; }"
            "QPushButton:focus { outline: none; }")
            .arg(Px(6))
            .arg(accent)
            .arg(Px(8))
            .arg(Px(20))
            .arg(Px(8)));

    textFont_ = QFont(QStringLiteral("Calibri"));
    textFont_.setPixelSize(PointsToPixels(12, dpi_));
    headingFont_ = textFont_;
    headingFont_.setBold(true);
    checkFont_ = QFont(QStringLiteral("Calibri"));
    checkFont_.setPixelSize(PointsToPixels(8, dpi_));

    iconLabel_ = new QLabel(this);
    iconLabel_->setGeometry(Px(kMargin), Px(kHeadingTop), Px(kIconSize), Px(kIconSize));
    headingLabel_ = new QLabel(this);
    headingLabel_->setObjectName(QStringLiteral("heading"));
    headingLabel_->setFont(headingFont_);
    headingLabel_->setGeometry(Px(kTextLeft), Px(kHeadingTop), Px(kLineWidth), Px(kHeadingHeight));
    const int lineHeight = QFontMetrics(textFont_).height() + Px(kLineGap);
    for (int i = 0; i < kAlertLineCount; ++i) {
        auto* label = new QLabel(this);
        label->setFont(textFont_);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(Px(kTextLeft), Px(kFirstLineTop) + i * lineHeight, Px(kLineWidth),
                           lineHeight);
        lineLabels_[static_cast<std::size_t>(i)] = label;
    }
    hintCheck_ = new QCheckBox(QString::fromLatin1(kDefaultHintLabel), this);
    hintCheck_->setFont(checkFont_);
    leftButton_ = new QPushButton(this);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    rightButton_ = new QPushButton(this);
    for (QPushButton* b : {leftButton_, okButton_, rightButton_}) {
        b->setFont(textFont_);
        b->setAutoDefault(false);
    }
    connect(leftButton_, &QPushButton::clicked, this, [this] { ActOn(leftAction_); });
    connect(okButton_, &QPushButton::clicked, this, [this] { ActOn(AlertButtonAction::Ok); });
    connect(rightButton_, &QPushButton::clicked, this, [this] { ActOn(rightAction_); });
}

void CAlert::ApplyKind() {
    const AlertKindTraits& traits = TraitsOfAlertKind(kind_);
    iconLabel_->setPixmap(DrawAlertIcon(traits.icon, Px(kIconSize), devicePixelRatioF()));
    headingLabel_->setText(heading_);

    bool twoButtons = traits.confirm || owner_ != nullptr;
    if (traits.confirm) {
        leftButton_->setText(QString::fromLatin1(kYesCaption));
        rightButton_->setText(QString::fromLatin1(kNoCaption));
        leftAction_ = AlertButtonAction::Yes;
        rightAction_ = AlertButtonAction::No;
    } else if (owner_ != nullptr) {
        leftButton_->setText(QString::fromLatin1(kUnderstandCaption));
        rightButton_->setText(QString::fromLatin1(kNotUnderstandCaption));
        leftAction_ = AlertButtonAction::Ok;
        rightAction_ = AlertButtonAction::AskOwner;
    }
    okButton_->setVisible(!twoButtons);
    leftButton_->setVisible(twoButtons);
    rightButton_->setVisible(twoButtons);
    QPushButton* defaultButton = okButton_;
    if (twoButtons)
        defaultButton = traits.rightIsDefault ? rightButton_ : leftButton_;
    for (QPushButton* b : {leftButton_, okButton_, rightButton_})
        b->setDefault(b == defaultButton);
    defaultButton->setFocus(Qt::OtherFocusReason);

    hintCheck_->setVisible(hintMode_);
    if (hintMode_ && !hintLabel_.isEmpty())
        hintCheck_->setText(hintLabel_);
    hintCheck_->setChecked(hintState_ != 0);
}

QPushButton* CAlert::DefaultButton() const {
    for (QPushButton* b : {leftButton_, okButton_, rightButton_}) {
        if (b->isDefault())
            return b;
    }
    return nullptr;
}

void CAlert::LayOut() {
    const QFontMetrics metrics(textFont_);
    lines_ = WrapAlertMessage(message_, WrapWidth(),
                              [&](const QString& word) { return metrics.horizontalAdvance(word); });
    for (int i = 0; i < kAlertLineCount; ++i) {
        QLabel* label = lineLabels_[static_cast<std::size_t>(i)];
        label->setText(lines_.text[static_cast<std::size_t>(i)]);
        label->setVisible(i <= lines_.lastUsedLine);
    }
    // Everything under the text follows the last line it uses; with sixteen
    // lines this is the full-height dialog.
    const int lastBottom =
        lineLabels_[static_cast<std::size_t>(lines_.lastUsedLine)]->geometry().bottom() + 1;
    const int offset = Px(hintMode_ ? kCheckOffsetHint : kCheckOffset);
    const int checkHeight = Px(kCheckHeight);
    hintCheck_->setGeometry(Px(kTextLeft), lastBottom + offset - checkHeight, Px(kLineWidth),
                            checkHeight);
    const int buttonTop = lastBottom + offset + Px(kButtonGap);
    const int buttonWidth = Px(kButtonWidth);
    const int buttonHeight = Px(kButtonHeight);
    const int width = Px(kDialogWidth);
    const int pairLeft = (width - 2 * buttonWidth - Px(kButtonSpacing)) / 2;
    leftButton_->setGeometry(pairLeft, buttonTop, buttonWidth, buttonHeight);
    okButton_->setGeometry((width - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight);
    rightButton_->setGeometry(pairLeft + buttonWidth + Px(kButtonSpacing), buttonTop, buttonWidth,
                              buttonHeight);
    setFixedSize(width, buttonTop + buttonHeight + Px(kBottomMargin) + Px(kBottomMargin));
}

void CAlert::Prepare() {
    if (prepared_)
        return;
    prepared_ = true;
    ApplyKind();
    LayOut();
}

void CAlert::Beep() {
    // Qt has one system beep; the original's hand, question, exclamation and
    // asterisk sounds all become it.
    QApplication::beep();
}

int CAlert::exec() {
    Prepare();
    Beep();
    if (autoClose_)
        autoCloseTimer_.start(std::chrono::seconds(autoCloseSeconds_));
    return QDialog::exec();
}

void CAlert::ActOn(AlertButtonAction action) {
    autoCloseTimer_.stop();
    hintState_ = hintCheck_->isChecked() ? 1 : 0;
    if (action == AlertButtonAction::AskOwner) {
        if (owner_ != nullptr)
            owner_->ExplainAlert(message_);
        return;  // the dialog stays open
    }
    done(ResultOf(action));
}

void CAlert::reject() {
    // Escape or the window's close box: never a "go ahead".
    ActOn(TraitsOfAlertKind(kind_).confirm ? AlertButtonAction::No : AlertButtonAction::Ok);
}

}  // namespace zol
