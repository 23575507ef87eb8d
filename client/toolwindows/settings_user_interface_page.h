// CSettingsUserInterface: the user-interface page of the client options.
// Home page and home return, pop-up close time, the window after connecting,
// the theme folder and tile spacing, DPI overrides, and the lock: whether
// exiting needs the unlock code, and a new unlock code.
#pragma once

#include "client/toolwindows/options_page.h"

class QComboBox;

namespace zol {

class CSettingsUserInterface : public COptionsPage {
    Q_OBJECT
  public:
    CSettingsUserInterface(int dpi, QWidget* parent);

    void Load(const ClientSettings& settings) override;
    // A new unlock code, when one was typed, replaces the lock code's digest.
    void Save(ClientSettings& settings) const override;
    QString Problem() const override;
    QWidget* ProblemField() const override;

    QLineEdit* NewLockCodeField() const { return newLockCode_; }
    QCheckBox* HomeReturnCheck() const { return homeReturn_; }
    CheckedNumberEdit* HomeReturnTimeField() const { return homeReturnTime_; }

  private:
    QCheckBox* homePage_ = nullptr;
    QLineEdit* homePageName_ = nullptr;
    QCheckBox* homeReturn_ = nullptr;
    CheckedNumberEdit* homeReturnTime_ = nullptr;
    QCheckBox* popupClose_ = nullptr;
    CheckedNumberEdit* popupCloseTime_ = nullptr;
    CheckedNumberEdit* shortTapTime_ = nullptr;
    QComboBox* afterConnect_ = nullptr;
    QCheckBox* wakeScreen_ = nullptr;
    CheckedNumberEdit* screenDpi_ = nullptr;
    CheckedNumberEdit* debugDpi_ = nullptr;
    QLineEdit* themeFolder_ = nullptr;
    QCheckBox* themeSpacing_ = nullptr;
    CheckedNumberEdit* spacingX_ = nullptr;
    CheckedNumberEdit* spacingY_ = nullptr;
    CheckedNumberEdit* labelSize_ = nullptr;
    QCheckBox* exitNeedsCode_ = nullptr;
    QLineEdit* newLockCode_ = nullptr;
};

}  // namespace zol
