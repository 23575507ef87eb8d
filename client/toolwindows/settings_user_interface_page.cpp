#include "client/toolwindows/settings_user_interface_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "client/core/client_settings.h"
#include "client/core/ui_lock_code.h"
#include "client/toolwindows/checked_number_edit.h"
#include "client/toolwindows/lock_code_rule.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr std::int32_t kLongestIdleTime = 86400;  // seconds
constexpr std::int32_t kLargestDpi = 960;
constexpr std::int32_t kLargestSpacing = 2000;

}  // namespace

CSettingsUserInterface::CSettingsUserInterface(int dpi, QWidget* parent)
    : COptionsPage(dpi, parent) {
    QGroupBox* home = AddGroup(QStringLiteral("Home Page"), 0);
    homePage_ = AddCheck(home, QStringLiteral("Use this display as the home page"));
    homePageName_ = AddText(home, QStringLiteral("Display name"));
    EnableWith(homePage_, homePageName_);
    homeReturn_ = AddCheck(home, QStringLiteral("Return to the home page when idle"));
    homeReturnTime_ =
        AddNumber(home, QStringLiteral("After"), QStringLiteral("The home return time"), 1,
                  kLongestIdleTime, QStringLiteral("seconds"));
    EnableWith(homeReturn_, homeReturnTime_);

    QGroupBox* popups = AddGroup(QStringLiteral("Pop-ups and Taps"), 0);
    popupClose_ = AddCheck(popups, QStringLiteral("Close control pop-ups by themselves"));
    popupCloseTime_ =
        AddNumber(popups, QStringLiteral("After"), QStringLiteral("The pop-up close time"), 1,
                  kLongestIdleTime, QStringLiteral("seconds"));
    EnableWith(popupClose_, popupCloseTime_);
    shortTapTime_ = AddNumber(popups, QStringLiteral("Hold after"), QStringLiteral("The tap time"),
                              100, 5000, QStringLiteral("milliseconds"));

    QGroupBox* window = AddGroup(QStringLiteral("Screen"), 1);
    afterConnect_ = new QComboBox(window);
    afterConnect_->addItems({QStringLiteral("Normal window"), QStringLiteral("Full screen, locked"),
                             QStringLiteral("Full screen with navigation")});
    AddRow(window, QStringLiteral("After connecting"), afterConnect_);
    wakeScreen_ = AddCheck(window, QStringLiteral("Wake the screen when the server changes it"));
    screenDpi_ = AddNumber(window, QStringLiteral("Screen DPI (0 = system)"),
                           QStringLiteral("The screen DPI"), 0, kLargestDpi, QString());
    debugDpi_ = AddNumber(window, QStringLiteral("Simulated DPI (0 = off)"),
                          QStringLiteral("The simulated DPI"), 0, kLargestDpi, QString());

    QGroupBox* theme = AddGroup(QStringLiteral("Theme"), 1);
    themeFolder_ = AddText(theme, QStringLiteral("Theme folder"));
    themeSpacing_ = AddCheck(theme, QStringLiteral("Own tile spacing"));
    spacingX_ = AddNumber(theme, QStringLiteral("Across"), QStringLiteral("The spacing across"), 1,
                          kLargestSpacing, QStringLiteral("pixels"));
    spacingY_ = AddNumber(theme, QStringLiteral("Down"), QStringLiteral("The spacing down"), 1,
                          kLargestSpacing, QStringLiteral("pixels"));
    EnableWith(themeSpacing_, spacingX_);
    EnableWith(themeSpacing_, spacingY_);
    labelSize_ = AddNumber(theme, QStringLiteral("Tile label size"),
                           QStringLiteral("The tile label size"), 6, 96, QStringLiteral("points"));

    QGroupBox* lock = AddGroup(QStringLiteral("Lock"), 0);
    exitNeedsCode_ = AddCheck(lock, QStringLiteral("Exiting and unlocking need the unlock code"));
    newLockCode_ = AddText(lock, QStringLiteral("New unlock code"));
    newLockCode_->setEchoMode(QLineEdit::Password);
    newLockCode_->setPlaceholderText(QStringLiteral("leave empty to keep the code"));
    newLockCode_->setInputMethodHints(Qt::ImhDigitsOnly);
    newLockCode_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    connect(newLockCode_, &QLineEdit::textChanged, this, &COptionsPage::ProblemChanged);
}

void CSettingsUserInterface::Load(const ClientSettings& s) {
    homePage_->setChecked(s.homePageEnable != 0);
    homePageName_->setText(FromWindows1252(s.homePageName));
    homeReturn_->setChecked(s.enableHomeReturnTime != 0);
    homeReturnTime_->SetValue(s.tuiHomeReturnTime);
    popupClose_->setChecked(s.enablePopupCloseTime != 0);
    popupCloseTime_->SetValue(s.tuiPopupCloseTime);
    shortTapTime_->SetValue(s.tuiShortTapTime);
    afterConnect_->setCurrentIndex(
        s.postConnectLockOption >= 0 && s.postConnectLockOption <= 2 ? s.postConnectLockOption : 0);
    wakeScreen_->setChecked(s.wakeUpMonitorOnChange != 0);
    screenDpi_->SetValue(s.screenDPI);
    debugDpi_->SetValue(s.debugDPI);
    themeFolder_->setText(FromWindows1252(s.themeDirPath));
    themeSpacing_->setChecked(s.themeSpacingEnable != 0);
    spacingX_->SetValue(s.themeSpacingX);
    spacingY_->SetValue(s.themeSpacingY);
    labelSize_->SetValue(s.tileLabelPointSize);
    exitNeedsCode_->setChecked(s.uiExitPasswordEnable != 0);
    newLockCode_->clear();
}

void CSettingsUserInterface::Save(ClientSettings& s) const {
    s.homePageEnable = homePage_->isChecked() ? 1 : 0;
    s.homePageName = ToWindows1252(homePageName_->text());
    s.enableHomeReturnTime = homeReturn_->isChecked() ? 1 : 0;
    StoreNumber(homeReturnTime_, s.tuiHomeReturnTime);
    s.enablePopupCloseTime = popupClose_->isChecked() ? 1 : 0;
    StoreNumber(popupCloseTime_, s.tuiPopupCloseTime);
    StoreNumber(shortTapTime_, s.tuiShortTapTime);
    s.postConnectLockOption = afterConnect_->currentIndex();
    s.wakeUpMonitorOnChange = wakeScreen_->isChecked() ? 1 : 0;
    StoreNumber(screenDpi_, s.screenDPI);
    StoreNumber(debugDpi_, s.debugDPI);
    s.themeDirPath = ToWindows1252(themeFolder_->text());
    s.themeSpacingEnable = themeSpacing_->isChecked() ? 1 : 0;
    StoreNumber(spacingX_, s.themeSpacingX);
    StoreNumber(spacingY_, s.themeSpacingY);
    StoreNumber(labelSize_, s.tileLabelPointSize);
    s.uiExitPasswordEnable = exitNeedsCode_->isChecked() ? 1 : 0;
    const std::string code = ToWindows1252(newLockCode_->text());
    if (IsAcceptableLockCode(code))
        s.uiLockCode = UnlockCodeDigest(code);
}

QString CSettingsUserInterface::Problem() const {
    const std::string code = ToWindows1252(newLockCode_->text());
    if (!code.empty() && !IsAcceptableLockCode(code))
        return QString::fromLatin1(kLockCodeTooShortText);
    return COptionsPage::Problem();
}

QWidget* CSettingsUserInterface::ProblemField() const {
    const std::string code = ToWindows1252(newLockCode_->text());
    if (!code.empty() && !IsAcceptableLockCode(code))
        return newLockCode_;
    return COptionsPage::ProblemField();
}

}  // namespace zol
